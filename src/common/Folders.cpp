#include "common/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Everything below the folder open as fd, without following a link. Closes fd.
bool tighten(int fd) {
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return false;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    bool all = true;
    for (const std::string& name : names) {
        struct stat info {};
        if (::fstatat(fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || S_ISLNK(info.st_mode) ||
            info.st_uid != ::getuid())
            continue;
        if (S_ISDIR(info.st_mode)) {
            const int sub =
                ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            all = sub >= 0 && ::fchmod(sub, 0700) == 0 && tighten(sub) && all;
        } else if (S_ISREG(info.st_mode) && (info.st_mode & 0077) != 0) {
            all = ::fchmodat(fd, name.c_str(), info.st_mode & 0700, 0) == 0 && all;
        }
    }
    ::closedir(dir);
    return all;
}

} // namespace

bool Folders::makePath(const QString& path) {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (QFileInfo(clean).isDir())
        return true;
    // From the deepest folder that is there down to the one asked for.
    QStringList missing;
    QString at = clean;
    while (!QFileInfo::exists(at) && !QFileInfo(at).isSymLink()) {
        missing.prepend(at);
        const QString up = QFileInfo(at).path();
        if (up == at)
            return false;
        at = up;
    }
    for (const QString& folder : std::as_const(missing)) {
        struct stat parent {};
        const mode_t mode =
            ::stat(QFile::encodeName(QFileInfo(folder).path()).constData(), &parent) == 0
                ? (parent.st_mode & 0777)
                : 0777;
        if (::mkdir(QFile::encodeName(folder).constData(), mode) != 0 && errno != EEXIST)
            return false;
    }
    return QFileInfo(clean).isDir();
}

bool Folders::makePrivate(const QString& folder) {
    const QByteArray native = QFile::encodeName(QDir::cleanPath(folder));
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_uid != ::getuid()) {
        ::close(fd);
        return false;
    }
    if ((info.st_mode & 0077) == 0) {
        ::close(fd);
        return true;
    }
    // The top first: once it is closed, nobody gets in while the rest is tightened.
    if (::fchmod(fd, 0700) != 0) {
        ::close(fd);
        return false;
    }
    return tighten(fd);
}
