#include "common/LinkSafe.h"

#include <QFile>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

QByteArray withoutTrailingSlash(const QString& path) {
    QByteArray native = QFile::encodeName(path);
    while (native.size() > 1 && native.endsWith('/'))
        native.chop(1);
    return native;
}

// Empties the folder open as fd, never leaving it through a link: each sub-folder is opened with
// O_NOFOLLOW below the one that holds it. Closes fd.
bool emptyFolder(int fd) {
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
        if (::fstatat(fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            all = all && errno == ENOENT;
            continue;
        }
        if (S_ISDIR(info.st_mode)) {
            const int sub =
                ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            all = sub >= 0 && emptyFolder(sub) && all;
            all = (::unlinkat(fd, name.c_str(), AT_REMOVEDIR) == 0 || errno == ENOENT) && all;
        } else {
            all = (::unlinkat(fd, name.c_str(), 0) == 0 || errno == ENOENT) && all;
        }
    }
    ::closedir(dir);
    return all;
}

} // namespace

bool LinkSafe::crossesLink(const QString& path, int levels) {
    QByteArray native = withoutTrailingSlash(path);
    for (int level = 0; level < levels && !native.isEmpty() && native != "/"; ++level) {
        struct stat info {};
        if (::lstat(native.constData(), &info) == 0 && S_ISLNK(info.st_mode))
            return true;
        const qsizetype slash = native.lastIndexOf('/');
        if (slash < 0)
            break;
        native.truncate(slash == 0 ? 1 : slash);
    }
    return false;
}

bool LinkSafe::removeTree(const QString& path) {
    const QByteArray native = withoutTrailingSlash(path);
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(info.st_mode))
        return ::unlink(native.constData()) == 0 || errno == ENOENT;
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool emptied = emptyFolder(fd);
    return (::rmdir(native.constData()) == 0 || errno == ENOENT) && emptied;
}
