#pragma once

#include "Shape.h"

#include <QPaintEngine>
#include <QPen>
#include <QStringList>
#include <QTransform>

// Receives what QSvgRenderer paints and keeps it as shapes. Only what a metafile can carry
// faithfully is accepted (opaque solid fills and solid pens); anything else is noted as a
// problem, so the generator refuses the picture rather than writing a wrong metafile.
class ShapeRecorderEngine : public QPaintEngine {
public:
    ShapeRecorderEngine();

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
    void drawTextItem(const QPointF& at, const QTextItem& text) override;
    Type type() const override { return QPaintEngine::User; }

    QList<Shape> shapes;
    QStringList problems;

private:
    std::optional<QColor> solid(const QColor& colour);

    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    qreal opacity_ = 1;
};
