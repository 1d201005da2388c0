#include "RasterIconWriter.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>

namespace {

void put16(QByteArray& out, quint16 v) {
    const qsizetype at = out.size();
    out.resize(at + 2);
    qToLittleEndian<quint16>(v, out.data() + at);
}

void put32(QByteArray& out, quint32 v) {
    const qsizetype at = out.size();
    out.resize(at + 4);
    qToLittleEndian<quint32>(v, out.data() + at);
}

void infoHeader(QByteArray& out, int width, int height, int depth, quint32 imageBytes) {
    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(height));
    put16(out, 1);
    put16(out, quint16(depth));
    put32(out, 0);
    put32(out, imageBytes);
    put32(out, 3780);
    put32(out, 3780);
    put32(out, 0);
    put32(out, 0);
}

QByteArray iconEntry(const QImage& picture) {
    if (picture.width() >= 256) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        return png;
    }
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const int w = argb.width();
    const int h = argb.height();
    const int maskStride = (w + 31) / 32 * 4;
    QByteArray out;
    infoHeader(out, w, 2 * h, 32, quint32(w * h * 4 + maskStride * h));
    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            out.append(char(qBlue(line[x])));
            out.append(char(qGreen(line[x])));
            out.append(char(qRed(line[x])));
            out.append(char(qAlpha(line[x])));
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x) {
            if (qAlpha(line[x]) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out += row;
    }
    return out;
}

} // namespace

QByteArray RasterIconWriter::bmp(const QImage& picture, const QColor& ground) {
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(ground);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, picture);
    }
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ground.rgb() & RGB_MASK;
    for (int y = 0; y < flat.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(flat.scanLine(y));
        const auto* alpha = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < flat.width(); ++x) {
            if (qAlpha(alpha[x]) != 0 && (line[x] & RGB_MASK) == key)
                line[x] ^= 0x01;
        }
    }

    const int w = flat.width();
    const int h = flat.height();
    const int stride = (w * 3 + 3) / 4 * 4;
    QByteArray out;
    out.append("BM");
    put32(out, quint32(14 + 40 + stride * h));
    put32(out, 0);
    put32(out, 14 + 40);
    infoHeader(out, w, h, 24, quint32(stride * h));
    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(flat.constScanLine(y));
        QByteArray row;
        for (int x = 0; x < w; ++x) {
            row.append(char(qBlue(line[x])));
            row.append(char(qGreen(line[x])));
            row.append(char(qRed(line[x])));
        }
        row.resize(stride, '\0');
        out += row;
    }
    return out;
}

QByteArray RasterIconWriter::ico(const QList<QImage>& pictures) {
    QList<QByteArray> entries;
    for (const QImage& picture : pictures)
        entries << iconEntry(picture);
    QByteArray out;
    put16(out, 0);
    put16(out, 1);
    put16(out, quint16(pictures.size()));
    quint32 offset = quint32(6 + 16 * pictures.size());
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        const int w = pictures[i].width();
        const int h = pictures[i].height();
        out.append(char(w >= 256 ? 0 : w));
        out.append(char(h >= 256 ? 0 : h));
        out.append('\0');
        out.append('\0');
        put16(out, 1);
        put16(out, 32);
        put32(out, quint32(entries[i].size()));
        put32(out, offset);
        offset += quint32(entries[i].size());
    }
    for (const QByteArray& entry : entries)
        out += entry;
    return out;
}
