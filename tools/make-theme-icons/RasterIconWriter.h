#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>

// Writes rendered pictures as icon files (32-bit with alpha and a mask) and as 24-bit bitmaps
// whose bottom-left pixel gives the transparent colour.
class RasterIconWriter {
public:
    // A bitmap of the picture laid on `ground`, which fills the bitmap's empty pixels and
    // becomes transparent when the picture is shown. A pixel of the picture that comes out
    // exactly in that colour is shifted by one step of blue, so it stays visible.
    static QByteArray bmp(const QImage& picture, const QColor& ground);

    // An icon file with one entry per picture; pictures of 256 pixels are stored as PNG.
    static QByteArray ico(const QList<QImage>& pictures);
};
