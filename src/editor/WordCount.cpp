#include "editor/WordCount.h"

#if defined(__SSE2__)
#include <immintrin.h>
#endif

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

template <class C> bool mayStartANumber(C c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '$' || c == 'x' || c == 'X';
}

// Whether a token that a blank follows is a word. Most words start with a letter, which
// settles it at once.
template <class C> bool isWord(const C* token, const C* end) {
    const C first = *token;
    if (end - token == 1 && isSeparator(first))
        return false;
    return !mayStartANumber(first) || !isInteger(token, end);
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

// Whether the token at p, which ends at the first blank or line break, counts. A token of two
// characters or more that cannot start a number (a quotation mark before a word) is settled
// without reading it to its end.
template <class C> bool tokenCounts(const C* p, const C* end) {
    const C* token = p;
    if (p + 1 < end && p[1] != ' ' && !endsLine(p[1]) && !mayStartANumber(*p))
        return true;
    while (p < end && *p != ' ' && !endsLine(*p))
        ++p;
    return p == end || *p != ' ' || isWord(token, p);
}

#if defined(__SSE2__)

// Bytes from low to low + span.
__m128i within(__m128i v, char low, char span) {
    const __m128i t = _mm_sub_epi8(v, _mm_set1_epi8(low));
    return _mm_cmpeq_epi8(_mm_min_epu8(t, _mm_set1_epi8(span)), t);
}

// The breaks and the bytes that may start a token that is no word (the separators, digits,
// signs, and "x" and "X" that start a hexadecimal number; more is fine: those tokens are looked
// at one by one) among sixteen bytes, as bit masks.
struct Lanes {
    unsigned breaks;
    unsigned doubtful;
};

Lanes lanes(const unsigned char* p) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i breaks = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')),
                                        _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')),
                                                     _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'))));
    const __m128i x = _mm_cmpeq_epi8(_mm_or_si128(v, _mm_set1_epi8(0x20)), _mm_set1_epi8('x'));
    const __m128i doubtful =
        _mm_or_si128(_mm_or_si128(within(v, '!', '@' - '!'), within(v, '[', '^' - '[')),
                     _mm_or_si128(within(v, '{', '~' - '{'), x));
    return {static_cast<unsigned>(_mm_movemask_epi8(breaks)),
            static_cast<unsigned>(_mm_movemask_epi8(doubtful))};
}

// KERFA_NARROW_COUNT leaves the wide path out, so that the tests can count through the narrow
// one on any processor.
#if defined(__x86_64__) && !defined(KERFA_NARROW_COUNT)
#define KERFA_WIDE_COUNT
#define KERFA_AVX2 __attribute__((target("avx2,popcnt,bmi")))

// The same for thirty-two bytes, on processors that have the wider instructions.
KERFA_AVX2 __m256i within(__m256i v, char low, char span) {
    const __m256i t = _mm256_sub_epi8(v, _mm256_set1_epi8(low));
    return _mm256_cmpeq_epi8(_mm256_min_epu8(t, _mm256_set1_epi8(span)), t);
}

KERFA_AVX2 Lanes wideLanes(const unsigned char* p) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i breaks =
        _mm256_or_si256(_mm256_cmpeq_epi8(v, _mm256_set1_epi8(' ')),
                        _mm256_or_si256(_mm256_cmpeq_epi8(v, _mm256_set1_epi8('\r')),
                                        _mm256_cmpeq_epi8(v, _mm256_set1_epi8('\n'))));
    const __m256i x =
        _mm256_cmpeq_epi8(_mm256_or_si256(v, _mm256_set1_epi8(0x20)), _mm256_set1_epi8('x'));
    const __m256i doubtful =
        _mm256_or_si256(_mm256_or_si256(within(v, '!', '@' - '!'), within(v, '[', '^' - '[')),
                        _mm256_or_si256(within(v, '{', '~' - '{'), x));
    return {static_cast<unsigned>(_mm256_movemask_epi8(breaks)),
            static_cast<unsigned>(_mm256_movemask_epi8(doubtful))};
}
#endif

// Sixty-four bytes at a time, Scan reading Step of them: every token start counts, and only the
// tokens that start with a character that may make them no word are looked at one by one. A
// book of ten million words is counted in little more time than its files take to read.
template <Lanes (*Scan)(const unsigned char*), int Step>
qint64 countBlocks(const unsigned char* p, const unsigned char* end) {
    qint64 count = 0;
    // Whether the byte before the block ends a token (the start of the text does).
    quint64 before = 1;
    while (end - p >= 64) {
        quint64 breaks = 0;
        quint64 doubtful = 0;
        for (int i = 0; i < 64; i += Step) {
            const Lanes l = Scan(p + i);
            breaks |= quint64(l.breaks) << i;
            doubtful |= quint64(l.doubtful) << i;
        }
        const quint64 starts = ~breaks & ((breaks << 1) | before);
        before = breaks >> 63;
        count += __builtin_popcountll(starts);
        for (doubtful &= starts; doubtful; doubtful &= doubtful - 1)
            if (!tokenCounts(p + __builtin_ctzll(doubtful), end))
                --count;
        p += 64;
    }
    // The rest, one byte at a time, after the token already counted that runs into it.
    if (!before)
        while (p < end && *p != ' ' && !endsLine(*p))
            ++p;
    return count + countWords(p, end);
}

#if defined(KERFA_WIDE_COUNT)
// Flattened, so that the wide scanning is inlined into the loop.
KERFA_AVX2 __attribute__((flatten)) qint64 countWide(const unsigned char* p,
                                                     const unsigned char* end) {
    return countBlocks<wideLanes, 32>(p, end);
}
#endif

qint64 countBytes(const unsigned char* p, const unsigned char* end) {
#if defined(KERFA_WIDE_COUNT)
    static const bool wide = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") &&
                             __builtin_cpu_supports("bmi");
    if (wide)
        return countWide(p, end);
#endif
    return countBlocks<lanes, 16>(p, end);
}

#else

qint64 countBytes(const unsigned char* p, const unsigned char* end) {
    return countWords(p, end);
}

#endif

} // namespace

int WordCount::CountLineWords(QStringView line) {
    return static_cast<int>(countWords(line.utf16(), line.utf16() + line.size()));
}

qint64 WordCount::CountWords(QStringView text) {
    return countWords(text.utf16(), text.utf16() + text.size());
}

qint64 WordCount::CountWords(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    return countBytes(p, p + bytes.size());
}

QString WordCount::formatted(qint64 count, const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(count);
}

bool WordCount::isInteger(QStringView token) {
    return ::isInteger(token.utf16(), token.utf16() + token.size());
}
