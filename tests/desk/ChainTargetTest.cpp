#include "desk/Desk.h"
#include "desk/NameLabel.h"
#include "desk/TKerfa.h"
#include "support/TestEnvironment.h"

#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QTest>

// Word targets on the desk: a chain's target stays with its first sheet as links change, and a
// sheet draws its progress under its label.
class ChainTargetTest : public QObject {
    Q_OBJECT

    QGraphicsScene* m_scene = nullptr;
    Desk* m_desk = nullptr;

    TKerfa* named(const QString& name) { return m_desk->findSheet(name); }
    // A Ctrl+press from one sheet onto another, which links or unlinks them.
    void gesture(const QString& from, const QString& to) {
        m_desk->selectOnly(named(from));
        m_desk->linkGesture(named(to));
    }
    // "link A B", "unlink A B", "chain A 500" (A's chain target), "delete A".
    void run(const QString& step) {
        const QStringList words = step.split(u' ');
        if (words[0] == u"link") {
            QVERIFY(named(words[2])->LinkedFrom == nullptr);
            gesture(words[1], words[2]);
            QCOMPARE(named(words[1])->LinkTo, named(words[2]));
        } else if (words[0] == u"unlink") {
            QCOMPARE(named(words[1])->LinkTo, named(words[2]));
            gesture(words[1], words[2]);
            QVERIFY(!named(words[1])->LinkTo);
        } else if (words[0] == u"chain") {
            TKerfa* sheet = named(words[1]);
            sheet->setTargets(sheet->target(), words[2].toInt());
        } else if (words[0] == u"delete") {
            m_desk->deleteSheet(named(words[1]));
        }
    }

private Q_SLOTS:
    void init() {
        m_scene = new QGraphicsScene;
        m_desk = new Desk(m_scene);
        m_desk->setExtent(QSize(1000, 800));
        int left = 50;
        for (const char* name : {"A", "B", "C", "D"}) {
            TKerfa* sheet = m_desk->createSheet();
            sheet->setPosition(left, 100);
            sheet->SetSheetName(QString::fromLatin1(name));
            left += 150;
        }
    }
    void cleanup() {
        delete m_desk;
        delete m_scene;
    }

    void chainTargetFollowsTheFirstSheet_data() {
        QTest::addColumn<QStringList>("steps");
        // Each sheet's chain target afterwards, and which sheets show theirs.
        QTest::addColumn<QString>("targets");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a sheet linked before the chain starts it")
            << QStringList{"link B C", "chain B 500", "link A B"} << "A=500 B=0 C=0 D=0"
            << "A";
        QTest::newRow("a chain joined after one with its own target")
            << QStringList{"link B C", "chain B 500", "link A D", "chain A 300", "link D B"}
            << "A=300 B=500 C=0 D=0"
            << "A";
        QTest::newRow("a link in the middle removed")
            << QStringList{"link A B", "link B C", "chain A 500", "unlink B C"}
            << "A=500 B=0 C=0 D=0"
            << "A";
        QTest::newRow("the first sheet unlinked from a chain that goes on")
            << QStringList{"link A B", "link B C", "chain A 500", "unlink A B"}
            << "A=0 B=500 C=0 D=0"
            << "B";
        QTest::newRow("the first of two unlinked keeps it unshown")
            << QStringList{"link A B", "chain A 500", "unlink A B"} << "A=500 B=0 C=0 D=0"
            << "";
        QTest::newRow("kept unshown, shown again once it starts a chain")
            << QStringList{"link A B", "chain A 500", "unlink A B", "link A C"}
            << "A=500 B=0 C=0 D=0"
            << "A";
        QTest::newRow("the first sheet deleted")
            << QStringList{"link A B", "link B C", "chain A 500", "delete A"} << "B=500 C=0 D=0"
            << "B";
        QTest::newRow("the first of two deleted: the other keeps it unshown")
            << QStringList{"link A B", "chain A 500", "delete A"} << "B=500 C=0 D=0"
            << "";
        QTest::newRow("the last sheet deleted")
            << QStringList{"link A B", "link B C", "chain A 500", "delete C"} << "A=500 B=0 D=0"
            << "A";
        const QStringList joined{"link B C", "chain B 700", "link A D", "chain A 500", "link D B"};
        QTest::newRow("a joined chain split again shows both targets")
            << joined + QStringList{"unlink D B"} << "A=500 B=700 C=0 D=0"
            << "A B";
        QTest::newRow("the first sheet of a joined chain unlinked")
            << joined + QStringList{"unlink A D"} << "A=0 B=700 C=0 D=500"
            << "D";
    }
    void chainTargetFollowsTheFirstSheet() {
        QFETCH(QStringList, steps);
        QFETCH(QString, targets);
        QFETCH(QString, shown);
        for (const QString& step : steps) {
            run(step);
            if (QTest::currentTestFailed())
                return;
        }
        QStringList actual;
        QStringList showing;
        for (const TKerfa* sheet : m_desk->sheets()) {
            actual << sheet->SheetName + u'=' + QString::number(sheet->chainTarget());
            if (sheet->chainTarget() > 0 && sheet->headsChain())
                showing << sheet->SheetName;
        }
        QCOMPARE(actual.join(u' '), targets);
        QCOMPARE(showing.join(u' '), shown);
    }

    // Without targets a sheet covers its square and its label, nothing below them.
    void aSheetWithoutTargetsIsItsSquareAndLabel() {
        TKerfa* sheet = named(QStringLiteral("A"));
        const QRectF plain = sheet->boundingRect();
        QCOMPARE(plain.bottom(), qreal(48 + 1 + sheet->nameLabel()->height()));
        sheet->setTargets(1000, 0);
        QVERIFY(sheet->boundingRect().bottom() > plain.bottom());
        sheet->setTargets(0, 0);
        QCOMPARE(sheet->boundingRect(), plain);
    }

    void theBarShowsHowFarTheWordsHaveCome_data() {
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("words");
        QTest::addColumn<QColor>("atTenth");
        QTest::addColumn<QColor>("atNineTenths");
        const QColor track(0xd8, 0xd8, 0xd8);
        const QColor going(0x3b, 0x78, 0xd0);
        const QColor met(0x2e, 0x9d, 0x3a);
        const QColor none(Qt::white);
        QTest::newRow("a quarter") << 1000 << 250 << going << track;
        QTest::newRow("none yet") << 1000 << 0 << track << track;
        QTest::newRow("met") << 1000 << 1000 << met << met;
        QTest::newRow("beyond") << 1000 << 4000 << met << met;
        QTest::newRow("not counted yet") << 1000 << -1 << none << none;
        QTest::newRow("no target") << 0 << 250 << none << none;
    }
    void theBarShowsHowFarTheWordsHaveCome() {
        QFETCH(int, target);
        QFETCH(int, words);
        QFETCH(QColor, atTenth);
        QFETCH(QColor, atNineTenths);
        TKerfa* sheet = named(QStringLiteral("A"));
        sheet->setVisible(true);
        sheet->setTargets(target, 0);
        sheet->setWordCounts(words, -1);
        sheet->setTargets(1000, 0);
        const QRectF bar = sheet->progressRect().translated(sheet->pos());
        sheet->setTargets(target, 0);
        QImage image(1000, 800, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        m_scene->render(&painter, QRectF(0, 0, 1000, 800), QRectF(0, 0, 1000, 800));
        painter.end();
        // The middle of the first bar, a tenth and nine tenths along it (the tick excluded).
        const int y = int(bar.top()) + 3;
        const qreal length = bar.width() - 7;
        QCOMPARE(image.pixelColor(int(bar.left() + length / 10), y), atTenth);
        QCOMPARE(image.pixelColor(int(bar.left() + length * 9 / 10), y), atNineTenths);
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    ChainTargetTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ChainTargetTest.moc"
