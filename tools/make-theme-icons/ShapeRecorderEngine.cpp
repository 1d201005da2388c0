#include "ShapeRecorderEngine.h"

#include <QPainterPath>

#include <cmath>

ShapeRecorderEngine::ShapeRecorderEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

bool ShapeRecorderEngine::begin(QPaintDevice*) {
    return true;
}

bool ShapeRecorderEngine::end() {
    return true;
}

void ShapeRecorderEngine::updateState(const QPaintEngineState& state) {
    const DirtyFlags dirty = state.state();
    if (dirty & DirtyPen)
        pen_ = state.pen();
    if (dirty & DirtyBrush)
        brush_ = state.brush();
    if (dirty & DirtyTransform)
        transform_ = state.transform();
    if (dirty & DirtyOpacity)
        opacity_ = state.opacity();
}

std::optional<QColor> ShapeRecorderEngine::solid(const QColor& colour) {
    if (colour.alpha() != 255 || opacity_ < 1)
        problems << QStringLiteral("translucent colour %1").arg(colour.name(QColor::HexArgb));
    return colour;
}

void ShapeRecorderEngine::drawPath(const QPainterPath& path) {
    // Curves are flattened at sixteen times the picture's size, so they stay round when the
    // metafile is played back at its own size.
    constexpr qreal fine = 16;
    Shape shape;
    for (const QPolygonF& subpath :
         path.toSubpathPolygons(transform_ * QTransform::fromScale(fine, fine)))
        shape.subpaths << QTransform::fromScale(1 / fine, 1 / fine).map(subpath);
    shape.fillRule = path.fillRule();
    for (const QPolygonF& subpath : shape.subpaths) {
        if (subpath.size() < 2 || subpath.first() != subpath.last())
            shape.closed = false;
    }
    // SVG fills every path, lines included; a fill without area is left out, because a
    // metafile player draws the edge of even an empty polygon.
    double area = 0;
    for (const QPolygonF& subpath : shape.subpaths) {
        double twice = 0;
        for (qsizetype i = 0; i < subpath.size(); ++i) {
            const QPointF& a = subpath[i];
            const QPointF& b = subpath[(i + 1) % subpath.size()];
            twice += a.x() * b.y() - b.x() * a.y();
        }
        area += std::abs(twice) / 2;
    }
    if (brush_.style() == Qt::SolidPattern) {
        if (area > 0.01)
            shape.fill = solid(brush_.color());
    } else if (brush_.style() != Qt::NoBrush) {
        problems << QStringLiteral("a fill that is not a plain colour");
    }
    if (pen_.style() == Qt::SolidLine && pen_.brush().style() == Qt::SolidPattern) {
        shape.stroke = solid(pen_.color());
        const double scale = std::sqrt(std::abs(transform_.determinant()));
        shape.strokeWidth = pen_.isCosmetic() ? pen_.widthF() : pen_.widthF() * scale;
        shape.cap = pen_.capStyle();
        shape.join = pen_.joinStyle();
    } else if (pen_.style() != Qt::NoPen) {
        problems << QStringLiteral("a dashed or patterned stroke");
    }
    if (shape.fill || shape.stroke)
        shapes << shape;
}

void ShapeRecorderEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    QPainterPath path;
    path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
    if (mode != PolylineMode)
        path.closeSubpath();
    const QBrush brush = brush_;
    if (mode == PolylineMode)
        brush_ = Qt::NoBrush;
    drawPath(path);
    brush_ = brush;
}

void ShapeRecorderEngine::drawPixmap(const QRectF&, const QPixmap&, const QRectF&) {
    problems << QStringLiteral("an embedded image");
}

void ShapeRecorderEngine::drawTextItem(const QPointF&, const QTextItem&) {
    problems << QStringLiteral("text");
}
