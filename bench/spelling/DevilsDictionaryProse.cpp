#include "DevilsDictionaryProse.h"

#include "common/Cp1252.h"

#include <zlib.h>

namespace kerfa::bench {

std::string DevilsDictionaryProse::Load() {
    gzFile in = gzopen(kFile, "rb");
    if (!in)
        return {};
    std::string bytes;
    char buffer[65536];
    for (int n; (n = gzread(in, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(n));
    gzclose(in);
    // The server's header ends at the first empty line; its last line lists the alphabet.
    const std::size_t start = bytes.find("\n\n");
    const std::size_t end = bytes.rfind("\n abcdefghijklmnopqrstuvwxyz");
    if (start == std::string::npos)
        return {};
    bytes = bytes.substr(start + 2, end == std::string::npos ? std::string::npos : end - start - 2);
    std::string text;
    if (!cp1252::isValidUtf8(bytes) || !cp1252::fromUtf8(bytes, text))
        text = bytes;
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 32);
    for (const char c : text) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return crlf;
}

} // namespace kerfa::bench
