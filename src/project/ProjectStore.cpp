#include "project/ProjectStore.h"

#include "common/AsciiCase.h"
#include "common/FileNames.h"
#include "common/FileWriter.h"
#include "common/IniFile.h"
#include "desk/Desk.h"
#include "desk/NameLabel.h"
#include "desk/TKerfa.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "project/ProjectHost.h"
#include "project/ProjectSettings.h"
#include "project/ProjectState.h"
#include "project/SheetRecord.h"
#include "themes/Theme.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

constexpr qsizetype kMaxSheetName = 40;
const QString kProjectExtension = QStringLiteral(".kerfa");
const QString kSheetExtension = QStringLiteral(".kfa");

} // namespace

ProjectStore::ProjectStore(ProjectState& state, Desk& desk, Theme& theme, ProjectHost& host)
    : m_state(state), m_desk(desk), m_theme(theme), m_host(host) {}

bool ProjectStore::LoadProject(const QString& path) {
    m_host.prepareForLoad();

    const QFileInfo info(path);
    QString folder = info.absolutePath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    QString fileName = info.fileName();
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        fileName += kProjectExtension;
    else if (AsciiCase::lower(QStringView(fileName).mid(dot)) != kProjectExtension) {
        MessageBoxes::information(Messages::text(Messages::ONLY_PROJECTS));
        return false;
    }
    if (!QFileInfo(folder + fileName).isFile()) {
        MessageBoxes::information(u'\'' + fileName + QStringLiteral("' ") +
                                  Messages::text(Messages::DOES_NOT_EXIST));
        return false;
    }

    m_state.projectFolder = folder;
    m_state.projectFileName = fileName;
    FileWriter::removeLeftovers({folder, m_state.sheetFolder(), m_state.textFolder()});
    ClearDesk();

    const IniFile projectFile(folder + fileName);
    const ProjectSettings settings = ProjectSettings::read(projectFile);
    m_state.workspaceSize = settings.workspaceSize;
    m_host.SizeWorkspace();
    m_state.boldBaseType = settings.boldBaseType;
    m_state.projectTheme = settings.theme;
    if (!settings.theme.isEmpty())
        m_theme.LoadTheme(settings.theme);

    if (!readSheets()) {
        MessageBoxes::warning(Messages::text(Messages::ERROR_READING_FILE));
        CloseProject();
        return false;
    }
    resolveLinks();

    m_desk.setCurrent(nullptr);
    m_desk.doubleClickGuard = false;
    m_state.onDisk = true;
    m_state.freshStart = false;
    m_state.nextSheetType = 1;
    m_state.modified = false;
    m_host.projectLoaded(folder + fileName);
    m_host.RefreshWindow();
    return true;
}

bool ProjectStore::readSheets() {
    QDir dir(m_state.sheetFolder());
    QStringList files = FileNames::regularFiles(dir.path());
    // Regular files only (a link named like a sheet would lead its reads and saves elsewhere, and
    // a pipe would stall the load), and only names the program writes: "<sheet name>.kfa", the
    // extension in lower case.
    files.erase(std::remove_if(files.begin(), files.end(),
                               [](const QString& f) {
                                   return !f.endsWith(kSheetExtension) ||
                                          f.size() == kSheetExtension.size();
                               }),
                files.end());
    // Alphabetical, as a project's sheets were listed where the format comes from.
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(files.begin(), files.end(), collator);

    const QStringList& stateNames = m_theme.data().stateNames;
    for (const QString& file : std::as_const(files)) {
        const QString name = file.chopped(kSheetExtension.size());
        if (name.size() > kMaxSheetName)
            continue;
        const IniFile sheetFile(dir.filePath(file));
        const SheetRecord record = SheetRecord::read(sheetFile);
        if (record.state < 0 || record.state >= stateNames.size())
            return false;

        TKerfa* sheet = m_desk.createSheet();
        sheet->setPosition(record.left, record.top);
        sheet->SetSheetName(name);
        // The type before the bold flag: the same sheet either way, but the label is laid out
        // in bold only when it will stay bold (thousands of sheets load noticeably faster).
        Theme::SetTypeFromIndex(sheet, record.typeIndex);
        sheet->SetBoldBaseType(m_state.boldBaseType);
        m_theme.ShowTypeLook(sheet);
        sheet->SetState(stateNames[record.state].isEmpty() ? 0 : static_cast<quint8>(record.state));
        sheet->LinkToName = record.linkTo;
        sheet->SetDescription(record.description);
        m_theme.ShowStateMarker(sheet);
        m_host.WireSheetEvents(sheet);
        m_desk.bringToFront(sheet);
        sheet->setVisible(true);
        m_desk.bringToFront(sheet->nameLabel());
    }
    return true;
}

void ProjectStore::resolveLinks() {
    // Sheet names are unique within a project (they name its files), so a sheet's link target
    // is the one sheet of that exact name, never the sheet itself.
    QHash<QString, TKerfa*> byName;
    const QList<TKerfa*>& sheets = m_desk.sheets();
    byName.reserve(sheets.size());
    for (TKerfa* sheet : sheets)
        byName.insert(sheet->SheetName, sheet);
    for (TKerfa* source : sheets) {
        if (source->LinkToName.isEmpty())
            continue;
        TKerfa* target = byName.value(source->LinkToName);
        if (!target || target == source)
            continue;
        source->SetLinkTo(target);
        target->SetLinkedFrom(source);
        source->PlaceLine();
    }
}

bool ProjectStore::SaveProject() {
    QDir().mkdir(m_state.sheetFolder());
    QDir().mkdir(m_state.textFolder());

    // One folder sync for all the files rather than one each: thousands of sheets save quickly.
    FileWriter::Batch batch;
    bool ok = false;
    IniFile projectFile(m_state.projectPath());
    ProjectSettings{m_state.workspaceSize, m_state.boldBaseType, m_state.projectTheme}.write(
        projectFile);
    if (!projectFile.save()) {
        MessageBoxes::warning(Messages::text(Messages::ERROR_WRITING_PROJECT));
        m_state.onDisk = false;
    } else {
        ok = true;
        for (TKerfa* sheet : m_desk.sheets())
            ok = writeSheetFile(sheet) && ok;
        m_state.onDisk = true;
    }
    if (!batch.finish() && ok) {
        MessageBoxes::warning(Messages::text(Messages::ERROR_WRITING_PROJECT));
        ok = false;
    }

    m_desk.doubleClickGuard = false;
    // A save that failed keeps the changes marked, so that closing still offers to save them.
    m_state.modified = !ok;
    m_state.freshStart = false;
    m_host.RefreshWindow();
    return ok;
}

bool ProjectStore::writeSheetFile(TKerfa* sheet) {
    IniFile file(m_state.sheetFolder() + sheet->SheetName + kSheetExtension);
    SheetRecord record;
    record.typeIndex = SheetRecord::typeIndexOf(sheet->SheetType);
    record.state = SheetRecord::storedState(sheet->State);
    record.left = sheet->left();
    record.top = sheet->top();
    record.description = sheet->Description;
    record.linkTo = sheet->LinkToName;
    record.write(file);
    if (file.save())
        return true;
    MessageBoxes::warning(Messages::text(Messages::ERROR_WRITING_KERFA));
    return false;
}

bool ProjectStore::SaveSheetFile(TKerfa* sheet) {
    const bool ok = writeSheetFile(sheet);
    m_host.RefreshWindow();
    return ok;
}

void ProjectStore::ClearDesk() {
    m_desk.clear();
}

void ProjectStore::CloseProject() {
    m_state.workspaceSize = ProjectState::Normal;
    m_host.SizeWorkspace();
    m_state.onDisk = false;
    m_state.projectFileName = QStringLiteral("unnamed");
    ClearDesk();
    m_state.nextSheetType = 1;
    m_desk.doubleClickGuard = false;
    m_state.modified = false;
    m_host.projectClosed();
    m_host.RefreshWindow();
}
