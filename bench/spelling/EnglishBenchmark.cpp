// The English dictionaries on American prose (The Devil's Dictionary, Debian's dict-devil), side
// by side with hunspell (Debian's en_US) in the same run:
//   false alarms per 1,000 words: words of the published text that the checker, set up as the
//   editor sets it up, does not accept;
//   misspellings taken for words: how many of the codespell package's misspellings it accepts;
//   words checked a second (processor time).
// Every shipped English dictionary is measured; KERFA_CANDIDATE_ADMS (paths separated by ":")
// adds other compiled word lists, which is how the size of each word list was chosen.

#include "BenchChecker.h"
#include "DevilsDictionaryProse.h"
#include "common/Cp1252.h"
#include "spelling/TMainParsingEngine.h"
#include "spelling/TStringParser.h"

#include <hunspell.hxx>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

using namespace kerfa;

namespace {

constexpr const char* kCodespellList =
    "/usr/lib/python3/dist-packages/codespell_lib/data/dictionary.txt";
constexpr double kTimedSeconds = 0.5;

double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

std::vector<std::string> tokensOf(const std::string& text) {
    std::vector<std::string> out;
    spelling::TStringParser parsed(text + "\r\n");
    spelling::TMainParsingEngine engine;
    engine.Start(parsed, spelling::TMainParsingEngine::smWholeText);
    for (std::string w = engine.NextWord(); !w.empty(); w = engine.NextWord())
        out.push_back(w);
    return out;
}

// The misspellings of codespell's list, once each, in Windows-1252.
std::vector<std::string> misspellings() {
    std::set<std::string> unique;
    std::ifstream in(kCodespellList);
    std::string line, word;
    while (std::getline(in, line)) {
        const auto arrow = line.find("->");
        if (arrow != std::string::npos && cp1252::fromUtf8(line.substr(0, arrow), word))
            unique.insert(word);
    }
    return {unique.begin(), unique.end()};
}

struct Figures {
    std::size_t alarms = 0, accepted = 0;
    double wordsPerSecond = 0;
};

// Counts the words not accepted and the misspellings accepted, then times the prose's words.
Figures measure(const std::vector<std::string>& words, const std::vector<std::string>& wrong,
                const std::function<bool(const std::string&)>& accepts) {
    Figures f;
    for (const std::string& w : words)
        f.alarms += !accepts(w);
    for (const std::string& w : wrong)
        f.accepted += accepts(w);
    std::size_t checked = 0, known = 0;
    const double start = processorSeconds();
    double elapsed = 0;
    do {
        for (const std::string& w : words)
            known += accepts(w);
        checked += words.size();
        elapsed = processorSeconds() - start;
    } while (elapsed < kTimedSeconds);
    f.wordsPerSecond = static_cast<double>(checked) / elapsed;
    return f;
}

void print(const std::string& name, const Figures& f, std::size_t words, std::size_t wrong) {
    std::printf("  %-44s %6.2f %8zu (%4.1f %%) %10.2f M\n", name.c_str(),
                1000.0 * static_cast<double>(f.alarms) / static_cast<double>(words), f.accepted,
                100.0 * static_cast<double>(f.accepted) / static_cast<double>(wrong),
                f.wordsPerSecond / 1e6);
}

} // namespace

int main() {
    const std::string prose = bench::DevilsDictionaryProse::Load();
    if (prose.empty()) {
        std::fprintf(stderr, "%s missing (Debian's dict-devil package)\n",
                     bench::DevilsDictionaryProse::kFile);
        return 1;
    }
    const std::vector<std::string> words = tokensOf(prose);
    const std::vector<std::string> wrong = misspellings();
    if (wrong.empty()) {
        std::fprintf(stderr, "%s missing (Debian's codespell package)\n", kCodespellList);
        return 1;
    }

    std::vector<std::filesystem::path> dictionaries;
    for (const char* name : {"american.adm", "canadian.adm", "british.adm"})
        dictionaries.push_back(std::filesystem::path(KERFA_SPELLING_DIR) / name);
    if (const char* more = std::getenv("KERFA_CANDIDATE_ADMS")) {
        std::string list = more;
        for (std::size_t at = 0; at <= list.size();) {
            const std::size_t colon = std::min(list.find(':', at), list.size());
            if (colon > at)
                dictionaries.emplace_back(list.substr(at, colon - at));
            at = colon + 1;
        }
    }

    std::printf("American prose (The Devil's Dictionary, dict-devil): %zu words; %zu codespell "
                "misspellings\n",
                words.size(), wrong.size());
    std::printf("  %-44s %6s %19s %12s\n", "", "alarms", "misspellings taken", "words/s");
    std::printf("  %-44s %6s %19s %12s\n", "", "/1,000", "for words", "(processor)");
    for (const auto& path : dictionaries) {
        if (!std::filesystem::exists(path)) {
            std::printf("  %-44s missing\n", path.filename().c_str());
            continue;
        }
        bench::BenchChecker checker(path);
        const Figures f = measure(
            words, wrong, [&](const std::string& w) { return checker->IsWordAcceptable(w); });
        print(path.filename().string(), f, words.size(), wrong.size());
    }

    Hunspell hunspell(KERFA_HUNSPELL_US ".aff", KERFA_HUNSPELL_US ".dic");
    std::vector<std::string> utf8Words, utf8Wrong;
    for (const std::string& w : words)
        utf8Words.push_back(cp1252::toUtf8(w));
    for (const std::string& w : wrong)
        utf8Wrong.push_back(cp1252::toUtf8(w));
    const Figures h =
        measure(utf8Words, utf8Wrong, [&](const std::string& w) { return hunspell.spell(w); });
    print("hunspell en_US", h, words.size(), wrong.size());
    std::printf("  targets: american.adm at most hunspell's alarms + 2 a thousand words\n");
    return 0;
}
