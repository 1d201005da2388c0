#include "project/ProjectStorage.h"

#include "common/AsciiCase.h"
#include "common/FileNames.h"
#include "common/IniFile.h"
#include "project/DayLog.h"
#include "project/ProjectNames.h"
#include "project/ProjectState.h"
#include "project/SnapshotStore.h"
#include "themes/ThemeData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

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
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        const int order = AsciiCase::compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return files;
}

ProjectSettings ProjectStorage::readProject(const QString& projectPath) {
    return ProjectSettings::read(IniFile(projectPath));
}

std::optional<QList<SheetRecord>> ProjectStorage::readSheets(const QString& sheetFolder,
                                                             const Progress& progress) {
    const QDir dir(sheetFolder);
    const QStringList files = sheetFileNames(sheetFolder);
    const auto n = static_cast<std::size_t>(files.size());
    std::vector<SheetRecord> read(n);
    std::vector<Outcome> outcomes(n, Outcome::Skipped);
    std::atomic<bool> refused = false;
    std::atomic<qsizetype> helperDone = 0;
    const auto readRange = [&](std::size_t from, std::size_t to, const auto& step) {
        for (std::size_t i = from; i < to && !refused.load(std::memory_order_relaxed); ++i) {
            step(i);
            outcomes[i] = readSheet(dir, files[static_cast<qsizetype>(i)], read[i]);
            if (outcomes[i] == Outcome::Refused)
                refused = true;
        }
    };
    // The first report comes before the second thread starts, whatever that one finds.
    if (progress && n > 0)
        progress(0, files.size());
    // Opening and reading thousands of small files is most of a large book's load, and each
    // file is read on its own: a second thread reads the later half meanwhile. This thread
    // reports the progress of both.
    const std::size_t split = n >= static_cast<std::size_t>(kReadInTwoFrom) ? n / 2 : n;
    std::thread helper;
    if (split < n)
        helper = std::thread(
            [&] { readRange(split, n, [&](std::size_t) { helperDone.fetch_add(1); }); });
    readRange(0, split, [&](std::size_t i) {
        if (progress && i > 0)
            progress(static_cast<qsizetype>(i) + helperDone.load(), files.size());
    });
    if (helper.joinable())
        helper.join();
    if (refused)
        return std::nullopt;
    QList<SheetRecord> records;
    records.reserve(files.size());
    for (std::size_t i = 0; i < n; ++i)
        if (outcomes[i] == Outcome::Kept)
            records.append(std::move(read[i]));
    return records;
}

ProjectStorage::Outcome ProjectStorage::readSheet(const QDir& folder, const QString& file,
                                                  SheetRecord& record) {
    const QString name = file.chopped(ProjectNames::sheetExtension().size());
    if (name.size() > ProjectNames::kMaxSheetName)
        return Outcome::Skipped;
    record = SheetRecord::read(IniFile(folder.filePath(file)));
    if (record.state < 0 || record.state >= ThemeData::kStates)
        return Outcome::Refused;
    record.name = name;
    return Outcome::Kept;
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
    QDir().mkdir(project.sheetFolder());
    QDir().mkdir(project.textFolder());
}

bool ProjectStorage::backup(const ProjectState& project, const QString& target) {
    const auto copy = [](const QString& from, const QString& to) {
        QFile::remove(to);
        return QFile::copy(from, to);
    };
    const auto copyFolder = [&](const QString& from, const QString& sub, const QString& pattern) {
        const QString to = target + sub + u'/';
        if (!QDir().mkpath(to))
            return false;
        const QDir dir(from);
        bool all = true;
        for (const QString& file : dir.entryList({pattern}, QDir::Files | QDir::Hidden))
            all = copy(dir.filePath(file), to + file) && all;
        return all;
    };
    // A project never written has nothing to copy: no folder is made for it.
    if (!QFileInfo(project.projectPath()).isFile())
        return false;
    bool ok = QDir().mkpath(target);
    ok = ok && copy(project.projectPath(), target + project.projectFileName);
    ok = copyFolder(project.sheetFolder(), QStringLiteral("Kerfa Files"),
                    u'*' + ProjectNames::sheetExtension()) &&
         ok;
    ok = copyFolder(project.textFolder(), QStringLiteral("Text Files"), QStringLiteral("*.txt")) &&
         ok;
    // Each sheet's snapshots, in a folder of their own under "Snapshots/".
    const QString snapshots = project.projectFolder + SnapshotStore::folderName() + u'/';
    const QString snapshotsTo = SnapshotStore::folderName() + u'/';
    for (const QString& sheet : QDir(snapshots).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        ok = copyFolder(snapshots + sheet, snapshotsTo + sheet, QStringLiteral("*.txt")) && ok;
    // The day log, when the book keeps one: the words written per day go with the book.
    const QString dayLog = project.projectFolder + DayLog::fileName();
    if (QFileInfo::exists(dayLog))
        ok = copy(dayLog, target + DayLog::fileName()) && ok;
    return ok;
}
