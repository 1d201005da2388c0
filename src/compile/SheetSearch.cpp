#include "compile/SheetSearch.h"

#include "common/TextCodec.h"
#include "compile/Utf8Text.h"
#include "editor/TextFinder.h"

#include <array>

namespace {

constexpr unsigned char fold(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// Each byte's folded form, looked up rather than computed in the search's inner loop.
constexpr std::array<unsigned char, 256> kFolded = [] {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = fold(static_cast<unsigned char>(c));
    return table;
}();

unsigned char folded(char c) {
    return kFolded[static_cast<unsigned char>(c)];
}

} // namespace

SheetSearch::SheetSearch(const QString& findText, bool matchCase)
    : m_findText(findText), m_findBytes(findText.toUtf8()), m_matchCase(matchCase),
      m_lineBreak(findText.contains(u'\r') || findText.contains(u'\n')) {
    if (matchCase)
        return;
    // Horspool's shifts, by folded byte: how far the last byte of a window lies from the end of
    // the find text's last occurrence of it (the whole length where it does not occur).
    for (char& c : m_findBytes)
        c = static_cast<char>(folded(c));
    const qsizetype n = m_findBytes.size();
    m_shift.fill(n);
    for (qsizetype i = 0; i + 1 < n; ++i)
        m_shift[static_cast<unsigned char>(m_findBytes[i])] = n - 1 - i;
}

bool SheetSearch::inText(const QString& text) const {
    if (m_findText.isEmpty())
        return false;
    const QString whole = m_lineBreak ? TextCodec::toCrLf(text) : text;
    return TextFinder::find(whole, m_findText, 0, m_matchCase) >= 0;
}

std::optional<bool> SheetSearch::inFile(const QString& path) const {
    bool missing = false;
    std::optional<QByteArray> bytes = Utf8Text::read(path, &missing);
    if (!bytes)
        return missing ? std::optional<bool>(false) : std::nullopt;
    if (m_lineBreak)
        bytes = Utf8Text::toCrLf(std::move(*bytes));
    return inBytes(*bytes);
}

bool SheetSearch::inBytes(QByteArrayView bytes) const {
    // In UTF-8 a character's bytes never occur inside another's, and A to Z are single bytes
    // that occur nowhere else: searching the bytes finds what searching the characters would.
    if (m_findBytes.isEmpty())
        return false;
    if (m_matchCase)
        return bytes.indexOf(m_findBytes) >= 0;
    const qsizetype n = m_findBytes.size();
    const auto last = static_cast<unsigned char>(m_findBytes[n - 1]);
    for (qsizetype end = n - 1; end < bytes.size();) {
        const unsigned char c = folded(bytes[end]);
        if (c == last) {
            const char* start = bytes.data() + end - (n - 1);
            qsizetype i = 0;
            while (i < n - 1 && folded(start[i]) == static_cast<unsigned char>(m_findBytes[i]))
                ++i;
            if (i == n - 1)
                return true;
        }
        end += m_shift[c];
    }
    return false;
}
