// The writing benchmarks: word counts over a whole book against a plain read of its files,
// typing into a long sheet (with and without spelling as you type, with and without recovery
// copies), and printing one. Plain timing with medians; see bench/README.md.

#include "GeneratedBook.h"
#include "app/MainModel.h"
#include "common/TextCodec.h"
#include "desk/TKerfa.h"
#include "editor/EditorOptions.h"
#include "editor/EditorRecovery.h"
#include "editor/MemoEdit.h"
#include "editor/SheetText.h"
#include "editor/TfmEditor.h"
#include "editor/WordCount.h"
#include "printing/PrintCommand.h"
#include "project/RecoveryRun.h"
#include "spelling/TSpellChecker.h"
#include "spellui/EditorSpeller.h"
#include "spellui/LiveSpeller.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Counts the paints of the memo's page, to be sure each keystroke was drawn.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Every text file read whole into memory, nothing else: the floor for any count.
qint64 plainRead(const QStringList& paths) {
    qint64 bytes = 0;
    for (const QString& path : paths) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info {};
        ::fstat(fd, &info);
        QByteArray data(static_cast<qsizetype>(info.st_size), Qt::Uninitialized);
        qsizetype got = 0;
        while (got < data.size()) {
            const ssize_t n = ::read(fd, data.data() + got, static_cast<size_t>(data.size() - got));
            if (n <= 0)
                break;
            got += n;
        }
        ::close(fd);
        bytes += got;
    }
    return bytes;
}

void countBook(int runs) {
    // KERFA_BENCH_BOOK keeps the book in a folder of one's own, and measures it again there.
    QTemporaryDir dir;
    const QString kept = qEnvironmentVariable("KERFA_BENCH_BOOK");
    const QString folder = (kept.isEmpty() ? dir.path() + QStringLiteral("/Book") : kept) + u'/';
    constexpr int kSheets = 5000;
    constexpr qint64 kWordsPerSheet = 2000;
    QElapsedTimer timer;
    timer.start();
    const bool reused = QFileInfo::exists(folder + QStringLiteral("Book.kerfa"));
    const qint64 written = reused ? -1 : GeneratedBook::write(folder, kSheets, kWordsPerSheet);
    if (written == 0) {
        std::printf("count: no prose (install the fortunes package)\n");
        return;
    }
    if (!reused)
        std::printf("count: generated %d sheets, %lld words, in %.1f s\n", kSheets,
                    static_cast<long long>(written), timer.elapsed() / 1000.0);

    MainModel model;
    model.commands().LoadProject(folder + QStringLiteral("Book.kerfa"));
    QStringList paths;
    for (const TKerfa* sheet : model.desk().sheets())
        paths << SheetText::pathOf(folder, sheet->SheetName);

    // Both once first, so that both read from the page cache.
    const qint64 bytes = plainRead(paths);
    qint64 counted = model.wordCounts().countMainType().value_or(-1);
    std::vector<double> countMs;
    std::vector<double> readMs;
    for (int run = 0; run < runs; ++run) {
        timer.start();
        counted = model.wordCounts().countMainType().value_or(-1);
        countMs.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        plainRead(paths);
        readMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double count = median(countMs);
    const double read = median(readMs);
    std::printf("count: %lld words in %lld files, %.1f MB (the program's count agrees: %s)\n",
                static_cast<long long>(counted), static_cast<long long>(paths.size()), bytes / 1e6,
                reused               ? "not checked"
                : counted == written ? "yes"
                                     : "NO");
    std::printf("count: main menu Word Count %.1f ms, plain read %.1f ms, ratio %.2f "
                "(target <= 1.5: %s); medians of %d runs\n",
                count, read, count / read, count / read <= 1.5 ? "met" : "MISSED", runs);
}

// The program folder of the run: the shipped dictionary, and a spelling configuration of its
// own.
void useProgramFolder(const QTemporaryDir& folder) {
    QDir(folder.path()).mkpath(QStringLiteral("Spelling"));
    QFile::copy(QStringLiteral(KERFA_BRITISH_ADM),
                folder.filePath(QStringLiteral("Spelling/british.adm")));
    qputenv("KERFA_HOME", QFile::encodeName(folder.path()));
}

struct Keystrokes {
    double mean = 0;
    double median = 0;
    double p99 = 0;
    double slowest = 0;
};

// Types `count` characters one by one, each followed by the event processing it causes (the
// relayout and the repaint it asks for, and whatever else is due).
Keystrokes typeKeys(QPlainTextEdit* memo, int count) {
    const QString typed = QStringLiteral("The keeper climbed the stair and the lamp turned. ");
    std::vector<double> keyMs;
    keyMs.reserve(count);
    QElapsedTimer timer;
    for (int i = 0; i < count; ++i) {
        timer.start();
        QTest::keyClick(memo, typed[i % typed.size()].toLatin1());
        QCoreApplication::processEvents();
        keyMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    double sum = 0;
    for (const double ms : keyMs)
        sum += ms;
    std::sort(keyMs.begin(), keyMs.end());
    return {sum / count, keyMs[count / 2], keyMs[count * 99 / 100], keyMs.back()};
}

void typeIntoALongSheet(const QString& prose, bool liveSpelling) {
    QTemporaryDir programFolder;
    useProgramFolder(programFolder);
    const QString text = GeneratedBook::sheet(prose.split(QStringLiteral("\r\n")), 0, 500000);
    EditorOptions options;
    EditorSettings settings;
    settings.fontName = QStringLiteral("DejaVu Serif");
    settings.positioning = EditorSettings::None;
    options.set(settings);
    TfmEditor editor(options);
    editor.setMemoFont(settings.fontName, 11);
    QPlainTextEdit* memo = editor.memo();
    QElapsedTimer timer;
    timer.start();
    memo->setPlainText(text);
    const double loadMs = timer.nsecsElapsed() / 1e6;
    editor.resize(800, 600);
    editor.show();
    if (!QTest::qWaitForWindowExposed(&editor))
        std::printf("type: the window was not exposed\n");
    // The live speller starts once the window stands.
    QCoreApplication::processEvents();
    LiveSpeller* live = editor.speller().live();
    editor.speller().checker().Config().SetOption(kerfa::spelling::soLiveSpelling, liveSpelling);
    LiveSpeller::recheckEverywhere(false);
    // In the middle of the sheet, in a paragraph.
    QTextCursor cursor(memo->document()->findBlockByNumber(memo->document()->blockCount() / 2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    memo->setTextCursor(cursor);
    memo->ensureCursorVisible();
    QCoreApplication::processEvents();

    PaintCounter counter;
    memo->viewport()->installEventFilter(&counter);
    constexpr int kKeys = 1000;
    constexpr double kTargetMs = 2;
    const char* label = liveSpelling ? "livetype" : "type";
    if (liveSpelling) {
        // While the idle pass goes through the sheet, each key waits for at most one slice.
        live->recheck();
        const Keystrokes during = typeKeys(memo, 200);
        timer.start();
        while (!live->isComplete())
            QCoreApplication::processEvents();
        const double restMs = timer.nsecsElapsed() / 1e6;
        live->recheck();
        timer.start();
        while (!live->isComplete())
            QCoreApplication::processEvents();
        std::printf("livetype: the whole sheet checked in the idle time in %.0f ms (%lld "
                    "paragraphs checked in all)\n",
                    timer.nsecsElapsed() / 1e6, static_cast<long long>(live->blocksChecked()));
        std::printf("livetype: 200 keystrokes while the idle pass runs: mean %.3f ms, median "
                    "%.3f ms, slowest %.3f ms (ratio to the %.0f ms target %.2f); the rest "
                    "took %.0f ms more\n",
                    during.mean, during.median, during.slowest, kTargetMs, during.mean / kTargetMs,
                    restMs);
    }
    const qint64 checkedBefore = live->blocksChecked();
    const int paintsBefore = counter.paints;
    const Keystrokes keys = typeKeys(memo, kKeys);
    std::printf("%s: sheet of %lld words (%.1f MB of text, %d paragraphs), loaded in %.0f ms\n",
                label, static_cast<long long>(WordCount::CountWords(text)), text.size() * 2 / 1e6,
                memo->document()->blockCount(), loadMs);
    std::printf("%s: live spelling %s, %lld paragraphs checked while typing\n", label,
                liveSpelling ? "on" : "off",
                static_cast<long long>(live->blocksChecked() - checkedBefore));
    std::printf("%s: %d keystrokes (%d repaints, on the %s platform), mean %.3f ms, median "
                "%.3f ms, 99th percentile %.3f ms, slowest %.3f ms; ratio of the mean to the "
                "%.0f ms target %.2f (target mean < 2 ms: %s)\n",
                label, kKeys, counter.paints - paintsBefore,
                qPrintable(QGuiApplication::platformName()), keys.mean, keys.median, keys.p99,
                keys.slowest, kTargetMs, keys.mean / kTargetMs,
                keys.mean < kTargetMs ? "met" : "MISSED");
    qunsetenv("KERFA_HOME");
}

// Typing into the long sheet of `type` with recovery copies off (no EditorRecovery on the window)
// and on, in alternating rounds so that the machine's other work weighs on both alike; then how
// long the typing thread spends on a copy when it falls due, and how long after the last key the
// copy is on disk.
void typeWithRecovery(const QString& prose) {
    QTemporaryDir state;
    QTemporaryDir book;
    RecoveryRun run(RecoveryStore(state.path() + QStringLiteral("/kerfa/recovery/")));
    const QString text = GeneratedBook::sheet(prose.split(QStringLiteral("\r\n")), 0, 500000);
    EditorOptions options;
    EditorSettings settings;
    settings.fontName = QStringLiteral("DejaVu Serif");
    settings.positioning = EditorSettings::None;
    options.set(settings);
    TfmEditor editor(options);
    editor.setSheet(book.path() + u'/', QStringLiteral("Long Sheet"));
    editor.setMemoFont(settings.fontName, 11);
    QPlainTextEdit* memo = editor.memo();
    memo->setPlainText(text);
    editor.resize(800, 600);
    editor.show();
    if (!QTest::qWaitForWindowExposed(&editor))
        std::printf("recovery: the window was not exposed\n");
    QCoreApplication::processEvents();
    editor.speller().checker().Config().SetOption(kerfa::spelling::soLiveSpelling, false);
    LiveSpeller::recheckEverywhere(false);
    QTextCursor cursor(memo->document()->findBlockByNumber(memo->document()->blockCount() / 2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    memo->setTextCursor(cursor);
    memo->ensureCursorVisible();
    QCoreApplication::processEvents();

    constexpr int kRounds = 8;
    constexpr int kKeys = 500;
    constexpr double kTargetMs = 2;
    constexpr double kMostMoreMs = 0.1;
    std::vector<double> offMeans;
    std::vector<double> onMeans;
    std::vector<double> offMedians;
    std::vector<double> onMedians;
    EditorRecovery* recovery = nullptr;
    std::vector<double> differences;
    // Off first in one round, on first in the next, so that neither always meets the longer text.
    for (int round = 0; round < kRounds; ++round) {
        Keystrokes off;
        Keystrokes on;
        for (const bool recovering : {round % 2 == 1, round % 2 == 0}) {
            delete recovery;
            recovery = recovering ? new EditorRecovery(&editor, run) : nullptr;
            (recovering ? on : off) = typeKeys(memo, kKeys);
        }
        offMeans.push_back(off.mean);
        onMeans.push_back(on.mean);
        offMedians.push_back(off.median);
        onMedians.push_back(on.median);
        differences.push_back(on.mean - off.mean);
    }
    if (!recovery)
        recovery = new EditorRecovery(&editor, run);
    QTest::keyClick(memo, 'x');
    // After the last key: the copy falls due once typing has paused, and goes to disk.
    QElapsedTimer sinceLastKey;
    sinceLastKey.start();
    const qint64 before = run.written();
    while (run.written() == before && sinceLastKey.elapsed() < 10000) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    const double onDiskMs = sinceLastKey.nsecsElapsed() / 1e6;
    // What a copy costs the typing thread when it falls due: the memo's text taken and handed
    // over (the encoding and the write are the run's own thread's).
    std::vector<double> takeMs;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(memo, 'x');
        QElapsedTimer timer;
        timer.start();
        recovery->keepNow();
        takeMs.push_back(timer.nsecsElapsed() / 1e6);
        run.wait();
    }
    std::vector<double> writeMs;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        run.keep(editor.projectFolder(), editor.sheetName(), MemoEdit::textOf(memo->document()));
        run.wait();
        writeMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    delete recovery;

    const double offMean = median(offMeans);
    const double onMean = median(onMeans);
    std::printf("recovery: sheet of %lld words, %d rounds of %d keystrokes off and %d on, in "
                "alternating order, on the %s "
                "platform\n",
                static_cast<long long>(WordCount::CountWords(text)), kRounds, kKeys, kKeys,
                qPrintable(QGuiApplication::platformName()));
    std::printf("recovery: keystroke with recovery off: mean %.3f ms, median %.3f ms (medians of "
                "the rounds)\n",
                offMean, median(offMedians));
    const double more = median(differences);
    std::printf("recovery: keystroke with recovery on:  mean %.3f ms, median %.3f ms; %+.3f ms a "
                "key (the median of the rounds' differences of the means) (target mean < %.0f "
                "ms and at most %.1f ms more: %s)\n",
                onMean, median(onMedians), more, kTargetMs, kMostMoreMs,
                onMean < kTargetMs && more <= kMostMoreMs ? "met" : "MISSED");
    std::printf("recovery: the copy on disk %.0f ms after the last key (%lld ms of pause, then "
                "the write); a copy of the whole sheet (%.1f MB) takes the typing thread %.1f ms "
                "and the writing thread %.1f ms (medians)\n",
                onDiskMs, static_cast<long long>(RecoverySchedule::kQuietMs),
                TextCodec::encode(TextCodec::toCrLf(MemoEdit::textOf(memo->document()))).size() /
                    1e6,
                median(takeMs), median(writeMs));
}

void printALongSheet(const QString& prose, int runs) {
    const QString text = GeneratedBook::sheet(prose.split(QStringLiteral("\r\n")), 1, 500000);
    QTemporaryDir dir;
    PrintCommand command;
    TLinePrinter& printer = command.linePrinter();
    printer.Font = QFont(QStringLiteral("DejaVu Serif"), 11);
    printer.PrintTitle = QStringLiteral("Sheet");
    std::vector<double> wrapMs;
    std::vector<double> printMs;
    qsizetype lines = 0;
    for (int run = 0; run < runs; ++run) {
        QPrinter device(QPrinter::HighResolution);
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(dir.filePath(QStringLiteral("sheet.pdf")));
        const QRect area = printer.GetPageRect(device);
        QElapsedTimer timer;
        timer.start();
        lines = printer.WrapText(text, area.width(), device).size();
        wrapMs.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        printer.PrintText(device, text);
        printMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("print: sheet of %lld words, %lld printed lines, %.1f MB PDF\n",
                static_cast<long long>(WordCount::CountWords(text)), static_cast<long long>(lines),
                QFileInfo(dir.filePath(QStringLiteral("sheet.pdf"))).size() / 1e6);
    std::printf("print: wrapping %.0f ms, the whole printout into a PDF file %.0f ms; medians "
                "of %d runs\n",
                median(wrapMs), median(printMs), runs);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList parts = QApplication::arguments().mid(1);
    if (parts.isEmpty())
        parts = {QStringLiteral("count"), QStringLiteral("type"), QStringLiteral("livetype"),
                 QStringLiteral("recovery"), QStringLiteral("print")};
    const QString prose = GeneratedBook::prose();
    if (prose.isEmpty()) {
        std::printf("no prose: install the fortunes package (tools/install-deps)\n");
        return 1;
    }
    if (parts.contains(QStringLiteral("count")))
        countBook(7);
    if (parts.contains(QStringLiteral("type")))
        typeIntoALongSheet(prose, false);
    if (parts.contains(QStringLiteral("livetype")))
        typeIntoALongSheet(prose, true);
    if (parts.contains(QStringLiteral("recovery")))
        typeWithRecovery(prose);
    if (parts.contains(QStringLiteral("print")))
        printALongSheet(prose, 3);
    return 0;
}
