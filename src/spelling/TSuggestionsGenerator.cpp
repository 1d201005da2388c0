#include "spelling/TSuggestionsGenerator.h"

#include "common/Cp1252.h"

#include <algorithm>

namespace kerfa::spelling {

namespace {

constexpr std::size_t kLongestWord = 250;

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (const int v : values)
        s += static_cast<char>(v);
    return s;
}

std::string range(int from, int to) {
    std::string s;
    for (int c = from; c <= to; ++c)
        s += static_cast<char>(c);
    return s;
}

bool isLowerWord(std::string_view word) {
    return std::all_of(word.begin(), word.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return cp1252::toLower(b) == b;
    });
}

std::string lowered(std::string_view word) {
    std::string s(word);
    for (char& c : s)
        c = static_cast<char>(cp1252::toLower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

TSuggestionsGenerator::TSuggestionsGenerator() {
    SetLanguage(0);
}

void TSuggestionsGenerator::SetLanguage(std::int32_t language) {
    language_ = language;
    innerLetters_ = "'" + range('a', 'z') + bytes({215, 222, 223}) + range(224, 255) +
                    bytes({184, 168, 185, 179, 191});
    firstLetters_ = "'" + range('a', 'z') + range('A', 'Z') + range(192, 255) +
                    bytes({184, 168, 185, 179, 191});
    std::string extra;
    switch (language) {
    case 1029: // Czech
        extra = bytes({225, 232, 239, 233, 236, 237, 242, 243, 248, 154, 157, 250, 249, 253, 158,
                       193, 200, 207, 201, 204, 205, 210, 211, 216, 138, 141, 218, 217, 221, 142});
        break;
    case 1049: // Russian
        extra = bytes({178, 162, 177, 161, 188, 172, 182, 166});
        break;
    case 1045: // Polish
        extra = bytes({185, 230, 234, 179, 179, 241, 243, 156, 191, 159, 165, 198, 202, 163, 209,
                       211, 140, 175, 143});
        break;
    default:
        if ((language & 0x3FF) == 12) // French
            extra = bytes({156});
        break;
    }
    // A letter already tried is not tried twice.
    for (const char c : extra) {
        if (innerLetters_.find(c) == std::string::npos)
            innerLetters_ += c;
        if (firstLetters_.find(c) == std::string::npos)
            firstLetters_ += c;
    }
    kinds_ = language == 1053 ? 31u & ~unsigned(skSplit) : 31u; // Swedish joins words
}

void TSuggestionsGenerator::Generate(std::string_view word, int max, const Exists& exists,
                                     std::vector<std::string>& list) {
    const std::size_t limit = max < 0 ? 65535 : static_cast<std::size_t>(max);
    const std::size_t n = word.size();
    if (n == 0 || n > kLongestWord || limit == 0)
        return;
    const bool lowerWord = isLowerWord(word);
    const std::string& inner = lowerWord ? innerLetters_ : firstLetters_;
    const std::size_t startSize = list.size();

    // True when the list is full.
    const auto offer = [&](const std::string& candidate) {
        if (candidate.size() < 2 || candidate == word ||
            std::find(list.begin() + static_cast<std::ptrdiff_t>(startSize), list.end(),
                      candidate) != list.end() ||
            !exists(candidate))
            return list.size() - startSize > limit;
        if (lowerWord && !isLowerWord(candidate) && exists(lowered(candidate)))
            return list.size() - startSize > limit;
        list.push_back(candidate);
        return list.size() - startSize > limit;
    };

    std::string c(word);
    if (kinds_ & skSwappedLetters) {
        for (std::size_t i = n - 1; i-- > 0;) {
            if (c[i] == c[i + 1])
                continue;
            std::swap(c[i], c[i + 1]);
            const bool full = offer(c);
            std::swap(c[i], c[i + 1]);
            if (full)
                return;
        }
    }
    if (kinds_ & skMissingLetter) {
        for (std::size_t at = n + 1; at-- > 0;) {
            const std::string& letters = at == 0 ? firstLetters_ : inner;
            std::string candidate(word.substr(0, at));
            candidate += ' ';
            candidate += word.substr(at);
            for (const char letter : letters) {
                candidate[at] = letter;
                if (offer(candidate))
                    return;
            }
        }
    }
    if (kinds_ & skExtraLetter) {
        for (std::size_t i = n; i-- > 0;) {
            std::string candidate(word);
            candidate.erase(i, 1);
            if (offer(candidate))
                return;
        }
    }
    if (kinds_ & skWrongLetter) {
        for (std::size_t at = n; at-- > 0;) {
            const std::string& letters = at == 0 ? firstLetters_ : inner;
            const char own = c[at];
            for (const char letter : letters) {
                if (letter == own)
                    continue;
                c[at] = letter;
                const bool full = offer(c);
                c[at] = own;
                if (full)
                    return;
            }
        }
    }
    if (kinds_ & skSwappedLetters) {
        for (std::size_t i = n >= 2 ? n - 2 : 0; i-- > 0;) {
            if (c[i] == c[i + 2])
                continue;
            std::swap(c[i], c[i + 2]);
            const bool full = offer(c);
            std::swap(c[i], c[i + 2]);
            if (full)
                return;
        }
    }
    if (kinds_ & skSplit) {
        for (std::size_t at = 2; at + 2 <= n; ++at) {
            const std::string first(word.substr(0, at)), second(word.substr(at));
            if (exists(first) && exists(second)) {
                const std::string candidate = first + " " + second;
                if (std::find(list.begin(), list.end(), candidate) == list.end()) {
                    list.push_back(candidate);
                    if (list.size() - startSize > limit)
                        return;
                }
            }
        }
        // "end.Next": a sentence run into the next one.
        const std::size_t dot = word.find('.');
        if (dot != std::string::npos && dot > 0 && dot + 1 < n &&
            word.find('.', dot + 1) == std::string::npos) {
            const auto next = static_cast<unsigned char>(word[dot + 1]);
            const std::string first(word.substr(0, dot)), second(word.substr(dot + 1));
            if (cp1252::toUpper(next) == next && exists(first) && exists(second)) {
                std::string candidate(word.substr(0, dot + 1));
                candidate += "  ";
                candidate += second;
                if (std::find(list.begin(), list.end(), candidate) == list.end())
                    list.push_back(candidate);
            }
        }
    }
}

} // namespace kerfa::spelling
