#include "spelling/MappedFile.h"

#include "common/WholeFile.h"

#include <sys/mman.h>

namespace kerfa::spelling {

MappedFile::~MappedFile() {
    Unmap();
}

bool MappedFile::Map(const std::string& path, std::uint64_t minimumSize) {
    Unmap();
    // Opened without blocking, and mapped only when it is a regular file: a pipe or a device
    // named like a dictionary is never waited on or mapped.
    WholeFile file;
    if (file.open(path) != WholeFile::Status::Ok || file.size() == 0 || file.size() < minimumSize)
        return false;
    void* p =
        ::mmap(nullptr, static_cast<std::size_t>(file.size()), PROT_READ, MAP_SHARED, file.fd(), 0);
    if (p == MAP_FAILED)
        return false;
    data_ = static_cast<const std::uint8_t*>(p);
    size_ = static_cast<std::size_t>(file.size());
    return true;
}

void MappedFile::Unmap() {
    if (data_)
        ::munmap(const_cast<std::uint8_t*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
}

} // namespace kerfa::spelling
