#pragma once
// FortuneProse: real English prose that Debian ships, the quotations of the fortunes package
// (literature, wisdom, humorists, people and the like; the files of program listings, ASCII
// art and jargon are left out), in Windows-1252, one quotation after another.

#include <string>

namespace kerfa::bench {

class FortuneProse {
public:
    static constexpr const char* kFolder = "/usr/share/games/fortunes";
    // Empty when the package is missing.
    static std::string Load();
};

} // namespace kerfa::bench
