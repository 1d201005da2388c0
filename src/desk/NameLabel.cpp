#include "desk/NameLabel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>

NameLabel::NameLabel() {
    // The interface font at 8 points, whatever the desktop's own size.
    m_font = QApplication::font();
    m_font.setPointSize(8);
    m_font.setBold(false);
    setAcceptedMouseButtons(Qt::NoButton);
}

void NameLabel::setCaption(const QString& caption) {
    m_caption = caption;
    update();
}

void NameLabel::setBold(bool bold) {
    m_font.setBold(bold);
    update();
}

void NameLabel::setTextColour(const QColor& colour) {
    if (colour != m_textColour) {
        m_textColour = colour;
        update();
    }
}

void NameLabel::setBackground(const QColor& colour, bool transparent) {
    if (colour != m_background || transparent != m_transparent) {
        m_background = colour;
        m_transparent = transparent;
        update();
    }
}

void NameLabel::measure(int wrap) {
    if (wrap == m_measuredWrap && m_font.bold() == m_measuredBold && m_caption == m_measuredCaption)
        return;
    prepareGeometryChange();
    // A word wider than the wrap width stands alone on a line that overflows it; the label then
    // wraps at that word's width instead.
    wrapAt(wrap);
    if (m_width > wrap)
        wrapAt(m_width);
    m_lineHeight = QFontMetrics(m_font).height();
    m_height = static_cast<int>(std::max<qsizetype>(m_lines.size(), 1)) * m_lineHeight;
    m_shown.clear();
    for (const QString& line : std::as_const(m_lines)) {
        QStaticText text(line);
        text.setTextFormat(Qt::PlainText);
        m_shown << text;
    }
    m_measuredCaption = m_caption;
    m_measuredBold = m_font.bold();
    m_measuredWrap = wrap;
}

QHash<QString, int>& NameLabel::widthsOfWords() const {
    // Labels repeat their words (Chapter, Scene, numbers), and a desk holds thousands of them:
    // each word is measured once per font.
    static QHash<QString, QHash<QString, int>> cache;
    return cache[m_font.key()];
}

void NameLabel::wrapAt(int wrapWidth) {
    // Lines break at blanks only, as labels always have.
    QHash<QString, int>& widths = widthsOfWords();
    const QFontMetrics metrics(m_font);
    const auto advance = [&](const QString& text) {
        auto known = widths.constFind(text);
        if (known == widths.cend())
            known = widths.insert(text, metrics.horizontalAdvance(text));
        return *known;
    };
    m_lines.clear();
    m_lineLeft.clear();
    m_width = 0;
    const int blank = advance(QStringLiteral(" "));
    QString line;
    int lineWidth = 0;
    for (const QStringView part : QStringView(m_caption).tokenize(u' ', Qt::SkipEmptyParts)) {
        const QString word = part.toString();
        const int width = advance(word);
        if (!line.isEmpty() && lineWidth + blank + width <= wrapWidth) {
            line += u' ' + word;
            lineWidth += blank + width;
            continue;
        }
        if (!line.isEmpty()) {
            m_lines << line;
            m_lineLeft << lineWidth;
            m_width = std::max(m_width, lineWidth);
        }
        line = word;
        lineWidth = width;
    }
    m_lines << line;
    m_lineLeft << lineWidth;
    m_width = std::max(m_width, lineWidth);
    for (int& left : m_lineLeft)
        left = (m_width - left) / 2;
}

QRectF NameLabel::boundingRect() const {
    return QRectF(0, 0, m_width, m_height);
}

void NameLabel::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (!m_transparent)
        painter->fillRect(boundingRect(), m_background);
    painter->setFont(m_font);
    painter->setPen(m_textColour);
    for (qsizetype i = 0; i < m_shown.size(); ++i)
        painter->drawStaticText(m_lineLeft[i], static_cast<int>(i) * m_lineHeight, m_shown[i]);
}
