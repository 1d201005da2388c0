#pragma once
// A scratch file for one fuzzer process, in memory-backed /dev/shm when there is one.

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace kerfa::fuzz {

inline std::string scratchPath(const char* extension) {
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/kerfa-fuzz-" + std::to_string(getpid()) + extension;
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

} // namespace kerfa::fuzz
