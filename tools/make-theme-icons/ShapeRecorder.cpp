#include "ShapeRecorder.h"

#include <QPainter>
#include <QSvgRenderer>

ShapeRecorder::ShapeRecorder(QSize size) : size_(size) {}

bool ShapeRecorder::record(const QString& svgPath) {
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        engine_.problems << QStringLiteral("not a readable SVG file");
        return false;
    }
    QPainter painter(this);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size_)));
    painter.end();
    return engine_.problems.isEmpty();
}

QPaintEngine* ShapeRecorder::paintEngine() const {
    return &engine_;
}

int ShapeRecorder::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmWidthMM:
        return qRound(size_.width() * 25.4 / 96);
    case PdmHeightMM:
        return qRound(size_.height() * 25.4 / 96);
    case PdmNumColors:
        return 1 << 24;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}
