#include "project/ProjectCommands.h"

#include "common/FileWriter.h"
#include "common/LinkSafe.h"
#include "common/ProgramFolder.h"
#include "language/Captions.h"
#include "language/Messages.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "project/BookJournal.h"
#include "project/OpenEditors.h"
#include "project/ProjectDesk.h"
#include "project/ProjectNames.h"
#include "project/ProjectState.h"
#include "project/ProjectStorage.h"
#include "project/SheetReading.h"
#include "project/SnapshotStore.h"
#include "themes/Theme.h"
#include "themes/ThemeData.h"

#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

// How many sheets are read or laid out between two reports of a load's progress.
constexpr qsizetype kSheetsAStep = 32;

QString projectFilter() {
    return Messages::text(Messages::PROJECT_FILES) + QStringLiteral(" (*") +
           ProjectNames::projectExtension() + u')';
}

} // namespace

ProjectCommands::ProjectCommands(ProjectState& state, Theme& theme, ProjectDesk& desk,
                                 OpenEditors& editors, QObject* parent)
    : QObject(parent), m_state(state), m_theme(theme), m_desk(desk), m_editors(editors) {}

ProjectCommands::~ProjectCommands() = default;

QString ProjectCommands::folderOf(const QString& path) {
    QString folder = QFileInfo(path).absolutePath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QStringList ProjectCommands::leftoverFolders(const ProjectState& project) {
    QStringList folders = {project.projectFolder, project.sheetFolder(), project.textFolder()};
    // Each sheet's snapshots, unless "Snapshots" is a link (what it points at is no part of
    // the book); a sheet's folder that is a link is passed over.
    const QString snapshots = project.projectFolder + SnapshotStore::folderName() + u'/';
    if (!LinkSafe::crossesLink(snapshots, 1))
        for (const QString& sheet :
             QDir(snapshots).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks))
            folders << snapshots + sheet;
    return folders;
}

std::unique_ptr<SheetReading> ProjectCommands::readEarly(const QString& path) {
    const QString fileName = ProjectNames::projectFileName(QFileInfo(path).fileName());
    if (fileName.isEmpty() || !QFileInfo(folderOf(path) + fileName).isFile() ||
        !ProjectStorage::isProjectFile(folderOf(path) + fileName) ||
        BookJournal(folderOf(path)).pending())
        return nullptr;
    ProjectState project;
    project.projectFolder = folderOf(path);
    auto reading = std::make_unique<SheetReading>(project.sheetFolder());
    reading->startHelper([project] { FileWriter::removeLeftovers(leftoverFolders(project)); });
    return reading;
}

void ProjectCommands::setEarlyReading(std::unique_ptr<SheetReading> reading) {
    m_earlyReading = std::move(reading);
}

bool ProjectCommands::LoadProject(const QString& path) {
    Q_EMIT loadStarting();

    const QString folder = folderOf(path);
    const QString fileName = ProjectNames::projectFileName(QFileInfo(path).fileName());
    if (fileName.isEmpty()) {
        MessageBoxes::information(Messages::text(Messages::ONLY_PROJECTS));
        return false;
    }
    if (!QFileInfo(folder + fileName).isFile()) {
        MessageBoxes::information(u'\'' + fileName + QStringLiteral("' ") +
                                  Messages::text(Messages::DOES_NOT_EXIST));
        return false;
    }
    if (!ProjectStorage::isProjectFile(folder + fileName)) {
        MessageBoxes::information(u'\'' + fileName + QStringLiteral("' ") +
                                  Messages::text(Messages::NOT_A_PROJECT));
        return false;
    }

    m_state.projectFolder = folder;
    m_state.projectFileName = fileName;
    // The book named on the command line may be read, and its leftovers removed, already.
    std::unique_ptr<SheetReading> reading = std::move(m_earlyReading);
    if (!reading || reading->sheetFolder() != m_state.sheetFolder()) {
        // A rename, delete or Replace In Book cut short is finished before a sheet is read.
        BookJournal(folder).replay();
        FileWriter::removeLeftovers(leftoverFolders(m_state));
        reading = std::make_unique<SheetReading>(m_state.sheetFolder());
    }
    m_desk.ClearDesk();

    const ProjectSettings settings = ProjectStorage::readProject(folder + fileName);
    m_state.workspaceSize = settings.workspaceSize;
    Q_EMIT workspaceSizeSet();
    m_state.boldBaseType = settings.boldBaseType;
    m_state.projectTheme = settings.theme;
    setLanguage(settings.language);
    if (!settings.theme.isEmpty())
        useTheme(settings.theme);

    // Reading each sheet file is one step, laying each sheet on the desk another; the sheets are
    // laid while the rest are read.
    m_loading = true;
    qsizetype reported = -kSheetsAStep;
    qsizetype placed = 0;
    const auto report = [&](qsizetype done, qsizetype total) {
        if (done - reported < kSheetsAStep)
            return;
        reported = done;
        Q_EMIT loadProgress(done, total);
    };
    reading->deliver(
        [&](SheetRecord&& record) {
            m_desk.placeSheet(record, m_state.boldBaseType);
            ++placed;
            report(reading->readCount() + placed, 2 * reading->fileCount());
        },
        [&](qsizetype done, qsizetype total) { report(done + placed, 2 * total); });
    const qsizetype files = reading->fileCount();
    QStringList unreadable;
    for (const QString& file : reading->unreadable())
        unreadable << QStringLiteral("Kerfa Files/") + file;
    reading.reset();
    m_desk.sheetsPlaced();
    m_loading = false;
    Q_EMIT loadProgress(2 * files, 2 * files);

    m_desk.resetDoubleClickGuard();
    m_state.onDisk = true;
    m_state.freshStart = false;
    m_state.nextSheetType = 1;
    m_state.modified = false;
    Q_EMIT projectLoaded(folder + fileName);
    Q_EMIT refreshNeeded();
    // A sheet file that cannot be read keeps the book open without that sheet: its files are
    // left as they are, and nothing of it is written, since it is not on the desk.
    if (!unreadable.isEmpty())
        MessageBoxes::warning(Messages::listed(Messages::text(Messages::ERROR_READING_FILE) + u' ' +
                                                   Messages::text(Messages::SHEETS_LEFT_OUT),
                                               unreadable));
    return true;
}

bool ProjectCommands::SaveProject() {
    // One folder sync for all the files rather than one each: thousands of sheets save quickly.
    FileWriter::Batch batch;
    bool ok = false;
    const ProjectSettings settings{m_state.workspaceSize, m_state.boldBaseType,
                                   m_state.projectTheme, m_state.language};
    if (!ProjectStorage::writeProject(m_state.projectPath(), settings)) {
        MessageBoxes::warning(Messages::text(Messages::ERROR_WRITING_PROJECT));
        m_state.onDisk = false;
    } else {
        // The folders come with a project file, so that a save that failed leaves none behind.
        ProjectStorage::makeFolders(m_state);
        // One box for the save, naming every sheet file not written: a full disk would otherwise
        // show one box per sheet.
        QStringList failed;
        for (const SheetRecord& record : m_desk.sheetRecords())
            if (!ProjectStorage::writeSheet(m_state.sheetFolder(), record))
                failed << QStringLiteral("Kerfa Files/") + record.name +
                              ProjectNames::sheetExtension();
        if (!failed.isEmpty())
            MessageBoxes::warning(
                Messages::listed(Messages::text(Messages::ERROR_WRITING_KERFA), failed));
        ok = failed.isEmpty();
        m_state.onDisk = true;
    }
    if (!batch.finish() && ok) {
        MessageBoxes::warning(Messages::text(Messages::ERROR_WRITING_PROJECT));
        ok = false;
    }

    m_desk.resetDoubleClickGuard();
    // A save that failed keeps the changes marked, so that closing still offers to save them.
    m_state.modified = !ok;
    m_state.freshStart = false;
    Q_EMIT refreshNeeded();
    return ok;
}

bool ProjectCommands::writeSheetFile(const SheetRecord& record) {
    if (ProjectStorage::writeSheet(m_state.sheetFolder(), record))
        return true;
    MessageBoxes::warning(Messages::text(Messages::ERROR_WRITING_KERFA));
    return false;
}

bool ProjectCommands::SaveSheetFile(const SheetRecord& record) {
    const bool ok = writeSheetFile(record);
    Q_EMIT refreshNeeded();
    return ok;
}

void ProjectCommands::CloseProject() {
    m_state.workspaceSize = ProjectState::Normal;
    Q_EMIT workspaceSizeSet();
    m_state.onDisk = false;
    m_state.projectFileName = QStringLiteral("unnamed");
    setLanguage({});
    m_desk.ClearDesk();
    m_state.nextSheetType = 1;
    m_desk.resetDoubleClickGuard();
    m_state.modified = false;
    Q_EMIT projectClosed();
    Q_EMIT refreshNeeded();
}

ProjectCommands::AskResult ProjectCommands::AskToSaveChanges() {
    if (m_editors.AnyEditorModified()) {
        switch (MessageBoxes::confirm(Messages::text(Messages::SAVE_EDITORS),
                                      MessageBoxes::Buttons::YesNoCancel)) {
        case MessageBoxes::Answer::Cancel:
            return AskResult::Cancel;
        case MessageBoxes::Answer::Yes:
            // Going on after a failed save would throw the text away.
            if (!m_editors.SaveModifiedEditors())
                return AskResult::Cancel;
            break;
        default:
            break;
        }
    }
    if (m_state.modified) {
        switch (MessageBoxes::confirm(Messages::text(Messages::SAVE_PROJECT),
                                      MessageBoxes::Buttons::YesNoCancel)) {
        case MessageBoxes::Answer::Cancel:
            return AskResult::Cancel;
        case MessageBoxes::Answer::Yes:
            if (m_state.isUnnamed()) {
                SaveProjectAs();
                return AskResult::Cancel;
            }
            // Going on after a failed save would throw the changes away.
            if (!SaveProject())
                return AskResult::Cancel;
            break;
        default:
            break;
        }
    }
    return AskResult::Proceed;
}

void ProjectCommands::NewProject() {
    if (AskToSaveChanges() == AskResult::Proceed)
        CloseProject();
}

void ProjectCommands::OpenProject() {
    if (AskToSaveChanges() == AskResult::Cancel)
        return;
    const QString path = FileDialogs::current().openFile(
        m_dialogParent, Captions::text(u"fmMain", u"dlgOpen"), projectFilter(), QString());
    if (!path.isEmpty())
        LoadProject(QFileInfo(path).absoluteFilePath());
}

void ProjectCommands::SaveProjectAs() {
    const QString path =
        FileDialogs::current().saveFile(m_dialogParent, Captions::text(u"fmMain", u"dlgSaveAs"),
                                        projectFilter(), ProjectNames::projectExtension().mid(1));
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    const QString name = ProjectNames::withProjectExtension(info.fileName());
    if (ProjectNames::isReservedForSaveAs(name)) {
        MessageBoxes::information(Messages::text(Messages::UNIQUE_NAME) + u' ' +
                                  Messages::text(Messages::THE_PROJECT));
        return;
    }
    // The dialog asked about the name as chosen, not about the one completed here.
    const QFileInfo target(info.absolutePath() + u'/' + name);
    if (name != info.fileName() && (target.exists() || target.isSymLink()) &&
        MessageBoxes::confirm(u'\'' + name + QStringLiteral("' ") +
                                  Messages::text(Messages::REPLACE_FILE),
                              MessageBoxes::Buttons::YesNo) != MessageBoxes::Answer::Yes)
        return;
    const ProjectState before = m_state;
    m_state.projectFolder = info.absolutePath() + u'/';
    m_state.projectFileName = name;
    SaveProject();
    if (!m_state.onDisk) {
        // The project file could not be written: the project stays as it was, unnamed, so that
        // Save As can try again elsewhere, and Save never writes to a place that failed.
        m_state = before;
        Q_EMIT refreshNeeded();
    }
}

void ProjectCommands::BackupProject() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QString target =
        ProgramFolder::sub(QStringLiteral("Backups")) +
        ProjectNames::backupFolderName(m_state.projectFileName, QDateTime::currentDateTime()) +
        u'/';
    const bool ok = ProjectStorage::backup(m_state, target);
    QGuiApplication::restoreOverrideCursor();
    MessageBoxes::information(Messages::text(ok ? Messages::BACKUP_OK : Messages::BACKUP_NOT_OK));
}

void ProjectCommands::setLanguage(const QString& tag) {
    if (tag == m_state.language)
        return;
    m_state.language = tag;
    Q_EMIT languageChanged(tag);
}

bool ProjectCommands::useTheme(const QString& themeFileName) {
    if (!m_theme.LoadTheme(themeFileName)) {
        recordBuiltInTheme();
        return false;
    }
    m_state.projectTheme = themeFileName;
    m_state.nextSheetType = 1;
    return true;
}

void ProjectCommands::useBuiltInTheme() {
    m_theme.UseBuiltInTheme();
    recordBuiltInTheme();
}

void ProjectCommands::recordBuiltInTheme() {
    m_state.projectTheme = ThemeData::defaultFileName();
    m_state.nextSheetType = 1;
    Q_EMIT builtInThemeInForce();
}
