#include "desk/NameLabel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <array>
#include <cmath>
#include <optional>
#include <unordered_map>

namespace {

// Words are looked up as views of the caption: only a word met for the first time is copied.
struct WordHash {
    using is_transparent = void;
    std::size_t operator()(QStringView word) const noexcept { return qHash(word); }
};
struct WordEqual {
    using is_transparent = void;
    bool operator()(QStringView a, QStringView b) const noexcept { return a == b; }
};

} // namespace

struct NameLabel::Face {
    explicit Face(bool bold) : font(labelFont(bold)), metrics(font) {
        lineHeight = metrics.height();
        blank = metrics.horizontalAdvance(u' ');
    }

    static QFont labelFont(bool bold) {
        // The interface font at 8 points, whatever the desktop's own size.
        QFont font = QApplication::font();
        font.setPointSize(8);
        font.setBold(bold);
        return font;
    }

    // Made once and kept to the end of the program: a font outliving the application that
    // made it must not be destroyed after it.
    static Face* of(bool bold) {
        static Face* const regular = new Face(false);
        static Face* const boldFace = new Face(true);
        return bold ? boldFace : regular;
    }

    int advance(QStringView word) {
        if (isNumeral(word) && numeralsSetSideBySide())
            return numeralWidth(word);
        auto known = widths.find(word);
        if (known == widths.end()) {
            QString text = word.toString();
            const int width = metrics.horizontalAdvance(text);
            known = widths.emplace(std::move(text), width).first;
        }
        return known->second;
    }

    // Numbers ("1013.", "12,") are most of the words of a large book that are met once each; in a
    // font that sets these characters side by side, without kerning or joining them, a number is
    // as wide as its characters together and needs no shaping. Checked once for each face, once
    // it has measured kNumbersShapedFirst numbers: one string holding every ordered pair of these
    // characters, and a long number, must be exactly as wide shaped as their characters together.
    static constexpr QStringView kNumeral = u"0123456789.,";
    // Where the character stands in kNumeral, or -1: every word of every label asks.
    static int numeralIndex(QChar c) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            return u - u'0';
        return u == u'.' ? 10 : u == u',' ? 11 : -1;
    }
    static bool isNumeral(QStringView word) {
        for (const QChar c : word)
            if (numeralIndex(c) < 0)
                return false;
        return !word.isEmpty();
    }
    qreal numeralSum(QStringView word) const {
        qreal width = 0;
        for (const QChar c : word)
            width += numeralAdvances[static_cast<std::size_t>(numeralIndex(c))];
        return width;
    }
    int numeralWidth(QStringView word) const { return qRound(numeralSum(word)); }
    bool numeralsSetSideBySide() {
        if (!numeralsAdd && ++numbersMeasured > kNumbersShapedFirst)
            numeralsAdd = checkNumerals();
        return numeralsAdd.value_or(false);
    }
    bool checkNumerals() {
        const QFontMetricsF exact(font);
        for (qsizetype i = 0; i < kNumeral.size(); ++i)
            numeralAdvances[static_cast<std::size_t>(i)] = exact.horizontalAdvance(kNumeral[i]);
        // Advances are whole 64ths of a pixel: any kerning shows.
        const auto addsUp = [&](const QString& text) {
            return std::abs(exact.horizontalAdvance(text) - numeralSum(text)) < 1.0 / 128;
        };
        return addsUp(NameLabel::numeralPairs()) &&
               addsUp(QStringLiteral("12,345,678,901.234567890"));
    }

    QFont font;
    QFontMetrics metrics;
    int lineHeight = 0;
    int blank = 0;
    std::unordered_map<QString, int, WordHash, WordEqual> widths;
    // Whether numbers add up in this face, once checked.
    std::optional<bool> numeralsAdd;
    int numbersMeasured = 0;
    std::array<qreal, 12> numeralAdvances{};
};

NameLabel::NameLabel() : m_face(Face::of(false)) {}

QString NameLabel::numeralPairs() {
    // "0", "01", "02", ... "0,", "1", "12", ... ",", and the first again: each pair once.
    constexpr QStringView numeral = Face::kNumeral;
    QString pairs;
    for (qsizetype a = 0; a < numeral.size(); ++a) {
        pairs += numeral[a];
        for (qsizetype b = a + 1; b < numeral.size(); ++b)
            pairs.append(numeral[a]).append(numeral[b]);
    }
    return pairs + numeral.front();
}

void NameLabel::setCaption(const QString& caption) {
    m_caption = caption;
}

void NameLabel::setBold(bool bold) {
    m_face = Face::of(bold);
}

bool NameLabel::isBold() const {
    return m_face->font.bold();
}

const QFont& NameLabel::font() const {
    return m_face->font;
}

void NameLabel::setBackground(const QColor& colour, bool transparent) {
    m_background = colour;
    m_transparent = transparent;
}

bool NameLabel::isMeasuredFor(int wrap) const {
    return wrap == m_measuredWrap && m_face == m_measuredFace && m_caption == m_measuredCaption;
}

void NameLabel::measure(int wrap) {
    // Sheets are measured again after every change of type, state or marker, mostly with
    // nothing changed.
    if (isMeasuredFor(wrap))
        return;
    // Lines break at blanks only, as labels always have; blanks in a row count as one.
    Words words;
    for (const QStringView word : QStringView(m_caption).tokenize(u' ', Qt::SkipEmptyParts))
        words.append({word, m_face->advance(word)});
    // A word wider than the wrap width stands alone on a line that overflows it; the label then
    // wraps at that word's width instead.
    wrapAt(words, wrap);
    if (m_width > wrap)
        wrapAt(words, m_width);
    m_height = static_cast<int>(std::max<qsizetype>(m_lines.size(), 1)) * m_face->lineHeight;
    m_shown.clear();
    m_measuredCaption = m_caption;
    m_measuredFace = m_face;
    m_measuredWrap = wrap;
}

void NameLabel::wrapAt(const Words& words, int wrapWidth) {
    m_lines.clear();
    m_width = 0;
    const int blank = m_face->blank;
    qsizetype first = 0;
    int lineWidth = words.isEmpty() ? 0 : words[0].width;
    for (qsizetype i = 1; i <= words.size(); ++i) {
        if (i < words.size() && lineWidth + blank + words[i].width <= wrapWidth) {
            lineWidth += blank + words[i].width;
            continue;
        }
        m_lines.append(lineOf(words, first, i - 1, lineWidth));
        m_width = std::max(m_width, lineWidth);
        first = i;
        if (i < words.size())
            lineWidth = words[i].width;
    }
    if (words.isEmpty())
        m_lines.append(Line{});
    for (Line& line : m_lines)
        line.left = (m_width - line.width) / 2;
}

NameLabel::Line NameLabel::lineOf(const Words& words, qsizetype first, qsizetype last,
                                  int width) const {
    Line line;
    line.from = words[first].text.data() - m_caption.constData();
    line.to = words[last].text.data() + words[last].text.size() - m_caption.constData();
    line.width = width;
    for (qsizetype i = first; i < last && line.singleBlanks; ++i)
        line.singleBlanks =
            words[i + 1].text.data() == words[i].text.data() + words[i].text.size() + 1;
    return line;
}

QString NameLabel::textOf(const Line& line) const {
    const QStringView span = QStringView(m_measuredCaption).sliced(line.from, line.to - line.from);
    if (line.singleBlanks)
        return span.size() == m_measuredCaption.size() ? m_measuredCaption : span.toString();
    QString text;
    for (const QStringView word : span.tokenize(u' ', Qt::SkipEmptyParts)) {
        if (!text.isEmpty())
            text += u' ';
        text += word;
    }
    return text;
}

QStringList NameLabel::lines() const {
    QStringList texts;
    for (const Line& line : m_lines)
        texts << textOf(line);
    return texts;
}

void NameLabel::paint(QPainter* painter, QPoint at) const {
    if (!m_transparent)
        painter->fillRect(QRect(at, QSize(m_width, m_height)), m_background);
    if (m_shown.isEmpty()) {
        for (const Line& line : m_lines) {
            QStaticText text(textOf(line));
            text.setTextFormat(Qt::PlainText);
            m_shown << text;
        }
    }
    painter->setFont(m_face->font);
    painter->setPen(m_textColour);
    for (qsizetype i = 0; i < m_shown.size(); ++i)
        painter->drawStaticText(at.x() + m_lines[i].left,
                                at.y() + static_cast<int>(i) * m_face->lineHeight, m_shown[i]);
}
