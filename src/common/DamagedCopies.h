#pragma once
// Copies of damaged files, kept beside them before anything is written in their place, so that
// what a damaged file still holds can be recovered by hand. The first copy of "NAME" is
// "NAME.damaged", later ones "NAME.damaged.2", "NAME.damaged.3" and so on: a second damage never
// replaces the copy of the first. Only the newest few are kept. In standard C++ for the spelling
// library; the copies are written through the one save path (AtomicFile).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kerfa {

class DamagedCopies {
public:
    // How many copies of one file are kept; older ones go when a newer one is made.
    static constexpr std::size_t kKept = 5;

    // Keeps bytes as the next copy of the file at path, with the file's permissions when it is
    // there. A copy of the same bytes made last time is kept instead of making another. The
    // copy's path; empty when it could not be written.
    static std::string keep(const std::string& path, std::string_view bytes);

    // The copies of the file at path, oldest first.
    static std::vector<std::string> list(const std::string& path);
};

} // namespace kerfa
