#include "desk/TKerfaLine.h"

#include <QPainter>
#include <cmath>

TKerfaLine::TKerfaLine() {
    setVisible(false);
    setFlag(ItemClipsToShape);
}

void TKerfaLine::setBounds(int left, int top, int width, int height) {
    prepareGeometryChange();
    setPos(left, top);
    m_width = width;
    m_height = height;
}

TKerfaLine::Stroke TKerfaLine::stroke() const {
    const int w = m_width;
    const int h = m_height;
    const double length = std::sqrt(double(w) * w + double(h) * h);
    const double p = length > 0 ? EndGap / length * 100.0 : 0.0;
    // Round half to even, like the platform's rounding of the dot's position.
    const int fx = static_cast<int>(std::nearbyint(w / 100.0 * p));
    const int fy = static_cast<int>(std::nearbyint(h / 100.0 * p));
    switch (Direction) {
    case 0: // straight below the target
        return {{1, h}, {1, EndGap}};
    case 1: // straight above
        return {{1, 1}, {1, h - EndGap}};
    case 2: // straight right
        return {{w, 1}, {EndGap, 1}};
    case 3: // straight left
        return {{1, 1}, {w - EndGap, 1}};
    case 4: // below right
        return {{w - 1, h - 1}, {fx - 1, fy - 1}};
    case 5: // above right
        return {{w - 1, 1}, {fx - 1, h - fy - 1}};
    case 6: // below left
        return {{1, h - 1}, {w - fx - 1, fy - 1}};
    default: // above left
        return {{1, 1}, {w - fx - 1, h - fy - 1}};
    }
}

QRectF TKerfaLine::boundingRect() const {
    return QRectF(0, 0, m_width, m_height);
}

QPainterPath TKerfaLine::shape() const {
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void TKerfaLine::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const Stroke s = stroke();
    painter->setRenderHint(QPainter::Antialiasing,
                           s.start.x() != s.end.x() && s.start.y() != s.end.y());
    QPen pen(Colour, 1, Qt::SolidLine, Qt::FlatCap);
    painter->setPen(pen);
    painter->setBrush(Colour);
    painter->drawLine(QPointF(s.start) + QPointF(0.5, 0.5), QPointF(s.end) + QPointF(0.5, 0.5));
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->drawEllipse(QRect(s.end.x() - 1, s.end.y() - 1, 3, 3));
}
