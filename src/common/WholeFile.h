#pragma once
// The one way Kerfa opens a file to read it, in standard C++ for the spelling library and the
// build tools (FileReader is the Qt face of it). The file is opened without blocking, so that a
// named pipe or a device that took a file's name cannot stall the program, and its type is
// checked on the open file before a byte is read: only regular files are read. Limits on size
// and on lines are checked before the bytes are kept, so that a file far larger than its kind
// ever is costs neither time nor memory.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

namespace kerfa {

class WholeFile {
public:
    enum class Status { Ok, Missing, NotRegular, TooLarge, TooManyLines, Failed };
    enum class Links { Follow, Refuse };
    struct Limits {
        std::uint64_t maxBytes = std::numeric_limits<std::uint64_t>::max();
        std::size_t maxLines = 0; // 0: any number; a line ends at CR LF, LF or a lone CR
        Links links = Links::Follow;
    };

    WholeFile() = default;
    ~WholeFile() { close(); }
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    // Opens a regular file for reading (a symbolic link only when links are followed).
    Status open(const std::string& path, Links links = Links::Follow);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // The size when the file was opened.
    std::uint64_t size() const { return size_; }
    // Reads exactly count bytes at offset; false on an error or a short file.
    bool readAt(void* out, std::size_t count, std::uint64_t offset) const;

    // The whole file into bytes (std::string, std::vector<std::uint8_t>, QByteArray: anything
    // with resize, data and clear); bytes is empty unless the answer is Ok.
    template <class Bytes> static Status read(const std::string& path, Bytes& bytes) {
        return read(path, bytes, Limits{});
    }
    template <class Bytes>
    static Status read(const std::string& path, Bytes& bytes, const Limits& limits) {
        bytes.clear();
        WholeFile file;
        Status status = file.open(path, limits.links);
        if (status != Status::Ok)
            return status;
        if (file.size() > limits.maxBytes)
            return Status::TooLarge;
        bytes.resize(static_cast<decltype(bytes.size())>(file.size()));
        const std::size_t got = file.readAll(reinterpret_cast<char*>(bytes.data()),
                                             static_cast<std::size_t>(file.size()));
        if (got == kFailed)
            status = Status::Failed;
        // No more lines than bytes: only a file larger than the limit needs counting.
        else if (limits.maxLines != 0 && got > limits.maxLines &&
                 countLines(reinterpret_cast<const char*>(bytes.data()), got) > limits.maxLines)
            status = Status::TooManyLines;
        if (status != Status::Ok)
            bytes.clear();
        else
            bytes.resize(static_cast<decltype(bytes.size())>(got));
        return status;
    }

    // Lines of text: each CR LF, LF or lone CR ends one, and text after the last break is one.
    static std::size_t countLines(const char* data, std::size_t size);

private:
    static constexpr std::size_t kFailed = static_cast<std::size_t>(-1);
    // Reads up to size bytes from the start (fewer when the file shrank); kFailed on an error.
    std::size_t readAll(char* out, std::size_t size) const;

    int fd_ = -1;
    std::uint64_t size_ = 0;
};

} // namespace kerfa
