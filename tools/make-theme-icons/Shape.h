#pragma once

#include <QColor>
#include <QList>
#include <QPolygonF>

#include <optional>

// One drawing operation of an SVG picture, flattened to polygons in picture pixels: what a
// metafile can say with one pen, one brush and one poly-polygon or polyline record.
struct Shape {
    QList<QPolygonF> subpaths;
    bool closed = true;
    std::optional<QColor> fill;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    std::optional<QColor> stroke;
    double strokeWidth = 1;
    Qt::PenCapStyle cap = Qt::RoundCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
};
