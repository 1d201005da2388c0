#include "project/ProjectStorage.h"

#include "common/AsciiCase.h"
#include "common/FileNames.h"
#include "common/FileReader.h"
#include "common/FileWriter.h"
#include "common/Folders.h"
#include "common/IniFile.h"
#include "common/LinkSafe.h"
#include "project/DayLog.h"
#include "project/ProjectNames.h"
#include "project/ProjectState.h"
#include "project/SnapshotStore.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <utility>
#include <vector>

namespace {

// The largest file a backup copies: a text the editor can open.
constexpr std::uint64_t kMaxCopiedBytes = 128 * 1024 * 1024;

} // namespace

QStringList ProjectStorage::sheetFileNames(const QString& sheetFolder) {
    QStringList files = FileNames::regularFiles(sheetFolder);
    const QString extension = ProjectNames::sheetExtension();
    // Regular files only (a link named like a sheet would lead its reads and saves elsewhere, and
    // a pipe would stall the load), and only names the program writes: "<sheet name>.kfa", the
    // extension in lower case.
    files.erase(std::remove_if(files.begin(), files.end(),
                               [&](const QString& f) {
                                   return !f.endsWith(extension) || f.size() == extension.size();
                               }),
                files.end());
    // Alphabetical ignoring the case of A to Z, as a project's sheets were listed where the format
    // comes from, and the same on every machine whatever its language: the desk order decides
    // which of two sheets linking to one keeps the link. Names that differ only in case (which
    // this file system allows) keep a fixed order too.
    // Each name folded once, not at every comparison: a large book has thousands.
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(static_cast<std::size_t>(files.size()));
    for (QString& file : files)
        keyed.emplace_back(AsciiCase::lower(file), std::move(file));
    std::sort(keyed.begin(), keyed.end());
    for (qsizetype i = 0; i < files.size(); ++i)
        files[i] = std::move(keyed[static_cast<std::size_t>(i)].second);
    return files;
}

bool ProjectStorage::isProjectFile(const QString& projectPath) {
    // The limits the INI reader reads a file to: a larger file would read as empty.
    constexpr FileReader::Limits kLimits{.maxBytes = 1024 * 1024, .maxLines = 20'000};
    FileReader::Status status = FileReader::Status::Failed;
    const QByteArray bytes = FileReader::read(projectPath, kLimits, &status);
    if (status != FileReader::Status::Ok || bytes.contains('\0'))
        return false;
    if (bytes.isEmpty())
        return true;
    IniFile file{QString()};
    file.parse(bytes);
    return file.sectionExists(u"Workspace") || file.sectionExists(u"Theme");
}

ProjectSettings ProjectStorage::readProject(const QString& projectPath) {
    return ProjectSettings::read(IniFile(projectPath));
}

QList<SheetRecord> ProjectStorage::readSheets(const QString& sheetFolder,
                                              const SheetReading::Progress& progress,
                                              QStringList* unreadable) {
    SheetReading reading(sheetFolder);
    QList<SheetRecord> records = reading.finish(progress);
    if (unreadable)
        *unreadable = reading.unreadable();
    return records;
}

bool ProjectStorage::writeProject(const QString& projectPath, const ProjectSettings& settings) {
    IniFile file(projectPath);
    settings.write(file);
    return file.save();
}

bool ProjectStorage::writeSheet(const QString& sheetFolder, const SheetRecord& record) {
    IniFile file(sheetFolder + record.name + ProjectNames::sheetExtension());
    record.write(file);
    return file.save();
}

void ProjectStorage::makeFolders(const ProjectState& project) {
    Folders::makePath(project.sheetFolder());
    Folders::makePath(project.textFolder());
}

bool ProjectStorage::backup(const ProjectState& project, const QString& target) {
    // Through the one save path: in the private program folder each copy is private, and a
    // backup cut short leaves no half-copied text.
    const auto copy = [](const QString& from, const QString& to) {
        FileReader::Limits limits;
        limits.maxBytes = kMaxCopiedBytes;
        limits.links = FileReader::Links::Refuse;
        FileReader::Status status = FileReader::Status::Failed;
        const QByteArray bytes = FileReader::read(from, limits, &status);
        return status == FileReader::Status::Ok && FileWriter::write(to, bytes);
    };
    FileWriter::Batch batch;
    const auto copyFolder = [&](const QString& from, const QString& sub, const QString& pattern) {
        const QString to = target + sub + u'/';
        if (!Folders::makePath(to))
            return false;
        // What a link in the book points at is no part of it.
        if (LinkSafe::crossesLink(from, 1))
            return true;
        const QDir dir(from);
        bool all = true;
        for (const QString& file :
             dir.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::NoSymLinks))
            all = copy(dir.filePath(file), to + file) && all;
        return all;
    };
    // A project never written has nothing to copy: no folder is made for it.
    if (!QFileInfo(project.projectPath()).isFile())
        return false;
    bool ok = Folders::makePath(target);
    ok = ok && copy(project.projectPath(), target + project.projectFileName);
    ok = copyFolder(project.sheetFolder(), QStringLiteral("Kerfa Files"),
                    u'*' + ProjectNames::sheetExtension()) &&
         ok;
    ok = copyFolder(project.textFolder(), QStringLiteral("Text Files"), QStringLiteral("*.txt")) &&
         ok;
    // Each sheet's snapshots, in a folder of their own under "Snapshots/".
    const QString snapshots = project.projectFolder + SnapshotStore::folderName() + u'/';
    const QString snapshotsTo = SnapshotStore::folderName() + u'/';
    const QStringList sheets =
        LinkSafe::crossesLink(snapshots, 1)
            ? QStringList()
            : QDir(snapshots).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString& sheet : sheets)
        ok = copyFolder(snapshots + sheet, snapshotsTo + sheet, QStringLiteral("*.txt")) && ok;
    // The day log, when the book keeps one: the words written per day go with the book.
    const QString dayLog = project.projectFolder + DayLog::fileName();
    if (QFileInfo::exists(dayLog) && !QFileInfo(dayLog).isSymLink())
        ok = copy(dayLog, target + DayLog::fileName()) && ok;
    return batch.finish() && ok;
}
