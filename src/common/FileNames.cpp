#include "common/FileNames.h"

#include "common/AsciiCase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

QString FileNames::findFile(const QString& folder, const QString& name) {
    if (name.isEmpty())
        return {};
    const QDir dir(folder);
    const QFileInfo exact(dir.filePath(name));
    if (exact.isFile())
        return exact.filePath();
    if (name.contains(u'/'))
        return {};
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries)
        if (AsciiCase::equal(entry, name))
            return dir.filePath(entry);
    return {};
}

QString FileNames::extension(const QString& fileName) {
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : AsciiCase::lower(QStringView(name).mid(dot));
}

QStringList FileNames::regularFiles(const QString& folder) {
    QStringList names;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        bool regular = entry->d_type == DT_REG;
        // Some file systems do not say in the listing; ask without following a link.
        if (entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            regular = ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                      S_ISREG(info.st_mode);
        }
        if (regular)
            names << QFile::decodeName(entry->d_name);
    }
    ::closedir(dir);
    return names;
}
