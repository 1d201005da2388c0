#pragma once

#include "Shape.h"

#include <QByteArray>
#include <QList>
#include <QSize>

// Writes recorded shapes as a placeable Windows metafile or an enhanced metafile of the given
// pixel size. Coordinates are kept in sixteenths of a pixel, so curves stay smooth when the
// picture is played back at its own size.
class MetafileWriter {
public:
    static constexpr int unitsPerPixel = 16;

    static QByteArray wmf(const QList<Shape>& shapes, QSize size);
    static QByteArray emf(const QList<Shape>& shapes, QSize size);
};
