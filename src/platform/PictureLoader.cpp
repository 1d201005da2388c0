#include "platform/PictureLoader.h"

#include "common/FileReader.h"
#include "platform/EmfToSvg.h"
#include "platform/PictureLimits.h"
#include "platform/WmfToSvg.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <algorithm>
#include <optional>

namespace limits = kerfa::pictureLimits;

namespace {

// Some writers leave the alpha bytes of a 32-bit bitmap at zero; such a bitmap has no alpha.
bool hasTransparency(const QImage& image) {
    if (!image.hasAlphaChannel())
        return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    bool translucent = false;
    bool visible = false;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            translucent |= qAlpha(line[x]) != 255;
            visible |= qAlpha(line[x]) != 0;
        }
    }
    return translucent && visible;
}

// Every pixel of the bottom-left pixel's colour becomes transparent.
QImage withoutKeyColour(const QImage& image) {
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = argb.pixel(0, argb.height() - 1) & RGB_MASK;
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if ((line[x] & RGB_MASK) == key)
                line[x] = 0;
        }
    }
    return argb.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Qt draws what it has of a truncated bitmap; a bitmap whose pixel rows do not all fit in the
// file is damaged. Compressed bitmaps end with their own end marker, which Qt checks.
bool bitmapComplete(QByteArrayView bytes) {
    const auto* data = reinterpret_cast<const uchar*>(bytes.data());
    if (bytes.size() < 26 || data[0] != 'B' || data[1] != 'M')
        return false;
    const quint32 pixelsAt = qFromLittleEndian<quint32>(data + 10);
    const quint32 headerSize = qFromLittleEndian<quint32>(data + 14);
    qint64 width = 0;
    qint64 height = 0;
    int depth = 0;
    quint32 compression = 0;
    if (headerSize == 12) {
        width = qFromLittleEndian<quint16>(data + 18);
        height = qFromLittleEndian<quint16>(data + 20);
        depth = qFromLittleEndian<quint16>(data + 24);
    } else if (headerSize >= 40 && bytes.size() >= 14 + 40) {
        width = qFromLittleEndian<qint32>(data + 18);
        height = std::abs(qint64(qFromLittleEndian<qint32>(data + 22)));
        depth = qFromLittleEndian<quint16>(data + 28);
        compression = qFromLittleEndian<quint32>(data + 30);
    } else {
        return false;
    }
    if (compression != 0 && compression != 3)
        return true;
    // Beyond the loader's limits the bitmap is refused anyway, and the sums below would overflow.
    if (width <= 0 || width > kerfa::pictureLimits::maxSide ||
        height > kerfa::pictureLimits::maxSide || depth > 64)
        return false;
    const qint64 stride = (width * depth + 31) / 32 * 4;
    return qint64(pixelsAt) + stride * height <= bytes.size();
}

// The pictures an icon file holds: as many as its directory claims, but no more than the file
// has room for (a 6-byte header, then 16 bytes for each picture), so that a damaged count is
// not walked through picture by picture.
int iconCount(QImageReader& reader, QByteArrayView bytes) {
    const qint64 room = std::max<qint64>(0, (bytes.size() - 6) / 16);
    return int(std::min<qint64>(reader.imageCount(), room));
}

// An icon file may hold several pictures: the largest one a sheet can show whole (up to 100
// pixels) is taken, else the smallest.
int chooseIconEntry(QImageReader& reader, int count) {
    if (count <= 1)
        return 0;
    int best = -1;
    int bestSide = 0;
    int smallest = -1;
    int smallestSide = 0;
    for (int i = 0; i < count; ++i) {
        if (!reader.jumpToImage(i))
            continue;
        const QSize size = reader.size();
        const int side = std::max(size.width(), size.height());
        if (side <= 0)
            continue;
        if (side <= 100 && side > bestSide) {
            best = i;
            bestSide = side;
        }
        if (smallest < 0 || side < smallestSide) {
            smallest = i;
            smallestSide = side;
        }
    }
    return best >= 0 ? best : std::max(smallest, 0);
}

QImage decodeRaster(QByteArrayView bytes, const char* format) {
    QByteArray copy = bytes.toByteArray();
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    if (!reader.canRead())
        return {};
    if (qstrcmp(format, "ico") == 0) {
        const int count = iconCount(reader, bytes);
        if (count < 1 || (count > 1 && !reader.jumpToImage(chooseIconEntry(reader, count))))
            return {};
    }
    const QSize announced = reader.size();
    if (announced.isValid() && !limits::acceptable(announced))
        return {};
    QImage image;
    if (!reader.read(&image) || !limits::acceptable(image.size()))
        return {};
    return image;
}

// Drawn at scale times its size in pixels, and marked so that it keeps its size on the desk.
QImage renderSvg(const QByteArray& svg, QSize size, qreal scale) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    if (!size.isValid())
        size = renderer.defaultSize();
    if (!limits::acceptable(size))
        return {};
    // The size must pass the limits also when drawn for the screen.
    scale = std::clamp(scale, 1.0, 4.0);
    const QSize pixels = (QSizeF(size) * scale).toSize();
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    painter.end();
    image.setDevicePixelRatio(qreal(pixels.width()) / size.width());
    return image;
}

} // namespace

QImage PictureLoader::load(const QString& path, qreal scale) {
    // Opened without blocking and read only when it is a regular file, so that a named pipe or
    // a device that happens to carry a picture's name cannot stall the desk.
    const QByteArray bytes = FileReader::read(path, {.maxBytes = quint64(limits::maxFileBytes)});
    return bytes.isEmpty() ? QImage() : decode(bytes, QFileInfo(path).suffix(), scale);
}

QImage PictureLoader::decode(QByteArrayView bytes, const QString& extension, qreal scale) {
    if (bytes.isEmpty() || bytes.size() > limits::maxFileBytes)
        return {};
    const QString kind = extension.toLower();
    if (kind == u"bmp") {
        if (!bitmapComplete(bytes))
            return {};
        const QImage image = decodeRaster(bytes, "bmp");
        if (image.isNull())
            return {};
        if (hasTransparency(image))
            return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        return withoutKeyColour(image);
    }
    if (kind == u"ico" || kind == u"png") {
        const QImage image = decodeRaster(bytes, kind == u"ico" ? "ico" : "png");
        return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    if (kind == u"svg") {
        if (bytes.size() > limits::maxSvgBytes)
            return {};
        return renderSvg(bytes.toByteArray(), QSize(), scale);
    }
    if (kind == u"wmf") {
        const std::optional<WmfToSvg::Picture> picture = WmfToSvg::convert(bytes);
        return picture ? renderSvg(picture->svg, picture->size, scale) : QImage();
    }
    if (kind == u"emf") {
        const std::optional<EmfToSvg::Picture> picture = EmfToSvg::convert(bytes);
        return picture ? renderSvg(picture->svg, picture->size, scale) : QImage();
    }
    return {};
}
