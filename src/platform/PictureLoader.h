#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

// Reads sheet pictures: bitmaps (bmp), icons (ico), metafiles (wmf), enhanced metafiles (emf),
// and also png and svg. The format is chosen by the file's extension alone, in any letter case.
class PictureLoader {
public:
    // The picture at its own size as ARGB32-premultiplied, or a null image when the file is
    // missing, empty, damaged, of another format than its extension says, or absurdly large.
    // A bitmap without alpha loses the colour of its bottom-left pixel to transparency;
    // metafiles are drawn on a transparent ground. Drawings (svg, wmf, emf) are drawn at scale
    // times their size in pixels, for a screen of that pixel ratio, and keep their size on it
    // (QImage::deviceIndependentSize); bitmaps and icons keep the pixels they have.
    static QImage load(const QString& path, qreal scale = 1.0);

    // The same for bytes already read; `extension` is given without the dot.
    static QImage decode(QByteArrayView bytes, const QString& extension, qreal scale = 1.0);
};
