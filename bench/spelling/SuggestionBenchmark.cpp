// Suggestions for real misspellings, side by side with hunspell (Debian's en_GB) in the same run.
// The misspellings are codespell's list of misspelling->correction pairs, kept where the
// correction is one word that both british.adm and hunspell know and the checker stops on the
// misspelling; an even sample of them (KERFA_SUGGEST_SAMPLE, default 1000) is used, since
// hunspell takes milliseconds a word. For each program: the median and mean time to build the
// suggestions of one word, and how often the intended word comes first, in the top three and in
// the top five. The checker builds its list as the spelling dialog does (no limit).

#include "BenchChecker.h"
#include "common/Cp1252.h"
#include "spelling/TMainDictionary.h"

#include <hunspell.hxx>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

using namespace kerfa;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char* kCodespellList =
    "/usr/lib/python3/dist-packages/codespell_lib/data/dictionary.txt";

struct Pair {
    std::string wrong, right; // Windows-1252
};

struct Result {
    std::vector<double> micros;
    std::size_t first = 0, top3 = 0, top5 = 0;

    void Add(double us, const std::vector<std::string>& list, const std::string& right) {
        micros.push_back(us);
        const auto at = std::find(list.begin(), list.end(), right) - list.begin();
        first += at < 1;
        top3 += at < 3;
        top5 += at < 5;
    }
    double Median() {
        std::sort(micros.begin(), micros.end());
        return micros.empty() ? 0 : micros[micros.size() / 2];
    }
    double Mean() const {
        double sum = 0;
        for (const double m : micros)
            sum += m;
        return micros.empty() ? 0 : sum / static_cast<double>(micros.size());
    }
};

void print(const char* name, Result& r) {
    const auto n = static_cast<double>(r.micros.size());
    std::printf("  %-9s median %8.1f us, mean %8.1f us; first %5.1f %%, top 3 %5.1f %%, top 5 "
                "%5.1f %%\n",
                name, r.Median(), r.Mean(), 100.0 * static_cast<double>(r.first) / n,
                100.0 * static_cast<double>(r.top3) / n, 100.0 * static_cast<double>(r.top5) / n);
}

} // namespace

int main() {
    bench::BenchChecker checker;
    spelling::TMainDictionary british;
    if (!british.Open(KERFA_BRITISH_ADM)) {
        std::fprintf(stderr, "british.adm missing\n");
        return 1;
    }
    Hunspell hunspell(KERFA_HUNSPELL_DICT ".aff", KERFA_HUNSPELL_DICT ".dic");
    std::ifstream in(kCodespellList);
    if (!in) {
        std::fprintf(stderr, "%s missing (Debian's codespell package)\n", kCodespellList);
        return 1;
    }
    std::vector<Pair> pairs;
    std::string line;
    while (std::getline(in, line)) {
        const auto arrow = line.find("->");
        if (arrow == std::string::npos)
            continue;
        const std::string wrong = line.substr(0, arrow), right = line.substr(arrow + 2);
        if (right.find_first_of(", ") != std::string::npos || right.empty())
            continue;
        Pair p;
        if (!cp1252::fromUtf8(wrong, p.wrong) || !cp1252::fromUtf8(right, p.right))
            continue;
        if (!british.Contains(p.right).found || !hunspell.spell(right) ||
            checker->IsWordAcceptable(p.wrong))
            continue;
        pairs.push_back(std::move(p));
    }
    const char* sampleText = std::getenv("KERFA_SUGGEST_SAMPLE");
    const std::size_t sample = std::min<std::size_t>(
        pairs.size(), sampleText ? std::strtoul(sampleText, nullptr, 10) : 1000);
    if (sample == 0) {
        std::fprintf(stderr, "no pairs\n");
        return 1;
    }

    Result kerfaResult, hunspellResult;
    std::vector<std::string> list;
    for (std::size_t i = 0; i < sample; ++i) {
        const Pair& p = pairs[i * pairs.size() / sample];
        auto start = Clock::now();
        checker->BuildSuggestions(p.wrong, -1, list);
        kerfaResult.Add(std::chrono::duration<double, std::micro>(Clock::now() - start).count(),
                        list, p.right);

        const std::string wrong = cp1252::toUtf8(p.wrong);
        start = Clock::now();
        const std::vector<std::string> suggested = hunspell.suggest(wrong);
        const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
        hunspellResult.Add(us, suggested, cp1252::toUtf8(p.right));
    }

    std::printf("Suggestions for %zu codespell misspellings (of %zu usable pairs)\n", sample,
                pairs.size());
    print("Kerfa", kerfaResult);
    print("hunspell", hunspellResult);
    const double ratio = hunspellResult.Median() / std::max(kerfaResult.Median(), 1e-9);
    std::printf("  median ratio hunspell / Kerfa: %.1fx (target >= 30x); "
                "targets: first >= 80 %%, top 5 >= 95 %%\n",
                ratio);
    return 0;
}
