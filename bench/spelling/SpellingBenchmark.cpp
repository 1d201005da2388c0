// Speed of the spelling check on real prose (the fortunes package's quotations), with hunspell
// (Debian's en_GB) on the same tokens as the reference:
//   check throughput (words/s) of the checker's acceptability test with british.adm, as the
//   editor sets it up, against hunspell, and their ratio; the bare dictionary lookup beside it;
//   opening british.adm plus the first lookup;
//   NextWord over the text (bytes/s);
//   saving and loading a custom dictionary of 10,000 words.
// KERFA_PROSE=path uses another text (Windows-1252 or UTF-8) instead.

#include "BenchChecker.h"
#include "FortuneProse.h"
#include "common/Cp1252.h"
#include "spelling/TCustomDictionary.h"
#include "spelling/TMainDictionary.h"
#include "spelling/TMainParsingEngine.h"
#include "spelling/TStringParser.h"

#include <benchmark/benchmark.h>
#include <hunspell.hxx>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

using namespace kerfa::spelling;

namespace {

const std::string& prose() {
    static const std::string text = [] {
        if (const char* path = std::getenv("KERFA_PROSE")) {
            std::ifstream in(path, std::ios::binary);
            std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            std::string converted;
            if (kerfa::cp1252::isValidUtf8(bytes)) {
                kerfa::cp1252::fromUtf8(bytes, converted);
                return converted;
            }
            return bytes;
        }
        return kerfa::bench::FortuneProse::Load();
    }();
    return text;
}

const std::vector<std::string>& tokens() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> out;
        TStringParser text(prose() + "\r\n");
        TMainParsingEngine engine;
        engine.Start(text, TMainParsingEngine::smWholeText);
        for (std::string w = engine.NextWord(); !w.empty(); w = engine.NextWord())
            out.push_back(w);
        return out;
    }();
    return list;
}

// The engine's retry for a word that is not found as written: initial capital lowered, or the
// whole word when it is all capitals.
bool foldCase(std::string& word) {
    const auto first = static_cast<std::uint8_t>(word[0]);
    if (kerfa::cp1252::toLower(first) == first)
        return false;
    bool allUpper = true;
    for (const char c : word)
        allUpper = allUpper && kerfa::cp1252::toUpper(static_cast<std::uint8_t>(c)) ==
                                   static_cast<std::uint8_t>(c);
    for (std::size_t i = 0; i < (allUpper ? word.size() : 1); ++i)
        word[i] = static_cast<char>(kerfa::cp1252::toLower(static_cast<std::uint8_t>(word[i])));
    return true;
}

void reportChecks(benchmark::State& state, std::size_t tokens, std::size_t known) {
    state.counters["words/s"] = benchmark::Counter(static_cast<double>(tokens * state.iterations()),
                                                   benchmark::Counter::kIsRate);
    state.counters["known%"] = 100.0 * static_cast<double>(known) / static_cast<double>(tokens);
}

// The checker's own test, as the check walk asks it for every word.
void BM_CheckKerfa(benchmark::State& state) {
    kerfa::bench::BenchChecker checker;
    if (checker->MainDictionaries().empty()) {
        state.SkipWithError("british.adm missing");
        return;
    }
    const auto& list = tokens();
    std::size_t known = 0;
    for (auto _ : state) {
        known = 0;
        for (const auto& token : list)
            known += checker->IsWordAcceptable(token);
        benchmark::DoNotOptimize(known);
    }
    reportChecks(state, list.size(), known);
}

// The main dictionary alone: a lookup, and a second one folded when the first fails.
void BM_LookupKerfa(benchmark::State& state) {
    TMainDictionary dictionary;
    if (!dictionary.Open(KERFA_BRITISH_ADM)) {
        state.SkipWithError("british.adm missing");
        return;
    }
    const auto& list = tokens();
    std::size_t known = 0;
    std::string folded;
    for (auto _ : state) {
        known = 0;
        for (const auto& token : list) {
            bool found = dictionary.Contains(token).found;
            if (!found) {
                folded = token;
                found = foldCase(folded) && dictionary.Contains(folded).found;
            }
            known += found;
        }
        benchmark::DoNotOptimize(known);
    }
    reportChecks(state, list.size(), known);
}

void BM_CheckHunspell(benchmark::State& state) {
    Hunspell hunspell(KERFA_HUNSPELL_DICT ".aff", KERFA_HUNSPELL_DICT ".dic");
    std::vector<std::string> utf8;
    for (const auto& token : tokens())
        utf8.push_back(kerfa::cp1252::toUtf8(token));
    std::size_t known = 0;
    for (auto _ : state) {
        known = 0;
        for (const auto& token : utf8)
            known += hunspell.spell(token);
        benchmark::DoNotOptimize(known);
    }
    reportChecks(state, utf8.size(), known);
}

void BM_OpenAndFirstLookup(benchmark::State& state) {
    for (auto _ : state) {
        TMainDictionary dictionary;
        dictionary.Open(KERFA_BRITISH_ADM);
        benchmark::DoNotOptimize(dictionary.Contains("the").found);
    }
}

void BM_NextWord(benchmark::State& state) {
    TStringParser text(prose() + "\r\n");
    TMainParsingEngine engine;
    std::size_t words = 0;
    for (auto _ : state) {
        engine.Start(text, TMainParsingEngine::smWholeText);
        words = 0;
        while (!engine.NextWord().empty())
            ++words;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(text.Text().size() * state.iterations()));
    state.counters["words"] = static_cast<double>(words);
}

// The custom dictionary lives in the temporary folder (on disk here, so each save waits for
// the disk flush), or in /dev/shm for the figure without the flush.
std::string customPath(bool inMemory = false) {
    const std::filesystem::path folder = inMemory && std::filesystem::is_directory("/dev/shm")
                                             ? "/dev/shm"
                                             : std::filesystem::temp_directory_path();
    return (folder / "kerfa-bench-custom.adu").string();
}

void fillCustom(TCustomDictionary& dictionary) {
    const auto& list = tokens();
    for (std::size_t i = 0; dictionary.Count(TCustomDictionary::Kind::Added) < 10000; ++i)
        dictionary.AddWord(list[i % list.size()] + (i >= list.size() ? "x" : ""));
}

void BM_CustomSaveThenLoad(benchmark::State& state) {
    const std::string path = customPath(state.range(0) != 0);
    std::remove(path.c_str());
    TCustomDictionary dictionary;
    dictionary.Open(path);
    fillCustom(dictionary);
    for (auto _ : state) {
        dictionary.Save();
        TCustomDictionary loaded;
        loaded.Open(path);
        loaded.SetLoaded(true);
        benchmark::DoNotOptimize(loaded.IsAdded(tokens().front()));
    }
    state.counters["words"] = static_cast<double>(dictionary.Count(TCustomDictionary::Kind::Added));
    std::remove(path.c_str());
}

void BM_CustomSave(benchmark::State& state) {
    const std::string path = customPath();
    std::remove(path.c_str());
    TCustomDictionary dictionary;
    dictionary.Open(path);
    fillCustom(dictionary);
    for (auto _ : state)
        dictionary.Save();
}

void BM_CustomLoad(benchmark::State& state) {
    const std::string path = customPath();
    for (auto _ : state) {
        TCustomDictionary loaded;
        loaded.Open(path);
        loaded.SetLoaded(true);
        benchmark::DoNotOptimize(loaded.IsAdded(tokens().front()));
    }
    TCustomDictionary loaded;
    loaded.Open(path);
    state.counters["words"] = static_cast<double>(loaded.Count(TCustomDictionary::Kind::Added));
}

BENCHMARK(BM_CheckKerfa)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookupKerfa)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckHunspell)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndFirstLookup)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NextWord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomSaveThenLoad)->Unit(benchmark::kMicrosecond)->ArgName("shm")->Arg(0)->Arg(1);
BENCHMARK(BM_CustomSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CustomLoad)->Unit(benchmark::kMicrosecond);

// Prints the usual table, then the figures side by side with their targets.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            const std::string name = run.benchmark_name();
            if (auto it = run.counters.find("words/s"); it != run.counters.end())
                rates_[name] = it->second.value;
            if (auto it = run.counters.find("bytes_per_second"); it != run.counters.end())
                rates_[name] = it->second.value;
            times_[name] = Microseconds(run.GetAdjustedRealTime(), run.time_unit);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nSummary (%zu tokens, %zu bytes of prose)\n", tokens().size(),
                    prose().size());
        const double kerfa = rates_["BM_CheckKerfa"], hunspell = rates_["BM_CheckHunspell"];
        const double lookup = rates_["BM_LookupKerfa"];
        std::printf("  check:  Kerfa %.2f M words/s (target >= 10), hunspell %.2f M words/s, "
                    "ratio %.1fx (target >= 3.5x)\n",
                    kerfa / 1e6, hunspell / 1e6, hunspell > 0 ? kerfa / hunspell : 0.0);
        std::printf("  dictionary lookup alone: %.2f M words/s, %.1fx hunspell\n", lookup / 1e6,
                    hunspell > 0 ? lookup / hunspell : 0.0);
        std::printf("  open british.adm + first lookup: %.1f us (target < 1000 us)\n",
                    times_["BM_OpenAndFirstLookup"]);
        std::printf("  NextWord: %.0f MB/s (target >= 150 MB/s)\n", rates_["BM_NextWord"] / 1e6);
        std::printf(
            "  custom dictionary of 10,000 words, save then load: %.0f us on disk (save %.0f us,"
            " load %.0f us), %.0f us in /dev/shm (target < 2000 us)\n",
            times_["BM_CustomSaveThenLoad/shm:0"], times_["BM_CustomSave"], times_["BM_CustomLoad"],
            times_["BM_CustomSaveThenLoad/shm:1"]);
    }

private:
    static double Microseconds(double value, benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kNanosecond:
            return value / 1e3;
        case benchmark::kMicrosecond:
            return value;
        case benchmark::kMillisecond:
            return value * 1e3;
        default:
            return value * 1e6;
        }
    }

    std::map<std::string, double> rates_; // per second
    std::map<std::string, double> times_; // microseconds per iteration
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::remove(customPath().c_str());
    benchmark::Shutdown();
    return 0;
}
