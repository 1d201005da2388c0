// The desk of a large book under the mouse: a generated book of 5,000 sheets with chains of
// links, loaded into the real desk (the model and view the main window uses), and driven with
// mouse events as a user's hand would. Every mouse step is timed together with the repaint it
// causes. Prints each figure beside its target.

#include "app/MainModel.h"
#include "common/IniFile.h"
#include "desk/Desk.h"
#include "desk/DeskView.h"
#include "desk/TKerfa.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMouseEvent>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <numeric>

namespace {

constexpr int kSheets = 5000;
constexpr int kGroup = 100;
constexpr double kStepTargetMs = 4.0;
const QSize kScreen(1280, 800);
const QSize kView(1280, 760);

// Counts the paints of the desk's viewport, so that a step is timed until its repaint is done.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Processor time of this thread, in milliseconds: on a machine shared with other work the wall
// time of a step says more about the others than about the desk.
double processorMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct Steps {
    QList<double> ms;
    QList<double> cpu;

    void add(const std::pair<double, double>& step) {
        ms << step.first;
        cpu << step.second;
    }
    static double sum(const QList<double>& values) {
        return std::accumulate(values.begin(), values.end(), 0.0);
    }
    double mean() const { return sum(ms) / ms.size(); }
    double cpuMean() const { return sum(cpu) / cpu.size(); }
    double total() const { return sum(ms); }
    double cpuTotal() const { return sum(cpu); }
    static double quantile(QList<double> values, double q) {
        std::sort(values.begin(), values.end());
        return values[std::min<qsizetype>(values.size() - 1, qsizetype(q * values.size()))];
    }
    void print(const char* what) const {
        std::printf("  %-36s wall mean %6.2f median %6.2f p95 %6.2f | processor mean %6.2f "
                    "median %6.2f ms, %lld steps\n",
                    what, mean(), quantile(ms, 0.5), quantile(ms, 0.95), cpuMean(),
                    quantile(cpu, 0.5), static_cast<long long>(ms.size()));
    }
};

class Hand {
public:
    Hand(DeskView& view, PaintCounter& counter) : m_view(view), m_counter(counter) {}

    void press(QPoint at, Qt::KeyboardModifiers keys) {
        send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, keys);
        m_keys = keys;
    }
    // One step of the mouse with the button held, and the repaint it causes: wall and
    // processor time in milliseconds.
    std::pair<double, double> move(QPoint at) {
        return timed([&] { send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton, m_keys); });
    }
    std::pair<double, double> release(QPoint at) {
        return timed(
            [&] { send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, m_keys); });
    }

private:
    template <class Step> std::pair<double, double> timed(Step step) {
        QElapsedTimer timer;
        timer.start();
        const double cpu = processorMs();
        const int before = m_counter.paints;
        step();
        settle(before);
        return {timer.nsecsElapsed() / 1e6, processorMs() - cpu};
    }
    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers keys) {
        QWidget* viewport = m_view.viewport();
        QMouseEvent event(type, at, viewport->mapToGlobal(at), button, buttons, keys);
        QApplication::sendEvent(viewport, &event);
    }
    // Until the desk has painted what the step changed. The window's repaint waits for the
    // next frame of the window system; here the frame comes at once, as it would before the
    // next step of a mouse that moves no faster than the screen refreshes.
    void settle(int paintsBefore) {
        QCoreApplication::processEvents();
        QEvent frame(QEvent::UpdateRequest);
        QApplication::sendEvent(m_view.window(), &frame);
        for (int round = 0; round < 5 && m_counter.paints == paintsBefore; ++round)
            QCoreApplication::processEvents();
    }

    DeskView& m_view;
    PaintCounter& m_counter;
    Qt::KeyboardModifiers m_keys;
};

QString makeBook(const QString& folder) {
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral(KERFA_SOURCE_DIR "/bench/startup/make-project"), folder,
                  QStringLiteral("--sheets"), QString::number(kSheets - 4)});
    if (!python.waitForFinished(120000) || python.exitCode() != 0)
        return {};
    return QString::fromUtf8(python.readAllStandardOutput()).trimmed();
}

void writeSheet(const QString& folder, const QString& name, QPoint at, const QString& linkTo) {
    IniFile file(folder + QStringLiteral("/Kerfa Files/") + name + QStringLiteral(".kfa"));
    file.writeInteger(u"StateData", u"Type", 1);
    file.writeInteger(u"Position", u"Left", at.x());
    file.writeInteger(u"Position", u"Top", at.y());
    file.writeString(u"LinkTo", u"Name", linkTo);
    file.save();
}

// A sheet in the view with four lines: it links to a sheet of a chain, and three
// sheets link to it (files may link several sheets to one).
void addHub(const QString& folder, const QString& chainSheet) {
    writeSheet(folder, QStringLiteral("Hub"), {1000, 200}, chainSheet);
    writeSheet(folder, QStringLiteral("Hub Source 1"), {700, 100}, QStringLiteral("Hub"));
    writeSheet(folder, QStringLiteral("Hub Source 2"), {1200, 450}, QStringLiteral("Hub"));
    writeSheet(folder, QStringLiteral("Hub Source 3"), {850, 650}, QStringLiteral("Hub"));
}

QPoint centreOf(const TKerfa* sheet) {
    return {sheet->left() + sheet->width() / 2, sheet->top() + sheet->height() / 2};
}

// The sheets nearest a point of the desk, nearest first, of those a press there would hit.
QList<TKerfa*> nearest(Desk& desk, const DeskView& view, QPoint point, int count) {
    QList<TKerfa*> sheets = desk.sheets();
    std::sort(sheets.begin(), sheets.end(), [&](const TKerfa* a, const TKerfa* b) {
        return (centreOf(a) - point).manhattanLength() < (centreOf(b) - point).manhattanLength();
    });
    while (!sheets.isEmpty() && view.sheetAt(centreOf(sheets.front())) != sheets.front())
        sheets.removeFirst();
    return sheets.mid(0, count);
}

double hitTestMicroseconds(const DeskView& view) {
    QElapsedTimer timer;
    timer.start();
    constexpr int kPresses = 200;
    for (int i = 0; i < kPresses; ++i)
        view.sheetAt(QPointF(37 + i * 6, 41 + i * 3));
    return timer.nsecsElapsed() / 1e3 / kPresses;
}

// A hundred sheets around the middle of the view selected; the point of the one nearest the
// middle, where the hand presses with Shift to drag them all.
QPoint selectGroup(Desk& desk, const DeskView& view) {
    const QList<TKerfa*> group = nearest(desk, view, {640, 380}, kGroup);
    desk.selectNone();
    for (TKerfa* sheet : group) {
        desk.joinSelection(sheet);
        sheet->SetSelected(true);
    }
    return view.mapFromScene(centreOf(group.front()));
}

// The group dragged down and to the right in 150 steps of 3 and 2 pixels.
Steps groupDrag(Desk& desk, DeskView& view, Hand& hand, std::pair<double, double>* drop) {
    QPoint at = selectGroup(desk, view);
    hand.press(at, Qt::ShiftModifier);
    Steps steps;
    for (int i = 0; i < 150; ++i) {
        at += QPoint(3, 2);
        const auto step = hand.move(at);
        if (view.isDragging())
            steps.add(step);
    }
    *drop = hand.release(at);
    return steps;
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir work;
    // A screen of a common laptop's size for the offscreen platform, unless a display is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        const QString config = work.filePath(QStringLiteral("screen.json"));
        QFile file(config);
        if (file.open(QIODevice::WriteOnly))
            file.write(QStringLiteral("{\"screens\": [{\"name\": \"desk\", \"x\": 0, \"y\": 0, "
                                      "\"width\": %1, \"height\": %2, \"logicalDpi\": 96, "
                                      "\"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                           .arg(kScreen.width())
                           .arg(kScreen.height())
                           .toUtf8());
        file.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toUtf8());
    }
    qputenv("KERFA_HOME", KERFA_PROGRAM_DIR);
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", work.path().toUtf8());
    QApplication app(argc, argv);

    const QString project = makeBook(work.filePath(QStringLiteral("book")));
    if (project.isEmpty()) {
        std::fprintf(stderr, "bench_desk: could not make the book with make-project\n");
        return 1;
    }
    const QString bookFolder = QFileInfo(project).absolutePath();
    addHub(bookFolder, QStringLiteral("Chapter 2"));

    MainModel model;
    DeskView view(model.desk());
    PaintCounter counter;
    view.viewport()->installEventFilter(&counter);
    QObject::connect(&view, &DeskView::deskChanged, &model,
                     [&] { model.project().modified = true; });
    view.resize(kView);
    view.show();
    model.SizeWorkspace();
    QElapsedTimer loading;
    loading.start();
    const bool loaded = model.commands().LoadProject(project);
    const TKerfa* hubSheet = model.desk().findSheet(QStringLiteral("Hub"));
    if (!loaded || !hubSheet || !hubSheet->LinkTo) {
        std::fprintf(stderr, "bench_desk: the book did not load\n");
        return 1;
    }
    const qint64 loadMs = loading.elapsed();
    QCoreApplication::processEvents();
    Desk& desk = model.desk();
    const qsizetype links = std::count_if(desk.sheets().begin(), desk.sheets().end(),
                                          [](const TKerfa* s) { return s->LinkTo != nullptr; });
    const QSize extent = desk.extent();
    std::printf("bench_desk: a book of %lld sheets with %lld links on a %dx%d desk, loaded in "
                "%lld ms; view %dx%d, platform %s\n",
                static_cast<long long>(desk.sheets().size()), static_cast<long long>(links),
                extent.width(), extent.height(), static_cast<long long>(loadMs), kView.width(),
                kView.height(), qPrintable(QGuiApplication::platformName()));
    Hand hand(view, counter);

    // One sheet with four lines dragged 120 pixels across and 90 down.
    TKerfa* hub = desk.findSheet(QStringLiteral("Hub"));
    QPoint at = view.mapFromScene(centreOf(hub));
    hand.press(at, {});
    Steps single;
    for (int i = 0; i < 30; ++i) {
        at += QPoint(4, 3);
        single.add(hand.move(at));
    }
    const auto singleDrop = hand.release(at);
    std::printf("\nOne drag of a sheet with four links, 30 steps and the drop: %.1f ms (processor "
                "%.1f ms)\n",
                single.total() + singleDrop.first, single.cpuTotal() + singleDrop.second);
    single.print("its steps");

    // A group drag of a hundred sheets, as the program keeps its scene (no item index), then
    // with an index, which hit testing would use too.
    std::printf("\nGroup drag of %d sheets, each mouse step with its repaint:\n", kGroup);
    std::pair<double, double> drop;
    const double hitLinear = hitTestMicroseconds(view);
    const Steps linear = groupDrag(desk, view, hand, &drop);
    linear.print("no item index (as the program runs)");
    std::printf("  %-36s wall %6.2f | processor %6.2f ms\n", "the drop", drop.first, drop.second);
    model.scene()->setItemIndexMethod(QGraphicsScene::BspTreeIndex);
    view.sheetAt(QPointF(1, 1));
    const double hitIndexed = hitTestMicroseconds(view);
    const Steps indexed = groupDrag(desk, view, hand, &drop);
    indexed.print("with a BSP item index");
    model.scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
    std::printf("  hit test of one press: %.0f us without an index, %.0f us with one\n", hitLinear,
                hitIndexed);

    // Shift-pan from the top-left corner of the desk to the bottom-right, the hand moving up
    // and to the left 16 and 10 pixels a step.
    QScrollBar* across = view.horizontalScrollBar();
    QScrollBar* down = view.verticalScrollBar();
    across->setValue(0);
    down->setValue(0);
    QCoreApplication::processEvents();
    QPoint empty(1200, 700);
    while (!model.scene()->items(view.mapToScene(empty)).isEmpty())
        empty -= QPoint(7, 5);
    hand.press(empty, Qt::ShiftModifier);
    Steps pan;
    at = empty;
    while (pan.ms.size() < 1000 &&
           (across->value() < across->maximum() || down->value() < down->maximum())) {
        at -= QPoint(16, 10);
        pan.add(hand.move(at));
    }
    hand.release(at);
    std::printf("\nShift-pan across the whole desk (%d x %d pixels of scrolling): %.0f ms "
                "(processor %.0f ms)\n",
                across->maximum(), down->maximum(), pan.total(), pan.cpuTotal());
    pan.print("its steps");

    const auto verdict = [](double ms) {
        return ms < kStepTargetMs ? "met" : "MISSED";
    };
    std::printf("\nSummary (target: a group-drag step under %.0f ms, for a 250 Hz mouse)\n",
                kStepTargetMs);
    std::printf("  group drag of %d sheets, ms a step   wall %6.2f (%.2fx, %s)  processor %6.2f "
                "(%.2fx, %s)\n",
                kGroup, linear.mean(), linear.mean() / kStepTargetMs, verdict(linear.mean()),
                linear.cpuMean(), linear.cpuMean() / kStepTargetMs, verdict(linear.cpuMean()));
    std::printf("  the same with an item index          wall %6.2f (%.2fx, %s)  processor %6.2f "
                "(%.2fx, %s)\n",
                indexed.mean(), indexed.mean() / kStepTargetMs, verdict(indexed.mean()),
                indexed.cpuMean(), indexed.cpuMean() / kStepTargetMs, verdict(indexed.cpuMean()));
    std::printf("  one drag of a sheet with four links  wall %6.1f ms  processor %6.1f ms\n",
                single.total() + singleDrop.first, single.cpuTotal() + singleDrop.second);
    std::printf("  Shift-pan across the desk            wall %6.0f ms  processor %6.0f ms\n",
                pan.total(), pan.cpuTotal());
    return 0;
}
