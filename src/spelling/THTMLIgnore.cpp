#include "spelling/THTMLIgnore.h"

namespace kerfa::spelling {

bool THTMLIgnore::CharHook(unsigned char ch, TControlParser& adapter) {
    if (ch != '<')
        return false;
    if (!adapter.Advance())
        return true;
    const unsigned char first = adapter.CurrentChar();
    if (first == '!' && adapter.Advance() && adapter.CurrentChar() == '-' && adapter.Advance() &&
        adapter.CurrentChar() == '-') {
        int dashes = 0;
        while (adapter.Advance()) {
            const unsigned char c = adapter.CurrentChar();
            if (c == '>' && dashes >= 2)
                return true;
            dashes = c == '-' ? dashes + 1 : 0;
        }
        return true;
    }
    if (first == '%' || first == '?') {
        unsigned char previous = 0;
        while (adapter.Advance()) {
            const unsigned char c = adapter.CurrentChar();
            if (c == '>' && previous == first)
                return true;
            previous = c;
        }
        return true;
    }
    while (adapter.CurrentChar() != '>' && adapter.Advance()) {
    }
    return true;
}

bool THTMLIgnore::JudgeWord(const std::string& word, TControlParser&) {
    return !word.empty() && word.front() == '&';
}

} // namespace kerfa::spelling
