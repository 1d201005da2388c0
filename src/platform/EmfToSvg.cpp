#include "platform/EmfToSvg.h"

#include "platform/PictureLimits.h"

#include <QSizeF>
#include <QtEndian>

#include <emf2svg.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

constexpr qsizetype headerBytes = 88;
constexpr quint32 signature = 0x464D4520;
constexpr int maxRecords = 200000;
constexpr quint32 maxTextChars = 8192;
constexpr quint32 stockObject = 0x80000000;
constexpr quint32 lastStockObject = 0x80000013;

// libemf2svg keeps conversion state in globals of its own.
std::mutex emf2svgMutex;

enum Type : quint32 {
    Header = 1,
    PolyBezier = 2,
    Polygon = 3,
    Polyline = 4,
    PolyBezierTo = 5,
    PolylineTo = 6,
    PolyPolyline = 7,
    PolyPolygon = 8,
    SetWindowExtEx = 9,
    SetWindowOrgEx = 10,
    SetViewportExtEx = 11,
    SetViewportOrgEx = 12,
    SetBrushOrgEx = 13,
    Eof = 14,
    SetPixelV = 15,
    SetMapMode = 17,
    SetBkMode = 18,
    SetPolyFillMode = 19,
    SetRop2 = 20,
    SetStretchBltMode = 21,
    SetTextAlign = 22,
    SetTextColor = 24,
    SetBkColor = 25,
    MoveToEx = 27,
    SaveDc = 33,
    RestoreDc = 34,
    SetWorldTransform = 35,
    ModifyWorldTransform = 36,
    SelectObject = 37,
    CreatePen = 38,
    CreateBrushIndirect = 39,
    DeleteObject = 40,
    Ellipse = 42,
    Rectangle = 43,
    RoundRect = 44,
    Arc = 45,
    Chord = 46,
    Pie = 47,
    LineTo = 54,
    ArcTo = 55,
    SetArcDirection = 57,
    SetMiterLimit = 58,
    BeginPath = 59,
    EndPath = 60,
    CloseFigure = 61,
    FillPath = 62,
    StrokeAndFillPath = 63,
    StrokePath = 64,
    FlattenPath = 65,
    AbortPath = 68,
    StretchDiBits = 81,
    ExtCreateFontIndirectW = 82,
    ExtTextOutW = 84,
    PolyBezier16 = 85,
    Polygon16 = 86,
    Polyline16 = 87,
    PolyBezierTo16 = 88,
    PolylineTo16 = 89,
    PolyPolyline16 = 90,
    PolyPolygon16 = 91,
    ExtCreatePen = 95,
};

quint32 u32(const uchar* p) {
    return qFromLittleEndian<quint32>(p);
}
qint32 s32(const uchar* p) {
    return qFromLittleEndian<qint32>(p);
}
float f32(const uchar* p) {
    const quint32 bits = u32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void put32(QByteArray& bytes, qsizetype at, quint32 value) {
    qToLittleEndian<quint32>(value, bytes.data() + at);
}

enum class Verdict { keep, drop, damaged };

// Rebuilds the record stream. Each kept record is copied in its plain layout with every count
// and offset checked against the record it came from; records the converter cannot be trusted
// with (clipping, raster operations with a source device, palettes, comments) are left out.
class Rebuilder {
public:
    Rebuilder(quint16 handles, double pixelsPerMillimetre)
        : live_(handles, false), pixelsPerMillimetre_(pixelsPerMillimetre) {}

    Verdict take(const uchar* record, quint32 size) {
        record_ = record;
        size_ = size;
        switch (u32(record)) {
        case SetWindowExtEx:
        case SetViewportExtEx: {
            if (size < 16)
                return Verdict::damaged;
            const qint32 x = s32(record + 8);
            const qint32 y = s32(record + 12);
            if (x == 0 || y == 0)
                return Verdict::drop;
            (u32(record) == SetWindowExtEx ? mapping_.window : mapping_.viewport) = QSizeF(x, y);
            return copy(16);
        }
        case SetWindowOrgEx:
        case SetViewportOrgEx:
        case SetBrushOrgEx:
        case MoveToEx:
        case LineTo:
            return size < 16 ? Verdict::damaged : copy(16);
        case SetPixelV:
            return size < 20 ? Verdict::damaged : copy(20);
        case SetMapMode: {
            const Verdict verdict = small(1, 8);
            if (verdict == Verdict::keep)
                mapping_.mode = u32(record + 8);
            return verdict;
        }
        case SetBkMode:
        case SetPolyFillMode:
        case SetArcDirection:
            return small(1, 2);
        case SetRop2:
            return small(1, 16);
        case SetStretchBltMode:
            return small(1, 4);
        case SetTextAlign:
        case SetTextColor:
        case SetBkColor:
        case SetMiterLimit:
            return size < 12 ? Verdict::damaged : copy(12);
        case SaveDc:
            if (saved_.size() >= maxSavedStates)
                return Verdict::drop;
            saved_.push_back(mapping_);
            return copy(8);
        case RestoreDc: {
            if (size < 12)
                return Verdict::damaged;
            const qint32 relative = s32(record + 8);
            if (relative >= 0 || -qint64(relative) > qint64(saved_.size()))
                return Verdict::drop;
            saved_.resize(saved_.size() - std::size_t(-qint64(relative)) + 1);
            mapping_ = saved_.back();
            saved_.pop_back();
            return copy(12);
        }
        case SetWorldTransform:
            return size < 32 ? Verdict::damaged : transform(32);
        case ModifyWorldTransform: {
            if (size < 36)
                return Verdict::damaged;
            const quint32 mode = u32(record + 32);
            return mode < 1 || mode > 4 ? Verdict::drop : transform(36);
        }
        case SelectObject:
            return size < 12 ? Verdict::damaged : select(u32(record + 8));
        case DeleteObject: {
            if (size < 12)
                return Verdict::damaged;
            const quint32 handle = u32(record + 8);
            if (handle == 0 || handle >= live_.size() || !live_[handle])
                return Verdict::drop;
            live_[handle] = false;
            return copy(12);
        }
        case CreatePen:
            return size < 28 ? Verdict::damaged : pen();
        case ExtCreatePen:
            return size < 52 ? Verdict::damaged : extPen();
        case CreateBrushIndirect:
            return size < 24 ? Verdict::damaged : brush();
        case ExtCreateFontIndirectW:
            return size < 104 ? Verdict::damaged : font();
        case Ellipse:
        case Rectangle:
        case FillPath:
        case StrokeAndFillPath:
        case StrokePath:
            return size < 24 ? Verdict::damaged : copy(24);
        case RoundRect:
            return size < 32 ? Verdict::damaged : copy(32);
        case Arc:
        case Chord:
        case Pie:
        case ArcTo:
            return size < 40 ? Verdict::damaged : copy(40);
        case BeginPath:
        case EndPath:
        case CloseFigure:
        case FlattenPath:
        case AbortPath:
            return copy(8);
        case PolyBezier:
        case Polygon:
        case Polyline:
        case PolyBezierTo:
        case PolylineTo:
            return poly(8);
        case PolyBezier16:
        case Polygon16:
        case Polyline16:
        case PolyBezierTo16:
        case PolylineTo16:
            return poly(4);
        case PolyPolyline:
        case PolyPolygon:
            return polyPoly(8);
        case PolyPolyline16:
        case PolyPolygon16:
            return polyPoly(4);
        case ExtTextOutW:
            return text();
        case StretchDiBits:
            return bitmap();
        case Header:
            return Verdict::damaged;
        default:
            return Verdict::drop;
        }
    }

    QByteArray records;
    int count = 0;

private:
    Verdict append(QByteArray piece) {
        while (piece.size() % 4)
            piece.append('\0');
        put32(piece, 4, quint32(piece.size()));
        records += piece;
        ++count;
        return Verdict::keep;
    }

    Verdict copy(quint32 bytes) {
        return append(QByteArray(reinterpret_cast<const char*>(record_), bytes));
    }

    Verdict small(quint32 lowest, quint32 highest) {
        if (size_ < 12)
            return Verdict::damaged;
        const quint32 value = u32(record_ + 8);
        return value < lowest || value > highest ? Verdict::drop : copy(12);
    }

    Verdict transform(quint32 bytes) {
        for (int i = 0; i < 6; ++i) {
            const float value = f32(record_ + 8 + 4 * i);
            if (!std::isfinite(value) || std::abs(value) > 1e6f)
                return Verdict::drop;
        }
        return copy(bytes);
    }

    bool creatable(quint32 handle) const { return handle != 0 && handle < live_.size(); }

    Verdict create(quint32 bytes) {
        const quint32 handle = u32(record_ + 8);
        if (!creatable(handle))
            return Verdict::drop;
        live_[handle] = true;
        return copy(bytes);
    }

    Verdict select(quint32 handle) {
        if (handle & stockObject) {
            if (handle > lastStockObject)
                return Verdict::drop;
        } else if (handle >= live_.size() || !live_[handle]) {
            return Verdict::drop;
        }
        return copy(12);
    }

    // Pen widths are logical units; the converter takes them as device pixels, so they are
    // mapped here with the mapping in force. A pen's own pattern bitmap and dash list are
    // left out; its style, width and colour stay.
    Verdict pen() {
        const quint32 handle = u32(record_ + 8);
        if (!creatable(handle))
            return Verdict::drop;
        const qint32 width = s32(record_ + 16);
        quint32 style = u32(record_ + 12) & 0xFFFF;
        if (width > 0)
            style |= geometric;
        return extendedPen(handle, style, width, u32(record_ + 24), 0, 0);
    }

    Verdict extPen() {
        const quint32 handle = u32(record_ + 8);
        if (!creatable(handle))
            return Verdict::drop;
        const quint32 brushStyle = u32(record_ + 36);
        return extendedPen(handle, u32(record_ + 28), s32(record_ + 32), u32(record_ + 40),
                           brushStyle <= 2 ? brushStyle : 0, u32(record_ + 44));
    }

    Verdict extendedPen(quint32 handle, quint32 style, qint32 width, quint32 colour,
                        quint32 brushStyle, quint32 hatch) {
        if ((style & 0xF) == 7 || (style & 0xF) > 8)
            style &= ~quint32(0xF);
        quint32 pixels = 1;
        if ((style & geometric) && width > 0)
            pixels = quint32(std::clamp(std::lround(width * unitsToPixels()), 1L, 10000L));
        QByteArray piece(52, '\0');
        put32(piece, 0, ExtCreatePen);
        put32(piece, 8, handle);
        put32(piece, 28, style);
        put32(piece, 32, pixels);
        put32(piece, 36, brushStyle);
        put32(piece, 40, colour);
        put32(piece, 44, hatch <= 5 ? hatch : 0);
        live_[handle] = true;
        return append(piece);
    }

    double unitsToPixels() const {
        switch (mapping_.mode) {
        case 2:
            return pixelsPerMillimetre_ * 0.1;
        case 3:
            return pixelsPerMillimetre_ * 0.01;
        case 4:
            return pixelsPerMillimetre_ * 0.254;
        case 5:
            return pixelsPerMillimetre_ * 0.0254;
        case 6:
            return pixelsPerMillimetre_ * 25.4 / 1440;
        case 7:
        case 8:
            return std::abs(mapping_.viewport.width() / mapping_.window.width());
        default:
            return 1;
        }
    }

    Verdict brush() {
        const quint32 handle = u32(record_ + 8);
        if (!creatable(handle))
            return Verdict::drop;
        QByteArray piece(reinterpret_cast<const char*>(record_), 24);
        if (u32(record_ + 12) > 2)
            put32(piece, 12, 0);
        if (u32(record_ + 20) > 5)
            put32(piece, 20, 0);
        live_[handle] = true;
        return append(piece);
    }

    Verdict font() {
        const quint32 handle = u32(record_ + 8);
        const qint32 height = s32(record_ + 12);
        const qint32 width = s32(record_ + 16);
        if (!creatable(handle) || std::abs(qint64(height)) > 100000 ||
            std::abs(qint64(width)) > 100000)
            return Verdict::drop;
        QByteArray piece(reinterpret_cast<const char*>(record_), 104);
        piece[102] = '\0';
        piece[103] = '\0';
        live_[handle] = true;
        return append(piece);
    }

    Verdict poly(quint32 pointBytes) {
        if (size_ < 28)
            return Verdict::damaged;
        const quint64 points = u32(record_ + 24);
        if (points > (size_ - 28) / pointBytes)
            return Verdict::damaged;
        if (points == 0)
            return Verdict::drop;
        return copy(quint32(28 + points * pointBytes));
    }

    Verdict polyPoly(quint32 pointBytes) {
        if (size_ < 32)
            return Verdict::damaged;
        const quint64 polys = u32(record_ + 24);
        const quint64 points = u32(record_ + 28);
        if (polys > (size_ - 32) / 4 || points > (size_ - 32 - 4 * polys) / pointBytes)
            return Verdict::damaged;
        quint64 sum = 0;
        for (quint64 i = 0; i < polys; ++i) {
            const quint32 n = u32(record_ + 32 + 4 * i);
            if (n == 0)
                return Verdict::drop;
            sum += n;
        }
        if (sum != points)
            return Verdict::damaged;
        if (polys == 0)
            return Verdict::drop;
        return copy(quint32(32 + 4 * polys + pointBytes * points));
    }

    // The string and the spacing array are placed right after the fixed part; glyph-index
    // text cannot be shown without the font that made it.
    Verdict text() {
        constexpr quint32 fixed = 76;
        constexpr quint32 glyphIndex = 0x10;
        constexpr quint32 pairs = 0x2000;
        if (size_ < fixed)
            return Verdict::damaged;
        const quint32 chars = u32(record_ + 44);
        const quint32 stringAt = u32(record_ + 48);
        quint32 options = u32(record_ + 52);
        const quint32 spacingAt = u32(record_ + 72);
        const quint64 spacingBytes = quint64(chars) * ((options & pairs) ? 8 : 4);
        if (stringAt < fixed || quint64(stringAt) + 2 * quint64(chars) > size_)
            return Verdict::damaged;
        if (spacingAt != 0 && (spacingAt < fixed || spacingAt + spacingBytes > size_))
            return Verdict::damaged;
        if (chars == 0 || chars > maxTextChars || (options & glyphIndex))
            return Verdict::drop;
        options &= ~pairs;
        const quint32 stringBytes = (2 * chars + 3) & ~3u;
        QByteArray piece(reinterpret_cast<const char*>(record_), fixed);
        put32(piece, 48, fixed);
        put32(piece, 52, options);
        put32(piece, 72, fixed + stringBytes);
        QByteArray string(reinterpret_cast<const char*>(record_ + stringAt), 2 * chars);
        string.resize(stringBytes, '\0');
        piece += string;
        for (quint32 i = 0; i < chars; ++i) {
            qint32 advance = 0;
            if (spacingAt != 0)
                advance = s32(record_ + spacingAt + i * ((u32(record_ + 52) & pairs) ? 8 : 4));
            const qsizetype at = piece.size();
            piece.resize(at + 4);
            put32(piece, at, quint32(std::clamp<qint32>(advance, -100000, 100000)));
        }
        return append(piece);
    }

    // Uncompressed bitmaps with their own colours only, the source rectangle inside the bitmap.
    Verdict bitmap() {
        constexpr quint32 fixed = 80;
        if (size_ < fixed)
            return Verdict::damaged;
        const quint32 infoAt = u32(record_ + 48);
        const quint32 infoBytes = u32(record_ + 52);
        const quint32 bitsAt = u32(record_ + 56);
        const quint32 bitsBytes = u32(record_ + 60);
        if (infoAt < fixed || infoBytes < 40 || quint64(infoAt) + infoBytes > size_ ||
            bitsAt < fixed || quint64(bitsAt) + bitsBytes > size_)
            return Verdict::damaged;
        if (u32(record_ + 64) != 0)
            return Verdict::drop;
        const uchar* info = record_ + infoAt;
        const quint32 infoSize = u32(info);
        const qint32 width = s32(info + 4);
        const qint32 height = s32(info + 8);
        const quint32 planes = qFromLittleEndian<quint16>(info + 12);
        const quint32 depth = qFromLittleEndian<quint16>(info + 14);
        const quint32 compression = u32(info + 16);
        const quint32 used = u32(info + 32);
        if (infoSize < 40 || infoSize > infoBytes)
            return Verdict::damaged;
        const qint64 rows = std::abs(qint64(height));
        if (width <= 0 || rows == 0 || width > kerfa::pictureLimits::maxSide ||
            rows > kerfa::pictureLimits::maxSide || planes != 1)
            return Verdict::drop;
        if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
            return Verdict::drop;
        const bool masks = compression == 3 && (depth == 16 || depth == 32);
        if (compression != 0 && !masks)
            return Verdict::drop;
        quint64 colours = 0;
        if (depth <= 8) {
            colours = used ? used : 1u << depth;
            if (colours > (1u << depth))
                return Verdict::damaged;
        }
        const quint64 tableAt = masks ? 52 : 40;
        if (infoSize > 40 && masks && infoSize < 52)
            return Verdict::damaged;
        if (infoSize + (masks && infoSize == 40 ? 12 : 0) + 4 * colours > infoBytes)
            return Verdict::damaged;
        const quint64 stride = (quint64(width) * depth + 31) / 32 * 4;
        if (stride * rows > bitsBytes)
            return Verdict::damaged;

        const qint32 xSrc = s32(record_ + 32);
        const qint32 ySrc = s32(record_ + 36);
        const qint32 cxSrc = s32(record_ + 40);
        const qint32 cySrc = s32(record_ + 44);
        if (xSrc < 0 || ySrc < 0 || cxSrc <= 0 || cySrc <= 0 || qint64(xSrc) + cxSrc > width ||
            qint64(ySrc) + cySrc > rows)
            return Verdict::drop;

        const quint32 headerPart = quint32(tableAt + 4 * colours);
        QByteArray header(reinterpret_cast<const char*>(info), 40);
        put32(header, 0, 40);
        put32(header, 16, masks ? 3 : 0);
        put32(header, 20, quint32(stride * rows));
        put32(header, 32, quint32(colours));
        put32(header, 36, 0);
        if (masks)
            header.append(reinterpret_cast<const char*>(info + 40), 12);
        header.append(
            reinterpret_cast<const char*>(info + infoSize + (masks && infoSize == 40 ? 12 : 0)),
            qsizetype(4 * colours));
        QByteArray piece(reinterpret_cast<const char*>(record_), fixed);
        put32(piece, 48, fixed);
        put32(piece, 52, headerPart);
        put32(piece, 56, fixed + headerPart);
        put32(piece, 60, quint32(stride * rows));
        piece += header;
        piece.append(reinterpret_cast<const char*>(record_ + bitsAt), qsizetype(stride * rows));
        return append(piece);
    }

    struct Mapping {
        quint32 mode = 1;
        QSizeF window{1, 1};
        QSizeF viewport{1, 1};
    };
    static constexpr std::size_t maxSavedStates = 1024;
    static constexpr quint32 geometric = 0x10000;

    std::vector<bool> live_;
    double pixelsPerMillimetre_;
    Mapping mapping_;
    std::vector<Mapping> saved_;
    const uchar* record_ = nullptr;
    quint32 size_ = 0;
};

struct Frame {
    QSize size;
    qint32 bounds[4];
    double pixelsPerMillimetre;
};

// The picture's size comes from its frame (hundredths of a millimetre) at 96 pixels per inch.
// The converter maps the header's bounds onto the picture, so the bounds are recomputed from
// the frame in the reference device's pixels.
std::optional<Frame> frameOf(const uchar* header) {
    const qint64 left = s32(header + 24);
    const qint64 top = s32(header + 28);
    const qint64 right = s32(header + 32);
    const qint64 bottom = s32(header + 36);
    qint64 devWidth = s32(header + 72);
    qint64 devHeight = s32(header + 76);
    qint64 mmWidth = s32(header + 80);
    qint64 mmHeight = s32(header + 84);
    auto plausible = [](qint64 v) {
        return v > 0 && v <= 1000000;
    };
    if (!plausible(devWidth) || !plausible(devHeight) || !plausible(mmWidth) ||
        !plausible(mmHeight)) {
        devWidth = 1920;
        devHeight = 1080;
        mmWidth = 508;
        mmHeight = 286;
    }
    Frame frame{};
    frame.pixelsPerMillimetre = double(devWidth) / double(mmWidth);
    if (right > left && bottom > top) {
        frame.size = QSize(int(std::min<qint64>(qRound64((right - left) * 96.0 / 2540), INT_MAX)),
                           int(std::min<qint64>(qRound64((bottom - top) * 96.0 / 2540), INT_MAX)));
        const double x = double(devWidth) / (mmWidth * 100.0);
        const double y = double(devHeight) / (mmHeight * 100.0);
        auto pixels = [](double v) {
            return qint32(std::clamp(std::round(v), -1e9, 1e9));
        };
        frame.bounds[0] = pixels(left * x);
        frame.bounds[1] = pixels(top * y);
        frame.bounds[2] = pixels(right * x);
        frame.bounds[3] = pixels(bottom * y);
    } else {
        for (int i = 0; i < 4; ++i)
            frame.bounds[i] = s32(header + 8 + 4 * i);
        const qint64 width = qint64(frame.bounds[2]) - frame.bounds[0] + 1;
        const qint64 height = qint64(frame.bounds[3]) - frame.bounds[1] + 1;
        if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX)
            return {};
        // The frame is inclusive, the bounds kept here are not: a frame that ends at the largest
        // coordinate has no right or bottom edge that can be written down.
        const qint64 right = qint64(frame.bounds[0]) + width;
        const qint64 bottom = qint64(frame.bounds[1]) + height;
        if (right > INT_MAX || bottom > INT_MAX)
            return {};
        frame.size = QSize(int(width), int(height));
        frame.bounds[2] = qint32(right);
        frame.bounds[3] = qint32(bottom);
    }
    if (!kerfa::pictureLimits::acceptable(frame.size))
        return {};
    return frame;
}

} // namespace

std::optional<QByteArray> EmfToSvg::sanitize(QByteArrayView file) {
    if (file.size() < headerBytes || file.size() > kerfa::pictureLimits::maxMetafileBytes)
        return {};
    const auto* data = reinterpret_cast<const uchar*>(file.data());
    const quint32 headerSize = u32(data + 4);
    if (u32(data) != Header || u32(data + 40) != signature || headerSize < headerBytes ||
        headerSize % 4 || headerSize > quint64(file.size()))
        return {};
    const std::optional<Frame> frame = frameOf(data);
    if (!frame)
        return {};
    const quint16 handles = qFromLittleEndian<quint16>(data + 56);
    if (handles == 0)
        return {};

    Rebuilder rebuilder(handles, frame->pixelsPerMillimetre);
    qsizetype at = headerSize;
    for (;;) {
        if (file.size() - at < 8)
            return {};
        const quint32 type = u32(data + at);
        const quint32 size = u32(data + at + 4);
        if (size < 8 || size % 4 || size > quint64(file.size() - at))
            return {};
        if (type == Eof)
            break;
        if (rebuilder.take(data + at, size) == Verdict::damaged || rebuilder.count >= maxRecords)
            return {};
        at += size;
    }

    QByteArray eof(20, '\0');
    put32(eof, 0, Eof);
    put32(eof, 4, 20);
    put32(eof, 12, 16);
    put32(eof, 16, 20);

    QByteArray out(reinterpret_cast<const char*>(data), headerBytes);
    put32(out, 4, headerBytes);
    for (int i = 0; i < 4; ++i)
        put32(out, 8 + 4 * i, quint32(frame->bounds[i]));
    put32(out, 48, quint32(headerBytes + rebuilder.records.size() + eof.size()));
    put32(out, 52, quint32(rebuilder.count + 2));
    qToLittleEndian<quint16>(0, out.data() + 58);
    put32(out, 60, 0);
    put32(out, 64, 0);
    put32(out, 68, 0);
    out += rebuilder.records;
    out += eof;
    return out;
}

std::optional<EmfToSvg::Picture> EmfToSvg::convert(QByteArrayView file) {
    std::optional<QByteArray> clean = sanitize(file);
    if (!clean)
        return {};
    const auto* data = reinterpret_cast<const uchar*>(file.data());
    const QSize size = frameOf(data)->size;

    char nameSpace[] = "";
    generatorOptions options{};
    options.nameSpace = nameSpace;
    options.verbose = false;
    options.emfplus = false;
    options.svgDelimiter = true;
    options.imgWidth = size.width();
    options.imgHeight = size.height();

    char* out = nullptr;
    size_t length = 0;
    int result = 0;
    {
        const std::lock_guard lock(emf2svgMutex);
        result = emf2svg(clean->data(), size_t(clean->size()), &out, &length, &options);
    }
    QByteArray svg;
    if (out && result && length <= size_t(kerfa::pictureLimits::maxSvgBytes))
        svg = QByteArray(out, qsizetype(length));
    std::free(out);
    if (svg.isEmpty())
        return {};
    return Picture{std::move(svg), size};
}
