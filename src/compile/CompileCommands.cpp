#include "compile/CompileCommands.h"

#include "common/TextCodec.h"
#include "compile/CompilationList.h"
#include "compile/SheetSearch.h"
#include "desk/Desk.h"
#include "desk/DeskTheme.h"
#include "desk/NameLabel.h"
#include "desk/TKerfa.h"
#include "editor/EditorRegistry.h"
#include "editor/SheetText.h"
#include "editor/TfmEditor.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "platform/WaitCursor.h"
#include "project/ProjectState.h"
#include "project/SheetNames.h"

#include <QFileInfo>
#include <QPlainTextEdit>

namespace {

constexpr int kCompilationLeft = 40;
constexpr int kCompilationTop = 26;

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
            matches = search.inText(editor->memo()->toPlainText());
        } else {
            const QString path = SheetText::pathOf(m_project.projectFolder, sheet->SheetName);
            const std::optional<bool> inFile = search.inFile(path);
            if (!inFile) {
                MessageBoxes::error(u'\'' + QFileInfo(path).fileName() + QStringLiteral("' ") +
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
            parts->text = TextCodec::encode(TextCodec::toCrLf(memo->toPlainText()));
    }
    return parts;
}

CompileCommands::CreateResult CompileCommands::Create(CompilationFile::Include include) {
    if (m_list.isEmpty())
        return CreateResult::Nothing;
    std::optional<QByteArray> compilation;
    bool written = false;
    {
        const WaitCursor wait;
        QHash<QString, TKerfa*> onDesk;
        onDesk.reserve(m_desk.sheets().size());
        // The first sheet of a name, as the desk's own search finds it.
        for (auto it = m_desk.sheets().crbegin(); it != m_desk.sheets().crend(); ++it)
            onDesk.insert((*it)->SheetName, *it);
        compilation = CompilationFile::compose(
            m_list.names(), include, [&](const QString& name, CompilationFile::Include parts) {
                return sheetParts(name, parts, onDesk);
            });
        if (compilation && compilation->isEmpty())
            return CreateResult::Nothing;
        written = compilation && CompilationFile::write(m_project.projectFolder, *compilation);
    }
    if (!written) {
        MessageBoxes::information(Messages::text(Messages::COMPILATION_NOT_OK));
        return CreateResult::Failed;
    }
    AutoCreateCompilationSheet();
    MessageBoxes::information(Messages::text(Messages::COMPILATION_OK));
    return CreateResult::Created;
}

TKerfa* CompileCommands::AutoCreateCompilationSheet() {
    if (!m_autoCreate || !m_autoCreate())
        return nullptr;
    // A sheet that took the name from a damaged file counts too: two sheets of one name would
    // be saved into one file.
    for (const TKerfa* sheet : m_desk.sheets())
        if (isCompilationSheet(sheet) || CompilationFile::isCompilationName(sheet->SheetName))
            return nullptr;
    TKerfa* sheet = m_desk.createSheet();
    sheet->setPosition(kCompilationLeft, kCompilationTop);
    sheet->SetSheetName(QStringLiteral("Compilation"));
    DeskTheme::SetTypeFromIndex(sheet, -1);
    m_look.ShowTypeLook(sheet);
    sheet->SetState(0);
    sheet->SetDescription({});
    m_look.ShowStateMarker(sheet);
    m_desk.bringToFront(sheet);
    sheet->setVisible(true);
    m_desk.bringToFront(sheet->nameLabel());
    m_project.modified = true;
    Q_EMIT refreshNeeded();
    return sheet;
}
