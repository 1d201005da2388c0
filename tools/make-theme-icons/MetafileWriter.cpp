#include "MetafileWriter.h"

#include <QtEndian>

#include <algorithm>
#include <climits>

namespace {

// Pen style bits shared by both formats.
constexpr quint32 penSolid = 0x0;
constexpr quint32 penNull = 0x5;
constexpr quint32 penGeometric = 0x10000;
constexpr quint32 brushSolid = 0;
constexpr quint32 brushNull = 1;
constexpr quint16 fillAlternate = 1;
constexpr quint16 fillWinding = 2;
constexpr quint32 anisotropic = 8;
constexpr quint16 transparentBackground = 1;

class Bytes {
public:
    void u16(quint32 v) { append<quint16>(quint16(v)); }
    void s16(qint32 v) { append<qint16>(qint16(std::clamp(v, -32768, 32767))); }
    void u32(quint32 v) { append<quint32>(v); }
    void s32(qint32 v) { append<qint32>(v); }
    void put32(qsizetype at, quint32 v) { qToLittleEndian<quint32>(v, data.data() + at); }
    void put16(qsizetype at, quint16 v) { qToLittleEndian<quint16>(v, data.data() + at); }
    QByteArray data;

private:
    template <class T> void append(T v) {
        const qsizetype at = data.size();
        data.resize(at + qsizetype(sizeof v));
        qToLittleEndian<T>(v, data.data() + at);
    }
};

quint32 colourRef(const QColor& c) {
    return quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16;
}

quint32 penStyle(const Shape& shape) {
    quint32 style = penSolid;
    switch (shape.cap) {
    case Qt::SquareCap:
        style |= 0x100;
        break;
    case Qt::FlatCap:
        style |= 0x200;
        break;
    default:
        break;
    }
    switch (shape.join) {
    case Qt::BevelJoin:
        style |= 0x1000;
        break;
    case Qt::MiterJoin:
    case Qt::SvgMiterJoin:
        style |= 0x2000;
        break;
    default:
        break;
    }
    return style;
}

QPoint units(const QPointF& p) {
    return {qRound(p.x() * MetafileWriter::unitsPerPixel),
            qRound(p.y() * MetafileWriter::unitsPerPixel)};
}

// One metafile drawing call: a set of polygons drawn with or without the pen and the brush.
struct Draw {
    QList<QPolygon> polygons;
    bool closed;
    bool withPen;
    bool withBrush;
};

// A shape whose subpaths are all closed is drawn in one call with its pen and brush; an open
// one is filled first and then stroked, so the pen does not close its open ends.
QList<Draw> drawsOf(const Shape& shape) {
    QList<QPolygon> polygons;
    for (const QPolygonF& subpath : shape.subpaths) {
        QPolygon polygon;
        for (const QPointF& p : subpath) {
            const QPoint u = units(p);
            if (polygon.isEmpty() || polygon.last() != u)
                polygon << u;
        }
        if (polygon.size() >= 2)
            polygons << polygon;
    }
    if (polygons.isEmpty())
        return {};
    if (shape.closed)
        return {{polygons, true, bool(shape.stroke), bool(shape.fill)}};
    QList<Draw> draws;
    if (shape.fill)
        draws.append({polygons, true, false, true});
    if (shape.stroke)
        draws.append({polygons, false, true, false});
    return draws;
}

// --- Windows metafile ---

void wmfRecord(Bytes& out, quint16 function, const Bytes& params, quint32& largest,
               quint32& count) {
    const quint32 words = 3 + quint32(params.data.size() / 2);
    out.u32(words);
    out.u16(function);
    out.data += params.data;
    largest = std::max(largest, words);
    ++count;
}

} // namespace

QByteArray MetafileWriter::wmf(const QList<Shape>& shapes, QSize size) {
    const int width = size.width() * unitsPerPixel;
    const int height = size.height() * unitsPerPixel;
    Bytes records;
    quint32 largest = 0;
    quint32 count = 0;
    auto record = [&](quint16 function, std::initializer_list<qint32> words) {
        Bytes params;
        for (qint32 w : words)
            params.s16(w);
        wmfRecord(records, function, params, largest, count);
    };

    record(0x0103, {qint32(anisotropic)});
    record(0x020B, {0, 0});
    record(0x020C, {height, width});
    record(0x0102, {transparentBackground});

    for (const Shape& shape : shapes) {
        record(0x0106, {shape.fillRule == Qt::WindingFill ? fillWinding : fillAlternate});
        for (const Draw& draw : drawsOf(shape)) {
            Bytes pen;
            const quint32 stroke = draw.withPen && shape.stroke ? colourRef(*shape.stroke) : 0;
            pen.u16(draw.withPen ? penStyle(shape) : penNull);
            pen.s16(draw.withPen ? std::max(1, qRound(shape.strokeWidth * unitsPerPixel)) : 0);
            pen.s16(0);
            pen.u32(stroke);
            wmfRecord(records, 0x02FA, pen, largest, count);
            Bytes brush;
            brush.u16(draw.withBrush ? brushSolid : brushNull);
            brush.u32(draw.withBrush && shape.fill ? colourRef(*shape.fill) : 0);
            brush.u16(0);
            wmfRecord(records, 0x02FC, brush, largest, count);
            record(0x012D, {0});
            record(0x012D, {1});
            if (!draw.closed) {
                for (const QPolygon& polygon : draw.polygons) {
                    Bytes params;
                    params.s16(qint32(polygon.size()));
                    for (const QPoint& p : polygon) {
                        params.s16(p.x());
                        params.s16(p.y());
                    }
                    wmfRecord(records, 0x0325, params, largest, count);
                }
            } else {
                Bytes params;
                params.u16(quint32(draw.polygons.size()));
                for (const QPolygon& polygon : draw.polygons)
                    params.u16(quint32(polygon.size()));
                for (const QPolygon& polygon : draw.polygons) {
                    for (const QPoint& p : polygon) {
                        params.s16(p.x());
                        params.s16(p.y());
                    }
                }
                wmfRecord(records, 0x0538, params, largest, count);
            }
            record(0x01F0, {0});
            record(0x01F0, {1});
        }
    }
    record(0x0000, {});

    Bytes out;
    out.u32(0x9AC6CDD7);
    out.u16(0);
    out.s16(0);
    out.s16(0);
    out.s16(width);
    out.s16(height);
    out.u16(quint32(96 * unitsPerPixel));
    out.u32(0);
    quint16 checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= qFromLittleEndian<quint16>(out.data.constData() + i);
    out.u16(checksum);
    out.u16(1);
    out.u16(9);
    out.u16(0x0300);
    out.u32(quint32(9 + records.data.size() / 2));
    out.u16(2);
    out.u32(largest);
    out.u16(0);
    out.data += records.data;
    return out.data;
}

// --- Enhanced metafile ---

namespace {

class EmfRecords {
public:
    void add(quint32 type, const Bytes& params) {
        Bytes r;
        r.u32(type);
        r.u32(quint32(8 + params.data.size()));
        out.data += r.data + params.data;
        ++count;
    }
    void add(quint32 type, std::initializer_list<qint32> values) {
        Bytes params;
        for (qint32 v : values)
            params.s32(v);
        add(type, params);
    }
    Bytes out;
    quint32 count = 0;
};

// Bounds of a drawing call in device pixels, inclusive.
void bounds(Bytes& params, const QList<QPolygon>& polygons) {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const QPolygon& polygon : polygons) {
        for (const QPoint& p : polygon) {
            left = std::min(left, p.x());
            top = std::min(top, p.y());
            right = std::max(right, p.x());
            bottom = std::max(bottom, p.y());
        }
    }
    params.s32(left / MetafileWriter::unitsPerPixel);
    params.s32(top / MetafileWriter::unitsPerPixel);
    params.s32((right + MetafileWriter::unitsPerPixel - 1) / MetafileWriter::unitsPerPixel);
    params.s32((bottom + MetafileWriter::unitsPerPixel - 1) / MetafileWriter::unitsPerPixel);
}

constexpr qint32 stockWhiteBrush = qint32(0x80000000);
constexpr qint32 stockNullBrush = qint32(0x80000005);
constexpr qint32 stockBlackPen = qint32(0x80000007);
constexpr qint32 stockNullPen = qint32(0x80000008);

} // namespace

QByteArray MetafileWriter::emf(const QList<Shape>& shapes, QSize size) {
    EmfRecords records;
    records.add(17, {qint32(anisotropic)});
    records.add(9, {size.width() * unitsPerPixel, size.height() * unitsPerPixel});
    records.add(10, {0, 0});
    records.add(11, {size.width(), size.height()});
    records.add(12, {0, 0});
    records.add(18, {transparentBackground});

    for (const Shape& shape : shapes) {
        records.add(19, {shape.fillRule == Qt::WindingFill ? fillWinding : fillAlternate});
        for (const Draw& draw : drawsOf(shape)) {
            if (draw.withPen) {
                Bytes pen;
                pen.u32(1);
                for (int i = 0; i < 4; ++i)
                    pen.u32(0);
                pen.u32(penGeometric | penStyle(shape));
                pen.u32(quint32(std::max(1, qRound(shape.strokeWidth * unitsPerPixel))));
                pen.u32(brushSolid);
                pen.u32(colourRef(*shape.stroke));
                pen.u32(0);
                pen.u32(0);
                records.add(95, pen);
                records.add(37, {1});
            } else {
                records.add(37, {stockNullPen});
            }
            if (draw.withBrush) {
                records.add(39, {2, qint32(brushSolid), qint32(colourRef(*shape.fill)), 0});
                records.add(37, {2});
            } else {
                records.add(37, {stockNullBrush});
            }
            if (!draw.closed) {
                for (const QPolygon& polygon : draw.polygons) {
                    Bytes params;
                    bounds(params, {polygon});
                    params.u32(quint32(polygon.size()));
                    for (const QPoint& p : polygon) {
                        params.s16(p.x());
                        params.s16(p.y());
                    }
                    records.add(87, params);
                }
            } else {
                Bytes params;
                bounds(params, draw.polygons);
                params.u32(quint32(draw.polygons.size()));
                quint32 points = 0;
                for (const QPolygon& polygon : draw.polygons)
                    points += quint32(polygon.size());
                params.u32(points);
                for (const QPolygon& polygon : draw.polygons)
                    params.u32(quint32(polygon.size()));
                for (const QPolygon& polygon : draw.polygons) {
                    for (const QPoint& p : polygon) {
                        params.s16(p.x());
                        params.s16(p.y());
                    }
                }
                if (params.data.size() % 4)
                    params.u16(0);
                records.add(91, params);
            }
            records.add(37, {stockBlackPen});
            records.add(37, {stockWhiteBrush});
            if (draw.withPen)
                records.add(40, {1});
            if (draw.withBrush)
                records.add(40, {2});
        }
    }
    Bytes eof;
    eof.u32(0);
    eof.u32(16);
    eof.u32(20);
    records.add(14, eof);

    const qint32 frameWidth = qRound(size.width() * 2540.0 / 96);
    const qint32 frameHeight = qRound(size.height() * 2540.0 / 96);
    // The header carries the usual description: the program's name and the picture's.
    QByteArray description;
    for (QChar c :
         QStringLiteral("Kerfa") + QChar(0) + QStringLiteral("Theme icon") + QChar(0) + QChar(0)) {
        description.append(char(c.unicode() & 0xFF));
        description.append(char(c.unicode() >> 8));
    }
    while (description.size() % 4)
        description.append('\0');
    const quint32 headerSize = quint32(108 + description.size());

    Bytes header;
    header.u32(1);
    header.u32(headerSize);
    for (qint32 v : {0, 0, size.width() - 1, size.height() - 1, 0, 0, frameWidth, frameHeight})
        header.s32(v);
    header.u32(0x464D4520);
    header.u32(0x10000);
    header.u32(headerSize + quint32(records.out.data.size()));
    header.u32(records.count + 1);
    header.u16(3);
    header.u16(0);
    header.u32(quint32(description.size() / 2));
    header.u32(108);
    header.u32(0);
    for (qint32 v : {1920, 960, 508, 254})
        header.s32(v);
    header.u32(0);
    header.u32(0);
    header.u32(0);
    header.s32(508000);
    header.s32(254000);
    return header.data + description + records.out.data;
}
