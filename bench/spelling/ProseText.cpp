#include "ProseText.h"

#include "common/Cp1252.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace kerfa::bench {

namespace {

// splitmix64: a fixed generator, so the text does not depend on the standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }

private:
    std::uint64_t state_;
};

} // namespace

std::string ProseText::Generate(const std::string& wordListPath, std::size_t count) {
    std::ifstream in(wordListPath);
    std::vector<std::string> words;
    std::string line, word;
    while (std::getline(in, line))
        if (!line.empty() && cp1252::fromUtf8(line, word))
            words.push_back(word);
    if (words.empty())
        return {};

    Random random(20240607);
    for (std::size_t i = words.size(); i > 1; --i)
        std::swap(words[i - 1], words[random.Below(i)]);
    std::stable_sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return a.size() < b.size();
    });
    std::vector<double> cumulative(words.size());
    double total = 0;
    for (std::size_t r = 0; r < words.size(); ++r)
        cumulative[r] = total += 1.0 / static_cast<double>(r + 1);

    std::string text;
    std::size_t made = 0, inSentence = 0, sentenceLength = 0, inParagraph = 0;
    bool quoted = false;
    while (made < count) {
        if (inSentence == 0) {
            sentenceLength = 4 + random.Below(17);
            quoted = random.Below(20) == 0;
            if (quoted)
                text += '"';
        }
        const double target = random.Uniform() * total;
        const auto rank = static_cast<std::size_t>(
            std::lower_bound(cumulative.begin(), cumulative.end(), target) - cumulative.begin());
        word = words[std::min(rank, words.size() - 1)];
        if (word.size() > 3 && random.Below(50) == 0) {
            const std::size_t at = 1 + random.Below(word.size() - 2);
            std::swap(word[at], word[at + 1]);
        }
        if (inSentence == 0)
            word[0] = static_cast<char>(cp1252::toUpper(static_cast<std::uint8_t>(word[0])));
        text += word;
        ++made;
        if (++inSentence == sentenceLength) {
            const char* ends[] = {".", ".", ".", "?", "!"};
            text += ends[random.Below(5)];
            if (quoted)
                text += '"';
            inSentence = 0;
            if (++inParagraph == 3 + random.Below(5)) {
                text += "\r\n\r\n";
                inParagraph = 0;
            } else {
                text += ' ';
            }
        } else {
            text += random.Below(10) == 0 ? ", " : " ";
        }
    }
    return text;
}

} // namespace kerfa::bench
