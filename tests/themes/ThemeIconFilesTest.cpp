#include "common/IniFile.h"
#include "platform/PictureLoader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include "support/GuiEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const QDir source(QStringLiteral(KERFA_SOURCE_DIR));

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString slotName(int slot) {
    return slot < 0 ? QStringLiteral("Compilation")
                    : QStringLiteral("%1").arg(slot, 2, 10, QChar('0'));
}

class ShippedTheme : public testing::TestWithParam<const char*> {
protected:
    QString path() const { return source.filePath(QStringLiteral("data/Themes/") + GetParam()); }
};

TEST_P(ShippedTheme, IsUtf8WithCrLfLines) {
    const QByteArray bytes = readAll(path());
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_FALSE(QString::fromUtf8(bytes).contains(QChar::ReplacementCharacter));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
}

// Every icon the theme names exists, reads, and is drawn at the size the theme gives it, so a
// sheet shows all of it.
TEST_P(ShippedTheme, IconsReadAtTheirGivenSize) {
    const IniFile ini(path());
    const QString folder = ini.readString(u"Theme", u"IconFolder", QStringLiteral("Book Icons"));
    const QDir icons(source.filePath(QStringLiteral("data/Themes/") + folder));
    ASSERT_TRUE(icons.exists()) << folder.toStdString();
    int named = 0;
    for (int slot = -1; slot < 12; ++slot) {
        const QString file = ini.readString(u"Icons", QStringLiteral("Icon_") + slotName(slot));
        if (file.isEmpty())
            continue;
        ++named;
        const int size = ini.readInteger(u"Icons", QStringLiteral("Size_") + slotName(slot), 48);
        EXPECT_GE(size, 20);
        EXPECT_LE(size, 100);
        const QImage picture = PictureLoader::load(icons.filePath(file));
        ASSERT_FALSE(picture.isNull()) << file.toStdString();
        EXPECT_EQ(picture.size(), QSize(size, size)) << file.toStdString();
        EXPECT_EQ(qAlpha(picture.pixel(0, size - 1)), 0) << file.toStdString();
        EXPECT_EQ(qAlpha(picture.pixel(size / 2, size / 2)), 255) << file.toStdString();
    }
    EXPECT_GE(named, 9);
    EXPECT_EQ(icons.entryList(QDir::Files).size(), named) << "icon files no theme names";
}

TEST_P(ShippedTheme, NamesTypesAndStates) {
    const IniFile ini(path());
    int types = 0;
    for (int i = 0; i < 12; ++i)
        types +=
            ini.readString(u"Types", QStringLiteral("Type_%1").arg(i, 2, 10, QChar('0'))).isEmpty()
                ? 0
                : 1;
    EXPECT_GE(types, 8);
    EXPECT_FALSE(ini.readString(u"States", u"State_00").trimmed().isEmpty());
    EXPECT_FALSE(ini.readString(u"States", u"Description").isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Themes, ShippedTheme, testing::Values("Book.ini", "Screenplay.ini"),
    [](const testing::TestParamInfo<const char*>& info) {
        return QFileInfo(QString::fromLatin1(info.param)).baseName().toStdString();
    });

TEST(FileTypeIcons, ReadAndMatchTheProgramIcon) {
    for (const char* name : {"project.ico", "kerfa.ico"}) {
        const QImage icon =
            PictureLoader::load(source.filePath(QStringLiteral("data/Icons/") + name));
        ASSERT_FALSE(icon.isNull()) << name;
        EXPECT_EQ(icon.size(), QSize(64, 64)) << name;
    }
    EXPECT_EQ(readAll(source.filePath("data/Icons/kerfa-app.svg")),
              readAll(source.filePath("src/themes/pictures/kerfa.svg")));
}

} // namespace
