#pragma once
// DictionaryLanguages: the main dictionary the program ships for each language, by language tag
// (BCP 47: "en-US"). A book names its language by such a tag, and the first start picks the
// dictionary of the system's locale ("en_US") from the same table.

#include <span>
#include <string>
#include <string_view>

namespace kerfa::spelling {

class DictionaryLanguages {
public:
    struct Entry {
        std::string_view tag;  // language and region, "en-GB"
        std::string_view file; // in the dictionary folders, "british.adm"
    };

    // Every language, the first entry of each language standing for its other regions.
    static std::span<const Entry> All();
    // The dictionary of a tag or locale name ("en-US", "en_us", "en-Latn-US", "en-US-u-nu-latn"):
    // the entry of the same language and region, else the first of the same language; empty for
    // a language the table does not hold.
    static std::string ForTag(std::string_view tag);
    // The first start's dictionary for the system's locale name ("en_US", "de_DE", "C"): the
    // locale's, else the British one.
    static std::string ForLocale(std::string_view localeName);
};

} // namespace kerfa::spelling
