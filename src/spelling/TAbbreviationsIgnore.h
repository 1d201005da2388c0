#pragma once
// TAbbreviationsIgnore: accepts abbreviations made of single letters and periods, such as
// e.g. and U.S.A. (but not etc., which the dictionary should know).

#include "spelling/TParserIgnoreBase.h"

namespace kerfa::spelling {

class TAbbreviationsIgnore : public TParserIgnoreBase {
public:
    bool JudgeWord(const std::string& word, TControlParser& adapter) override;
};

} // namespace kerfa::spelling
