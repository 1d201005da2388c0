#pragma once
// A whole file mapped read-only into memory (POSIX mmap). Empty files are never mapped: a
// mapping of length zero is invalid, and touching pages past a file's end raises SIGBUS, so
// the size is checked before mapping.

#include <cstddef>
#include <cstdint>
#include <string>

namespace kerfa::spelling {

class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Maps the file when it holds at least minimumSize bytes (and at least one byte).
    bool Map(const std::string& path, std::uint64_t minimumSize);
    void Unmap();

    bool IsMapped() const { return data_ != nullptr; }
    const std::uint8_t* Data() const { return data_; }
    std::size_t Size() const { return size_; }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace kerfa::spelling
