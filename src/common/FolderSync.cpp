#include "common/FolderSync.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kerfa {

namespace {

thread_local FolderSync* t_current = nullptr;

} // namespace

FolderSync::FolderSync() : outer_(t_current) {
    t_current = this;
}

FolderSync::~FolderSync() {
    finish();
    t_current = outer_;
}

FolderSync* FolderSync::current() {
    return t_current;
}

bool FolderSync::finish() {
    bool all = true;
    for (const std::string& folder : folders_) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        // A file system that cannot sync folders at all says EINVAL, and has nothing more to
        // offer.
        all = fd >= 0 && (::fsync(fd) == 0 || errno == EINVAL) && all;
        if (fd >= 0)
            ::close(fd);
    }
    folders_.clear();
    return all;
}

} // namespace kerfa
