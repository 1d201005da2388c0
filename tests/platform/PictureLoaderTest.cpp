#include "platform/PictureLoader.h"
#include "platform/EmfToSvg.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>

#include "support/GuiEnvironment.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sys/stat.h>

namespace {

const QRgb red = qRgb(0xd0, 0x20, 0x20);
const QRgb blue = qRgb(0x20, 0x40, 0xd0);
const QRgb key = qRgb(0xff, 0x00, 0xff);

void append16(QByteArray& out, int v) {
    const qsizetype at = out.size();
    out.resize(at + 2);
    qToLittleEndian<qint16>(qint16(v), out.data() + at);
}

void append32(QByteArray& out, qint64 v) {
    const qsizetype at = out.size();
    out.resize(at + 4);
    qToLittleEndian<quint32>(quint32(v), out.data() + at);
}

// A placeable Windows metafile: 16 units to the pixel, so 512 units make a 32-pixel picture.
struct WmfBuilder {
    QByteArray records;
    quint32 largest = 3;

    WmfBuilder& record(int function, std::initializer_list<int> words) {
        append32(records, 3 + qint64(words.size()));
        append16(records, function);
        for (int w : words)
            append16(records, w);
        largest = std::max<quint32>(largest, 3 + quint32(words.size()));
        return *this;
    }

    WmfBuilder& raw(int function, const QByteArray& params) {
        const qint64 words = 3 + params.size() / 2;
        append32(records, words);
        append16(records, function);
        records += params;
        largest = std::max<quint32>(largest, quint32(words));
        return *this;
    }

    // A red rectangle over the middle half of a 512-unit square window.
    static WmfBuilder square(int mapMode) {
        WmfBuilder wmf;
        if (mapMode)
            wmf.record(0x0103, {mapMode});
        wmf.record(0x020B, {0, 0}).record(0x020C, {512, 512});
        wmf.record(0x02FA, {5, 0, 0, 0, 0}).record(0x012D, {0});
        wmf.record(0x02FC, {0, qRed(red) | qGreen(red) << 8, qBlue(red), 0}).record(0x012D, {1});
        wmf.record(0x041B, {384, 384, 128, 128});
        return wmf;
    }

    QByteArray file(int right = 512, int bottom = 512, int unitsPerInch = 1536,
                    bool end = true) const {
        QByteArray body = records;
        if (end) {
            append32(body, 3);
            append16(body, 0);
        }
        QByteArray out;
        append32(out, 0x9AC6CDD7);
        for (int v : {0, 0, 0, right, bottom, unitsPerInch})
            append16(out, v);
        append32(out, 0);
        quint16 checksum = 0;
        for (int i = 0; i < 20; i += 2)
            checksum ^= qFromLittleEndian<quint16>(out.constData() + i);
        append16(out, checksum);
        for (int v : {1, 9, 0x0300})
            append16(out, v);
        append32(out, 9 + body.size() / 2);
        append16(out, 2);
        append32(out, largest);
        append16(out, 0);
        return out + body;
    }
};

// An enhanced metafile of a 32-pixel picture whose logical units are sixteenths of a pixel.
struct EmfBuilder {
    QByteArray records;
    int count = 0;

    EmfBuilder& record(quint32 type, std::initializer_list<qint64> values) {
        append32(records, type);
        append32(records, 8 + 4 * qint64(values.size()));
        for (qint64 v : values)
            append32(records, v);
        ++count;
        return *this;
    }

    EmfBuilder& raw(const QByteArray& bytes) {
        records += bytes;
        ++count;
        return *this;
    }

    static EmfBuilder mapped() {
        EmfBuilder emf;
        emf.record(17, {8}).record(9, {512, 512}).record(11, {32, 32});
        return emf;
    }

    // A blue rectangle over the middle half of the picture.
    static EmfBuilder square() {
        EmfBuilder emf = mapped();
        emf.record(37, {0x80000008});
        emf.record(39, {1, 0, qRed(blue) | qGreen(blue) << 8 | qBlue(blue) << 16, 0});
        emf.record(37, {1});
        emf.record(43, {128, 128, 384, 384});
        return emf;
    }

    QByteArray file(qint64 frame = 847, bool end = true) const {
        QByteArray body = records;
        if (end) {
            for (qint64 v : {14, 20, 0, 16, 20})
                append32(body, v);
        }
        QByteArray out;
        for (qint64 v : {1, 88, 0, 0, 31, 31, 0, 0})
            append32(out, v);
        append32(out, frame);
        append32(out, frame);
        append32(out, 0x464D4520);
        append32(out, 0x10000);
        append32(out, 88 + body.size());
        append32(out, count + 2);
        append16(out, 4);
        append16(out, 0);
        for (qint64 v : {0, 0, 0, 1920, 960, 508, 254})
            append32(out, v);
        return out + body;
    }
};

QByteArray polyline16(std::initializer_list<int> xy) {
    QByteArray r;
    append32(r, 87);
    append32(r, 28 + 2 * qint64(xy.size()));
    for (int v : {0, 0, 32, 32})
        append32(r, v);
    append32(r, qint64(xy.size() / 2));
    for (int v : xy)
        append16(r, v);
    return r;
}

QByteArray encode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    return writer.write(image) ? bytes : QByteArray();
}

// A 6 x 4 bitmap: key colour at the bottom-left and in one more spot, red elsewhere.
QImage keyed(QImage::Format format) {
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(red);
    image.setPixel(0, 3, key);
    image.setPixel(4, 1, key);
    return format == QImage::Format_Indexed8 ? image.convertToFormat(format, Qt::ThresholdDither)
                                             : image;
}

QImage alphaPicture(int side) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(side / 4, side / 4, side / 2, side / 2, QColor(blue));
    return image;
}

// Several pictures in one icon file, assembled from single-picture files written by Qt.
QByteArray multiIcon(const QList<int>& sides) {
    QList<QByteArray> entries;
    QByteArray directory;
    append16(directory, 0);
    append16(directory, 1);
    append16(directory, int(sides.size()));
    qint64 offset = 6 + 16 * sides.size();
    for (int side : sides) {
        const QByteArray single = encode(alphaPicture(side), "ico");
        directory += single.mid(6, 8);
        const QByteArray data = single.mid(22);
        append32(directory, data.size());
        append32(directory, offset);
        offset += data.size();
        entries << data;
    }
    for (const QByteArray& data : entries)
        directory += data;
    return directory;
}

QByteArray garbage(int bytes, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray out(bytes, Qt::Uninitialized);
    for (char& c : out)
        c = char(random.bounded(256));
    return out;
}

const char* const svgSquare =
    R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="10" viewBox="0 0 20 10">)"
    R"(<rect x="5" y="0" width="10" height="10" fill="#2040d0"/></svg>)";

class PictureLoaderTest : public testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = folder_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir folder_;
};

// For a screen of pixel ratio 2: drawings get twice the pixels and keep their size on the
// screen; bitmaps and icons keep the pixels they have.
struct ScaledCase {
    const char* name;
    std::function<QByteArray()> bytes;
    QSize size;
    qreal ratio;
};

void PrintTo(const ScaledCase& c, std::ostream* os) {
    *os << c.name;
}

class DrawnForTheScreen : public PictureLoaderTest,
                          public testing::WithParamInterface<ScaledCase> {};

TEST_P(DrawnForTheScreen, KeepsItsSizeInPoints) {
    const ScaledCase& c = GetParam();
    const QImage image = PictureLoader::load(write(QString::fromLatin1(c.name), c.bytes()), 2.0);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.devicePixelRatio(), c.ratio);
    EXPECT_EQ(image.size(), (QSizeF(c.size) * c.ratio).toSize());
    EXPECT_EQ(image.deviceIndependentSize(), QSizeF(c.size));
    EXPECT_EQ(PictureLoader::load(write(QString::fromLatin1(c.name), c.bytes())).size(), c.size);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DrawnForTheScreen,
    testing::Values(
        ScaledCase{"drawing.svg", [] { return QByteArray(svgSquare); }, {20, 10}, 2.0},
        ScaledCase{"metafile.wmf", [] { return WmfBuilder::square(0).file(); }, {32, 32}, 2.0},
        ScaledCase{"enhanced.emf", [] { return EmfBuilder::square().file(); }, {32, 32}, 2.0},
        ScaledCase{
            "bitmap.bmp", [] { return encode(keyed(QImage::Format_RGB32), "bmp"); }, {6, 4}, 1.0},
        ScaledCase{"icon.ico", [] { return encode(alphaPicture(32), "ico"); }, {32, 32}, 1.0}),
    [](const testing::TestParamInfo<ScaledCase>& info) {
        return QFileInfo(QString::fromLatin1(info.param.name)).suffix().toStdString();
    });

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 24 && std::abs(qGreen(a) - qGreen(b)) < 24 &&
           std::abs(qBlue(a) - qBlue(b)) < 24;
}

struct FormatCase {
    const char* name;
    std::function<QByteArray()> bytes;
    QSize size;
    QPoint inked;
    QRgb colour;
    QPoint clear; // a pixel that must come out transparent; (-1, -1) for none
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadsEachFormat : public PictureLoaderTest, public testing::WithParamInterface<FormatCase> {};

TEST_P(ReadsEachFormat, AtItsOwnSizeAsPremultipliedArgb) {
    const FormatCase& c = GetParam();
    const QByteArray bytes = c.bytes();
    ASSERT_FALSE(bytes.isEmpty());
    const QImage image = PictureLoader::load(write(QString::fromLatin1(c.name), bytes));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), c.size);
    EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
    const QRgb inked = image.pixel(c.inked);
    EXPECT_EQ(qAlpha(inked), 255);
    EXPECT_TRUE(near(inked, c.colour)) << std::hex << inked;
    if (c.clear.x() >= 0) {
        EXPECT_EQ(qAlpha(image.pixel(c.clear)), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ReadsEachFormat,
    testing::Values(
        FormatCase{"true-colour.bmp",
                   [] { return encode(keyed(QImage::Format_RGB32), "bmp"); },
                   {6, 4},
                   {2, 2},
                   red,
                   {0, 3}},
        FormatCase{"palette.bmp",
                   [] { return encode(keyed(QImage::Format_Indexed8), "bmp"); },
                   {6, 4},
                   {2, 2},
                   red,
                   {0, 3}},
        FormatCase{"icon.ico",
                   [] { return encode(alphaPicture(32), "ico"); },
                   {32, 32},
                   {16, 16},
                   blue,
                   {1, 1}},
        FormatCase{"picture.png",
                   [] { return encode(alphaPicture(24), "png"); },
                   {24, 24},
                   {12, 12},
                   blue,
                   {1, 22}},
        FormatCase{
            "drawing.svg", [] { return QByteArray(svgSquare); }, {20, 10}, {10, 5}, blue, {2, 5}},
        FormatCase{"metafile.wmf",
                   [] { return WmfBuilder::square(0).file(); },
                   {32, 32},
                   {16, 16},
                   red,
                   {3, 3}},
        FormatCase{"text-mode.wmf",
                   [] { return WmfBuilder::square(1).file(); },
                   {32, 32},
                   {16, 16},
                   red,
                   {3, 3}},
        FormatCase{"scaled-mode.wmf",
                   [] { return WmfBuilder::square(8).file(); },
                   {32, 32},
                   {16, 16},
                   red,
                   {28, 28}},
        FormatCase{"enhanced.emf",
                   [] { return EmfBuilder::square().file(); },
                   {32, 32},
                   {16, 16},
                   blue,
                   {3, 3}},
        FormatCase{"SHOUTING.BMP",
                   [] { return encode(keyed(QImage::Format_RGB32), "bmp"); },
                   {6, 4},
                   {2, 2},
                   red,
                   {0, 3}},
        FormatCase{"Mixed.Ico",
                   [] { return encode(alphaPicture(32), "ico"); },
                   {32, 32},
                   {16, 16},
                   blue,
                   {1, 1}},
        FormatCase{"UPPER.WMF",
                   [] { return WmfBuilder::square(0).file(); },
                   {32, 32},
                   {16, 16},
                   red,
                   {3, 3}},
        FormatCase{"Upper.EmF",
                   [] { return EmfBuilder::square().file(); },
                   {32, 32},
                   {16, 16},
                   blue,
                   {3, 3}}),
    [](const testing::TestParamInfo<FormatCase>& info) {
        return QString::fromLatin1(info.param.name)
            .replace(QRegularExpression("[^A-Za-z0-9]"), "_")
            .toStdString();
    });

TEST_F(PictureLoaderTest, BitmapLosesEveryPixelOfItsBottomLeftColour) {
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_Indexed8}) {
        const QImage image = PictureLoader::load(write("keyed.bmp", encode(keyed(format), "bmp")));
        ASSERT_FALSE(image.isNull());
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const bool isKey = (x == 0 && y == 3) || (x == 4 && y == 1);
                EXPECT_EQ(qAlpha(image.pixel(x, y)), isKey ? 0 : 255) << x << "," << y;
            }
        }
    }
}

// A 2 x 2 bitmap stretched over the whole picture, rows stored bottom-up as usual.
TEST_F(PictureLoaderTest, MetafileBitmapKeepsItsOrientation) {
    QByteArray params;
    append32(params, 0x00CC0020);
    for (int v : {0, 2, 2, 0, 0, 512, 512, 0, 0})
        append16(params, v);
    for (qint64 v : {40, 2, 2})
        append32(params, v);
    append16(params, 1);
    append16(params, 24);
    for (int i = 0; i < 6; ++i)
        append32(params, 0);
    const QByteArray bottomRow = QByteArray::fromHex("2020d0"
                                                     "20d020"
                                                     "0000");
    const QByteArray topRow = QByteArray::fromHex("d04020"
                                                  "ffffff"
                                                  "0000");
    params += bottomRow + topRow;
    WmfBuilder wmf;
    wmf.record(0x020B, {0, 0}).record(0x020C, {512, 512}).raw(0x0F43, params);
    const QImage image = PictureLoader::load(write("bitmap.wmf", wmf.file()));
    ASSERT_EQ(image.size(), QSize(32, 32));
    EXPECT_TRUE(near(image.pixel(8, 8), blue)) << std::hex << image.pixel(8, 8);
    EXPECT_TRUE(near(image.pixel(24, 8), qRgb(255, 255, 255))) << std::hex << image.pixel(24, 8);
    EXPECT_TRUE(near(image.pixel(8, 24), red)) << std::hex << image.pixel(8, 24);
    EXPECT_TRUE(near(image.pixel(24, 24), qRgb(0x20, 0xd0, 0x20)))
        << std::hex << image.pixel(24, 24);
}

TEST_F(PictureLoaderTest, IconTakesTheLargestPictureASheetCanShowWhole) {
    EXPECT_EQ(PictureLoader::load(write("a.ico", multiIcon({16, 64, 32}))).size(), QSize(64, 64));
    EXPECT_EQ(PictureLoader::load(write("b.ico", multiIcon({200, 128}))).size(), QSize(128, 128));
}

// An icon directory claiming 65,535 pictures in a 38-byte file: only the entries the file can hold
// are looked at, so loading it costs nothing and says nothing.
int g_messages = 0;

TEST_F(PictureLoaderTest, IconCountIsBoundedByTheFileSize) {
    QByteArray icon = multiIcon({16, 32}).left(38);
    qToLittleEndian<quint16>(0xFFFF, icon.data() + 4);
    g_messages = 0;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString&) { ++g_messages; });
    const QImage image = PictureLoader::decode(icon, QStringLiteral("ico"));
    qInstallMessageHandler(previous);
    EXPECT_TRUE(image.isNull());
    EXPECT_LE(g_messages, 4);
}

// A 2-pixel pen (32 units at 16 to the pixel) must not reach the converter as 32 pixels.
TEST_F(PictureLoaderTest, EnhancedMetafilePenWidthIsMappedToPixels) {
    EmfBuilder emf = EmfBuilder::mapped();
    emf.record(95, {1, 0, 0, 0, 0, 0x10000 | 0x200, 32, 0, 0x00ff00, 0, 0}).record(37, {1});
    emf.raw(polyline16({64, 256, 448, 256}));
    const QImage image = PictureLoader::load(write("pen.emf", emf.file()));
    ASSERT_FALSE(image.isNull());
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        inked += qAlpha(image.pixel(16, y)) > 128 ? 1 : 0;
    EXPECT_GE(inked, 1);
    EXPECT_LE(inked, 3);

    const std::optional<QByteArray> clean = EmfToSvg::sanitize(emf.file());
    ASSERT_TRUE(clean);
    const int at = int(clean->indexOf(QByteArray::fromHex("5f000000")));
    ASSERT_GE(at, 0);
    EXPECT_EQ(qFromLittleEndian<quint32>(clean->constData() + at + 32), 2u);
}

struct BadCase {
    const char* name;
    std::function<QByteArray()> bytes;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

class BadInputGivesNull : public PictureLoaderTest, public testing::WithParamInterface<BadCase> {};

TEST_P(BadInputGivesNull, WithoutCrashing) {
    const BadCase& c = GetParam();
    EXPECT_TRUE(PictureLoader::load(write(QString::fromLatin1(c.name), c.bytes())).isNull());
}

QByteArray truncated(const QByteArray& bytes, qsizetype keep) {
    return bytes.left(keep);
}

QByteArray bitmapHeader(int width, int height) {
    QByteArray out("BM");
    append32(out, 54);
    append32(out, 0);
    append32(out, 54);
    for (qint64 v : {40, width, height})
        append32(out, v);
    append16(out, 1);
    append16(out, 24);
    for (int i = 0; i < 6; ++i)
        append32(out, 0);
    return out + QByteArray(64, '\x7f');
}

QByteArray withRecordSize(QByteArray file, qsizetype at, qint64 words) {
    qToLittleEndian<quint32>(quint32(words), file.data() + at);
    return file;
}

INSTANTIATE_TEST_SUITE_P(
    Damage, BadInputGivesNull,
    testing::Values(BadCase{"empty.bmp",
                            [] {
                                return QByteArray();
                            }},
                    BadCase{"empty.ico",
                            [] {
                                return QByteArray();
                            }},
                    BadCase{"empty.wmf",
                            [] {
                                return QByteArray();
                            }},
                    BadCase{"empty.emf",
                            [] {
                                return QByteArray();
                            }},
                    // A frame whose bottom edge is the largest coordinate: its exclusive
                    // bound cannot be written down.
                    BadCase{
                        "frame-at-the-limit.emf",
                        [] {
                            return QByteArray::fromHex(
                                "010000009000000000000000000067002f000000ffffff7f0000000000000008"
                                "f6040000f604000020454d4600000100580a0100000600006100000003000000"
                                "9a0000006c03000000120000006c2d001000000700000000000000000008f604"
                                "00007af6ffffffff0300000000000203000000120000006c030000000000000c"
                                "0000007a0000000e0000001400000000000000100014000000");
                        }},
                    BadCase{"half.bmp",
                            [] {
                                return truncated(encode(keyed(QImage::Format_RGB32), "bmp"), 60);
                            }},
                    BadCase{"header-only.bmp",
                            [] {
                                return truncated(encode(keyed(QImage::Format_RGB32), "bmp"), 54);
                            }},
                    BadCase{"half.ico",
                            [] {
                                return truncated(encode(alphaPicture(32), "ico"), 300);
                            }},
                    BadCase{"directory-only.ico",
                            [] {
                                return truncated(encode(alphaPicture(32), "ico"), 22);
                            }},
                    BadCase{"giant.bmp",
                            [] {
                                return bitmapHeader(100000, 100000);
                            }},
                    BadCase{"flat.bmp",
                            [] {
                                return bitmapHeader(0, 5);
                            }},
                    BadCase{"noise.bmp",
                            [] {
                                return garbage(300, 1);
                            }},
                    BadCase{"noise.ico",
                            [] {
                                return garbage(300, 2);
                            }},
                    BadCase{"noise.png",
                            [] {
                                return garbage(300, 3);
                            }},
                    BadCase{"noise.svg",
                            [] {
                                return garbage(300, 4);
                            }},
                    BadCase{"noise.wmf",
                            [] {
                                return garbage(300, 5);
                            }},
                    BadCase{"noise.emf",
                            [] {
                                return garbage(300, 6);
                            }},
                    BadCase{"png-inside.bmp",
                            [] {
                                return encode(alphaPicture(8), "png");
                            }},
                    BadCase{"picture.gif",
                            [] {
                                return encode(alphaPicture(8), "png");
                            }},
                    BadCase{"picture.txt",
                            [] {
                                return encode(keyed(QImage::Format_RGB32), "bmp");
                            }},
                    BadCase{"no-extension",
                            [] {
                                return encode(keyed(QImage::Format_RGB32), "bmp");
                            }},
                    BadCase{"record-past-end.wmf",
                            [] {
                                return withRecordSize(WmfBuilder::square(0).file(), 40, 4000);
                            }},
                    BadCase{"record-too-small.wmf",
                            [] {
                                return withRecordSize(WmfBuilder::square(0).file(), 40, 2);
                            }},
                    BadCase{"no-end-record.wmf",
                            [] {
                                return WmfBuilder::square(0).file(512, 512, 1536, false);
                            }},
                    BadCase{"cut.wmf",
                            [] {
                                return truncated(WmfBuilder::square(0).file(), 70);
                            }},
                    BadCase{"empty-frame.wmf",
                            [] {
                                return WmfBuilder::square(0).file(0, 512);
                            }},
                    BadCase{"no-units.wmf",
                            [] {
                                return WmfBuilder::square(0).file(512, 512, 0);
                            }},
                    BadCase{"huge-frame.wmf",
                            [] {
                                return WmfBuilder::square(0).file(32000, 32000, 1);
                            }},
                    BadCase{"odd-record.emf",
                            [] {
                                return withRecordSize(EmfBuilder::square().file(), 92, 14);
                            }},
                    BadCase{"record-past-end.emf",
                            [] {
                                return withRecordSize(EmfBuilder::square().file(), 92, 4000);
                            }},
                    BadCase{"no-end-record.emf",
                            [] {
                                return EmfBuilder::square().file(847, false);
                            }},
                    BadCase{"cut.emf",
                            [] {
                                return truncated(EmfBuilder::square().file(), 120);
                            }},
                    BadCase{"huge-frame.emf",
                            [] {
                                return EmfBuilder::square().file(1000000000);
                            }},
                    BadCase{"points-past-record.emf",
                            [] {
                                QByteArray line = polyline16({0, 0, 100, 100});
                                qToLittleEndian<quint32>(5000, line.data() + 24);
                                return EmfBuilder::mapped().raw(line).file();
                            }},
                    BadCase{"unsigned.emf",
                            [] {
                                QByteArray file = EmfBuilder::square().file();
                                file[40] = 'X';
                                return file;
                            }}),
    [](const testing::TestParamInfo<BadCase>& info) {
        return QString::fromLatin1(info.param.name)
            .replace(QRegularExpression("[^A-Za-z0-9]"), "_")
            .toStdString();
    });

TEST_F(PictureLoaderTest, MissingFolderAndPipeGiveNull) {
    EXPECT_TRUE(PictureLoader::load(folder_.filePath("absent.bmp")).isNull());
    EXPECT_TRUE(PictureLoader::load(QString()).isNull());
    ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.bmp"));
    EXPECT_TRUE(PictureLoader::load(folder_.filePath("folder.bmp")).isNull());
    // Nobody writes to the pipe: a reader that waited for data would never return.
    const QByteArray pipe = QFile::encodeName(folder_.filePath("pipe.ico"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    EXPECT_TRUE(PictureLoader::load(folder_.filePath("pipe.ico")).isNull());
}

// A metafile whose brush claims a pattern but comes with no bitmap (found by fuzzing): the
// pattern pointer libwmf leaves in such a brush is not a picture and must never be read as one.
TEST_F(PictureLoaderTest, PatternBrushWithoutItsBitmapNeverCrashes) {
    const QString path =
        QStringLiteral(KERFA_SOURCE_DIR "/tests/platform/data/pattern-brush-without-bitmap.wmf");
    ASSERT_TRUE(QFile::exists(path));
    (void)PictureLoader::load(path);
}

// Metafiles with many records damaged one byte at a time either read or give null.
TEST_F(PictureLoaderTest, FlippedBytesInMetafilesNeverCrash) {
    const QByteArray wmf = WmfBuilder::square(8).file();
    const QByteArray emf = EmfBuilder::square().file();
    for (const auto& [original, extension] :
         {std::pair{wmf, QStringLiteral("wmf")}, std::pair{emf, QStringLiteral("emf")}}) {
        for (qsizetype i = 0; i < original.size(); ++i) {
            for (char value : {'\x00', '\xff', '\x80'}) {
                QByteArray damaged = original;
                damaged[i] = value;
                const QImage image = PictureLoader::decode(damaged, extension);
                if (!image.isNull()) {
                    EXPECT_LE(image.width(), 4096);
                }
            }
        }
    }
}

} // namespace
