#pragma once
// TThesaurusEntry: one meaning of a looked-up word, as the thesaurus dialog lists it under
// "Contexts:" (head word and kind name) with the words of one of its four lists.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace kerfa::spelling {

struct TThesaurusEntry {
    std::string headWord;
    int kind = 0;
    std::string kindName;
    std::array<std::vector<std::string>, 4> lists;

    // The list shown for this meaning: list k for kinds 1 to 4; for kind 0 the first list that
    // holds the head word (letter case aside), else the first list.
    std::size_t ShownList() const;
};

} // namespace kerfa::spelling
