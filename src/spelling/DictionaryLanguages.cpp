#include "spelling/DictionaryLanguages.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kerfa::spelling {

namespace {

constexpr std::array<DictionaryLanguages::Entry, 3> kEntries{{
    {"en-GB", "british.adm"},
    {"en-US", "american.adm"},
    {"en-CA", "canadian.adm"},
}};

constexpr std::string_view kFallback = "british.adm";

struct LanguageAndRegion {
    std::string language, region;
};

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool allOf(std::string_view text, int (*test)(int)) {
    return std::all_of(text.begin(), text.end(), [test](unsigned char c) { return test(c) != 0; });
}

// The language subtag and the region subtag (two letters or three digits) of a tag; a script
// (four letters) may stand between them, and whatever follows the region is left aside. A locale
// name's encoding or modifier ("en_US.UTF-8", "ca_ES@valencia") ends it too.
LanguageAndRegion parse(std::string_view tag) {
    tag = tag.substr(0, std::min(tag.find('.'), tag.find('@')));
    LanguageAndRegion parts;
    std::size_t index = 0;
    for (std::size_t at = 0; at <= tag.size(); ++index) {
        const std::size_t end = std::min(tag.find_first_of("-_", at), tag.size());
        const std::string_view part = tag.substr(at, end - at);
        at = end + 1;
        if (index == 0) {
            if (part.size() < 2 || part.size() > 3 || !allOf(part, std::isalpha))
                return {};
            parts.language = lower(part);
        } else if (index == 1 && part.size() == 4 && allOf(part, std::isalpha)) {
            continue;
        } else {
            if ((part.size() == 2 && allOf(part, std::isalpha)) ||
                (part.size() == 3 && allOf(part, std::isdigit)))
                parts.region = lower(part);
            break;
        }
    }
    return parts;
}

} // namespace

std::span<const DictionaryLanguages::Entry> DictionaryLanguages::All() {
    return kEntries;
}

std::string DictionaryLanguages::ForTag(std::string_view tag) {
    const LanguageAndRegion wanted = parse(tag);
    if (wanted.language.empty())
        return {};
    const Entry* sameLanguage = nullptr;
    for (const Entry& entry : kEntries) {
        const LanguageAndRegion offered = parse(entry.tag);
        if (offered.language != wanted.language)
            continue;
        if (offered.region == wanted.region)
            return std::string(entry.file);
        if (!sameLanguage)
            sameLanguage = &entry;
    }
    return sameLanguage ? std::string(sameLanguage->file) : std::string();
}

std::string DictionaryLanguages::ForLocale(std::string_view localeName) {
    const std::string file = ForTag(localeName);
    return file.empty() ? std::string(kFallback) : file;
}

} // namespace kerfa::spelling
