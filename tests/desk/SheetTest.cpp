#include "desk/Desk.h"
#include "desk/NameLabel.h"
#include "desk/TKerfa.h"
#include "desk/TKerfaLine.h"
#include "support/TestEnvironment.h"

#include <QFontMetrics>
#include <QGraphicsScene>
#include <QTest>

using namespace Qt::StringLiterals;

class SheetTest : public QObject {
    Q_OBJECT

    QGraphicsScene* m_scene = nullptr;
    Desk* m_desk = nullptr;

    TKerfa* sheet(const QString& name, int left, int top, int size = 48) {
        TKerfa* s = m_desk->createSheet();
        s->setPosition(left, top);
        s->setSize(size);
        s->SetSheetName(name);
        return s;
    }

private Q_SLOTS:
    void init() {
        m_scene = new QGraphicsScene;
        m_desk = new Desk(m_scene);
        m_desk->setExtent(QSize(1000, 800));
    }
    void cleanup() {
        delete m_desk;
        delete m_scene;
    }

    void newSheet() {
        TKerfa* s = m_desk->createSheet();
        QCOMPARE(s->SheetName, QStringLiteral("unnamed"));
        QCOMPARE(s->width(), 48);
        QCOMPARE(s->height(), 48);
        QCOMPARE(s->nameLabel()->font().pointSize(), 8);
        QCOMPARE(s->nameLabel()->caption(), QStringLiteral("unnamed"));
        QVERIFY(!s->line()->isVisible());
        QVERIFY(!s->isVisible());
    }

    void labelWrapping_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("lines");
        QTest::newRow("short") << "Chapter 1" << 1;
        QTest::newRow("one long word") << "Supercalifragilisticexpialidociousnesses" << 1;
        QTest::newRow("many short words")
            << "The night the lamp went dark over the bay at last" << 3;
    }
    void labelWrapping() {
        QFETCH(QString, name);
        QFETCH(int, lines);
        TKerfa* s = sheet(name, 300, 300);
        const NameLabel* label = s->nameLabel();
        const QFontMetrics metrics(label->font());
        QVERIFY2(label->lines().size() >= lines, qPrintable(label->lines().join(u'|')));
        if (lines == 1 && metrics.horizontalAdvance(name) > TKerfa::kLabelWrap) {
            // A single word wider than the wrap width sets the label's width.
            QCOMPARE(label->lines().size(), 1);
            QVERIFY(label->width() > TKerfa::kLabelWrap);
        } else {
            QVERIFY(label->width() <= TKerfa::kLabelWrap);
        }
        for (const QString& line : label->lines())
            QVERIFY(metrics.horizontalAdvance(line) <= label->width() + 1);
        QCOMPARE(s->LabelSpace, label->height() + 1);
        QCOMPARE(label->height(), int(label->lines().size()) * metrics.height());
        QCOMPARE(s->LabelOverhang, label->width() > 48 ? (label->width() - 48) / 2 : 0);
        // The label is centred under the icon, one pixel below it.
        QCOMPARE(int(label->pos().x()), s->left() + (48 - label->width()) / 2);
        QCOMPARE(int(label->pos().y()), s->top() + 49);
    }

    void numbersMeasureAsTheyAreSet_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("bold");
        for (const bool bold : {false, true}) {
            const char* face = bold ? ", bold" : "";
            QTest::addRow("a number%s", face) << "1013" << bold;
            QTest::addRow("a chapter's number%s", face) << "1013." << bold;
            QTest::addRow("a long number%s", face) << "12,345,678,901.25" << bold;
            QTest::addRow("a number wider than the wrap%s", face)
                << "1234567890123456789012345678901234567890" << bold;
            QTest::addRow("points and commas%s", face) << ".,.,1,.,." << bold;
        }
    }
    void numbersMeasureAsTheyAreSet() {
        // Once a face has met enough numbers, they are measured without shaping: a label of one
        // number is still exactly as wide as the number set in the label's font, before and
        // after.
        QFETCH(QString, name);
        QFETCH(bool, bold);
        for (int n = 1; n <= NameLabel::kNumbersShapedFirst + 10; ++n) {
            const QString number = QString::number(n * 7) + u'.';
            TKerfa* chapter = sheet(number, 300, 300);
            chapter->SetSheetType(1);
            chapter->SetBoldBaseType(bold);
            QCOMPARE(chapter->nameLabel()->width(),
                     QFontMetrics(chapter->nameLabel()->font()).horizontalAdvance(number));
        }
        TKerfa* s = sheet(name, 300, 300);
        s->SetSheetType(1);
        s->SetBoldBaseType(bold);
        const NameLabel* label = s->nameLabel();
        QCOMPARE(label->isBold(), bold);
        QCOMPARE(label->lines(), QStringList{name});
        QCOMPARE(label->width(), QFontMetrics(label->font()).horizontalAdvance(name));
    }

    void labelLinesJoinWordsWithOneBlank_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("wrap");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("one line") << "Chapter One" << 10000 << QStringList{"Chapter One"};
        QTest::newRow("blanks around and between")
            << "  Chapter   One  " << 10000 << QStringList{"Chapter One"};
        QTest::newRow("a word a line") << "ab  cd" << 1 << QStringList{"ab", "cd"};
        QTest::newRow("empty") << "" << 10000 << QStringList{""};
        QTest::newRow("blanks only") << "   " << 10000 << QStringList{""};
    }
    void labelLinesJoinWordsWithOneBlank() {
        QFETCH(QString, caption);
        QFETCH(int, wrap);
        QFETCH(QStringList, lines);
        NameLabel label;
        label.setCaption(caption);
        label.measure(wrap);
        QCOMPARE(label.lines(), lines);
        // The lines are those measured until the label is measured again.
        label.setCaption(QStringLiteral("x"));
        QCOMPARE(label.lines(), lines);
        label.measure(wrap);
        QCOMPARE(label.lines(), QStringList{"x"});
    }

    void numeralPairsHoldEveryPair() {
        const QString pairs = NameLabel::numeralPairs();
        const QString numeral = QStringLiteral("0123456789.,");
        for (const QChar a : numeral)
            for (const QChar b : numeral)
                QVERIFY2(pairs.contains(QString(a) + b), qPrintable(QString(a) + b));
        QCOMPARE(pairs.size(), numeral.size() * numeral.size() + 1);
    }

    void keepInBounds_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<QString>("edge");
        QTest::newRow("left edge") << 0 << 300 << "left";
        QTest::newRow("top edge") << 300 << -40 << "top";
        QTest::newRow("right edge") << 5000 << 300 << "right";
        QTest::newRow("bottom edge") << 300 << 5000 << "bottom";
        QTest::newRow("inside") << 300 << 300 << "none";
    }
    void keepInBounds() {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(QString, edge);
        TKerfa* s = sheet(QStringLiteral("A rather long sheet name"), 300, 300);
        s->setPosition(left, top);
        s->KeepInBounds();
        const int overhang = s->LabelOverhang;
        QVERIFY(overhang > 0);
        if (edge == QLatin1String("left"))
            QCOMPARE(s->left(), overhang + 2);
        else if (edge == QLatin1String("top"))
            QCOMPARE(s->top(), 2);
        else if (edge == QLatin1String("right"))
            QCOMPARE(s->left(), 1000 - 3 - (48 + overhang));
        else if (edge == QLatin1String("bottom"))
            QCOMPARE(s->top() + 48 + s->LabelSpace, 800);
        else
            QCOMPARE(s->pos().toPoint(), QPoint(300, 300));
    }

    void placeLine_data() {
        QTest::addColumn<QPoint>("source");
        QTest::addColumn<QPoint>("target");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QRect>("bounds");
        // Centres are 24 pixels in from the top-left corners of 48-pixel sheets.
        QTest::newRow("below-right of target")
            << QPoint(400, 400) << QPoint(100, 100) << 4 << QRect(124, 124, 300, 300);
        QTest::newRow("above-right of target")
            << QPoint(400, 100) << QPoint(100, 400) << 5 << QRect(124, 124, 300, 300);
        QTest::newRow("below-left of target")
            << QPoint(100, 400) << QPoint(400, 100) << 6 << QRect(124, 124, 300, 300);
        QTest::newRow("above-left of target")
            << QPoint(100, 100) << QPoint(400, 400) << 7 << QRect(124, 124, 300, 300);
        QTest::newRow("straight below")
            << QPoint(200, 400) << QPoint(200, 100) << 0 << QRect(224, 124, 3, 300);
        QTest::newRow("straight above")
            << QPoint(200, 100) << QPoint(200, 400) << 1 << QRect(224, 124, 3, 300);
        QTest::newRow("straight right")
            << QPoint(400, 200) << QPoint(100, 200) << 2 << QRect(124, 224, 300, 3);
        QTest::newRow("straight left")
            << QPoint(100, 200) << QPoint(400, 200) << 3 << QRect(124, 224, 300, 3);
        QTest::newRow("2 px apart is vertical")
            << QPoint(202, 400) << QPoint(200, 100) << 0 << QRect(224, 124, 3, 300);
        QTest::newRow("stub: both under 3")
            << QPoint(201, 202) << QPoint(200, 200) << 0 << QRect(224, 224, 3, 2);
    }
    void placeLine() {
        QFETCH(QPoint, source);
        QFETCH(QPoint, target);
        QFETCH(int, direction);
        QFETCH(QRect, bounds);
        TKerfa* s = sheet(QStringLiteral("S"), source.x(), source.y());
        TKerfa* t = sheet(QStringLiteral("T"), target.x(), target.y());
        s->SetColours(u"000000"_s, u"FF0000"_s, true, u"CC8844"_s, u"FFFFFF"_s, u"0000FF"_s);
        s->SetLinkTo(t);
        t->SetLinkedFrom(s);
        s->PlaceLine();
        const TKerfaLine* line = s->line();
        QVERIFY(line->isVisible());
        QCOMPARE(int(line->Direction), direction);
        QCOMPARE(QRect(line->left(), line->top(), line->width(), line->height()), bounds);
        QCOMPARE(line->Colour, QColor(0x44, 0x88, 0xCC));
        QCOMPARE(s->LinkToName, QStringLiteral("T"));
        QVERIFY(line->zValue() < s->zValue() && line->zValue() < t->zValue());
    }

    void endGap_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("gap");
        QTest::newRow("48") << 48 << 32;
        QTest::newRow("32") << 32 << 24;
        QTest::newRow("100") << 100 << 67;
        QTest::newRow("20") << 20 << 15;
    }
    void endGap() {
        QFETCH(int, size);
        QFETCH(int, gap);
        TKerfa* s = sheet(QStringLiteral("S"), 100, 100);
        TKerfa* t = sheet(QStringLiteral("T"), 500, 500, size);
        s->SetLinkTo(t);
        s->PlaceLine();
        QCOMPARE(s->line()->EndGap, gap);
    }

    void strokeEnds_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("end");
        // A 300 x 400 line (length 500) with EndGap 50: the dot sits 30 across and 40 down.
        QTest::newRow("0") << 0 << QPoint(1, 400) << QPoint(1, 50);
        QTest::newRow("1") << 1 << QPoint(1, 1) << QPoint(1, 350);
        QTest::newRow("2") << 2 << QPoint(300, 1) << QPoint(50, 1);
        QTest::newRow("3") << 3 << QPoint(1, 1) << QPoint(250, 1);
        QTest::newRow("4") << 4 << QPoint(299, 399) << QPoint(29, 39);
        QTest::newRow("5") << 5 << QPoint(299, 1) << QPoint(29, 359);
        QTest::newRow("6") << 6 << QPoint(1, 399) << QPoint(269, 39);
        QTest::newRow("7") << 7 << QPoint(1, 1) << QPoint(269, 359);
    }
    void strokeEnds() {
        QFETCH(int, direction);
        QFETCH(QPoint, start);
        QFETCH(QPoint, end);
        TKerfaLine line;
        line.setBounds(0, 0, 300, 400);
        line.EndGap = 50;
        line.Direction = static_cast<quint8>(direction);
        QCOMPARE(line.stroke().start, start);
        QCOMPARE(line.stroke().end, end);
    }

    void typeChangeResetsState() {
        TKerfa* s = sheet(QStringLiteral("S"), 100, 100);
        s->SetState(2);
        s->SetSheetType(1);
        QCOMPARE(int(s->State), 2);
        s->SetSheetType(3);
        QCOMPARE(int(s->State), 0);
    }

    void boldOnlyForTheFirstTypeWithTheFlag() {
        TKerfa* s = sheet(QStringLiteral("S"), 100, 100);
        s->SetBoldBaseType(true);
        QVERIFY(s->nameLabel()->isBold());
        s->SetSheetType(0);
        QVERIFY(!s->nameLabel()->isBold());
        s->SetSheetType(1);
        QVERIFY(s->nameLabel()->isBold());
        s->SetBoldBaseType(false);
        QVERIFY(!s->nameLabel()->isBold());
    }

    void stateMarker_data() {
        QTest::addColumn<QString>("marker");
        QTest::addColumn<QString>("caption");
        QTest::newRow("none") << "*"
                              << "Night";
        QTest::newRow("revised") << "(R)"
                                 << "Night (R)";
        QTest::newRow("empty") << ""
                               << "Night ";
    }
    void stateMarker() {
        QFETCH(QString, marker);
        QFETCH(QString, caption);
        TKerfa* s = sheet(QStringLiteral("Night"), 100, 100);
        s->SetStateMarker(marker);
        QCOMPARE(s->nameLabel()->caption(), caption);
        QCOMPARE(s->StateMarker, marker);
    }

    void invalidColoursTakeTheirDefaults() {
        TKerfa* s = sheet(QStringLiteral("S"), 100, 100);
        s->SetColours(u""_s, u"xyz"_s, false, u"-1"_s, u"123456789"_s, u"00ff00"_s);
        QCOMPARE(s->TextColour(), QStringLiteral("000000"));
        QCOMPARE(s->SelectedColour(), QStringLiteral("FF0000"));
        QCOMPARE(s->LineColour(), QStringLiteral("DDDDDD"));
        QCOMPARE(s->LabelColour(), QStringLiteral("FFFFFF"));
        QCOMPARE(s->EditingColour(), QStringLiteral("00ff00"));
        QVERIFY(!s->nameLabel()->isTransparent());
    }

    void labelColourFollowsSelectionThenEditor() {
        TKerfa* s = sheet(QStringLiteral("S"), 100, 100);
        s->SetColours(u"000000"_s, u"FF0000"_s, true, u"DDDDDD"_s, u"FFFFFF"_s, u"00FF00"_s);
        QCOMPARE(s->nameLabel()->textColour(), QColor(Qt::black));
        s->setEditing(true);
        QCOMPARE(s->nameLabel()->textColour(), QColor(Qt::green));
        s->SetSelected(true);
        QCOMPARE(s->nameLabel()->textColour(), QColor(Qt::blue));
        s->setEditing(false);

        // Dragged, the label follows but keeps its colours.
        s->setDragging(true);
        s->SetSelected(false);
        s->setPosition(400, 300);
        s->Repaint();
        QCOMPARE(s->nameLabel()->textColour(), QColor(Qt::blue));
        QCOMPARE(int(s->nameLabel()->pos().y()), 300 + 49);
        s->setDragging(false);
        s->Repaint();
        QCOMPARE(s->nameLabel()->textColour(), QColor(Qt::black));
    }

    void descriptionIsTrimmedAndCut() {
        TKerfa* s = sheet(QStringLiteral("S"), 100, 100);
        s->SetDescription(QStringLiteral("\t  A storm.\r\n "));
        QCOMPARE(s->Description, QStringLiteral("A storm."));
        s->SetDescription(QString(300, u'w'));
        QCOMPARE(s->Description.size(), 255);
        // A character of two UTF-16 units straddling the cut is not split.
        s->SetDescription(QString(254, u'a') + QStringLiteral("\U0001F4D6 more"));
        QCOMPARE(s->Description.size(), 254);
        QCOMPARE(TKerfa::hintFor(QString(50, u'x')), QString(50, u'x'));
        QCOMPARE(TKerfa::hintFor(QString(51, u'x')), QString(50, u'x') + QStringLiteral("..."));
    }

    void deletingASheetClearsLinksToIt() {
        TKerfa* a = sheet(QStringLiteral("A"), 100, 100);
        TKerfa* b = sheet(QStringLiteral("B"), 300, 100);
        a->SetLinkTo(b);
        b->SetLinkedFrom(a);
        m_desk->deleteSheet(b);
        QCOMPARE(a->LinkTo, nullptr);
        QCOMPARE(m_desk->sheets().size(), 1);
    }

    void deletingASheetUnlinksEverySheetLinkingToIt() {
        // Files can link two sheets to one: both lose their links and lines.
        TKerfa* a = sheet(QStringLiteral("A"), 100, 100);
        TKerfa* b = sheet(QStringLiteral("B"), 300, 100);
        TKerfa* c = sheet(QStringLiteral("C"), 500, 100);
        TKerfa* d = sheet(QStringLiteral("D"), 700, 100);
        a->LinkToName = b->LinkToName = QStringLiteral("C");
        c->LinkToName = QStringLiteral("D");
        m_desk->resolveLinks();
        QList<TKerfa*> removed;
        const auto connection =
            connect(m_desk, &Desk::sheetRemoving, this, [&](TKerfa* s) { removed << s; });
        m_desk->deleteSheet(c);
        disconnect(connection);
        QCOMPARE(removed, QList<TKerfa*>{c});
        for (TKerfa* source : {a, b}) {
            QCOMPARE(source->LinkTo, nullptr);
            QCOMPARE(source->LinkToName, QString());
            QVERIFY(!source->line()->isVisible());
        }
        QCOMPARE(d->LinkedFrom, nullptr);
    }

    void linkGestures() {
        TKerfa* a = sheet(QStringLiteral("A"), 100, 100);
        TKerfa* b = sheet(QStringLiteral("B"), 300, 100);
        TKerfa* c = sheet(QStringLiteral("C"), 500, 100);
        TKerfa* d = sheet(QStringLiteral("D"), 500, 400);
        TKerfa* e = sheet(QStringLiteral("E"), 100, 400);
        m_desk->link(a, b);
        m_desk->link(b, c);
        // A's chain reaches C: linking C to A would close a loop; to a free sheet it would not.
        QVERIFY(m_desk->wouldCloseCycle(c, a));
        QVERIFY(m_desk->wouldCloseCycle(c, c));
        QVERIFY(!m_desk->wouldCloseCycle(c, d));
        QCOMPARE(m_desk->chain(a), (QList<TKerfa*>{a, b, c}));

        m_desk->link(c, d);
        QCOMPARE(c->LinkTo, d);
        QCOMPARE(d->LinkedFrom, c);
        QCOMPARE(c->LinkToName, QStringLiteral("D"));
        QVERIFY(c->line()->isVisible());
        // Linking elsewhere moves the link: the old target is free again.
        m_desk->link(c, e);
        QCOMPARE(d->LinkedFrom, nullptr);
        QCOMPARE(e->LinkedFrom, c);
        QVERIFY(c->line()->isVisible());

        m_desk->unlink(c);
        QCOMPARE(c->LinkTo, nullptr);
        QCOMPARE(c->LinkToName, QString());
        QCOMPARE(e->LinkedFrom, nullptr);
        QVERIFY(!c->line()->isVisible());
        QCOMPARE(m_desk->chain(a), (QList<TKerfa*>{a, b, c}));
    }

    void aLoopReadFromFilesEnds() {
        TKerfa* x = sheet(QStringLiteral("X"), 100, 100);
        TKerfa* y = sheet(QStringLiteral("Y"), 300, 100);
        TKerfa* z = sheet(QStringLiteral("Z"), 500, 100);
        x->LinkToName = QStringLiteral("Y");
        y->LinkToName = QStringLiteral("X");
        m_desk->resolveLinks();
        QCOMPARE(m_desk->chain(x), (QList<TKerfa*>{x, y}));
        QVERIFY(!m_desk->wouldCloseCycle(z, x));
        QVERIFY(m_desk->wouldCloseCycle(y, x));
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    SheetTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SheetTest.moc"
