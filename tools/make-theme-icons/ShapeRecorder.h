#pragma once

#include "ShapeRecorderEngine.h"

#include <QPaintDevice>
#include <QSize>
#include <QString>

// A paint device of the picture's size that records an SVG drawing as shapes.
class ShapeRecorder : public QPaintDevice {
public:
    explicit ShapeRecorder(QSize size);

    // Renders the SVG file at the recorder's size; false (with the reasons in problems())
    // when the file cannot be read or uses what a metafile cannot carry.
    bool record(const QString& svgPath);

    const QList<Shape>& shapes() const { return engine_.shapes; }
    const QStringList& problems() const { return engine_.problems; }
    QSize size() const { return size_; }

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    mutable ShapeRecorderEngine engine_;
};
