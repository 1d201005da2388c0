#include "themes/BuiltInPictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>

#include "support/GuiEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Ink {
    int opaque = 0;
    int clear = 0;
};

Ink inkOf(const QImage& image) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            ink.opaque += alpha == 255;
            ink.clear += alpha == 0;
        }
    }
    return ink;
}

class EverySlot : public testing::TestWithParam<int> {};

TEST_P(EverySlot, IsDrawnAtItsSizeOnTransparency) {
    const int slot = GetParam();
    const int side = slot <= 1 ? 48 : 32;
    EXPECT_EQ(BuiltInPictures::size(slot), side);
    const QImage picture = BuiltInPictures::picture(slot);
    ASSERT_EQ(picture.size(), QSize(side, side));
    EXPECT_EQ(picture.format(), QImage::Format_ARGB32_Premultiplied);
    const Ink ink = inkOf(picture);
    EXPECT_GT(ink.opaque, side * side / 8) << "too little drawn";
    EXPECT_GT(ink.clear, side * side / 8) << "no transparent ground";
    EXPECT_EQ(qAlpha(picture.pixel(0, side - 1)), 0);
    EXPECT_EQ(BuiltInPictures::picture(slot).cacheKey(), picture.cacheKey());
}

INSTANTIATE_TEST_SUITE_P(Slots, EverySlot, testing::Range(0, BuiltInPictures::slotCount));

TEST(BuiltInPictures, AreThirteenDifferentPictures) {
    QSet<QByteArray> seen;
    for (int slot = 0; slot < BuiltInPictures::slotCount; ++slot) {
        const QImage picture = BuiltInPictures::picture(slot);
        seen.insert(
            QByteArray(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), BuiltInPictures::slotCount);
}

TEST(BuiltInPictures, UnknownSlotShowsTheMainType) {
    for (int slot : {-1, 13, 255}) {
        EXPECT_EQ(BuiltInPictures::size(slot), 48);
        EXPECT_EQ(BuiltInPictures::picture(slot).cacheKey(),
                  BuiltInPictures::picture(1).cacheKey());
    }
}

struct Artwork {
    const char* path;
    QSize size;
    bool opaque;
};

void PrintTo(const Artwork& art, std::ostream* os) {
    *os << art.path;
}

class ProgramArtwork : public testing::TestWithParam<Artwork> {};

TEST_P(ProgramArtwork, IsInTheResources) {
    BuiltInPictures::registerResources();
    const Artwork& art = GetParam();
    QSvgRenderer renderer(QString::fromLatin1(art.path));
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.defaultSize(), art.size);
    QImage image(art.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    const Ink ink = inkOf(image);
    EXPECT_GT(ink.opaque, 0);
    if (art.opaque) {
        EXPECT_EQ(ink.opaque, art.size.width() * art.size.height());
    } else {
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(art.size.width() - 1, art.size.height() - 1)), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Resources, ProgramArtwork,
                         testing::Values(Artwork{":/kerfa/splash.svg", {420, 260}, false},
                                         Artwork{":/kerfa/about.svg", {280, 160}, true},
                                         Artwork{":/kerfa/kerfa.svg", {256, 256}, false}));

} // namespace
