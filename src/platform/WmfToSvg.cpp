#include "platform/WmfToSvg.h"

#include "common/Cp1252.h"
#include "platform/PictureLimits.h"

#include <QBuffer>
#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <QtEndian>

#include <libwmf/api.h>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr quint32 placeableKey = 0x9AC6CDD7;
constexpr qsizetype placeableBytes = 22;
constexpr qsizetype headerBytes = 18;
// Wider than any picture; the SVG renderer refuses pens beyond a few million pixels.
constexpr double maxPenWidth = 2.0 * kerfa::pictureLimits::maxSide;

// libwmf keeps the metafile's state in the API object, but its player and allocator lists are
// not written for concurrent use; pictures are loaded one at a time.
std::mutex libwmfMutex;

quint16 u16(const uchar* p) {
    return qFromLittleEndian<quint16>(p);
}
qint16 s16(const uchar* p) {
    return qFromLittleEndian<qint16>(p);
}
quint32 u32(const uchar* p) {
    return qFromLittleEndian<quint32>(p);
}

// The metafile's record chain, checked before libwmf sees it: every record lies inside the
// file and the chain ends with the end-of-file record. The header's size fields are rewritten
// from what was found, because libwmf allocates from them.
struct Layout {
    QByteArray bytes;
    bool placeable = false;
    QSize placeableSize;
};

std::optional<Layout> checkLayout(QByteArrayView file) {
    if (file.size() < headerBytes)
        return {};
    const auto* data = reinterpret_cast<const uchar*>(file.data());
    Layout layout;
    qsizetype base = 0;
    if (u32(data) == placeableKey) {
        if (file.size() < placeableBytes + headerBytes)
            return {};
        const int width = s16(data + 10) - s16(data + 6);
        const int height = s16(data + 12) - s16(data + 8);
        const int unitsPerInch = u16(data + 14);
        if (width <= 0 || height <= 0 || unitsPerInch == 0)
            return {};
        layout.placeable = true;
        layout.placeableSize =
            QSize(qRound(width * 96.0 / unitsPerInch), qRound(height * 96.0 / unitsPerInch));
        if (!kerfa::pictureLimits::acceptable(layout.placeableSize))
            return {};
        base = placeableBytes;
    }
    const uchar* header = data + base;
    const quint16 type = u16(header);
    const quint16 version = u16(header + 4);
    if ((type != 1 && type != 2) || u16(header + 2) != 9 ||
        (version != 0x0100 && version != 0x0300))
        return {};

    qsizetype at = base + headerBytes;
    quint32 largest = 0;
    for (;;) {
        if (file.size() - at < 6)
            return {};
        const quint32 words = u32(data + at);
        const quint16 function = u16(data + at + 4);
        if (words < 3 || words > quint32(file.size() - at) / 2)
            return {};
        largest = std::max(largest, words);
        at += qsizetype(words) * 2;
        if (function == 0)
            break;
    }
    layout.bytes = QByteArray(file.data(), at);
    auto* out = reinterpret_cast<uchar*>(layout.bytes.data()) + base;
    qToLittleEndian<quint32>(quint32((at - base) / 2), out + 6);
    qToLittleEndian<quint32>(largest, out + 12);
    return layout;
}

// libwmf's allocations go through this budget, so a header or record that asks for gigabytes
// fails inside libwmf as "out of memory" instead of taking the program down.
struct Budget {
    static constexpr std::size_t limit = 64u << 20;
    std::size_t used = 0;
};

struct alignas(std::max_align_t) Block {
    std::size_t size;
};

void* budgetAlloc(void* context, std::size_t size) {
    auto* budget = static_cast<Budget*>(context);
    if (size > Budget::limit - budget->used)
        return nullptr;
    auto* block = static_cast<Block*>(std::malloc(sizeof(Block) + size));
    if (!block)
        return nullptr;
    block->size = size;
    budget->used += size;
    return block + 1;
}

void budgetFree(void* context, void* memory) {
    if (!memory)
        return;
    auto* block = static_cast<Block*>(memory) - 1;
    static_cast<Budget*>(context)->used -= block->size;
    std::free(block);
}

void* budgetRealloc(void* context, void* memory, std::size_t size) {
    if (!memory)
        return budgetAlloc(context, size);
    auto* budget = static_cast<Budget*>(context);
    auto* block = static_cast<Block*>(memory) - 1;
    const std::size_t old = block->size;
    if (size > old && size - old > Budget::limit - budget->used)
        return nullptr;
    auto* grown = static_cast<Block*>(std::realloc(block, sizeof(Block) + size));
    if (!grown)
        return nullptr;
    budget->used = budget->used - old + size;
    grown->size = size;
    return grown + 1;
}

QByteArray number(double value) {
    if (!std::isfinite(value))
        value = 0;
    return QByteArray::number(std::clamp(value, -1e7, 1e7), 'f', 3);
}

QByteArray colour(const wmfRGB& rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.r, rgb.g, rgb.b);
    return QByteArray(text);
}

// Text of a metafile is in the 8-bit code page; XML wants UTF-8 without control characters.
QByteArray xmlText(const char* text) {
    std::string bytes;
    for (const char* c = text; *c; ++c) {
        if (static_cast<unsigned char>(*c) >= 0x20)
            bytes += *c;
    }
    QByteArray utf8 = QByteArray::fromStdString(kerfa::cp1252::toUtf8(bytes));
    utf8.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
    return utf8;
}

// The drawing device libwmf plays into: each primitive becomes one SVG element, in pixels of
// the finished picture. libwmf hands over coordinates measured from the window origin in
// units of its own choosing (dc->pixel_width per logical unit); the window, as the metafile
// last set it, fills the picture. Without a window the scanned drawing fills it.
struct SvgDevice {
    QByteArray body;
    bool overflow = false;
    std::vector<std::unique_ptr<QImage>> bitmaps;
    QSize size;
    QPointF fallbackOrigin;
    QSizeF fallbackScale;
    QPointF origin;
    double scaleX = 1;
    double scaleY = 1;

    // The bitmap behind a pointer libwmf hands back, when it is one of ours: a brush that a
    // damaged record declared as a pattern may carry any value there.
    const QImage* bitmap(const void* data) const {
        for (const auto& image : bitmaps)
            if (image.get() == data)
                return image.get();
        return nullptr;
    }

    static SvgDevice& of(wmfAPI* api, const wmfDC* dc) {
        auto& device = *static_cast<SvgDevice*>(api->device_data);
        device.use(dc);
        return device;
    }

    void use(const wmfDC* dc) {
        const double width = dc ? dc->Window.width * dc->pixel_width : 0;
        const double height = dc ? dc->Window.height * dc->pixel_height : 0;
        if (std::isfinite(width) && std::isfinite(height) && width != 0 && height != 0) {
            origin = QPointF();
            scaleX = size.width() / width;
            scaleY = size.height() / height;
        } else {
            origin = fallbackOrigin;
            scaleX = fallbackScale.width();
            scaleY = fallbackScale.height();
        }
    }

    void write(const QByteArray& element) {
        if (overflow || body.size() + element.size() > kerfa::pictureLimits::maxSvgBytes) {
            overflow = true;
            return;
        }
        body += element;
    }

    QPointF map(const wmfD_Coord& c) const {
        return {(c.x - origin.x()) * scaleX, (c.y - origin.y()) * scaleY};
    }
    double length(double d) const { return std::abs(d) * (scaleX + scaleY) / 2; }
    QByteArray point(const wmfD_Coord& c) const {
        const QPointF p = map(c);
        return number(p.x()) + ',' + number(p.y());
    }
};

QByteArray stroke(const SvgDevice& device, const wmfDC* dc) {
    const wmfPen* pen = dc->pen;
    if (!pen || (pen->lopnStyle & PS_STYLE_MASK) == PS_NULL)
        return "stroke=\"none\"";
    double width = device.length(pen->width);
    width = std::clamp(width, 1.0, maxPenWidth);
    QByteArray out =
        "stroke=\"" + colour(pen->lopnColor) + "\" stroke-width=\"" + number(width) + '"';
    switch (pen->lopnStyle & PS_STYLE_MASK) {
    case PS_DASH:
        out += " stroke-dasharray=\"" + number(width * 4) + ',' + number(width * 2) + '"';
        break;
    case PS_DOT:
    case PS_ALTERNATE:
        out += " stroke-dasharray=\"" + number(width) + ',' + number(width) + '"';
        break;
    case PS_DASHDOT:
        out += " stroke-dasharray=\"" + number(width * 4) + ',' + number(width * 2) + ',' +
               number(width) + ',' + number(width * 2) + '"';
        break;
    case PS_DASHDOTDOT:
        out += " stroke-dasharray=\"" + number(width * 4) + ',' + number(width * 2) + ',' +
               number(width) + ',' + number(width * 2) + ',' + number(width) + ',' +
               number(width * 2) + '"';
        break;
    default:
        break;
    }
    switch (pen->lopnStyle & PS_ENDCAP_MASK) {
    case PS_ENDCAP_SQUARE:
        out += " stroke-linecap=\"square\"";
        break;
    case PS_ENDCAP_FLAT:
        out += " stroke-linecap=\"butt\"";
        break;
    default:
        out += " stroke-linecap=\"round\"";
        break;
    }
    switch (pen->lopnStyle & PS_JOIN_MASK) {
    case PS_JOIN_BEVEL:
        out += " stroke-linejoin=\"bevel\"";
        break;
    case PS_JOIN_MITER:
        out += " stroke-linejoin=\"miter\"";
        break;
    default:
        out += " stroke-linejoin=\"round\"";
        break;
    }
    return out;
}

wmfRGB averageColour(const QImage& image) {
    const QImage one = image.convertToFormat(QImage::Format_RGB32)
                           .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QRgb rgb = one.isNull() ? qRgb(0x80, 0x80, 0x80) : one.pixel(0, 0);
    return {static_cast<unsigned char>(qRed(rgb)), static_cast<unsigned char>(qGreen(rgb)),
            static_cast<unsigned char>(qBlue(rgb))};
}

// SVG patterns are beyond the renderer, so a hatched brush is shown as a light wash of its
// colour, over the background colour when the background mode is opaque.
QByteArray fill(const SvgDevice& device, const wmfDC* dc) {
    const wmfBrush* brush = dc->brush;
    const QByteArray rule =
        dc->polyfillmode == WINDING ? " fill-rule=\"nonzero\"" : " fill-rule=\"evenodd\"";
    if (!brush || brush->lbStyle == BS_NULL)
        return "fill=\"none\"";
    switch (brush->lbStyle) {
    case BS_HATCHED:
        if (dc->bgmode == OPAQUE) {
            const wmfRGB& a = brush->lbColor;
            const wmfRGB& b = dc->bgcolor;
            const wmfRGB mixed{static_cast<unsigned char>((a.r * 2 + b.r * 3) / 5),
                               static_cast<unsigned char>((a.g * 2 + b.g * 3) / 5),
                               static_cast<unsigned char>((a.b * 2 + b.b * 3) / 5)};
            return "fill=\"" + colour(mixed) + '"' + rule;
        }
        return "fill=\"" + colour(brush->lbColor) + "\" fill-opacity=\"0.4\"" + rule;
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
    case BS_PATTERN8X8:
    case BS_DIBPATTERN8X8:
        if (const QImage* image = device.bitmap(brush->bmp.data))
            return "fill=\"" + colour(averageColour(*image)) + '"' + rule;
        return "fill=\"" + colour(brush->lbColor) + '"' + rule;
    default:
        return "fill=\"" + colour(brush->lbColor) + '"' + rule;
    }
}

QByteArray paint(const SvgDevice& device, const wmfDC* dc) {
    return fill(device, dc) + ' ' + stroke(device, dc);
}

void deviceNothing(wmfAPI*) {}

template <class T> void ignore(wmfAPI*, T*) {}

void drawPixel(wmfAPI* api, wmfDrawPixel_t* pixel) {
    auto& device = SvgDevice::of(api, pixel->dc);
    const QPointF p = device.map(pixel->pt);
    device.write("<rect x=\"" + number(p.x()) + "\" y=\"" + number(p.y()) + "\" width=\"" +
                 number(std::max(1.0, device.length(pixel->pixel_width))) + "\" height=\"" +
                 number(std::max(1.0, device.length(pixel->pixel_height))) + "\" fill=\"" +
                 colour(pixel->color) + "\"/>\n");
}

void drawEllipse(wmfAPI* api, wmfDrawArc_t* arc) {
    auto& device = SvgDevice::of(api, arc->dc);
    const QPointF a = device.map(arc->TL);
    const QPointF b = device.map(arc->BR);
    device.write("<ellipse cx=\"" + number((a.x() + b.x()) / 2) + "\" cy=\"" +
                 number((a.y() + b.y()) / 2) + "\" rx=\"" + number(std::abs(b.x() - a.x()) / 2) +
                 "\" ry=\"" + number(std::abs(b.y() - a.y()) / 2) + "\" " + paint(device, arc->dc) +
                 "/>\n");
}

enum class ArcKind { open, chord, pie };

// Arcs run counter-clockwise on screen from the start ray to the end ray; a start equal to
// the end gives the whole ellipse.
void drawArc(wmfAPI* api, wmfDrawArc_t* arc, ArcKind kind) {
    auto& device = SvgDevice::of(api, arc->dc);
    const QPointF a = device.map(arc->TL);
    const QPointF b = device.map(arc->BR);
    const QPointF centre = (a + b) / 2;
    const double rx = std::abs(b.x() - a.x()) / 2;
    const double ry = std::abs(b.y() - a.y()) / 2;
    if (rx < 1e-6 || ry < 1e-6)
        return;
    auto angle = [&](const wmfD_Coord& c) {
        const QPointF p = device.map(c) - centre;
        return std::atan2(p.y() / ry, p.x() / rx);
    };
    const double from = angle(arc->start);
    const double to = angle(arc->end);
    auto at = [&](double t) {
        return number(centre.x() + rx * std::cos(t)) + ',' + number(centre.y() + ry * std::sin(t));
    };
    double sweep = std::fmod(from - to + 2 * std::numbers::pi, 2 * std::numbers::pi);
    if (sweep < 1e-9)
        sweep = 2 * std::numbers::pi;
    const QByteArray radii = number(rx) + ',' + number(ry);
    QByteArray path = "M" + at(from);
    if (sweep > std::numbers::pi) {
        const double middle = from - sweep / 2;
        path += " A" + radii + " 0 0,0 " + at(middle) + " A" + radii + " 0 0,0 " + at(from - sweep);
    } else {
        path += " A" + radii + " 0 0,0 " + at(from - sweep);
    }
    QByteArray look;
    switch (kind) {
    case ArcKind::open:
        look = "fill=\"none\" " + stroke(device, arc->dc);
        break;
    case ArcKind::chord:
        path += " Z";
        look = paint(device, arc->dc);
        break;
    case ArcKind::pie:
        path += " L" + number(centre.x()) + ',' + number(centre.y()) + " Z";
        look = paint(device, arc->dc);
        break;
    }
    device.write("<path d=\"" + path + "\" " + look + "/>\n");
}

void drawArcOpen(wmfAPI* api, wmfDrawArc_t* arc) {
    drawArc(api, arc, ArcKind::open);
}
void drawChord(wmfAPI* api, wmfDrawArc_t* arc) {
    drawArc(api, arc, ArcKind::chord);
}
void drawPie(wmfAPI* api, wmfDrawArc_t* arc) {
    drawArc(api, arc, ArcKind::pie);
}

void drawLine(wmfAPI* api, wmfDrawLine_t* line) {
    auto& device = SvgDevice::of(api, line->dc);
    const QPointF a = device.map(line->from);
    const QPointF b = device.map(line->to);
    device.write("<line x1=\"" + number(a.x()) + "\" y1=\"" + number(a.y()) + "\" x2=\"" +
                 number(b.x()) + "\" y2=\"" + number(b.y()) + "\" " + stroke(device, line->dc) +
                 "/>\n");
}

QByteArray points(const SvgDevice& device, const wmfD_Coord* pt, unsigned count) {
    QByteArray out;
    for (unsigned i = 0; i < count; ++i) {
        if (i)
            out += ' ';
        out += device.point(pt[i]);
    }
    return out;
}

void polyLine(wmfAPI* api, wmfPolyLine_t* poly) {
    auto& device = SvgDevice::of(api, poly->dc);
    if (!poly->pt || poly->count < 2)
        return;
    device.write("<polyline points=\"" + points(device, poly->pt, poly->count) +
                 "\" fill=\"none\" " + stroke(device, poly->dc) + "/>\n");
}

void drawPolygon(wmfAPI* api, wmfPolyLine_t* poly) {
    auto& device = SvgDevice::of(api, poly->dc);
    if (!poly->pt || poly->count < 2)
        return;
    device.write("<polygon points=\"" + points(device, poly->pt, poly->count) + "\" " +
                 paint(device, poly->dc) + "/>\n");
}

void drawPolyPolygon(wmfAPI* api, wmfPolyPoly_t* poly) {
    auto& device = SvgDevice::of(api, poly->dc);
    if (!poly->pt || !poly->count)
        return;
    QByteArray path;
    for (unsigned i = 0; i < poly->npoly; ++i) {
        if (!poly->pt[i] || poly->count[i] < 2)
            continue;
        path += 'M' + points(device, poly->pt[i], poly->count[i]) + 'Z';
    }
    if (!path.isEmpty())
        device.write("<path d=\"" + path + "\" " + paint(device, poly->dc) + "/>\n");
}

void drawRectangle(wmfAPI* api, wmfDrawRectangle_t* rect) {
    auto& device = SvgDevice::of(api, rect->dc);
    const QPointF a = device.map(rect->TL);
    const QPointF b = device.map(rect->BR);
    QByteArray corners;
    if (rect->width > 0 && rect->height > 0)
        corners = " rx=\"" + number(rect->width * device.scaleX / 2) + "\" ry=\"" +
                  number(rect->height * device.scaleY / 2) + '"';
    device.write("<rect x=\"" + number(std::min(a.x(), b.x())) + "\" y=\"" +
                 number(std::min(a.y(), b.y())) + "\" width=\"" + number(std::abs(b.x() - a.x())) +
                 "\" height=\"" + number(std::abs(b.y() - a.y())) + '"' + corners + ' ' +
                 paint(device, rect->dc) + "/>\n");
}

void writeBox(SvgDevice& device, const QPointF& a, const QPointF& b, const QByteArray& look) {
    device.write("<rect x=\"" + number(std::min(a.x(), b.x())) + "\" y=\"" +
                 number(std::min(a.y(), b.y())) + "\" width=\"" + number(std::abs(b.x() - a.x())) +
                 "\" height=\"" + number(std::abs(b.y() - a.y())) + "\" " + look + "/>\n");
}

// Raster operations that fill without a source bitmap (pattern copy, black, white).
void ropDraw(wmfAPI* api, wmfROP_Draw_t* rop) {
    auto& device = SvgDevice::of(api, rop->dc);
    QByteArray look;
    switch (rop->ROP) {
    case 0x00F00021:
        look = fill(device, rop->dc);
        break;
    case 0x00000042:
        look = "fill=\"#000000\"";
        break;
    case 0x00FF0062:
        look = "fill=\"#ffffff\"";
        break;
    default:
        return;
    }
    writeBox(device, device.map(rop->TL), device.map(rop->BR), look + " stroke=\"none\"");
}

void regionPaint(wmfAPI* api, wmfPolyRectangle_t* region) {
    auto& device = SvgDevice::of(api, region->dc);
    if (!region->TL || !region->BR)
        return;
    for (unsigned i = 0; i < region->count; ++i)
        writeBox(device, device.map(region->TL[i]), device.map(region->BR[i]),
                 fill(device, region->dc) + " stroke=\"none\"");
}

void regionFrame(wmfAPI* api, wmfPolyRectangle_t* region) {
    auto& device = SvgDevice::of(api, region->dc);
    if (!region->TL || !region->BR || !region->dc->brush)
        return;
    const QByteArray look =
        "fill=\"none\" stroke=\"" + colour(region->dc->brush->lbColor) + "\" stroke-width=\"" +
        number(std::clamp(device.length(region->width), 1.0, maxPenWidth)) + '"';
    for (unsigned i = 0; i < region->count; ++i)
        writeBox(device, device.map(region->TL[i]), device.map(region->BR[i]), look);
}

// A device-independent bitmap from a record, decoded by Qt's BMP reader behind a file header.
// The device keeps every bitmap until the picture is finished, whatever libwmf frees.
void bmpRead(wmfAPI* api, wmfBMP_Read_t* read) {
    read->bmp = {0, 0, nullptr};
    if (!read->buffer || read->length < 12)
        return;
    const auto* dib = read->buffer;
    const qsizetype length = read->length;
    const quint32 headerSize = u32(dib);
    qint64 palette = 0;
    if (headerSize == 12) {
        const int bits = u16(dib + 10);
        palette = bits <= 8 ? qint64(3) << bits : 0;
    } else if (headerSize >= 40 && headerSize <= quint32(length)) {
        const int width = qint32(u32(dib + 4));
        const int height = qint32(u32(dib + 8));
        if (width <= 0 || height == 0 || width > kerfa::pictureLimits::maxSide ||
            std::abs(qint64(height)) > kerfa::pictureLimits::maxSide)
            return;
        const int bits = u16(dib + 14);
        const quint32 compression = u32(dib + 16);
        const quint32 used = u32(dib + 32);
        if (bits <= 8)
            palette = 4 * qint64(used ? std::min<quint32>(used, 1u << bits) : 1u << bits);
        else if (used <= 256)
            palette = 4 * qint64(used);
        if (compression == 3 && headerSize == 40)
            palette += 12;
    } else {
        return;
    }
    const qint64 offset = 14 + qint64(headerSize) + palette;
    if (offset > 14 + length)
        return;
    QByteArray file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<quint32>(quint32(14 + length), file.data() + 2);
    qToLittleEndian<quint32>(quint32(offset), file.data() + 10);
    file.append(reinterpret_cast<const char*>(dib), length);
    auto image = std::make_unique<QImage>();
    if (!image->loadFromData(file, "BMP") || !kerfa::pictureLimits::acceptable(image->size()))
        return;
    read->bmp.width = static_cast<U16>(image->width());
    read->bmp.height = static_cast<U16>(image->height());
    read->bmp.data = image.get();
    static_cast<SvgDevice*>(api->device_data)->bitmaps.push_back(std::move(image));
}

void bmpFree(wmfAPI*, wmfBMP* bmp) {
    bmp->data = nullptr;
}

// Source rectangles of a bottom-up bitmap count their rows from the bottom.
void bmpDraw(wmfAPI* api, wmfBMP_Draw_t* draw) {
    auto& device = SvgDevice::of(api, draw->dc);
    const QImage* image = device.bitmap(draw->bmp.data);
    if (!image)
        return;
    const QRect crop(draw->crop.x, image->height() - draw->crop.y - draw->crop.h, draw->crop.w,
                     draw->crop.h);
    const QImage part = image->copy(crop.intersected(image->rect()));
    if (part.isNull())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!part.save(&buffer, "PNG"))
        return;
    QPointF at = device.map(draw->pt);
    double width = draw->crop.w * draw->pixel_width * device.scaleX;
    double height = draw->crop.h * draw->pixel_height * device.scaleY;
    if (!(std::abs(width) >= 0.01 && std::abs(height) >= 0.01))
        return;
    if (width < 0) {
        at.rx() += width;
        width = -width;
    }
    if (height < 0) {
        at.ry() += height;
        height = -height;
    }
    device.write("<image x=\"" + number(at.x()) + "\" y=\"" + number(at.y()) + "\" width=\"" +
                 number(width) + "\" height=\"" + number(height) +
                 "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64," +
                 png.toBase64() + "\"/>\n");
}

void drawText(wmfAPI* api, wmfDrawText_t* text) {
    auto& device = SvgDevice::of(api, text->dc);
    const wmfDC* dc = text->dc;
    if (!text->str || !dc->font)
        return;
    const QByteArray content = xmlText(text->str);
    const double fontSize = device.length(text->font_height);
    if (content.isEmpty() || !(fontSize >= 0.5 && fontSize <= kerfa::pictureLimits::maxSide))
        return;
    if (dc->bgmode == OPAQUE) {
        const QByteArray box = "M" + device.point(text->bbox.TL) + " L" +
                               device.point(text->bbox.TR) + " L" + device.point(text->bbox.BR) +
                               " L" + device.point(text->bbox.BL) + " Z";
        device.write("<path d=\"" + box + "\" fill=\"" + colour(dc->bgcolor) + "\"/>\n");
    }
    const wmfFont* font = dc->font;
    const QPointF at = device.map(text->pt);
    QByteArray family = font->lfFaceName ? xmlText(font->lfFaceName) : QByteArray();
    family.replace('"', "");
    QByteArray element = "<text x=\"" + number(at.x()) + "\" y=\"" + number(at.y()) +
                         "\" font-size=\"" + number(fontSize) + '"';
    if (!family.isEmpty())
        element += " font-family=\"" + family + '"';
    if (font->lfWeight >= 600)
        element += " font-weight=\"bold\"";
    if (font->lfItalic)
        element += " font-style=\"italic\"";
    if (font->lfUnderline || font->lfStrikeOut)
        element += font->lfUnderline ? " text-decoration=\"underline\""
                                     : " text-decoration=\"line-through\"";
    if (font->lfEscapement)
        element += " transform=\"rotate(" + number(-font->lfEscapement / 10.0) + ',' +
                   number(at.x()) + ',' + number(at.y()) + ")\"";
    element +=
        " fill=\"" + colour(dc->textcolor) + "\" xml:space=\"preserve\">" + content + "</text>\n";
    device.write(element);
}

// Text widths for the player's alignment; the font itself is chosen by the SVG renderer.
void mapFont(wmfAPI*, wmfFont*) {}
float stringWidth(wmfAPI*, wmfFont*, char* text) {
    return 0.55f * float(std::strlen(text));
}

void installDevice(wmfAPI* api) {
    auto* functions =
        static_cast<wmfFunctionReference*>(wmf_calloc(api, 1, sizeof(wmfFunctionReference)));
    auto* fonts = static_cast<wmfFontData*>(wmf_calloc(api, 1, sizeof(wmfFontData)));
    if (!functions || !fonts) {
        api->err = wmf_E_InsMem;
        return;
    }
    functions->device_open = deviceNothing;
    functions->device_close = deviceNothing;
    functions->device_begin = deviceNothing;
    functions->device_end = deviceNothing;
    functions->flood_interior = ignore<wmfFlood_t>;
    functions->flood_exterior = ignore<wmfFlood_t>;
    functions->draw_pixel = drawPixel;
    functions->draw_pie = drawPie;
    functions->draw_chord = drawChord;
    functions->draw_arc = drawArcOpen;
    functions->draw_ellipse = drawEllipse;
    functions->draw_line = drawLine;
    functions->poly_line = polyLine;
    functions->draw_polygon = drawPolygon;
    functions->draw_polypolygon = drawPolyPolygon;
    functions->draw_rectangle = drawRectangle;
    functions->rop_draw = ropDraw;
    functions->bmp_draw = bmpDraw;
    functions->bmp_read = bmpRead;
    functions->bmp_free = bmpFree;
    functions->draw_text = drawText;
    functions->udata_init = ignore<wmfUserData_t>;
    functions->udata_copy = ignore<wmfUserData_t>;
    functions->udata_set = ignore<wmfUserData_t>;
    functions->udata_free = ignore<wmfUserData_t>;
    functions->region_frame = regionFrame;
    functions->region_paint = regionPaint;
    functions->region_clip = ignore<wmfPolyRectangle_t>;
    fonts->map = mapFont;
    fonts->stringwidth = stringWidth;
    api->function_reference = functions;
    api->font_data = fonts;
}

// Owns one libwmf session; libwmf reports errors through the API object, never by printing
// (the options below silence it) or by ending the program.
class Session {
public:
    explicit Session(Budget& budget) {
        wmfAPI_Options options{};
        options.context = &budget;
        options.malloc = budgetAlloc;
        options.realloc = budgetRealloc;
        options.free = budgetFree;
        options.function = installDevice;
        const unsigned long flags = WMF_OPT_ALLOC | WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL |
                                    WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_lite_create(&api_, flags, &options) != wmf_E_None || !api_->function_reference)
            close();
    }
    ~Session() { close(); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    wmfAPI* api() const { return api_; }
    bool ok() const { return api_ && api_->err == wmf_E_None; }

private:
    void close() {
        if (api_) {
            wmf_lite_destroy(api_);
            api_ = nullptr;
        }
    }
    wmfAPI* api_ = nullptr;
};

} // namespace

std::optional<WmfToSvg::Picture> WmfToSvg::convert(QByteArrayView file) {
    if (file.size() > kerfa::pictureLimits::maxMetafileBytes)
        return {};
    std::optional<Layout> layout = checkLayout(file);
    if (!layout)
        return {};

    const std::lock_guard lock(libwmfMutex);
    Budget budget;
    SvgDevice device;
    QSize size;
    {
        Session session(budget);
        if (!session.ok())
            return {};
        wmfAPI* api = session.api();
        api->device_data = &device;
        auto* bytes = reinterpret_cast<unsigned char*>(layout->bytes.data());
        if (wmf_mem_open(api, bytes, long(layout->bytes.size())) != wmf_E_None)
            return {};
        wmfD_Rect box{};
        bool played = false;
        if (wmf_scan(api, 0, &box) == wmf_E_None) {
            size = layout->placeableSize;
            if (!layout->placeable) {
                unsigned width = 0;
                unsigned height = 0;
                if (wmf_display_size(api, &width, &height, 96, 96) == wmf_E_None &&
                    width <= unsigned(kerfa::pictureLimits::maxSide) &&
                    height <= unsigned(kerfa::pictureLimits::maxSide))
                    size = QSize(int(width), int(height));
            }
            const double boxWidth = box.BR.x - box.TL.x;
            const double boxHeight = box.BR.y - box.TL.y;
            if (boxWidth > 0 && boxHeight > 0) {
                device.fallbackOrigin = QPointF(box.TL.x, box.TL.y);
                device.fallbackScale = QSizeF(size.width() / boxWidth, size.height() / boxHeight);
            }
            device.size = size;
            if (kerfa::pictureLimits::acceptable(size))
                played = wmf_play(api, 0, &box) == wmf_E_None && session.ok();
        }
        wmf_mem_close(api);
        if (!played || device.overflow)
            return {};
    }

    QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                     "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"" +
                     QByteArray::number(size.width()) + "\" height=\"" +
                     QByteArray::number(size.height()) + "\" viewBox=\"0 0 " +
                     QByteArray::number(size.width()) + ' ' + QByteArray::number(size.height()) +
                     "\">\n" + device.body + "</svg>\n";
    return Picture{std::move(svg), size};
}
