#pragma once
// TParserIgnoreBase: an ignore rule that plugs into the parsing walk. A rule may skip markup
// while the walk looks for the next word (character hook), swallow what follows a word (word-end
// hook, e.g. the rest of an internet address), and accept an unknown word (judges). Every
// operation answers no here; rules override what they use.

#include "spelling/TControlParser.h"

#include <string>

namespace kerfa::spelling {

class TParserIgnoreBase {
public:
    virtual ~TParserIgnoreBase() = default;

    virtual bool UsesCharHook() const { return false; }
    virtual bool UsesLineHook() const { return false; }
    // True when the rule consumed a construct starting at `ch`; the adapter then stands on
    // its last character.
    virtual bool CharHook(unsigned char /*ch*/, TControlParser& /*adapter*/) { return false; }
    // True when the rule swallowed what follows the word; the word is then discarded.
    virtual bool WordEndHook(const std::string& /*word*/, TControlParser& /*adapter*/) {
        return false;
    }
    // True when the rule accepts a word the dictionaries do not know.
    virtual bool JudgeWord(const std::string& /*word*/, TControlParser& /*adapter*/) {
        return false;
    }
    virtual bool JudgeLine(const std::string& /*line*/) { return false; }
};

} // namespace kerfa::spelling
