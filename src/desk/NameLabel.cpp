#include "desk/NameLabel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

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
    // A word wider than the wrap width stands alone on a line that overflows it; the label then
    // wraps at that word's width instead.
    wrapAt(wrap);
    if (m_width > wrap)
        wrapAt(m_width);
    m_measuredCaption = m_caption;
    m_measuredBold = m_font.bold();
    m_measuredWrap = wrap;
}

void NameLabel::wrapAt(int wrapWidth) {
    prepareGeometryChange();
    m_lines.clear();
    QTextLayout layout(m_caption, m_font);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(false);
    qreal widest = 0;
    int count = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(wrapWidth);
        widest = std::max(widest, line.naturalTextWidth());
        m_lines << m_caption.mid(line.textStart(), line.textLength()).trimmed();
        ++count;
    }
    layout.endLayout();
    const QFontMetrics metrics(m_font);
    m_lineHeight = metrics.height();
    m_width = static_cast<int>(std::ceil(widest));
    m_height = std::max(count, 1) * m_lineHeight;
}

QRectF NameLabel::boundingRect() const {
    return QRectF(0, 0, m_width, m_height);
}

void NameLabel::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (!m_transparent)
        painter->fillRect(boundingRect(), m_background);
    painter->setFont(m_font);
    painter->setPen(m_textColour);
    int y = 0;
    for (const QString& line : m_lines) {
        painter->drawText(QRect(0, y, m_width, m_lineHeight), Qt::AlignHCenter | Qt::AlignTop,
                          line);
        y += m_lineHeight;
    }
}
