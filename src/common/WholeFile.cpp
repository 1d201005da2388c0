#include "common/WholeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kerfa {

WholeFile::Status WholeFile::open(const std::string& path, Links links) {
    close();
    if (path.empty())
        return Status::Missing;
    int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    if (links == Links::Refuse)
        flags |= O_NOFOLLOW;
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        switch (errno) {
        case ENOENT:
        case ENOTDIR:
            return Status::Missing;
        case ELOOP:
            return links == Links::Refuse ? Status::NotRegular : Status::Failed;
        default:
            return Status::Failed;
        }
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return Status::Failed;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return Status::NotRegular;
    }
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
    return Status::Ok;
}

void WholeFile::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    size_ = 0;
}

bool WholeFile::readAt(void* out, std::size_t count, std::uint64_t offset) const {
    auto* p = static_cast<char*>(out);
    while (count > 0) {
        const ssize_t n = ::pread(fd_, p, count, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        count -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
    return true;
}

std::size_t WholeFile::readAll(char* out, std::size_t size) const {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd_, out + done, size - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return kFailed;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

std::size_t WholeFile::countLines(const char* data, std::size_t size) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            ++lines;
        } else if (data[i] == '\r') {
            ++lines;
            if (i + 1 < size && data[i + 1] == '\n')
                ++i;
        }
    }
    if (size > 0 && data[size - 1] != '\n' && data[size - 1] != '\r')
        ++lines;
    return lines;
}

} // namespace kerfa
