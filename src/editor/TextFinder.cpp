#include "editor/TextFinder.h"

#include "common/AsciiCase.h"

namespace {

char16_t fold(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

} // namespace

qsizetype TextFinder::find(QStringView text, QStringView needle, qsizetype from, bool matchCase) {
    if (needle.isEmpty() || from < 0 || from > text.size())
        return -1;
    if (matchCase)
        return text.indexOf(needle, from, Qt::CaseSensitive);
    const qsizetype last = text.size() - needle.size();
    const char16_t first = fold(needle[0].unicode());
    for (qsizetype i = from; i <= last; ++i) {
        if (fold(text[i].unicode()) != first)
            continue;
        if (AsciiCase::equal(text.sliced(i, needle.size()), needle))
            return i;
    }
    return -1;
}

bool TextFinder::same(QStringView a, QStringView b, bool matchCase) {
    return matchCase ? a == b : AsciiCase::equal(a, b);
}

QList<qsizetype> TextFinder::findAll(QStringView text, QStringView needle, qsizetype from,
                                     bool matchCase) {
    QList<qsizetype> found;
    for (qsizetype at = find(text, needle, from, matchCase); at >= 0;
         at = find(text, needle, at + needle.size(), matchCase))
        found << at;
    return found;
}
