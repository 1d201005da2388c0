#include "compile/SheetSearch.h"

#include "common/TextCodec.h"
#include "common/TextEncoding.h"
#include "compile/Utf8Text.h"
#include "editor/TextFinder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

constexpr std::uint64_t kEach = 0x0101010101010101ULL;
constexpr std::uint64_t kHigh = 0x8080808080808080ULL;

// A to Z made a to z, in place, eight bytes at a time.
void fold(QByteArray& bytes) {
    char* p = bytes.data();
    char* const end = p + bytes.size();
    for (; end - p >= 8; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        // In each byte's low seven bits, the high bit of the sum says whether it is at least
        // "A", or more than "Z"; bytes with their own high bit set are no letters of A to Z.
        const std::uint64_t low = word & ~kHigh;
        const std::uint64_t atLeastA = low + kEach * (0x80 - 'A');
        const std::uint64_t pastZ = low + kEach * (0x80 - 'Z' - 1);
        const std::uint64_t upper = (atLeastA ^ pastZ) & ~word & kHigh;
        word |= upper >> 2;
        std::memcpy(p, &word, sizeof word);
    }
    for (; p < end; ++p)
        if (*p >= 'A' && *p <= 'Z')
            *p = static_cast<char>(*p + ('a' - 'A'));
}

} // namespace

SheetSearch::SheetSearch(const QString& findText, bool matchCase)
    : m_findText(findText), m_findBytes(findText.toUtf8()), m_matchCase(matchCase),
      m_lineBreak(findText.contains(u'\r') || findText.contains(u'\n')),
      m_ascii(std::all_of(findText.cbegin(), findText.cend(),
                          [](QChar c) { return c.unicode() < 0x80; })) {
    if (!matchCase)
        fold(m_findBytes);
}

bool SheetSearch::inText(const QString& text) const {
    if (m_findText.isEmpty())
        return false;
    const QString whole = m_lineBreak ? TextCodec::toCrLf(text) : text;
    return TextFinder::find(whole, m_findText, 0, m_matchCase) >= 0;
}

std::optional<bool> SheetSearch::inFile(const QString& path) const {
    bool missing = false;
    std::optional<QByteArray> bytes = Utf8Text::readBytes(path, &missing);
    if (!bytes)
        return missing ? std::optional<bool>(false) : std::nullopt;
    // A find text in ASCII is found in the file's own bytes: in Windows-1252 as in UTF-8 its
    // characters are those bytes, and they stand for nothing else (in UTF-16 they do not).
    if (!m_ascii || kerfa::TextEncoding::hasUtf16Mark(
                        std::string_view(bytes->constData(), std::size_t(bytes->size()))))
        bytes = Utf8Text::toUtf8(std::move(*bytes));
    if (m_lineBreak)
        bytes = Utf8Text::toCrLf(std::move(*bytes));
    return inBytes(*bytes);
}

bool SheetSearch::inBytes(QByteArray& bytes) const {
    // In UTF-8 a character's bytes never occur inside another's, and A to Z are single bytes
    // that occur nowhere else: searching the bytes finds what searching the characters would,
    // and folding them folds A to Z alone.
    if (m_findBytes.isEmpty())
        return false;
    if (!m_matchCase)
        fold(bytes);
    return ::memmem(bytes.constData(), static_cast<std::size_t>(bytes.size()),
                    m_findBytes.constData(),
                    static_cast<std::size_t>(m_findBytes.size())) != nullptr;
}
