#include "desk/DeskView.h"
#include "desk/Desk.h"
#include "desk/LoadProgress.h"
#include "desk/NameLabel.h"
#include "desk/TKerfa.h"
#include "desk/TKerfaLine.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <memory>

// The desk under the mouse: real presses, moves and releases on a shown view.
class DeskViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QGraphicsScene> m_scene;
    std::unique_ptr<Desk> m_desk;
    std::unique_ptr<DeskView> m_view;

    TKerfa* sheet(const QString& name, int left, int top, int type = 1) {
        TKerfa* s = m_desk->createSheet();
        s->setPosition(left, top);
        s->SetSheetName(name);
        s->SetSheetType(static_cast<quint8>(type));
        m_desk->bringToFront(s);
        s->setVisible(true);
        return s;
    }
    QWidget* viewport() const { return m_view->viewport(); }
    // A desk point as the viewport sees it.
    QPoint at(QPoint deskPoint) const { return m_view->mapFromScene(deskPoint); }
    static QPoint centre(const TKerfa* s) { return {s->left() + 24, s->top() + 24}; }

    void press(QPoint deskPoint, Qt::KeyboardModifiers keys = {},
               Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(viewport(), button, keys, at(deskPoint));
    }
    void click(const TKerfa* s, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(viewport(), Qt::LeftButton, keys, at(centre(s)));
    }
    void move(QPoint deskPoint, Qt::MouseButtons buttons = Qt::LeftButton) {
        QMouseEvent event(QEvent::MouseMove, at(deskPoint), viewport()->mapToGlobal(at(deskPoint)),
                          Qt::NoButton, buttons, {});
        QApplication::sendEvent(viewport(), &event);
    }
    void release(QPoint deskPoint) {
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, at(deskPoint));
    }
    // A press on a sheet, a drag by an offset in steps, and the drop.
    void drag(const TKerfa* s, QPoint by, Qt::KeyboardModifiers keys = {}) {
        const QPoint from = centre(s);
        press(from, keys);
        for (int step = 1; step <= 4; ++step)
            move(from + by * step / 4);
        release(from + by);
    }

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<TKerfa*>(); }

    void init() {
        m_scene = std::make_unique<QGraphicsScene>();
        m_desk = std::make_unique<Desk>(m_scene.get());
        m_desk->setExtent(QSize(2000, 1500));
        m_view = std::make_unique<DeskView>(*m_desk);
        m_view->resize(800, 600);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }
    void cleanup() {
        m_view.reset();
        m_desk.reset();
        m_scene.reset();
    }

    void plainShiftAndShiftCtrlPresses() {
        TKerfa* a = sheet(QStringLiteral("A"), 100, 100);
        TKerfa* b = sheet(QStringLiteral("B"), 300, 100);
        TKerfa* c = sheet(QStringLiteral("C"), 500, 100);
        QSignalSpy refreshes(m_view.get(), &DeskView::refreshNeeded);
        click(a);
        click(b, Qt::ShiftModifier);
        QCOMPARE(m_desk->current(), b);
        QCOMPARE(m_desk->selection(), (QList<TKerfa*>{a, b}));
        QVERIFY(a->Selected && b->Selected);
        // Shift+Ctrl adds and takes out without changing the current sheet.
        click(c, Qt::ShiftModifier | Qt::ControlModifier);
        click(a, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(m_desk->current(), b);
        QCOMPARE(m_desk->selection(), (QList<TKerfa*>{b, c}));
        QVERIFY(!a->Selected && c->Selected);
        // A plain press selects one; a press on empty desk selects none.
        click(c);
        QCOMPARE(m_desk->selection(), QList<TKerfa*>{c});
        QVERIFY(!b->Selected);
        press({900, 900});
        release({900, 900});
        QCOMPARE(m_desk->current(), nullptr);
        QVERIFY(m_desk->selection().isEmpty() && !c->Selected);
        QCOMPARE(refreshes.size(), 6);
    }

    void aLoadHandlesTheWindowsEventsAndShowsItsProgress() {
        LoadProgress bar(viewport(), 0);
        bar.begin();
        bool handled = false;
        QTimer::singleShot(0, this, [&] { handled = true; });
        bar.advance(25, 100);
        QVERIFY(handled);
        QVERIFY(bar.isVisible());
        QCOMPARE(bar.value(), bar.maximum() / 4);
        QVERIFY(viewport()->rect().contains(bar.geometry()));
        // Further reports within a step change nothing; the end takes the bar away.
        bar.advance(50, 100);
        QCOMPARE(bar.value(), bar.maximum() / 4);
        bar.advance(100, 100);
        QVERIFY(!bar.isVisible());

        // A short load shows nothing.
        LoadProgress quiet(viewport());
        quiet.begin();
        quiet.advance(1, 2);
        QVERIFY(!quiet.isVisible());
    }

    void labelsTakeNoPressesAndLinesCountAsEmptyDesk() {
        TKerfa* a = sheet(QStringLiteral("A rather long name for a sheet"), 100, 100);
        TKerfa* b = sheet(QStringLiteral("B"), 500, 500);
        m_desk->link(a, b);
        click(a);
        const NameLabel* label = a->nameLabel();
        const QPoint onLabel = label->pos().toPoint() + QPoint(2, label->height() / 2);
        press(onLabel);
        release(onLabel);
        QCOMPARE(m_desk->current(), a);
        // Half-way along the line, away from both sheets.
        press({324, 324});
        release({324, 324});
        QCOMPARE(m_desk->current(), nullptr);
    }

    void linkingRefusesALoopAndRelinksToAFreeSheet() {
        TKerfa* a = sheet(QStringLiteral("A"), 100, 100);
        TKerfa* b = sheet(QStringLiteral("B"), 300, 100);
        TKerfa* c = sheet(QStringLiteral("C"), 500, 100);
        TKerfa* d = sheet(QStringLiteral("D"), 500, 400);
        m_desk->link(a, b);
        m_desk->link(b, c);
        QSignalSpy changes(m_view.get(), &DeskView::deskChanged);
        click(c);
        click(a, Qt::ControlModifier);
        QCOMPARE(c->LinkTo, nullptr);
        QCOMPARE(a->LinkedFrom, nullptr);
        QCOMPARE(m_desk->current(), c);
        click(d, Qt::ControlModifier);
        QCOMPARE(c->LinkTo, d);
        QCOMPARE(d->LinkedFrom, c);
        QCOMPARE(c->LinkToName, QStringLiteral("D"));
        QVERIFY(c->line()->isVisible());
        QCOMPARE(changes.size(), 1);
        // A sheet another links to already takes no second link.
        click(d);
        click(b, Qt::ControlModifier);
        QCOMPARE(d->LinkTo, nullptr);
        QCOMPARE(b->LinkedFrom, a);
    }

    void ctrlClickTwiceUnlinks() {
        TKerfa* a = sheet(QStringLiteral("A"), 100, 100);
        TKerfa* b = sheet(QStringLiteral("B"), 400, 300);
        click(a);
        click(b, Qt::ControlModifier);
        QCOMPARE(a->LinkTo, b);
        click(b, Qt::ControlModifier);
        QCOMPARE(a->LinkTo, nullptr);
        QCOMPARE(b->LinkedFrom, nullptr);
        QVERIFY(a->LinkToName.isEmpty());
        QVERIFY(!a->line()->isVisible());
    }

    void linkingNeedsOneSelectedSheetAndNoCompilationSheet() {
        TKerfa* a = sheet(QStringLiteral("A"), 100, 100);
        TKerfa* b = sheet(QStringLiteral("B"), 300, 100);
        TKerfa* compilation = sheet(QStringLiteral("Compilation"), 500, 100, 0);
        click(a);
        click(b, Qt::ShiftModifier);
        click(a, Qt::ControlModifier);
        QCOMPARE(b->LinkTo, nullptr);
        QCOMPARE(m_desk->selection().size(), 2);
        // With the Compilation sheet the press is a plain one.
        click(a);
        click(compilation, Qt::ControlModifier);
        QCOMPARE(a->LinkTo, nullptr);
        QCOMPARE(m_desk->current(), compilation);
        QCOMPARE(m_desk->selection(), QList<TKerfa*>{compilation});
    }

    void aDragStartsAfterFivePixelsAndMovesTheLinesAtTheDrop() {
        TKerfa* a = sheet(QStringLiteral("A"), 100, 100);
        TKerfa* b = sheet(QStringLiteral("B"), 400, 100);
        TKerfa* c = sheet(QStringLiteral("C"), 700, 100);
        m_desk->link(a, b);
        m_desk->link(b, c);
        QSignalSpy changes(m_view.get(), &DeskView::deskChanged);
        const QPoint from = centre(b);
        press(from);
        move(from + QPoint(4, 0));
        QCOMPARE(b->left(), 400);
        QVERIFY(!m_view->isDragging());
        move(from + QPoint(5, 0));
        QVERIFY(m_view->isDragging());
        move(from + QPoint(40, 200));
        QCOMPARE(b->pos().toPoint(), QPoint(440, 300));
        // Both lines at the moving sheet hide while it moves.
        QVERIFY(!a->line()->isVisible() && !b->line()->isVisible());
        QVERIFY(b->isDragging());
        release(from + QPoint(40, 200));
        QVERIFY(!m_view->isDragging() && !b->isDragging());
        QVERIFY(a->line()->isVisible() && b->line()->isVisible());
        QCOMPARE(a->line()->top(), 124);
        QCOMPARE(a->line()->height(), 200);
        QVERIFY(!changes.isEmpty());
    }

    void everyLineToAMovedSheetFollowsIt() {
        // Files may link two sheets to one; the desk never makes such links itself.
        TKerfa* a = sheet(QStringLiteral("A"), 100, 100);
        TKerfa* b = sheet(QStringLiteral("B"), 100, 400);
        TKerfa* target = sheet(QStringLiteral("T"), 400, 250);
        for (TKerfa* source : {a, b}) {
            source->SetLinkTo(target);
            target->SetLinkedFrom(source);
            source->PlaceLine();
        }
        const QPoint from = centre(target);
        press(from);
        move(from + QPoint(100, 0));
        QVERIFY(!a->line()->isVisible() && !b->line()->isVisible());
        release(from + QPoint(100, 0));
        for (const TKerfa* source : {a, b}) {
            QVERIFY(source->line()->isVisible());
            QCOMPARE(source->line()->left() + source->line()->width(), 524);
        }
    }

    void aGroupDragKeepsItsOffsetsAndClampsEachSheet() {
        TKerfa* a = sheet(QStringLiteral("A"), 300, 300);
        TKerfa* b = sheet(QStringLiteral("B"), 400, 350);
        TKerfa* c = sheet(QStringLiteral("C"), 200, 500);
        click(a);
        click(b, Qt::ShiftModifier);
        click(c, Qt::ShiftModifier);
        drag(b, {60, -30}, Qt::ShiftModifier);
        QCOMPARE(a->pos().toPoint(), QPoint(360, 270));
        QCOMPARE(b->pos().toPoint(), QPoint(460, 320));
        QCOMPARE(c->pos().toPoint(), QPoint(260, 470));
        // The two above it pushed against the top edge each stop there by themselves.
        drag(c, {-34, -344}, Qt::ShiftModifier);
        QCOMPARE(c->pos().toPoint(), QPoint(226, 126));
        QCOMPARE(a->pos().toPoint(), QPoint(326, 2));
        QCOMPARE(b->pos().toPoint(), QPoint(426, 2));
        QCOMPARE(m_desk->current(), c);
    }

    void aDoubleClickAsksForTheEditorAndStartsNoDrag() {
        TKerfa* a = sheet(QStringLiteral("A"), 100, 100);
        QSignalSpy edits(m_view.get(), &DeskView::editRequested);
        // The first press of the double-click, then the second.
        click(a);
        QTest::mouseDClick(viewport(), Qt::LeftButton, {}, at(centre(a)));
        QCOMPARE(edits.size(), 1);
        QCOMPARE(edits.front().front().value<TKerfa*>(), a);
        QVERIFY(m_desk->doubleClickGuard);
        // The press that follows a double-click selects without arming a drag.
        press(centre(a));
        QCOMPARE(m_desk->current(), a);
        move(centre(a) + QPoint(50, 50));
        QVERIFY(!m_desk->doubleClickGuard);
        release(centre(a) + QPoint(50, 50));
        QCOMPARE(a->pos().toPoint(), QPoint(100, 100));
        // Once the mouse has moved, presses drag again.
        drag(a, {50, 50});
        QCOMPARE(a->pos().toPoint(), QPoint(150, 150));
        // Only the current sheet under the mouse opens.
        edits.clear();
        TKerfa* b = sheet(QStringLiteral("B"), 400, 100);
        move(centre(b), Qt::NoButton);
        m_view->KerfaDoubleClick();
        QVERIFY(edits.isEmpty());
    }

    void whatTheWindowShowsIsAFreshPaintOfTheDesk() {
        // Sheets dragged one at a time and together, and the desk scrolled: each repaint covers
        // where things were as well as where they are, so the window shows no trace of the past.
        QList<TKerfa*> sheets;
        for (int i = 0; i < 12; ++i)
            sheets << sheet(QStringLiteral("Scene %1 of the night").arg(i), 60 + (i % 4) * 170,
                            60 + (i / 4) * 150);
        for (int i = 0; i + 1 < sheets.size(); i += 2)
            m_desk->link(sheets[i], sheets[i + 1]);
        // Pixel by pixel, as what was scrolled may differ from a fresh paint by a shade in the
        // smoothing of a line's edge; a trace of a sheet or line left behind differs far more.
        const auto shown = [this] {
            QTest::qWait(20);
            const QImage screen = m_view->screen()
                                      ->grabWindow(m_view->winId())
                                      .toImage()
                                      .convertToFormat(QImage::Format_RGB32);
            const QImage fresh = m_view->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QRect area = viewport()->geometry();
            if (screen.size() != fresh.size())
                return false;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x) {
                    const QRgb a = screen.pixel(x, y);
                    const QRgb b = fresh.pixel(x, y);
                    if (std::abs(qRed(a) - qRed(b)) > 16 || std::abs(qGreen(a) - qGreen(b)) > 16 ||
                        std::abs(qBlue(a) - qBlue(b)) > 16)
                        return false;
                }
            return true;
        };
        QVERIFY(shown());
        drag(sheets[1], {130, 70});
        QVERIFY(shown());
        drag(sheets[4], {-40, 220});
        QVERIFY(shown());
        click(sheets[6]);
        click(sheets[7], Qt::ShiftModifier);
        click(sheets[10], Qt::ShiftModifier);
        drag(sheets[7], {90, -45}, Qt::ShiftModifier);
        QVERIFY(shown());
        m_view->horizontalScrollBar()->setValue(150);
        m_view->verticalScrollBar()->setValue(90);
        QVERIFY(shown());
        drag(sheets[0], {300, 200});
        QVERIFY(shown());
    }

    void shiftPanningFollowsTheHandWithinTheRange() {
        QScrollBar* across = m_view->horizontalScrollBar();
        QScrollBar* down = m_view->verticalScrollBar();
        across->setValue(100);
        down->setValue(100);
        const QPoint start = m_view->mapToScene(QPoint(300, 300)).toPoint();
        press(start, Qt::ShiftModifier);
        QVERIFY(m_view->isPanning());
        QCOMPARE(viewport()->cursor().shape(), Qt::ClosedHandCursor);
        QMouseEvent right(QEvent::MouseMove, QPointF(350, 300),
                          viewport()->mapToGlobal(QPoint(350, 300)), Qt::NoButton, Qt::LeftButton,
                          {});
        QApplication::sendEvent(viewport(), &right);
        QCOMPARE(across->value(), 50);
        QCOMPARE(down->value(), 100);
        QMouseEvent farRight(QEvent::MouseMove, QPointF(650, 500),
                             viewport()->mapToGlobal(QPoint(650, 500)), Qt::NoButton,
                             Qt::LeftButton, {});
        QApplication::sendEvent(viewport(), &farRight);
        QCOMPARE(across->value(), 0);
        QCOMPARE(down->value(), 0);
        QMouseEvent farLeft(QEvent::MouseMove, QPointF(-3000, -3000),
                            viewport()->mapToGlobal(QPoint(-3000, -3000)), Qt::NoButton,
                            Qt::LeftButton, {});
        QApplication::sendEvent(viewport(), &farLeft);
        QCOMPARE(across->value(), across->maximum());
        QCOMPARE(down->value(), down->maximum());
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!m_view->isPanning());
        QCOMPARE(viewport()->cursor().shape(), Qt::ArrowCursor);
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    DeskViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DeskViewTest.moc"
