#include "editor/WordCount.h"

namespace {

template <class C> bool isSeparator(C c) {
    switch (c) {
    case '!':
    case '@':
    case '#':
    case '$':
    case '%':
    case '^':
    case '&':
    case '*':
    case '(':
    case ')':
    case '~':
    case '[':
    case ']':
    case '{':
    case '}':
    case '"':
    case ':':
    case '?':
    case '<':
    case '>':
    case ',':
    case '.':
    case '|':
    case '\\':
    case '/':
        return true;
    default:
        return false;
    }
}

template <class C> int hexDigit(C c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

template <class C> bool isInteger(const C* p, const C* end) {
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    int base = 10;
    if (p < end && (*p == '$' || *p == 'x' || *p == 'X')) {
        base = 16;
        ++p;
    } else if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    }
    if (p == end)
        return false;
    const qint64 limit = negative ? qint64(1) << 31 : (qint64(1) << 31) - 1;
    qint64 value = 0;
    for (; p < end; ++p) {
        const int digit = hexDigit(*p);
        if (digit < 0 || digit >= base)
            return false;
        value = value * base + digit;
        if (value > limit)
            return false;
    }
    return true;
}

// Whether a token that a blank follows is a word. Most words start with a letter, which
// settles it at once.
template <class C> bool isWord(const C* token, const C* end) {
    const C first = *token;
    if (end - token == 1 && isSeparator(first))
        return false;
    const bool mayBeInteger = (first >= '0' && first <= '9') || first == '+' || first == '-' ||
                              first == '$' || first == 'x' || first == 'X';
    return !mayBeInteger || !isInteger(token, end);
}

template <class C> bool endsLine(C c) {
    return c == '\r' || c == '\n';
}

// Counts every line of [p, end); lines end at CR or LF, and an empty line counts nothing, so CR
// LF needs no pairing.
template <class C> qint64 countWords(const C* p, const C* end) {
    qint64 count = 0;
    while (p < end) {
        const C c = *p;
        if (c == ' ' || endsLine(c)) {
            ++p;
            continue;
        }
        const C* token = p;
        while (p < end && *p != ' ' && !endsLine(*p))
            ++p;
        // A token that ends its line (or the text) always counts.
        if (p == end || *p != ' ' || isWord(token, p))
            ++count;
    }
    return count;
}

} // namespace

int WordCount::CountLineWords(QStringView line) {
    return static_cast<int>(countWords(line.utf16(), line.utf16() + line.size()));
}

qint64 WordCount::CountWords(QStringView text) {
    return countWords(text.utf16(), text.utf16() + text.size());
}

qint64 WordCount::CountWords(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    return countWords(p, p + bytes.size());
}

QString WordCount::formatted(qint64 count, const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(count);
}

bool WordCount::isInteger(QStringView token) {
    return ::isInteger(token.utf16(), token.utf16() + token.size());
}
