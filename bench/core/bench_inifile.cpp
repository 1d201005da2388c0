// Reading and writing sheet files: what opening a book of 5,000 sheets costs in INI parsing, and
// what saving one sheet costs. The project is generated in a temporary folder: names and
// descriptions of varied length, a few files from the original platform in Windows-1252, and
// some with the editor window's [EditWindow] section.

#include "common/FileWriter.h"
#include "common/IniFile.h"
#include "project/SheetRecord.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr int kSheets = 5000;

std::vector<QString> g_paths;
std::vector<QByteArray> g_contents;

// The latest wall and processor microseconds per file of each benchmark, for the summary line;
// negative when it did not run.
double g_read[2] = {-1, -1};
double g_parse[2] = {-1, -1};
double g_save[2] = {-1, -1};
double g_saveMany[2] = {-1, -1};
double g_oversized[2] = {-1, -1};

constexpr std::string_view kWords[] = {
    "the",     "keeper",  "lamp",    "night",  "storm",   "rock",  "boat",   "light",
    "tower",   "sea",     "wind",    "letter", "logbook", "brass", "oil",    "fog",
    "harbour", "relief",  "winter",  "gull",   "signal",  "crank", "tide",   "island",
    "mother",  "brother", "promise", "secret", "kitchen", "stair", "window", "ledger",
    "and",     "of",      "with",    "after",  "before",  "under", "beyond", "without"};

std::string sentence(std::mt19937& random, std::size_t maxLength) {
    std::uniform_int_distribution<std::size_t> word(0, std::size(kWords) - 1);
    std::string text;
    bool capital = true;
    while (text.size() < maxLength) {
        std::string next(kWords[word(random)]);
        if (capital)
            next[0] = static_cast<char>(next[0] - 'a' + 'A');
        capital = random() % 9 == 0;
        if (text.size() + next.size() + 2 > maxLength)
            break;
        if (!text.empty())
            text += capital ? ". " : " ";
        text += next;
    }
    return text;
}

// Sheet names of 1 to 40 characters, unique in the project as the program keeps them.
std::vector<std::string> sheetNames(std::mt19937& random) {
    std::vector<std::string> names;
    QSet<QString> taken;
    std::uniform_int_distribution<std::size_t> length(1, 40);
    while (names.size() < static_cast<std::size_t>(kSheets)) {
        std::string name;
        switch (random() % 4) {
        case 0:
            name = "Chapter " + std::to_string(names.size() + 1);
            break;
        case 1:
            name = std::to_string(names.size() + 1) + ". " + sentence(random, length(random));
            break;
        default:
            name = sentence(random, length(random));
            break;
        }
        if (name.empty() || name.size() > 40)
            continue;
        const QString folded = QString::fromStdString(name).toLower();
        if (taken.contains(folded))
            continue;
        taken.insert(folded);
        names.push_back(std::move(name));
    }
    return names;
}

// A description of 0 to 255 characters; some carry a typographic apostrophe, written as UTF-8
// or, in files from the original platform, as the Windows-1252 byte.
std::string description(std::mt19937& random, bool windows1252) {
    const std::size_t lengths[] = {0, 20, 60, 120, 200, 255};
    std::string text = sentence(random, lengths[random() % std::size(lengths)]);
    if (text.size() > 10 && random() % 3 == 0)
        text.insert(text.size() / 2, windows1252 ? "\x92s" : "\xE2\x80\x99s");
    return text;
}

QByteArray sheetFile(std::mt19937& random, const std::vector<std::string>& names,
                     std::size_t index) {
    const bool windows1252 = random() % 20 == 0;
    std::string text;
    auto line = [&](const std::string& s) {
        text += s + "\r\n";
    };
    const int type = index == 0 ? -1 : static_cast<int>(random() % 12);
    line("[StateData]");
    line("Type=" + std::to_string(type));
    line("State=" + std::to_string(random() % 3));
    line("[Position]");
    line("Left=" + std::to_string(random() % 4001));
    line("Top=" + std::to_string(random() % 3001));
    line("[Description]");
    line("Text=" + description(random, windows1252));
    line("[LinkTo]");
    // A third of the sheets continue a chain to the next one.
    line("Name=" + (index + 1 < names.size() && random() % 3 == 0 ? names[index + 1] : ""));
    if (random() % 5 == 0) {
        line("[EditWindow]");
        line("Maximised=" + std::to_string(random() % 2));
        line("Top=" + std::to_string(40 + random() % 200));
        line("Left=" + std::to_string(60 + random() % 300));
        line("Width=" + std::to_string(500 + random() % 400));
        line("Height=" + std::to_string(300 + random() % 300));
    }
    return QByteArray::fromStdString(text);
}

bool makeProject(const QTemporaryDir& project) {
    if (!project.isValid())
        return false;
    std::mt19937 random(20261207);
    const std::vector<std::string> names = sheetNames(random);
    const QString folder = project.filePath(QStringLiteral("Kerfa Files/"));
    if (!QDir().mkpath(folder))
        return false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        QString path = folder + QString::fromStdString(names[i]) + QStringLiteral(".kfa");
        QByteArray bytes = sheetFile(random, names, i);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
        g_paths.push_back(std::move(path));
        g_contents.push_back(std::move(bytes));
    }
    return true;
}

double wallMicros() {
    return std::chrono::duration<double, std::micro>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double cpuMicros() {
    timespec cpu{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    return static_cast<double>(cpu.tv_sec) * 1e6 + static_cast<double>(cpu.tv_nsec) / 1e3;
}

// Wall and processor time per file. The machine may be shared: the processor time shows what
// the program itself spends.
void reportPerFile(benchmark::State& state, double wall, double cpu, std::size_t perIteration,
                   double (&figures)[2]) {
    const double files =
        static_cast<double>(state.iterations()) * static_cast<double>(perIteration);
    figures[0] = wall / files;
    figures[1] = cpu / files;
    state.counters["us_per_file"] = figures[0];
    state.counters["cpu_us_per_file"] = figures[1];
}

// Opening a book: every sheet file read from disk and every key the loader uses.
void BM_ReadSheetFiles(benchmark::State& state) {
    double wall = 0;
    double cpu = 0;
    for (auto _ : state) {
        const double wallStart = wallMicros();
        const double cpuStart = cpuMicros();
        for (const QString& path : g_paths) {
            const IniFile file(path);
            SheetRecord record = SheetRecord::read(file);
            benchmark::DoNotOptimize(record);
        }
        cpu += cpuMicros() - cpuStart;
        wall += wallMicros() - wallStart;
    }
    reportPerFile(state, wall, cpu, g_paths.size(), g_read);
}
BENCHMARK(BM_ReadSheetFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same without the file system: decoding, splitting and looking up keys only.
void BM_ParseSheetText(benchmark::State& state) {
    // A path where no file is: the constructor reads nothing and parse() does the work.
    IniFile file(g_paths.front() + QStringLiteral(".absent"));
    double wall = 0;
    double cpu = 0;
    for (auto _ : state) {
        const double wallStart = wallMicros();
        const double cpuStart = cpuMicros();
        for (const QByteArray& bytes : g_contents) {
            file.parse(bytes);
            SheetRecord record = SheetRecord::read(file);
            benchmark::DoNotOptimize(record);
        }
        cpu += cpuMicros() - cpuStart;
        wall += wallMicros() - wallStart;
    }
    reportPerFile(state, wall, cpu, g_contents.size(), g_parse);
}
BENCHMARK(BM_ParseSheetText)->Unit(benchmark::kMillisecond)->UseRealTime();

// Saving one sheet as the program does: read the file (so that [EditWindow] survives), write
// the record, then the temporary file renamed over the old one. The position moves each time,
// so every save really writes.
void BM_SaveSheetFile(benchmark::State& state) {
    std::size_t next = 0;
    int step = 0;
    double wall = 0;
    double cpu = 0;
    bool failed = false;
    for (auto _ : state) {
        const QString& path = g_paths[next];
        next = (next + 1) % g_paths.size();
        const double wallStart = wallMicros();
        const double cpuStart = cpuMicros();
        IniFile file(path);
        SheetRecord record = SheetRecord::read(file);
        record.left = ++step % 4001;
        record.write(file);
        failed = !file.save() || failed;
        cpu += cpuMicros() - cpuStart;
        wall += wallMicros() - wallStart;
    }
    if (failed)
        state.SkipWithError("a sheet file could not be saved");
    reportPerFile(state, wall, cpu, 1, g_save);
}
BENCHMARK(BM_SaveSheetFile)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Saving a hundred sheets at once, as a project save does: each file is synced, and each folder
// once for them all.
void BM_SaveManySheetFiles(benchmark::State& state) {
    constexpr std::size_t kMany = 100;
    std::size_t next = 0;
    int step = 0;
    double wall = 0;
    double cpu = 0;
    bool failed = false;
    for (auto _ : state) {
        const double wallStart = wallMicros();
        const double cpuStart = cpuMicros();
        FileWriter::Batch batch;
        for (std::size_t i = 0; i < kMany; ++i) {
            IniFile file(g_paths[next]);
            next = (next + 1) % g_paths.size();
            SheetRecord record = SheetRecord::read(file);
            record.top = ++step % 3001;
            record.write(file);
            failed = !file.save() || failed;
        }
        failed = !batch.finish() || failed;
        cpu += cpuMicros() - cpuStart;
        wall += wallMicros() - wallStart;
    }
    if (failed)
        state.SkipWithError("a sheet file could not be saved");
    reportPerFile(state, wall, cpu, kMany, g_saveMany);
}
BENCHMARK(BM_SaveManySheetFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// Files far larger than a sheet file, read as empty: 15 MiB of line breaks (refused by its size
// before a byte is read) and 1 MiB of them (read, then refused by its number of lines).
void BM_ReadOversizedSheetFile(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString huge = dir.filePath(QStringLiteral("huge.kfa"));
    const QString lines = dir.filePath(QStringLiteral("lines.kfa"));
    for (const auto& [path, size] : {std::pair{huge, 15 << 20}, std::pair{lines, 1 << 20}}) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(size, '\n')) != size) {
            state.SkipWithError("cannot write the oversized files");
            return;
        }
    }
    double wall = 0;
    double cpu = 0;
    for (auto _ : state) {
        const double wallStart = wallMicros();
        const double cpuStart = cpuMicros();
        for (const QString& path : {huge, lines}) {
            const IniFile file(path);
            benchmark::DoNotOptimize(file.sections());
        }
        cpu += cpuMicros() - cpuStart;
        wall += wallMicros() - wallStart;
    }
    reportPerFile(state, wall, cpu, 2, g_oversized);
}
BENCHMARK(BM_ReadOversizedSheetFile)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    const QTemporaryDir project;
    if (!makeProject(project)) {
        std::fprintf(stderr, "bench_inifile: cannot write the sheet files of the test project\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("bench_inifile: %d sheet files, microseconds per file (processor time):", kSheets);
    if (g_read[0] >= 0)
        std::printf(" read %.1f (%.1f), %.0f ms for the book;", g_read[0], g_read[1],
                    g_read[0] * kSheets / 1000);
    if (g_parse[0] >= 0)
        std::printf(" parse from memory %.1f (%.1f);", g_parse[0], g_parse[1]);
    if (g_save[0] >= 0)
        std::printf(" save %.1f (%.1f);", g_save[0], g_save[1]);
    if (g_saveMany[0] >= 0)
        std::printf(" save of 100 at once %.1f (%.1f);", g_saveMany[0], g_saveMany[1]);
    if (g_oversized[0] >= 0)
        std::printf(" oversized file read as empty %.1f (%.1f)", g_oversized[0], g_oversized[1]);
    std::printf("\n");
    return 0;
}
