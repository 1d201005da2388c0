#pragma once
// PersonalWordList: the words a writer taught the other spelling checkers of the desktop, kept
// in their personal word lists, so that a word accepted there is accepted here too. The lists
// are plain text, one word a line; some carry a little more, which is left out: a first line
// naming the list's format ("personal_ws-1.1 en 12"), affix flags after a slash ("colour/S"),
// and words marked as forbidden with a leading "*".

#include <string>
#include <string_view>
#include <vector>

namespace kerfa::spelling {

class TCustomDictionary;

class PersonalWordList {
public:
    // The personal word lists present for a user with this home and configuration folder:
    // "~/.hunspell_*", "~/.aspell.*.pws", "~/.ispell_*" and the "*.dic" lists in the
    // configuration folder's "enchant", sorted by path.
    static std::vector<std::string> FindFiles(const std::string& home,
                                              const std::string& configHome);
    // The words of a list's text, in Windows-1252 (see SplitWordList).
    static std::vector<std::string> Words(std::string_view content);
    // Adds the words of the list at `path` to a dictionary; false when it cannot be read.
    static bool Load(const std::string& path, TCustomDictionary& into);
};

} // namespace kerfa::spelling
