// On a screen of pixel ratio 2 (QT_SCALE_FACTOR=2) every sheet picture, of the shipped themes
// and of the built-in one, has at least twice as many pixels as the points it covers, and the
// sheet puts them on the screen one for one, so that nothing is enlarged and blurred.

#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "themes/Theme.h"
#include "themes/ThemeData.h"

#include "support/TestEnvironment.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QPainter>
#include <QTest>

class HiDpiSheetTest : public QObject {
    Q_OBJECT

public:
    explicit HiDpiSheetTest(const TestEnvironment& env) : m_env(env) {}

private:
    const TestEnvironment& m_env;

private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
        m_env.installFromBuild(QStringLiteral("Themes"));
    }

    void picturesAreSharp_data() {
        QTest::addColumn<QString>("themeFile");
        QTest::newRow("built-in") << QString();
        QTest::newRow("Book") << QStringLiteral("Book.ini");
        QTest::newRow("Screenplay") << QStringLiteral("Screenplay.ini");
    }
    void picturesAreSharp() {
        QFETCH(QString, themeFile);
        Theme theme;
        if (!themeFile.isEmpty())
            QVERIFY(theme.LoadTheme(themeFile));
        QGraphicsScene scene;
        Desk desk(&scene);
        desk.setExtent(QSize(1000, 800));
        for (int code = 0; code <= ThemeData::kTypes; ++code) {
            const int size = theme.sizeFor(code);
            const QImage picture = theme.pictureFor(code);
            QVERIFY2(picture.width() >= 2 * size && picture.height() >= 2 * size,
                     qPrintable(QStringLiteral("type %1: %2 pixels for %3 points")
                                    .arg(code)
                                    .arg(picture.width())
                                    .arg(size)));

            TKerfa* sheet = desk.createSheet();
            sheet->setPicture(picture);
            sheet->setSize(size);
            QImage screen(2 * size, 2 * size, QImage::Format_ARGB32_Premultiplied);
            screen.setDevicePixelRatio(2);
            screen.fill(Qt::transparent);
            QPainter painter(&screen);
            sheet->paint(&painter, nullptr, nullptr);
            painter.end();
            const QImage expected = picture.copy(0, 0, 2 * size, 2 * size);
            QVERIFY2(screen.convertToFormat(QImage::Format_ARGB32) ==
                         expected.convertToFormat(QImage::Format_ARGB32),
                     qPrintable(QStringLiteral("type %1 is not drawn pixel for pixel").arg(code)));
        }
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    HiDpiSheetTest test(environment);
    return QTest::qExec(&test, argc, argv);
}

#include "HiDpiSheetTest.moc"
