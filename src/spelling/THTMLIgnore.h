#pragma once
// THTMLIgnore: skips HTML markup. Tags, comments (<!-- ... -->) and processing or server blocks
// (<? ... ?>, <% ... %>) are jumped over while looking for a word; an entity (&amp) is accepted.

#include "spelling/TParserIgnoreBase.h"

namespace kerfa::spelling {

class THTMLIgnore : public TParserIgnoreBase {
public:
    bool UsesCharHook() const override { return true; }
    bool CharHook(unsigned char ch, TControlParser& adapter) override;
    bool JudgeWord(const std::string& word, TControlParser& adapter) override;
};

} // namespace kerfa::spelling
