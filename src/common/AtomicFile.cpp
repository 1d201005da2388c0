#include "common/AtomicFile.h"

#include "common/FolderSync.h"

#include <cerrno>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <unistd.h>

namespace kerfa {

namespace {

constexpr std::string_view kMarker = ".kerfa-save-";
constexpr std::size_t kRandomLength = 6;
constexpr std::string_view kAlphabet = "0123456789abcdefghijklmnopqrstuvwxyz";
// Room for the dot, the marker and the random part within a file name's 255 bytes.
constexpr std::size_t kMaxBaseLength = 255 - 1 - kMarker.size() - kRandomLength;

std::string randomPart() {
    static std::mt19937_64 random(std::random_device{}() ^
                                  (static_cast<std::uint64_t>(::getpid()) << 32));
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string part(kRandomLength, '0');
    for (char& c : part)
        c = kAlphabet[pick(random)];
    return part;
}

} // namespace

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() {
    discard();
    if (folder_ >= 0)
        ::close(folder_);
}

bool AtomicFile::fail(int error) {
    if (error_ == 0)
        error_ = error != 0 ? error : EIO;
    discard();
    return false;
}

bool AtomicFile::open() {
    if (fd_ >= 0 || error_ != 0 || folder_ >= 0)
        return fail(EINVAL);
    const std::size_t slash = path_.find_last_of('/');
    folderPath_ = slash == std::string::npos ? "." : slash == 0 ? "/" : path_.substr(0, slash);
    name_ = slash == std::string::npos ? path_ : path_.substr(slash + 1);
    if (name_.empty() || name_ == "." || name_ == "..")
        return fail(EISDIR);
    folder_ = ::open(folderPath_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0)
        return fail(errno);

    struct stat old {};
    mode_t mode = 0666;
    bool keepMode = false;
    if (::fstatat(folder_, name_.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(old.st_mode))
            return fail(ELOOP);
        if (S_ISDIR(old.st_mode))
            return fail(EISDIR);
        if (!S_ISREG(old.st_mode))
            return fail(EINVAL);
        mode = old.st_mode & 07777;
        keepMode = true;
    } else if (errno != ENOENT) {
        return fail(errno);
    }
    // A new file in a folder closed to everyone else (the program folder, a private book) is
    // closed too.
    struct stat folder {};
    if (!keepMode && ::fstat(folder_, &folder) == 0 && (folder.st_mode & 0077) == 0)
        mode = 0600;
    if (mode_ != 0) {
        // Created with no more than the mode asked, so that nobody else may open it meanwhile.
        mode = mode_ & 07777;
        keepMode = true;
    }

    const std::string base = name_.substr(0, kMaxBaseLength);
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        std::string temp = '.' + base;
        temp.append(kMarker).append(randomPart());
        fd_ = ::openat(folder_, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                       mode);
        if (fd_ >= 0)
            temp_ = std::move(temp);
        else if (errno != EEXIST)
            return fail(errno);
    }
    if (fd_ < 0)
        return fail(EEXIST);
    // Marks the file as being written, so that removeLeftovers leaves it alone; the lock goes
    // with the process, so a killed writer's file can be told apart.
    ::flock(fd_, LOCK_EX | LOCK_NB);
    // The mask applies to a new file's mode, but a replaced file keeps the mode it had, and a
    // mode set is the file's whatever the mask.
    if (keepMode && ::fchmod(fd_, mode) != 0)
        return fail(errno);
    return true;
}

bool AtomicFile::write(std::string_view bytes) {
    if (fd_ < 0)
        return fail(error_ != 0 ? error_ : EBADF);
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(n < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(n));
        size_ += static_cast<std::size_t>(n);
    }
    return true;
}

bool AtomicFile::commit() {
    if (fd_ < 0)
        return fail(error_ != 0 ? error_ : EBADF);
    if (::fsync(fd_) != 0)
        return fail(errno);
    if (::fstat(fd_, &written_) != 0)
        return fail(errno);
    if (static_cast<std::size_t>(written_.st_size) != size_)
        return fail(EIO);
    // Renamed while still open and locked, so that nobody takes it for a leftover meanwhile.
    if (::renameat(folder_, temp_.c_str(), folder_, name_.c_str()) != 0)
        return fail(errno);
    temp_.clear();
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0)
        return fail(errno);
    // The rename lives in the folder: without this sync a power cut can undo it. A file system
    // that cannot sync folders at all says EINVAL, and has nothing more to offer.
    if (FolderSync* batch = FolderSync::current())
        batch->add(folderPath_);
    else if (::fsync(folder_) != 0 && errno != EINVAL)
        return fail(errno);
    return true;
}

void AtomicFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlinkat(folder_, temp_.c_str(), 0);
        temp_.clear();
    }
}

bool AtomicFile::save(const std::string& path, std::string_view bytes, mode_t mode) {
    AtomicFile file(path);
    file.setMode(mode);
    return file.open() && file.write(bytes) && file.commit();
}

bool AtomicFile::isTemporaryName(std::string_view name) {
    if (name.size() < 2 + kMarker.size() + kRandomLength || name.front() != '.')
        return false;
    const std::string_view random = name.substr(name.size() - kRandomLength);
    return name.substr(name.size() - kRandomLength - kMarker.size(), kMarker.size()) == kMarker &&
           random.find_first_not_of(kAlphabet) == std::string_view::npos;
}

std::size_t AtomicFile::removeLeftovers(const std::string& folder) {
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return 0;
    DIR* dir = ::fdopendir(dirFd);
    if (!dir) {
        ::close(dirFd);
        return 0;
    }
    std::size_t removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isTemporaryName(entry->d_name))
            continue;
        // Not following links, and never blocking on a pipe that took such a name.
        const int fd = ::openat(dirFd, entry->d_name,
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlinkat(dirFd, entry->d_name, 0) == 0)
            ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}

} // namespace kerfa
