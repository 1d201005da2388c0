#pragma once
// TUppercaseWordIgnore: accepts a word written entirely in capitals (acronyms, shouted words).

#include "spelling/TParserIgnoreBase.h"

namespace kerfa::spelling {

class TUppercaseWordIgnore : public TParserIgnoreBase {
public:
    bool JudgeWord(const std::string& word, TControlParser& adapter) override;
};

} // namespace kerfa::spelling
