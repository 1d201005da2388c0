#pragma once
// TURLIgnore: skips internet addresses. After a scheme name and a colon (http:, mailto:, ...),
// before an "@", or after "www." and a slash, the walk jumps to the next delimiter; a word
// beginning with "www." is accepted.

#include "spelling/TParserIgnoreBase.h"

namespace kerfa::spelling {

class TURLIgnore : public TParserIgnoreBase {
public:
    bool WordEndHook(const std::string& word, TControlParser& adapter) override;
    bool JudgeWord(const std::string& word, TControlParser& adapter) override;
};

} // namespace kerfa::spelling
