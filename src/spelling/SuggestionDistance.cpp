#include "spelling/SuggestionDistance.h"

#include <algorithm>
#include <array>

namespace kerfa::spelling {

int SuggestionDistance(std::string_view a, std::string_view b) {
    constexpr std::size_t kLongest = 254;
    if (a.size() > kLongest || b.size() > kLongest)
        return static_cast<int>(std::max(a.size(), b.size()));
    // Three rows of the matrix: the one two back is needed for swaps.
    std::array<std::array<int, kLongest + 1>, 3> rows{};
    const std::size_t m = b.size();
    for (std::size_t j = 0; j <= m; ++j)
        rows[0][j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        auto& row = rows[i % 3];
        const auto& up = rows[(i - 1) % 3];
        const auto& up2 = rows[(i + 1) % 3];
        row[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= m; ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            int d = std::min({up[j] + 1, row[j - 1] + 1, up[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d = std::min(d, up2[j - 2] + 1);
            row[j] = d;
        }
    }
    return rows[a.size() % 3][m];
}

} // namespace kerfa::spelling
