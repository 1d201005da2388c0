#include "spelling/TThesaurusEntry.h"

#include "spelling/CodePageCase.h"

#include <algorithm>

namespace kerfa::spelling {

std::size_t TThesaurusEntry::ShownList() const {
    if (kind >= 1 && kind <= static_cast<int>(lists.size()))
        return static_cast<std::size_t>(kind - 1);
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const auto& list = lists[i];
        if (std::any_of(list.begin(), list.end(),
                        [&](const std::string& w) { return SameLetters(w, headWord); }))
            return i;
    }
    return 0;
}

} // namespace kerfa::spelling
