#include "project/ProjectStorage.h"

#include "common/FileNames.h"
#include "common/IniFile.h"
#include "project/ProjectNames.h"
#include "project/ProjectState.h"
#include "themes/ThemeData.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    // Alphabetical, as a project's sheets were listed where the format comes from.
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(files.begin(), files.end(), collator);
    return files;
}

ProjectSettings ProjectStorage::readProject(const QString& projectPath) {
    return ProjectSettings::read(IniFile(projectPath));
}

std::optional<QList<SheetRecord>> ProjectStorage::readSheets(const QString& sheetFolder) {
    const QDir dir(sheetFolder);
    const QStringList files = sheetFileNames(sheetFolder);
    QList<SheetRecord> records;
    records.reserve(files.size());
    for (const QString& file : files) {
        const QString name = file.chopped(ProjectNames::sheetExtension().size());
        if (name.size() > ProjectNames::kMaxSheetName)
            continue;
        SheetRecord record = SheetRecord::read(IniFile(dir.filePath(file)));
        if (record.state < 0 || record.state >= ThemeData::kStates)
            return std::nullopt;
        record.name = name;
        records.append(std::move(record));
    }
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
    return ok;
}
