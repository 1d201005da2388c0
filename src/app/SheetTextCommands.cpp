#include "app/SheetTextCommands.h"

#include "desk/TKerfa.h"
#include "editor/EditorOptions.h"
#include "editor/EditorRegistry.h"
#include "editor/SheetText.h"
#include "editor/TfmEditor.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "project/ProjectState.h"

#include <QFileInfo>

SheetTextCommands::SheetTextCommands(const ProjectState& project, EditorRegistry& editors,
                                     const EditorOptions& options, QObject* parent)
    : QObject(parent), m_project(project), m_editors(editors), m_options(options) {}

TfmEditor* SheetTextCommands::OpenEditor(TKerfa* sheet) {
    if (!sheet)
        return nullptr;
    const EditorSettings& settings = m_options.settings();
    TfmEditor* editor = m_editors.editorOf(sheet);
    if (!editor) {
        // A window of its own, not one that stays over the desk, unless the settings say so.
        editor = new TfmEditor(m_options);
        editor->setWindowFlag(Qt::WindowStaysOnTopHint, settings.stayOnTop);
        editor->setSheet(m_project.projectFolder, sheet->SheetName);
        connect(editor, &TfmEditor::helpRequested, this, &SheetTextCommands::helpRequested);
        m_editors.attach(sheet, editor);
    }
    editor->setPositioningMode(settings.positioning);
    editor->setMemoFont(settings.fontName, settings.fontSize);
    editor->setWindowState(editor->windowState() & ~Qt::WindowMinimized);
    editor->show();
    editor->raise();
    editor->activateWindow();
    return editor;
}

void SheetTextCommands::PrintSheet(const TKerfa* sheet) {
    if (!sheet)
        return;
    if (TfmEditor* editor = m_editors.editorOf(sheet)) {
        editor->mnuPrintClick();
        return;
    }
    SheetText text(SheetText::pathOf(m_project.projectFolder, sheet->SheetName));
    if (!text.load()) {
        MessageBoxes::warning(SheetText::isLinked(text.path())
                                  ? SheetText::linkedMessage(text.path())
                                  : Messages::text(Messages::CANNOT_OPEN_FILE));
        return;
    }
    const EditorSettings& settings = m_options.settings();
    m_print.run(m_dialogParent, text.text(), QFont(settings.fontName, settings.fontSize),
                sheet->SheetName);
}

bool SheetTextCommands::fillFromDroppedFile(const TKerfa* sheet, const QString& path) {
    if (!QFileInfo(path).isFile()) {
        MessageBoxes::information(u'\'' + QFileInfo(path).fileName() + QStringLiteral("' ") +
                                  Messages::text(Messages::DOES_NOT_EXIST));
        return false;
    }
    const std::optional<QString> dropped = SheetText::import(path);
    if (!dropped) {
        MessageBoxes::warning(Messages::text(Messages::CANNOT_OPEN_FILE));
        return false;
    }
    SheetText text(SheetText::pathOf(m_project.projectFolder, sheet->SheetName));
    text.setText(*dropped);
    if (!text.save()) {
        MessageBoxes::warning(Messages::text(Messages::CANNOT_WRITE_FILE));
        return false;
    }
    return true;
}
