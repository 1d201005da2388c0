#pragma once

#include <QColor>
#include <QGraphicsItem>

// The link line of a sheet: from the sheet's centre toward its target's centre, stopping EndGap
// pixels short of the target's centre, where a small dot marks the target end. The item covers
// the rectangle between the two centres and draws clipped to it.
class TKerfaLine : public QGraphicsItem {
public:
    TKerfaLine();

    int EndGap = 0;
    quint8 Direction = 0;
    QColor Colour;

    // The line's rectangle on the desk.
    void setBounds(int left, int top, int width, int height);
    int left() const { return static_cast<int>(pos().x()); }
    int top() const { return static_cast<int>(pos().y()); }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Start and end of the stroke and the dot's centre, in the line's own coordinates.
    struct Stroke {
        QPoint start;
        QPoint end;
    };
    Stroke stroke() const;

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    int m_width = 0;
    int m_height = 0;
};
