#include "desk/NameLabel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
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
        auto known = widths.find(word);
        if (known == widths.end()) {
            QString text = word.toString();
            const int width = metrics.horizontalAdvance(text);
            known = widths.emplace(std::move(text), width).first;
        }
        return known->second;
    }

    QFont font;
    QFontMetrics metrics;
    int lineHeight = 0;
    int blank = 0;
    std::unordered_map<QString, int, WordHash, WordEqual> widths;
};

NameLabel::NameLabel() : m_face(Face::of(false)) {}

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
    // A word wider than the wrap width stands alone on a line that overflows it; the label then
    // wraps at that word's width instead.
    wrapAt(wrap);
    if (m_width > wrap)
        wrapAt(m_width);
    m_height = static_cast<int>(std::max<qsizetype>(m_lines.size(), 1)) * m_face->lineHeight;
    m_shown.clear();
    m_measuredCaption = m_caption;
    m_measuredFace = m_face;
    m_measuredWrap = wrap;
}

void NameLabel::wrapAt(int wrapWidth) {
    // Lines break at blanks only, as labels always have; blanks in a row count as one.
    m_lines.clear();
    m_lineLeft.clear();
    m_width = 0;
    const int blank = m_face->blank;
    QString line;
    int lineWidth = 0;
    for (const QStringView word : QStringView(m_caption).tokenize(u' ', Qt::SkipEmptyParts)) {
        const int width = m_face->advance(word);
        if (!line.isEmpty() && lineWidth + blank + width <= wrapWidth) {
            line += u' ';
            line += word;
            lineWidth += blank + width;
            continue;
        }
        if (!line.isEmpty()) {
            m_lines << line;
            m_lineLeft << lineWidth;
            m_width = std::max(m_width, lineWidth);
        }
        line = word.toString();
        lineWidth = width;
    }
    m_lines << line;
    m_lineLeft << lineWidth;
    m_width = std::max(m_width, lineWidth);
    for (int& left : m_lineLeft)
        left = (m_width - left) / 2;
}

void NameLabel::paint(QPainter* painter, QPoint at) const {
    if (!m_transparent)
        painter->fillRect(QRect(at, QSize(m_width, m_height)), m_background);
    if (m_shown.isEmpty()) {
        for (const QString& line : m_lines) {
            QStaticText text(line);
            text.setTextFormat(Qt::PlainText);
            m_shown << text;
        }
    }
    painter->setFont(m_face->font);
    painter->setPen(m_textColour);
    for (qsizetype i = 0; i < m_shown.size(); ++i)
        painter->drawStaticText(at.x() + m_lineLeft[i],
                                at.y() + static_cast<int>(i) * m_face->lineHeight, m_shown[i]);
}
