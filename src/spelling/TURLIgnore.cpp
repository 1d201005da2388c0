#include "spelling/TURLIgnore.h"

#include "common/Cp1252.h"

#include <array>
#include <string_view>

namespace kerfa::spelling {

namespace {

constexpr std::array<std::string_view, 9> kSchemes = {"http", "ftp",   "news",   "mailto", "nntp",
                                                      "file", "https", "telnet", "wais"};

std::string lower(std::string_view word) {
    std::string out(word);
    for (char& c : out)
        c = static_cast<char>(cp1252::toLower(static_cast<std::uint8_t>(c)));
    return out;
}

bool startsWithWww(const std::string& word) {
    return lower(word.substr(0, 4)) == "www.";
}

bool isDelimiter(unsigned char c) {
    switch (c) {
    case '\r':
    case '\n':
    case '\t':
    case ' ':
    case '"':
    case '(':
    case ')':
    case '[':
    case ']':
    case '{':
    case '}':
    case ',':
    case '<':
    case '>':
    case '\'':
        return true;
    default:
        return false;
    }
}

} // namespace

bool TURLIgnore::WordEndHook(const std::string& word, TControlParser& adapter) {
    const unsigned char next = adapter.CurrentChar();
    bool address = next == '@';
    if (next == ':' && word.size() <= 6) {
        const std::string scheme = lower(word);
        for (const auto s : kSchemes)
            address = address || scheme == s;
    }
    if ((next == '/' || next == '\\') && startsWithWww(word))
        address = true;
    if (!address)
        return false;
    while (adapter.Advance() && !isDelimiter(adapter.CurrentChar())) {
    }
    return true;
}

bool TURLIgnore::JudgeWord(const std::string& word, TControlParser&) {
    return startsWithWww(word);
}

} // namespace kerfa::spelling
