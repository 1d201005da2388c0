#include "dictc/WordList.h"

#include "common/Cp1252.h"
#include "spelling/TMainDictionary.h"

#include <fstream>
#include <iterator>

namespace kerfa::dictc {

namespace {

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool hasControl(std::string_view word) {
    for (const char c : word)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    return false;
}

} // namespace

bool WordList::Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return false;
    Parse(content);
    return true;
}

void WordList::Parse(std::string_view content) {
    words_.clear();
    skipped_ = 0;
    const bool utf8 = cp1252::isValidUtf8(content);
    std::string converted;
    while (!content.empty()) {
        const auto eol = content.find('\n');
        const std::string_view line = trim(content.substr(0, eol));
        content = eol == std::string_view::npos ? std::string_view{} : content.substr(eol + 1);
        if (line.empty())
            continue;
        if (utf8) {
            if (!cp1252::fromUtf8(line, converted)) {
                ++skipped_;
                continue;
            }
        } else {
            converted.assign(line);
        }
        if (hasControl(converted) || converted.size() > spelling::TMainDictionary::kMaxWordLength) {
            ++skipped_;
            continue;
        }
        words_.push_back(converted);
    }
}

} // namespace kerfa::dictc
