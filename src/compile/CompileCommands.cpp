#include "compile/CompileCommands.h"

#include "common/TextCodec.h"
#include "compile/CompilationList.h"
#include "compile/SheetSearch.h"
#include "desk/Desk.h"
#include "desk/DeskTheme.h"
#include "desk/NameLabel.h"
#include "desk/TKerfa.h"
#include "editor/EditorRegistry.h"
#include "editor/MemoEdit.h"
#include "editor/SheetText.h"
#include "editor/TfmEditor.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "platform/WaitCursor.h"
#include "project/ProjectState.h"
#include "project/SheetNames.h"

#include <QFileInfo>
#include <QLocale>
#include <QPlainTextEdit>
#include <QUuid>

namespace {

constexpr int kCompilationLeft = 40;
constexpr int kCompilationTop = 26;
// Books' identifiers are made in a space of their own from the project's path: the same book
// keeps its identifier from one export to the next.
const QUuid kBookNamespace(QStringLiteral("{5d0b7a62-93c4-4f0e-b1a8-2f61c9e47d3a}"));

bool isCompilationSheet(const TKerfa* sheet) {
    return sheet->SheetType == 0;
}

} // namespace

CompileCommands::CompileCommands(Desk& desk, DeskTheme& look, EditorRegistry& editors,
                                 ProjectState& project, CompilationList& list, QObject* parent)
    : QObject(parent), m_desk(desk), m_look(look), m_editors(editors), m_project(project),
      m_list(list) {}

bool CompileCommands::AddToCompilation() {
    const TKerfa* sheet = m_desk.current();
    if (!sheet)
        return false;
    if (!isCompilationSheet(sheet))
        m_list.add(sheet->SheetName);
    return true;
}

bool CompileCommands::LinksToCompilation() {
    TKerfa* sheet = m_desk.current();
    if (!sheet || isCompilationSheet(sheet))
        return false;
    m_list.clear();
    for (const TKerfa* linked : m_desk.chain(sheet))
        m_list.add(linked->SheetName);
    return true;
}

bool CompileCommands::FindAndCompile(const QString& findText, bool matchCase,
                                     bool clearCompilation) {
    if (m_desk.sheets().isEmpty())
        return false;
    const WaitCursor wait;
    if (clearCompilation)
        m_list.clear();
    const SheetSearch search(findText, matchCase);
    bool found = false;
    for (const TKerfa* sheet : m_desk.sheets()) {
        bool matches = false;
        if (const TfmEditor* editor = m_editors.editorOf(sheet)) {
            matches = search.inText(MemoEdit::textOf(editor->memo()->document()));
        } else {
            const QString path = SheetText::pathOf(m_project.projectFolder, sheet->SheetName);
            const std::optional<bool> inFile = search.inFile(path);
            if (!inFile) {
                MessageBoxes::error(SheetText::isLinked(path)
                                        ? SheetText::linkedMessage(path)
                                        : u'\'' + QFileInfo(path).fileName() +
                                              QStringLiteral("' ") +
                                              Messages::text(Messages::CANNOT_OPEN_FILE));
                break;
            }
            matches = *inFile;
        }
        if (!matches)
            continue;
        found = true;
        if (!isCompilationSheet(sheet))
            m_list.add(sheet->SheetName);
    }
    return found;
}

QHash<QString, TKerfa*> CompileCommands::sheetsByName() const {
    QHash<QString, TKerfa*> onDesk;
    onDesk.reserve(m_desk.sheets().size());
    for (auto it = m_desk.sheets().crbegin(); it != m_desk.sheets().crend(); ++it)
        onDesk.insert((*it)->SheetName, *it);
    return onDesk;
}

std::optional<CompilationFile::Sheet>
CompileCommands::sheetParts(const QString& name, CompilationFile::Include include,
                            const QHash<QString, TKerfa*>& onDesk) const {
    const QString& folder = m_project.projectFolder;
    const TKerfa* sheet = onDesk.value(name);
    const TfmEditor* editor = sheet ? m_editors.editorOf(sheet) : nullptr;
    CompilationFile::Include fromFiles = include;
    fromFiles.descriptions = include.descriptions && !sheet;
    fromFiles.content = include.content && !editor;
    std::optional<CompilationFile::Sheet> parts =
        CompilationFile::readFiles(folder, name, fromFiles);
    if (!parts)
        return std::nullopt;
    if (include.descriptions && sheet && QFileInfo::exists(SheetNames::sheetFile(folder, name)))
        parts->description = sheet->Description;
    if (editor) {
        const QPlainTextEdit* memo = editor->memo();
        // An editor on a sheet that has no text file yet gives a text once something was typed.
        if (QFileInfo::exists(SheetNames::textFile(folder, name)) || memo->document()->isModified())
            parts->text = TextCodec::encode(TextCodec::toCrLf(MemoEdit::textOf(memo->document())));
    }
    return parts;
}

CompileCommands::CreateResult CompileCommands::Create(CompilationFile::Include include) {
    if (m_list.isEmpty())
        return CreateResult::Nothing;
    std::optional<QByteArray> compilation;
    bool written = false;
    QString unread;
    {
        const WaitCursor wait;
        const QHash<QString, TKerfa*> onDesk = sheetsByName();
        compilation = CompilationFile::compose(
            m_list.names(), include, [&](const QString& name, CompilationFile::Include parts) {
                std::optional<CompilationFile::Sheet> sheet = sheetParts(name, parts, onDesk);
                if (!sheet)
                    unread = name;
                return sheet;
            });
        if (compilation && compilation->isEmpty())
            return CreateResult::Nothing;
        written = compilation &&
                  CompilationFile::write(
                      m_project.projectFolder, *compilation,
                      CompilationFile::modeOfTexts(m_project.projectFolder, m_list.names()));
    }
    if (!written) {
        MessageBoxes::information(failure(unread, Messages::COMPILATION_NOT_OK));
        return CreateResult::Failed;
    }
    AutoCreateCompilationSheet();
    MessageBoxes::information(Messages::text(Messages::COMPILATION_OK));
    return CreateResult::Created;
}

CompileCommands::CreateResult
CompileCommands::Export(const QString& path, ManuscriptExport::Format format, bool descriptions) {
    if (m_list.isEmpty())
        return CreateResult::Nothing;
    bool written = false;
    QString unread;
    {
        const WaitCursor wait;
        const QHash<QString, TKerfa*> onDesk = sheetsByName();
        Manuscript manuscript;
        manuscript.title = QFileInfo(m_project.projectFileName).completeBaseName();
        manuscript.language = QLocale::system().bcp47Name();
        manuscript.identifier = QStringLiteral("urn:uuid:") +
                                QUuid::createUuidV5(kBookNamespace, m_project.projectPath())
                                    .toString(QUuid::WithoutBraces);
        bool readable = true;
        for (const QString& name : m_list.names()) {
            if (CompilationFile::isCompilationName(name))
                continue;
            const std::optional<CompilationFile::Sheet> parts =
                sheetParts(name, {descriptions, true}, onDesk);
            if (!parts) {
                readable = false;
                unread = name;
                break;
            }
            if (!parts->description && !parts->text && !onDesk.contains(name))
                continue;
            Manuscript::Chapter chapter{name, {}, {}};
            if (parts->description)
                chapter.description = parts->description->trimmed();
            if (parts->text)
                chapter.paragraphs = Manuscript::paragraphs(QString::fromUtf8(*parts->text));
            manuscript.chapters.append(std::move(chapter));
        }
        if (readable && manuscript.chapters.isEmpty())
            return CreateResult::Nothing;
        written = readable && ManuscriptExport::write(path, manuscript, format,
                                                      CompilationFile::modeOfTexts(
                                                          m_project.projectFolder, m_list.names()));
    }
    if (!written) {
        MessageBoxes::error(failure(unread, Messages::EXPORT_NOT_OK));
        return CreateResult::Failed;
    }
    MessageBoxes::information(Messages::text(Messages::EXPORT_OK));
    return CreateResult::Created;
}

QString CompileCommands::failure(const QString& unreadSheet, Messages::Key key) const {
    const QString path = SheetText::pathOf(m_project.projectFolder, unreadSheet);
    if (unreadSheet.isEmpty() || !SheetText::isLinked(path))
        return Messages::text(key);
    return SheetText::linkedMessage(path) + QStringLiteral("\n\n") + Messages::text(key);
}

TKerfa* CompileCommands::AutoCreateCompilationSheet() {
    if (!m_autoCreate || !m_autoCreate())
        return nullptr;
    // A sheet that took the name from a damaged file counts too: two sheets of one name would
    // be saved into one file.
    for (const TKerfa* sheet : m_desk.sheets())
        if (isCompilationSheet(sheet) || CompilationFile::isCompilationName(sheet->SheetName))
            return nullptr;
    // Nor over the file of a Compilation sheet that was left out of the load as unreadable: the
    // new sheet would be saved into it.
    const QString name = QStringLiteral("Compilation");
    if (m_project.onDisk && QFileInfo::exists(SheetNames::sheetFile(m_project.projectFolder, name)))
        return nullptr;
    TKerfa* sheet = m_desk.createSheet();
    sheet->setPosition(kCompilationLeft, kCompilationTop);
    sheet->SetSheetName(name);
    DeskTheme::SetTypeFromIndex(sheet, -1);
    m_look.ShowTypeLook(sheet);
    sheet->SetState(0);
    sheet->SetDescription({});
    m_look.ShowStateMarker(sheet);
    m_desk.bringToFront(sheet);
    sheet->setVisible(true);
    m_project.modified = true;
    Q_EMIT refreshNeeded();
    return sheet;
}
