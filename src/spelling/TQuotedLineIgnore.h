#pragma once
// TQuotedLineIgnore: accepts every word on a quoted line, one whose first character is one of
// the quote characters (">" by default, as in quoted mail).

#include "spelling/TParserIgnoreBase.h"

namespace kerfa::spelling {

class TQuotedLineIgnore : public TParserIgnoreBase {
public:
    explicit TQuotedLineIgnore(std::string quoteChars) : quoteChars_(std::move(quoteChars)) {}
    bool JudgeWord(const std::string& word, TControlParser& adapter) override;

private:
    std::string quoteChars_;
};

} // namespace kerfa::spelling
