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
    // metafiles are drawn on a transparent ground.
    static QImage load(const QString& path);

    // The same for bytes already read; `extension` is given without the dot.
    static QImage decode(QByteArrayView bytes, const QString& extension);
};
