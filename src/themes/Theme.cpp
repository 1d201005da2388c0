#include "themes/Theme.h"

#include "common/ColourString.h"
#include "common/FileNames.h"
#include "common/IniFile.h"
#include "common/ProgramFolder.h"
#include "platform/PictureLoader.h"
#include "themes/BuiltInPictures.h"

#include <QFile>
#include <QGuiApplication>
#include <sys/stat.h>

namespace {

std::shared_ptr<const SheetColours> coloursOf(const ThemeData& data) {
    return SheetColours::make(data.textColour, data.selectedColour, data.labelTransparent,
                              data.lineColour, data.labelColour, data.editingColour);
}

// Drawings are drawn for the sharpest screen the program shows on.
qreal screenRatio() {
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

} // namespace

Theme::Theme(QObject* parent)
    : QObject(parent), m_data(ThemeData::builtIn()), m_sheetColours(coloursOf(m_data)) {}

QColor Theme::deskColour() const {
    return SheetColours::colour(m_data.background);
}

bool Theme::LoadTheme(const QString& themeFileName) {
    const QString themes = ProgramFolder::sub(QStringLiteral("Themes"));
    const IniFile file(themes + themeFileName);
    ThemeData data = ThemeData::read(file);
    const QString iconFolder = themes + data.iconFolder;

    if (!ColourString::isValid(data.background))
        data.background = QString::fromLatin1(ColourString::kDesk);

    std::array<QString, ThemeData::kSlots> paths;
    QString stamp = stampOf(themes + themeFileName) + QString::number(screenRatio());
    for (int slot = 0; slot < ThemeData::kSlots; ++slot) {
        paths[slot] = FileNames::findFile(iconFolder, data.iconFiles[slot]);
        stamp += u'\n' + stampOf(paths[slot]);
    }
    // The theme in force again, its files unchanged since (a book opened with the default theme
    // as its own): its pictures are not drawn a second time.
    if (m_loaded && stamp == m_stamp) {
        putInForce(data, true);
        return true;
    }

    m_slots.fill(QImage());
    m_stamp.clear();
    for (int slot = 0; slot < ThemeData::kSlots; ++slot) {
        if (paths[slot].isEmpty())
            continue;
        const QImage picture = PictureLoader::load(paths[slot], screenRatio());
        if (picture.isNull()) {
            UseBuiltInTheme();
            return false;
        }
        m_slots[slot] = picture;
        m_slotSizes[slot] = data.iconSizes[slot];
    }
    m_stamp = stamp;
    putInForce(data, true);
    return true;
}

QString Theme::stampOf(const QString& path) {
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    // To the nanosecond, and the file itself: a file saved anew is another file.
    return path + QStringLiteral("|%1|%2|%3|%4.%5")
                      .arg(info.st_dev)
                      .arg(info.st_ino)
                      .arg(info.st_size)
                      .arg(info.st_mtim.tv_sec)
                      .arg(info.st_mtim.tv_nsec);
}

void Theme::UseBuiltInTheme() {
    putInForce(ThemeData::builtIn(), false);
}

void Theme::putInForce(const ThemeData& data, bool loaded) {
    m_data = data;
    m_sheetColours = coloursOf(m_data);
    Q_EMIT stateCaptionsChanged();
    m_loaded = loaded;
    Q_EMIT changed();
}

int Theme::slotFor(int typeCode) {
    return (typeCode >= 0 && typeCode <= ThemeData::kTypes) ? typeCode : 1;
}

QImage Theme::pictureFor(int typeCode) const {
    const int slot = slotFor(typeCode);
    return (m_loaded && !m_slots[slot].isNull()) ? m_slots[slot] : BuiltInPictures::picture(slot);
}

int Theme::sizeFor(int typeCode) const {
    const int slot = slotFor(typeCode);
    return (m_loaded && !m_slots[slot].isNull()) ? m_slotSizes[slot] : BuiltInPictures::size(slot);
}
