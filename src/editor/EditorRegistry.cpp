#include "editor/EditorRegistry.h"

#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "editor/TfmEditor.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"

EditorRegistry::EditorRegistry(Desk& desk, QObject* parent) : QObject(parent), m_desk(desk) {
    connect(&desk, &Desk::sheetRemoving, this, &EditorRegistry::release);
}

EditorRegistry::~EditorRegistry() {
    for (const QPointer<TfmEditor>& editor : std::as_const(m_editors))
        if (editor) {
            editor->disconnect(this);
            delete editor.data();
        }
}

TfmEditor* EditorRegistry::editorOf(const TKerfa* sheet) const {
    return m_editors.value(sheet);
}

void EditorRegistry::attach(TKerfa* sheet, TfmEditor* editor) {
    release(sheet);
    m_editors.insert(sheet, editor);
    m_sheets.insert(editor, sheet);
    connect(editor, &QObject::destroyed, this, &EditorRegistry::editorGone);
    // A closed window goes only once the event loop deletes it; the sheet is free at once.
    connect(editor, &TfmEditor::closed, this, [this, editor] { editorGone(editor); });
    sheet->setEditing(true);
    Q_EMIT editorAttached(sheet, editor);
}

void EditorRegistry::release(TKerfa* sheet) {
    const QPointer<TfmEditor> editor = m_editors.take(sheet);
    if (!editor)
        return;
    editor->disconnect(this);
    m_sheets.remove(editor.data());
    delete editor.data();
    sheet->setEditing(false);
}

void EditorRegistry::editorGone(QObject* editor) {
    TKerfa* sheet = m_sheets.take(editor);
    if (!sheet)
        return;
    m_editors.remove(sheet);
    sheet->setEditing(false);
    Q_EMIT editorClosed(sheet);
}

bool EditorRegistry::AskToSaveEditor(const QString& sheetName) {
    TfmEditor* editor = editorOf(m_desk.findSheet(sheetName));
    return !editor || editor->FormCloseQuery();
}

bool EditorRegistry::AnyEditorModified() const {
    for (const TKerfa* sheet : m_desk.sheets())
        if (const TfmEditor* editor = editorOf(sheet); editor && editor->isModified())
            return true;
    return false;
}

bool EditorRegistry::SaveModifiedEditors() {
    bool all = true;
    QStringList failed;
    for (const TKerfa* sheet : m_desk.sheets()) {
        TfmEditor* editor = editorOf(sheet);
        if (editor && editor->isModified()) {
            // An editor whose text could not be saved stays open with its text.
            bool notWritten = false;
            if (editor->WriteText(notWritten)) {
                editor->close();
                continue;
            }
            all = false;
            if (notWritten)
                failed << QStringLiteral("Text Files/") + sheet->SheetName + QStringLiteral(".txt");
        }
    }
    // One box for all the texts not written, not one for each.
    if (!failed.isEmpty())
        MessageBoxes::warning(
            Messages::listed(Messages::text(Messages::CANNOT_WRITE_FILE), failed));
    return all;
}
