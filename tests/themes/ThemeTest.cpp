#include "themes/Theme.h"
#include "app/MainModel.h"
#include "desk/Desk.h"
#include "desk/DeskTheme.h"
#include "desk/NameLabel.h"
#include "desk/TKerfa.h"
#include "desk/TKerfaLine.h"
#include "support/ProjectFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TestEnvironment.h"
#include "themes/BuiltInPictures.h"

#include <QDir>
#include <QGraphicsScene>
#include <QImage>
#include <QTest>
#include <memory>

class ThemeTest : public QObject {
    Q_OBJECT

    TestEnvironment& m_env;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<MainModel> m_model;

    QString themes() const { return m_env.programFolder() + QStringLiteral("Themes/"); }
    void themeFile(const QString& name, const QByteArray& text) {
        QVERIFY(ProjectFiles::write(themes() + name, text));
    }
    // A square picture of one colour, with a contrasting top-left quarter.
    void bitmap(const QString& path, int size, QColor colour) {
        QImage image(size, size, QImage::Format_RGB32);
        image.fill(colour);
        for (int y = 0; y < size / 2; ++y)
            for (int x = 0; x < size / 2; ++x)
                image.setPixelColor(x, y, Qt::darkBlue);
        image.setPixelColor(0, size - 1, Qt::white);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QVERIFY(image.save(path, "BMP"));
    }
    TKerfa* addSheet(const QString& name, int typeIndex, QPoint at) {
        TKerfa* s = m_model->desk().createSheet();
        s->setPosition(at.x(), at.y());
        s->SetSheetName(name);
        DeskTheme::SetTypeFromIndex(s, typeIndex);
        m_model->deskTheme().ShowTypeLook(s);
        m_model->deskTheme().ShowStateMarker(s);
        return s;
    }
    Theme& theme() { return m_model->theme(); }
    // Puts a theme file in force as a project load or the options do, recording its name.
    void load(const QString& name) { m_model->commands().useTheme(name); }

public:
    explicit ThemeTest(TestEnvironment& env) : m_env(env) {}

private Q_SLOTS:
    void init() {
        QDir(themes()).removeRecursively();
        QDir().mkpath(themes());
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_model = std::make_unique<MainModel>();
        // As the main window starts with an empty Themes folder.
        m_model->SizeWorkspace();
        m_model->commands().useBuiltInTheme();
    }
    void cleanup() {
        m_model.reset();
        QVERIFY(m_boxes->shown.isEmpty());
        m_boxes.reset();
    }

    void namesAndStatesAsWritten() {
        themeFile(QStringLiteral("Names.ini"),
                  "[Types]\r\nType_00=Act\r\nType_03=\r\nType_05=  Beat Sheet  \r\n"
                  "[States]\r\nDescription=&Stage\r\nState_01=  Rewrite  \r\nState_03= Polish \r\n"
                  "[StateMarkers]\r\nMarker_03= [P] \r\n");
        load(QStringLiteral("Names.ini"));
        const ThemeData& d = theme().data();
        QCOMPARE(d.typeNames.size(), 12);
        QCOMPARE(d.typeNames[0], QStringLiteral("Act"));
        QCOMPARE(d.typeNames[1], QStringLiteral("Scene"));
        QCOMPARE(d.typeNames[3], QString());
        QCOMPARE(d.typeNames[5], QStringLiteral("  Beat Sheet  "));
        QCOMPARE(d.typeNames[7], QStringLiteral("Project Notes"));
        QCOMPARE(d.typeNames[8], QString());
        QCOMPARE(d.stateNames, (QStringList{"&Draft", "Rewrite", "&Completed", "Polish", "", ""}));
        QCOMPARE(d.stateMarkers[3], QStringLiteral("[P]"));
        QCOMPARE(d.statesTitle, QStringLiteral("&Stage"));
        QVERIFY(theme().isLoaded());
        QCOMPARE(m_model->project().projectTheme, QStringLiteral("Names.ini"));
    }

    void aMissingThemeFileReadsAsEmpty() {
        load(QStringLiteral("Nowhere.ini"));
        QVERIFY(theme().isLoaded());
        QCOMPARE(theme().data().typeNames[0], QStringLiteral("Chapter"));
        QCOMPARE(m_model->project().projectTheme, QStringLiteral("Nowhere.ini"));
    }

    void colours() {
        themeFile(QStringLiteral("Colours.ini"),
                  "[Theme]\r\nBackground_Colour=E0F0FF\r\nText_Colour=zz\r\nLine_Colour=0000ff\r\n"
                  "Label_Transparent=0\r\nLabel_Colour=CCFFFF\r\n");
        TKerfa* s = addSheet(QStringLiteral("S"), 0, {100, 100});
        load(QStringLiteral("Colours.ini"));
        QCOMPARE(m_model->desk().scene()->backgroundBrush().color(), QColor(0xFF, 0xF0, 0xE0));
        QCOMPARE(s->TextColour(), QStringLiteral("000000"));
        QCOMPARE(s->LineColour(), QStringLiteral("0000ff"));
        QVERIFY(!s->nameLabel()->isTransparent());
        QCOMPARE(s->nameLabel()->background(), QColor(0xFF, 0xFF, 0xCC));

        themeFile(QStringLiteral("Bad.ini"), "[Theme]\r\nBackground_Colour=not a colour\r\n");
        load(QStringLiteral("Bad.ini"));
        QCOMPARE(m_model->desk().scene()->backgroundBrush().color(), QColor(Qt::white));
        QCOMPARE(theme().data().background, QStringLiteral("FFFFFF"));
    }

    void sheetsShareTheColoursOfTheirTheme() {
        themeFile(QStringLiteral("Shared.ini"), "[Theme]\r\nSelected_Colour=00FF00\r\n");
        TKerfa* a = addSheet(QStringLiteral("A"), 0, {100, 100});
        TKerfa* b = addSheet(QStringLiteral("B"), 1, {300, 100});
        load(QStringLiteral("Shared.ini"));
        QCOMPARE(theme().sheetColours()->selectedColour, QColor(Qt::green));
        QVERIFY(&a->SelectedColour() == &b->SelectedColour());
        a->SetSelected(true);
        QCOMPARE(a->nameLabel()->textColour(), QColor(Qt::green));
    }

    void iconSizes_data() {
        QTest::addColumn<QByteArray>("size");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing") << QByteArray() << 48;
        QTest::newRow("10 is too small") << QByteArray("Size_00=10\r\n") << 20;
        QTest::newRow("500 is too large") << QByteArray("Size_00=500\r\n") << 100;
        QTest::newRow("not a number") << QByteArray("Size_00=abc\r\n") << 48;
        QTest::newRow("64") << QByteArray("Size_00=64\r\n") << 64;
    }
    void iconSizes() {
        QFETCH(QByteArray, size);
        QFETCH(int, expected);
        bitmap(themes() + QStringLiteral("Test Icons/chapter.bmp"), 64, Qt::red);
        themeFile(QStringLiteral("Sizes.ini"),
                  "[Theme]\r\nIconFolder=Test Icons\r\n[Icons]\r\nIcon_00=chapter.bmp\r\n" + size);
        TKerfa* s = addSheet(QStringLiteral("Chapter"), 0, {300, 300});
        load(QStringLiteral("Sizes.ini"));
        QCOMPARE(s->width(), expected);
        QCOMPARE(s->height(), expected);
        QCOMPARE(s->picture().size(), QSize(64, 64));
        QCOMPARE(s->picture().pixelColor(1, 1), QColor(Qt::darkBlue));
        // The bitmap's bottom-left colour is left out.
        QCOMPARE(s->picture().pixelColor(0, 63).alpha(), 0);
    }

    void aThemePutInForceAgainIsDrawnAgainOnlyWhenItsFilesChanged() {
        // A book opened with the default theme as its own puts that theme in force a second
        // time; its pictures are drawn once, unless a file changed in between.
        const QString picture = themes() + QStringLiteral("Test Icons/chapter.bmp");
        bitmap(picture, 64, Qt::red);
        themeFile(QStringLiteral("Again.ini"),
                  "[Theme]\r\nIconFolder=Test Icons\r\n[Icons]\r\nIcon_00=chapter.bmp\r\n");
        TKerfa* s = addSheet(QStringLiteral("Chapter"), 0, {300, 300});
        const auto drawing = [&] {
            return s->picture().cacheKey();
        };
        load(QStringLiteral("Again.ini"));
        const qint64 first = drawing();
        load(QStringLiteral("Again.ini"));
        QCOMPARE(drawing(), first);

        // The picture saved anew by a program that replaces files whole, the same size in
        // bytes: read again, and shown.
        bitmap(picture + QStringLiteral(".new"), 64, Qt::green);
        QVERIFY(QFile::remove(picture));
        QVERIFY(QFile::rename(picture + QStringLiteral(".new"), picture));
        load(QStringLiteral("Again.ini"));
        QVERIFY(drawing() != first);
        QCOMPARE(s->picture().pixelColor(40, 40), QColor(Qt::green));

        // After the built-in theme, the theme file is read whole again.
        const qint64 second = drawing();
        m_model->commands().useBuiltInTheme();
        load(QStringLiteral("Again.ini"));
        QVERIFY(drawing() != second);
        QCOMPARE(s->picture().pixelColor(40, 40), QColor(Qt::green));
    }

    void missingIconKeepsTheBuiltInPicture() {
        themeFile(
            QStringLiteral("Missing.ini"),
            "[Icons]\r\nIcon_00=nothing-here.bmp\r\nSize_00=80\r\nIcon_01=\r\nSize_01=90\r\n");
        TKerfa* chapter = addSheet(QStringLiteral("C"), 0, {100, 100});
        TKerfa* scene = addSheet(QStringLiteral("S"), 1, {300, 100});
        load(QStringLiteral("Missing.ini"));
        QVERIFY(theme().isLoaded());
        QCOMPARE(chapter->width(), BuiltInPictures::size(1));
        QCOMPARE(scene->width(), BuiltInPictures::size(2));
        QCOMPARE(chapter->picture(), BuiltInPictures::picture(1));
    }

    void unreadableIconFallsBackToTheBuiltInThemeSilently_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("damaged bitmap")
            << "broken.bmp" << QByteArray("BM\x10\x00\x00\x00garbage", 13);
        QTest::newRow("damaged icon") << "broken.ico" << QByteArray("\x00\x00\x01\x00\xff\xff", 6);
        QTest::newRow("unsupported extension") << "picture.gif" << QByteArray("GIF89a");
        QTest::newRow("damaged metafile")
            << "broken.wmf" << QByteArray("\xd7\xcd\xc6\x9a\x00\x00", 6);
        QTest::newRow("damaged enhanced metafile")
            << "broken.emf" << QByteArray("\x01\x00\x00\x00", 4);
    }
    void unreadableIconFallsBackToTheBuiltInThemeSilently() {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QVERIFY(ProjectFiles::write(themes() + QStringLiteral("Book Icons/") + file, bytes));
        themeFile(QStringLiteral("Damaged.ini"),
                  "[Theme]\r\nBackground_Colour=00FFFF\r\n[Icons]\r\nIcon_03=" + file.toUtf8() +
                      "\r\n[Types]\r\nType_00=Act\r\n");
        m_model->settings().defaultTheme = QStringLiteral("Damaged.ini");
        load(QStringLiteral("Damaged.ini"));
        QVERIFY(!theme().isLoaded());
        QCOMPARE(theme().data().typeNames[0], QStringLiteral("&Chapter"));
        QCOMPARE(m_model->settings().defaultTheme, QStringLiteral("Book.ini"));
        QCOMPARE(m_model->project().projectTheme, QStringLiteral("Book.ini"));
        QCOMPARE(m_model->desk().scene()->backgroundBrush().color(), QColor(Qt::white));
    }

    void shippedThemesLoadWithEveryPictureFormat_data() {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<int>("typeIndex");
        QTest::addColumn<int>("size");
        QTest::newRow("Book, bitmap") << "Book.ini" << 0 << 48;
        QTest::newRow("Book, icon") << "Book.ini" << 2 << 32;
        QTest::newRow("Screenplay, enhanced metafile") << "Screenplay.ini" << -1 << 48;
        QTest::newRow("Screenplay, metafile") << "Screenplay.ini" << 2 << 32;
    }
    void shippedThemesLoadWithEveryPictureFormat() {
        QFETCH(QString, theme);
        QFETCH(int, typeIndex);
        QFETCH(int, size);
        m_env.installFromBuild(QStringLiteral("Themes"));
        TKerfa* s = addSheet(QStringLiteral("S"), typeIndex, {200, 200});
        this->load(theme);
        QVERIFY(this->theme().isLoaded());
        QCOMPARE(s->width(), size);
        const QImage& picture = s->picture();
        QVERIFY(!picture.isNull());
        int drawn = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                drawn += picture.pixelColor(x, y).alpha() > 0 ? 1 : 0;
        QVERIFY2(drawn > size * size / 8, qPrintable(QString::number(drawn)));
    }

    void loadingAThemeRedrawsTheDesk() {
        bitmap(themes() + QStringLiteral("Big Icons/scene.bmp"), 80, Qt::green);
        themeFile(
            QStringLiteral("Big.ini"),
            "[Theme]\r\nIconFolder=Big Icons\r\n[Icons]\r\nIcon_01=scene.bmp\r\nSize_01=80\r\n"
            "[StateMarkers]\r\nMarker_01=[rev]\r\n");
        TKerfa* a = addSheet(QStringLiteral("A"), 1, {100, 100});
        TKerfa* b = addSheet(QStringLiteral("B"), 1, {400, 100});
        a->SetState(1);
        a->SetLinkTo(b);
        b->SetLinkedFrom(a);
        a->PlaceLine();
        QCOMPARE(a->line()->EndGap, 24);
        m_model->project().nextSheetType = 5;
        load(QStringLiteral("Big.ini"));
        QCOMPARE(a->width(), 80);
        QCOMPARE(b->width(), 80);
        QCOMPARE(a->line()->EndGap, 54);
        QCOMPARE(a->line()->top(), 140);
        QCOMPARE(a->nameLabel()->caption(), QStringLiteral("A [rev]"));
        QCOMPARE(m_model->project().nextSheetType, 1);
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    ThemeTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "ThemeTest.moc"
