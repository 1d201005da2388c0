#include "thesc/MythesThesaurus.h"

#include "common/Cp1252.h"
#include "spelling/TThesaurusFile.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>

namespace kerfa::thesc {

const std::array<std::string, 5> MythesThesaurus::kKindNames = {"antonym", "noun", "adj", "verb",
                                                                "adv"};

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::uint8_t partOfSpeech(std::string_view field) {
    field = trim(field);
    if (field.size() < 2 || field.front() != '(' || field.back() != ')')
        return 0;
    field = field.substr(1, field.size() - 2);
    constexpr std::array<std::string_view, 4> names = {"noun", "adj", "verb", "adv"};
    const auto it = std::find(names.begin(), names.end(), field);
    return it == names.end() ? 0 : static_cast<std::uint8_t>(it - names.begin() + 1);
}

bool usableWord(std::string_view word) {
    return !word.empty() && word.size() <= spelling::TThesaurusFile::kMaxWordLength &&
           std::none_of(word.begin(), word.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

void appendOnce(std::vector<std::string>& out, const std::vector<std::string>& words) {
    for (const std::string& w : words)
        if (std::find(out.begin(), out.end(), w) == out.end())
            out.push_back(w);
}

} // namespace

bool MythesThesaurus::Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return false;
    Parse(content);
    return true;
}

bool MythesThesaurus::Convert(std::string_view text, std::string& out) const {
    if (!utf8_) {
        out.assign(text);
        return true;
    }
    return cp1252::isValidUtf8(text) && cp1252::fromUtf8(text, out);
}

void MythesThesaurus::Parse(std::string_view content) {
    heads_.clear();
    meaningCount_ = skippedTerms_ = skippedMeanings_ = skippedHeads_ = strayLines_ = 0;

    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < content.size();) {
        const std::size_t end = std::min(content.find('\n', start), content.size());
        lines.push_back(trim(content.substr(start, end - start)));
        start = end + 1;
    }
    if (lines.empty())
        return;
    std::string encoding(lines[0]);
    for (char& c : encoding)
        c = static_cast<char>(cp1252::toLower(static_cast<std::uint8_t>(c)));
    utf8_ = encoding == "utf-8" || encoding == "utf8";

    const auto isMeaning = [](std::string_view line) {
        return line.starts_with('(');
    };
    std::size_t i = 1;
    while (i < lines.size()) {
        const std::string_view line = lines[i++];
        if (line.empty())
            continue;
        const std::size_t bar = line.rfind('|');
        std::size_t count = 0;
        const std::string_view number = bar == std::string_view::npos ? "" : line.substr(bar + 1);
        if (isMeaning(line) || number.empty() ||
            std::from_chars(number.data(), number.data() + number.size(), count).ptr !=
                number.data() + number.size()) {
            ++strayLines_;
            continue;
        }
        Head head;
        const bool headOk = Convert(trim(line.substr(0, bar)), head.word) && usableWord(head.word);
        for (std::size_t k = 0; k < count && i < lines.size() && isMeaning(lines[i]); ++k) {
            const std::string_view text = lines[i++];
            Meaning meaning;
            meaning.partOfSpeech = partOfSpeech(text.substr(0, text.find('|')));
            std::size_t terms = 0;
            for (std::size_t at = text.find('|'); at != std::string_view::npos;) {
                const std::size_t next = text.find('|', at + 1);
                std::string_view term = trim(text.substr(at + 1, next - at - 1));
                at = next;
                std::vector<std::string>* list = &meaning.synonyms;
                const std::pair<std::string_view, std::vector<std::string>*> tags[] = {
                    {"(similar term)", &meaning.similar},
                    {"(related term)", &meaning.related},
                    {"(generic term)", &meaning.generic},
                    {"(antonym)", &meaning.antonyms}};
                for (const auto& [tag, target] : tags) {
                    if (term.ends_with(tag)) {
                        term = trim(term.substr(0, term.size() - tag.size()));
                        list = target;
                        break;
                    }
                }
                std::string word;
                if (!Convert(term, word) || !usableWord(word)) {
                    ++skippedTerms_;
                    continue;
                }
                list->push_back(std::move(word));
                ++terms;
            }
            if (meaning.partOfSpeech == 0 || terms == 0) {
                ++skippedMeanings_;
                continue;
            }
            head.meanings.push_back(std::move(meaning));
        }
        if (!headOk) {
            ++skippedHeads_;
            continue;
        }
        if (head.meanings.empty())
            continue;
        meaningCount_ += head.meanings.size();
        heads_.push_back(std::move(head));
    }
}

std::vector<std::string> MythesThesaurus::Alternatives(const Meaning& meaning) {
    std::vector<std::string> words;
    appendOnce(words, meaning.synonyms);
    appendOnce(words, meaning.similar);
    appendOnce(words, meaning.related);
    appendOnce(words, meaning.generic);
    return words;
}

void MythesThesaurus::AddTo(ThesaurusCompiler& compiler) const {
    for (const Head& head : heads_) {
        for (const Meaning& meaning : head.meanings) {
            ThesaurusCompiler::Lists lists;
            lists[meaning.partOfSpeech - 1] = Alternatives(meaning);
            if (!lists[meaning.partOfSpeech - 1].empty())
                compiler.AddMeaning(head.word, meaning.partOfSpeech,
                                    meaning.synonyms.empty() ? head.word : meaning.synonyms[0],
                                    lists);
            if (!meaning.antonyms.empty()) {
                ThesaurusCompiler::Lists opposite;
                appendOnce(opposite[0], meaning.antonyms);
                compiler.AddMeaning(head.word, 0, opposite[0][0], opposite);
            }
        }
    }
}

} // namespace kerfa::thesc
