#include "printing/LineWrapper.h"

#include <QHash>
#include <QList>
#include <algorithm>

namespace {

// One paragraph's printable characters (control characters left out) and where each starts,
// a surrogate pair counting as one character.
struct Paragraph {
    QString text;
    QList<qsizetype> starts;

    qsizetype size() const { return starts.size(); }
    // The first count characters from character `from`.
    QString piece(qsizetype from, qsizetype count) const {
        const qsizetype begin = starts[from];
        const qsizetype end = from + count < size() ? starts[from + count] : text.size();
        return text.sliced(begin, end - begin);
    }
};

Paragraph printable(QStringView line) {
    Paragraph p;
    p.text.reserve(line.size());
    p.starts.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c.unicode() < 32)
            continue;
        if (!c.isLowSurrogate() || p.text.isEmpty() || !p.text.back().isHighSurrogate())
            p.starts << p.text.size();
        p.text += c;
    }
    return p;
}

// Finds how many characters from `from` fit in the width: the most whose piece measures at
// most the width, and at least one. The widths of single characters, summed, guess the answer;
// the guess is checked by measuring and corrected by a search that widens its steps, so a line
// costs a few measurements whatever its length, not one per character.
class Fitter {
public:
    // widths keeps the width of each character met, for the whole text.
    Fitter(const Paragraph& p, int width, const LineWrapper::Measure& measure,
           QHash<char32_t, int>& widths)
        : m_p(p), m_width(width), m_measure(measure), m_widths(widths) {}

    qsizetype fit(qsizetype from) {
        const qsizetype available = m_p.size() - from;
        auto fits = [&](qsizetype count) {
            return count <= 1 || m_measure(m_p.piece(from, count)) <= m_width;
        };
        qsizetype guess = 0;
        qint64 sum = 0;
        while (guess < available) {
            const int w = charWidth(from + guess);
            if (sum + w > m_width)
                break;
            sum += w;
            ++guess;
        }
        guess = std::max<qsizetype>(guess, 1);
        // lo fits; hi (when below available + 1) does not.
        qsizetype lo = 1;
        qsizetype hi = available + 1;
        if (fits(guess)) {
            lo = guess;
            for (qsizetype step = 1; lo < available; step *= 2) {
                const qsizetype probe = std::min(available, lo + step);
                if (!fits(probe)) {
                    hi = probe;
                    break;
                }
                lo = probe;
            }
        } else {
            hi = guess;
            for (qsizetype step = 1; hi - step > 1; step *= 2) {
                const qsizetype probe = hi - step;
                if (fits(probe)) {
                    lo = probe;
                    break;
                }
                hi = probe;
            }
        }
        while (hi - lo > 1) {
            const qsizetype mid = lo + (hi - lo) / 2;
            (fits(mid) ? lo : hi) = mid;
        }
        return lo;
    }

private:
    int charWidth(qsizetype at) {
        const qsizetype i = m_p.starts[at];
        const QChar c = m_p.text[i];
        const char32_t code = c.isHighSurrogate() && i + 1 < m_p.text.size()
                                  ? QChar::surrogateToUcs4(c, m_p.text[i + 1])
                                  : c.unicode();
        const auto known = m_widths.constFind(code);
        if (known != m_widths.cend())
            return *known;
        return *m_widths.insert(code, m_measure(m_p.piece(at, 1)));
    }

    const Paragraph& m_p;
    const int m_width;
    const LineWrapper::Measure& m_measure;
    QHash<char32_t, int>& m_widths;
};

} // namespace

bool LineWrapper::isBreakCharacter(QChar c) {
    switch (c.unicode()) {
    case u' ':
    case u'!':
    case u'"':
    case u'\'':
    case u',':
    case u'-':
    case u'.':
    case u':':
    case u';':
    case u'?':
        return true;
    default:
        return false;
    }
}

QStringList LineWrapper::wrap(const QString& text, int width, const Measure& measure) {
    QStringList lines;
    QHash<char32_t, int> widths;
    const qsizetype length = text.size();
    qsizetype start = 0;
    while (start <= length) {
        qsizetype end = start;
        while (end < length && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const Paragraph p = printable(QStringView(text).sliced(start, end - start));
        Fitter fitter(p, width, measure, widths);
        // The paragraph's last line was cut by wrapping: the line break right after it ends no
        // line of its own, or a paragraph that just fills its last line would print a blank
        // line after it.
        bool justWrapped = false;
        qsizetype at = 0;
        while (at < p.size()) {
            const qsizetype fitting = fitter.fit(at);
            if (fitting == p.size() - at) {
                lines << p.piece(at, fitting);
                at = p.size();
                justWrapped = false;
                break;
            }
            // The character after the fitting ones overflows. The line is cut after the last
            // break character up to and including it, never at the line's first character;
            // without one, the overflowing character starts the next line.
            const qsizetype overflow = at + fitting;
            qsizetype cut = overflow;
            while (cut > at && !isBreakCharacter(p.text[p.starts[cut]]))
                --cut;
            const qsizetype taken = cut > at ? cut - at + 1 : fitting;
            lines << p.piece(at, taken);
            at += taken;
            justWrapped = true;
        }
        if (p.size() == 0 && !justWrapped && end < length)
            lines << QString();
        if (end >= length)
            break;
        start = end + ((text[end] == u'\r' && end + 1 < length && text[end + 1] == u'\n') ? 2 : 1);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
