#include "spelling/TQuotedLineIgnore.h"

namespace kerfa::spelling {

bool TQuotedLineIgnore::JudgeWord(const std::string&, TControlParser& adapter) {
    const std::string line = adapter.CurrentLine();
    return !line.empty() && quoteChars_.find(line.front()) != std::string::npos;
}

} // namespace kerfa::spelling
