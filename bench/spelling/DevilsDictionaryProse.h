#pragma once
// DevilsDictionaryProse: American prose that Debian ships, Ambrose Bierce's "The Devil's
// Dictionary" (1911) from the dict-devil package, in Windows-1252: its preface and its entries,
// without the dictionary server's own header lines.

#include <string>

namespace kerfa::bench {

class DevilsDictionaryProse {
public:
    static constexpr const char* kFile = "/usr/share/dictd/devil.dict.dz";
    // Empty when the package is missing.
    static std::string Load();
};

} // namespace kerfa::bench
