#pragma once
// A scratch file for one fuzzer process, in memory-backed /dev/shm when there is one.

#include "common/DamagedCopies.h"

#include <cstdint>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace kerfa::fuzz {

inline std::string scratchPath(const char* extension) {
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/kerfa-fuzz-" + std::to_string(getpid()) + extension;
}

// The scratch file of a fuzzer, removed with the copies a reader sets aside as damaged when the
// fuzzer ends: a campaign starts thousands of processes, and /dev/shm is memory.
struct ScratchFile {
    explicit ScratchFile(const char* extension) : path(scratchPath(extension)) {}
    ~ScratchFile() {
        unlink(path.c_str());
        for (const std::string& copy : DamagedCopies::list(path))
            unlink(copy.c_str());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string path;
};

// Plain system calls: a stdio stream would add a buffer and a stat to every run.
inline void writeFile(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

} // namespace kerfa::fuzz
