#pragma once
// TNumbersIgnore: accepts a word holding any digit (model numbers, 2nd, 1990s).

#include "spelling/TParserIgnoreBase.h"

namespace kerfa::spelling {

class TNumbersIgnore : public TParserIgnoreBase {
public:
    bool JudgeWord(const std::string& word, TControlParser& adapter) override;
};

} // namespace kerfa::spelling
