#include "themes/BuiltInPictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <array>
#include <mutex>

// The pictures and the program's artwork live in a resource file compiled into a static
// library, which the linker leaves out unless something refers to it.
static void registerPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace {

[[maybe_unused]] const bool registeredAtStart = (registerPictureResources(), true);

constexpr std::array<const char*, BuiltInPictures::slotCount> names = {
    "compilation", "chapter",      "scene", "male-character", "female-character",
    "dialogue",    "plot-outline", "note",  "project-notes",  "research",
    "location",    "timeline",     "idea",
};

int validSlot(int slot) {
    return slot >= 0 && slot < BuiltInPictures::slotCount ? slot : 1;
}

// Drawn for the sharpest screen the program shows on, side points square.
QImage render(const char* name, int side) {
    const qreal ratio = std::clamp(qGuiApp ? qGuiApp->devicePixelRatio() : 1.0, 1.0, 4.0);
    const int pixels = qRound(side * ratio);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/kerfa/pictures/%1.svg").arg(QLatin1String(name)));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, pixels, pixels));
    painter.end();
    image.setDevicePixelRatio(qreal(pixels) / side);
    return image;
}

} // namespace

void BuiltInPictures::registerResources() {
    registerPictureResources();
}

int BuiltInPictures::size(int slot) {
    slot = validSlot(slot);
    return slot <= 1 ? 48 : 32;
}

QImage BuiltInPictures::picture(int slot) {
    static std::mutex mutex;
    static std::array<QImage, slotCount> cache;
    slot = validSlot(slot);
    const std::lock_guard lock(mutex);
    if (cache[slot].isNull())
        cache[slot] = render(names[slot], size(slot));
    return cache[slot];
}

QImage BuiltInPictures::newSheet() {
    static const QImage picture = render("new-sheet", kNewSheetSize);
    return picture;
}
