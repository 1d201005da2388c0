// The compilation of a whole book and Find & Compile over it, each against plain reads (and a
// plain write) of the same files. Plain timing with medians; see bench/README.md.

#include "GeneratedBook.h"
#include "app/MainModel.h"
#include "common/FileWriter.h"
#include "compile/CompilationFile.h"
#include "desk/TKerfa.h"
#include "editor/SheetText.h"
#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The compilation's messages, counted instead of shown.
class SilentBoxes : public MessageBoxes {
public:
    Answer show(Kind, const QString& text, Buttons) override {
        last = text;
        return Answer::Ok;
    }
    QString last;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A file read whole into a new buffer: open, size, read, close, nothing else.
QByteArray plainRead(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
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
    data.truncate(got);
    return data;
}

qint64 readAll(const QStringList& paths) {
    qint64 bytes = 0;
    for (const QString& path : paths)
        bytes += plainRead(path).size();
    return bytes;
}

// Every text file read and their bytes written one after the other into one file, as durably
// as the program writes (a temporary file, synced, renamed over the old one).
bool readAndWrite(const QStringList& paths, const QString& output) {
    QByteArray all;
    for (const QString& path : paths)
        all += plainRead(path);
    return FileWriter::write(output, all);
}

struct Figure {
    std::vector<double> ms;
    double median() const { return ::median(ms); }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SilentBoxes boxes;
    MessageBoxes::install(&boxes);
    constexpr int kRuns = 7;
    constexpr int kSheets = 5000;
    constexpr qint64 kWordsPerSheet = 2000;

    // KERFA_BENCH_BOOK keeps the book in a folder of one's own (/dev/shm, say), and measures it
    // again there.
    QTemporaryDir dir;
    const QString kept = qEnvironmentVariable("KERFA_BENCH_BOOK");
    const QString folder = (kept.isEmpty() ? dir.path() + QStringLiteral("/Book") : kept) + u'/';
    QElapsedTimer timer;
    timer.start();
    if (!QFileInfo::exists(folder + QStringLiteral("Book.kerfa"))) {
        const qint64 words = GeneratedBook::write(folder, kSheets, kWordsPerSheet);
        if (words == 0) {
            std::printf("compile: no prose (install the fortunes package)\n");
            return 1;
        }
        std::printf("compile: generated %d sheets, %lld words, in %.1f s\n", kSheets,
                    static_cast<long long>(words), timer.elapsed() / 1000.0);
    }

    MainModel model;
    model.settings().autoCompKerfa = false;
    model.commands().LoadProject(folder + QStringLiteral("Book.kerfa"));
    CompileCommands& commands = model.compileCommands();
    QStringList names;
    QStringList texts;
    for (const TKerfa* sheet : model.desk().sheets()) {
        names << sheet->SheetName;
        texts << SheetText::pathOf(folder, sheet->SheetName);
    }
    // The whole book, in desk order.
    const auto compileEverySheet = [&model, &names] {
        model.compilation().clear();
        for (const QString& name : names)
            model.compilation().add(name);
    };
    const QString plainOutput = folder + QStringLiteral("Text Files/Plain copy.txt");
    const QString output = CompilationFile::path(folder);

    // Everything once first, so that every run reads from the page cache.
    const qint64 bytes = readAll(texts);
    compileEverySheet();
    commands.Create({true, true});
    readAndWrite(texts, plainOutput);
    commands.FindAndCompile(QStringLiteral("Skerrow"), false, true);
    Figure compile, copy, findFolded, findExact, read;
    for (int run = 0; run < kRuns; ++run) {
        compileEverySheet();
        timer.start();
        const bool created =
            commands.Create({true, true}) == CompileCommands::CreateResult::Created;
        compile.ms.push_back(timer.nsecsElapsed() / 1e6);
        if (!created)
            std::printf("compile: the compilation failed: %s\n", qPrintable(boxes.last));
        timer.start();
        readAndWrite(texts, plainOutput);
        copy.ms.push_back(timer.nsecsElapsed() / 1e6);
        // A word no sheet holds: every text is searched to its end.
        timer.start();
        commands.FindAndCompile(QStringLiteral("Skerrow"), false, true);
        findFolded.ms.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        commands.FindAndCompile(QStringLiteral("Skerrow"), true, true);
        findExact.ms.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        readAll(texts);
        read.ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    // A name many sheets hold, as a writer would look for a character.
    commands.FindAndCompile(QStringLiteral("shakespeare"), false, true);
    const qsizetype found = model.compilation().rowCount();

    std::printf("compile: %d sheets, %.1f MB of text in %s; compilation %.1f MB\n", kSheets,
                bytes / 1e6, qPrintable(folder), QFileInfo(output).size() / 1e6);
    const double ratio = compile.median() / copy.median();
    std::printf("compile: Create with descriptions and content %.1f ms, plain read and write %.1f "
                "ms, ratio %.2f (target <= 2: %s)\n",
                compile.median(), copy.median(), ratio, ratio <= 2 ? "met" : "MISSED");
    const double folded = findFolded.median() / read.median();
    const double exact = findExact.median() / read.median();
    std::printf("find: Find & Compile over every sheet %.1f ms (Match Case %.1f ms), plain read "
                "%.1f ms, ratio %.2f (Match Case %.2f) (target <= 2: %s)\n",
                findFolded.median(), findExact.median(), read.median(), folded, exact,
                std::max(folded, exact) <= 2 ? "met" : "MISSED");
    std::printf("find: \"shakespeare\" found in %lld of %d sheets; medians of %d runs\n",
                static_cast<long long>(found), kSheets, kRuns);
    QFile::remove(plainOutput);
    MessageBoxes::install(nullptr);
    return 0;
}
