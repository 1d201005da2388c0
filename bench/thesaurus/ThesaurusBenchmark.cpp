// Speed of the thesaurus on real prose: every word of English quotations and verse from
// Debian's fortunes package (literature, love, people, songs-poems, wisdom), taken from the
// text as the editor takes the word at the cursor, looked up in the shipped English thesaurus
// (Thesaurus/English-uk.adt) as the thesaurus command does:
//   a look-up in a loaded thesaurus, per word of the prose, and the share of words found;
//   a whole command's file work: load the thesaurus, look one word up, unload;
//   the word with the most meanings;
//   the content words of the prose (those not in bench/thesaurus/function-words.txt) for which
//   the thesaurus command finds meanings, looked up as written (before) and also through their
//   base forms ("walked": walk) checked against british.adm (after), with the time a word.
// Only the content words have targets (found at least 90 % after, under 20 us a word); the
// figures are printed, never asserted.

#include "common/Cp1252.h"
#include "spelling/CodePageCase.h"
#include "spelling/TMainDictionary.h"
#include "spelling/TMainParsingEngine.h"
#include "spelling/TStringParser.h"
#include "spelling/TThesaurusBase.h"
#include "spelling/TThesaurusFile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <unordered_set>

using namespace kerfa::spelling;

namespace {

const std::vector<std::string>& proseWords() {
    static const std::vector<std::string> words = [] {
        std::string text;
        for (const char* name : {"literature", "love", "people", "songs-poems", "wisdom"}) {
            std::ifstream in(std::string(KERFA_FORTUNES) + "/" + name, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
            std::string converted;
            text += kerfa::cp1252::isValidUtf8(bytes) && kerfa::cp1252::fromUtf8(bytes, converted)
                        ? converted
                        : bytes;
            text += "\r\n";
        }
        std::vector<std::string> out;
        TStringParser parser(text);
        TMainParsingEngine engine;
        engine.Start(parser, TMainParsingEngine::smWholeText);
        for (std::string w = engine.NextWord(); !w.empty(); w = engine.NextWord())
            out.push_back(w);
        return out;
    }();
    return words;
}

TThesaurusFile& loaded() {
    static TThesaurusFile file;
    if (!file.IsLoaded()) {
        file.SetFileName(KERFA_THESAURUS_ADT);
        if (!file.SetLoaded(true)) {
            std::fprintf(stderr, "cannot load %s\n", KERFA_THESAURUS_ADT);
            std::exit(1);
        }
    }
    return file;
}

void BM_LookupProseWords(benchmark::State& state) {
    const auto& words = proseWords();
    const TThesaurusFile& file = loaded();
    std::vector<TThesaurusEntry> meanings;
    std::size_t found = 0, listed = 0;
    for (auto _ : state) {
        found = listed = 0;
        for (const std::string& word : words) {
            if (file.Lookup(word, meanings)) {
                ++found;
                for (const auto& m : meanings)
                    listed += m.lists[m.ShownList()].size();
            }
        }
        benchmark::DoNotOptimize(listed);
    }
    state.counters["time/word"] = benchmark::Counter(static_cast<double>(words.size()),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
    state.counters["words"] = static_cast<double>(words.size());
    state.counters["found%"] =
        100.0 * static_cast<double>(found) / static_cast<double>(words.size());
    state.counters["words shown/lookup"] =
        static_cast<double>(listed) / static_cast<double>(std::max<std::size_t>(found, 1));
}
BENCHMARK(BM_LookupProseWords)->Unit(benchmark::kMillisecond);

void BM_LoadLookUpUnload(benchmark::State& state) {
    TThesaurusFile file;
    file.SetFileName(KERFA_THESAURUS_ADT);
    std::vector<TThesaurusEntry> meanings;
    for (auto _ : state) {
        file.SetLoaded(true);
        benchmark::DoNotOptimize(file.Lookup("happy", meanings));
        file.SetLoaded(false);
    }
}
BENCHMARK(BM_LoadLookUpUnload)->Unit(benchmark::kMicrosecond);

void BM_WordWithMostMeanings(benchmark::State& state) {
    const TThesaurusFile& file = loaded();
    std::vector<TThesaurusEntry> meanings;
    std::string busiest;
    std::size_t most = 0;
    for (const std::string& word : proseWords()) {
        file.Lookup(word, meanings);
        if (meanings.size() > most) {
            most = meanings.size();
            busiest = word;
        }
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(file.Lookup(busiest, meanings));
    state.SetLabel(busiest);
    state.counters["meanings"] = static_cast<double>(most);
}
BENCHMARK(BM_WordWithMostMeanings)->Unit(benchmark::kMicrosecond);

// The prose's words that are not among the fixed function words, letter case aside.
const std::vector<std::string>& contentWords() {
    static const std::vector<std::string> words = [] {
        std::unordered_set<std::string> function;
        std::ifstream in(KERFA_FUNCTION_WORDS);
        for (std::string line; std::getline(in, line);)
            if (!line.empty() && line[0] != '#')
                function.insert(line);
        if (function.size() != 300) {
            std::fprintf(stderr, "%s: %zu function words\n", KERFA_FUNCTION_WORDS, function.size());
            std::exit(1);
        }
        std::vector<std::string> out;
        for (const std::string& word : proseWords()) {
            std::string key = LowerCase(word);
            std::replace(key.begin(), key.end(), '\x92', '\'');
            if (!function.count(key))
                out.push_back(word);
        }
        return out;
    }();
    return words;
}

// The thesaurus as the editor's F8 uses it, without the dialog.
class Thesaurus : public TThesaurusBase {
protected:
    std::string ShowDialog(std::string_view,
                           const std::optional<TControlParser::ScreenRect>&) override {
        return {};
    }
    void ShowBusy(bool) override {}
};

void BM_ContentWords(benchmark::State& state) {
    const bool forms = state.range(0) != 0;
    TMainDictionary dictionary;
    if (!dictionary.Open(KERFA_BRITISH_ADM)) {
        state.SkipWithError("british.adm missing");
        return;
    }
    Thesaurus thesaurus;
    thesaurus.SetFilename(KERFA_THESAURUS_ADT);
    thesaurus.File().SetLoaded(true);
    thesaurus.IsWord = [&](std::string_view w) {
        return dictionary.Contains(w).found;
    };
    const auto& words = contentWords();
    std::vector<TThesaurusEntry> meanings;
    TThesaurusBase::FoundMeanings how;
    std::size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (const std::string& word : words)
            found += forms ? thesaurus.LookupForms(word, meanings, how)
                           : thesaurus.Lookup(word, meanings);
        benchmark::DoNotOptimize(found);
    }
    state.SetLabel(forms ? "after: base forms too" : "before: as written");
    state.counters["time/word"] = benchmark::Counter(static_cast<double>(words.size()),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
    state.counters["words"] = static_cast<double>(words.size());
    state.counters["found%"] =
        100.0 * static_cast<double>(found) / static_cast<double>(words.size());
}
BENCHMARK(BM_ContentWords)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
