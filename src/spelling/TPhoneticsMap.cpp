#include "spelling/TPhoneticsMap.h"

#include "common/Cp1252.h"

#include <algorithm>
#include <span>

namespace kerfa::spelling {

namespace {

struct Rule {
    const char* pattern;
    const char* replacement;
    std::size_t consumed;
};

constexpr Rule kEnglish[] = {
    {"b", "b", 1},   {"cia", "x", 1}, {"ch", "x", 2},  {"ci", "s", 1},  {"ce", "s", 1},
    {"cy", "s", 1},  {"c", "k", 1},   {"dge", "j", 2}, {"dgy", "j", 2}, {"dgi", "j", 2},
    {"d", "t", 1},   {"f", "f", 1},   {"gha", "k", 2}, {"ghe", "k", 2}, {"ghi", "k", 2},
    {"gho", "k", 2}, {"ghu", "k", 2}, {"ghy", "k", 2}, {"gh", "", 2},   {"gn", "n", 2},
    {"gi", "j", 1},  {"ge", "j", 1},  {"gy", "j", 1},  {"g", "k", 1},   {"h", "h", 1},
    {"aha", "h", 2}, {"ahe", "h", 2}, {"ahi", "h", 2}, {"aho", "h", 2}, {"ahu", "h", 2},
    {"eha", "h", 2}, {"ehe", "h", 2}, {"ehi", "h", 2}, {"eho", "h", 2}, {"ehu", "h", 2},
    {"iha", "h", 2}, {"ihe", "h", 2}, {"ihi", "h", 2}, {"iho", "h", 2}, {"ihu", "h", 2},
    {"oha", "h", 2}, {"ohe", "h", 2}, {"ohi", "h", 2}, {"oho", "h", 2}, {"ohu", "h", 2},
    {"uha", "h", 2}, {"uhe", "h", 2}, {"uhi", "h", 2}, {"uho", "h", 2}, {"uhu", "h", 2},
    {"ah", "", 2},   {"eh", "", 2},   {"ih", "", 2},   {"oh", "", 2},   {"uh", "", 2},
    {"j", "j", 1},   {"ck", "k", 2},  {"k", "k", 1},   {"l", "l", 1},   {"m", "m", 1},
    {"n", "n", 1},   {"ph", "f", 2},  {"p", "p", 1},   {"q", "k", 1},   {"r", "r", 1},
    {"sh", "x", 2},  {"sio", "x", 1}, {"sia", "x", 1}, {"s", "s", 1},   {"tia", "x", 1},
    {"tio", "x", 1}, {"th", "0", 2},  {"tch", "x", 3}, {"t", "t", 1},   {"v", "f", 1},
    {"wa", "w", 1},  {"we", "w", 1},  {"wi", "w", 1},  {"wo", "w", 1},  {"wu", "w", 1},
    {"wy", "w", 1},  {"x", "ks", 1},  {"ya", "y", 1},  {"ye", "y", 1},  {"yi", "y", 1},
    {"yo", "y", 1},  {"yu", "y", 1},  {"yy", "y", 2},  {"z", "s", 1},
};
static_assert(std::size(kEnglish) == 89);

constexpr Rule kFrench[] = {
    {"b", "b", 1}, {"p", "b", 1}, {"c", "c", 1}, {"k", "c", 1}, {"q", "c", 1}, {"d", "d", 1},
    {"t", "d", 1}, {"l", "l", 1}, {"m", "m", 1}, {"n", "m", 1}, {"r", "r", 1}, {"g", "g", 1},
    {"j", "g", 1}, {"x", "x", 1}, {"z", "x", 1}, {"s", "x", 1}, {"f", "f", 1}, {"v", "f", 1},
};

// Windows-1251 letters.
constexpr Rule kRussian[] = {
    {"\xE1", "\xE1\xFC", 1},
    {"\xE2", "\xE2\xFC", 1},
    {"\xE3", "\xE3\xFC", 1},
    {"\xE4", "\xF2", 1},
    {"\xE7", "\xF1", 1},
    {"\xEA", "\xE3", 1},
    {"\xEB", "\xEB\xFC", 1},
    {"\xEC", "\xEC\xFC", 1},
    {"\xED", "\xED\xFC", 1},
    {"\xEF", "\xEF\xFC", 1},
    {"\xF0", "\xF0\xFC", 1},
    {"\xF1", "\xF1\xFC", 1},
    {"\xF2", "\xF2\xFC", 1},
    {"\xE6", "\xF8", 1},
    {"\xEE", "\xE0", 1},
    {"\xEE\xF0\xEE", "\xEE\xF0\xE0", 3},
    {"\xEE\xEB\xEE", "\xEE\xEB\xE0", 3},
    {"\xED\xED", "\xED", 2},
    {"\xF1\xF1", "\xF1", 2},
    {"\xE5\xE5", "\xE5", 2},
    {"\xE6\xE8", "\xE6\xFB", 2},
    {"\xF8\xE8", "\xF8\xFB", 2},
    {"\xF9", "\xF8\xFC", 1},
    {"\xF9\xF3", "\xF8\xFE", 2},
    {"\xF1\xF7", "\xF9", 2},
    {"\xF1\xF8", "\xF8", 1},
};

constexpr Rule kNeutral[] = {
    {"b", "b", 1}, {"f", "b", 1}, {"p", "b", 1}, {"v", "b", 1}, {"c", "k", 1}, {"g", "k", 1},
    {"j", "k", 1}, {"k", "k", 1}, {"q", "k", 1}, {"s", "k", 1}, {"x", "k", 1}, {"z", "k", 1},
    {"d", "d", 1}, {"t", "d", 1}, {"l", "l", 1}, {"m", "m", 1}, {"n", "m", 1}, {"r", "r", 1},
};

} // namespace

void TPhoneticsMap::Clear() {
    TReplaceNode::Clear();
    language_ = -1;
}

void TPhoneticsMap::SetLanguage(std::int32_t language) {
    Clear();
    language_ = language;
    std::span<const Rule> rules = kNeutral;
    switch (language & 0x3FF) {
    case 9:
        rules = kEnglish;
        break;
    case 12:
        rules = kFrench;
        break;
    case 25:
        rules = kRussian;
        break;
    default:
        break;
    }
    if (language == 0)
        rules = kNeutral;
    for (const Rule& rule : rules)
        AddRule(rule.pattern, rule.replacement, rule.consumed);
}

std::string TPhoneticsMap::Code(std::string_view word, std::size_t stableBefore) const {
    std::string lower(word);
    for (char& c : lower)
        c = static_cast<char>(cp1252::toLower(static_cast<unsigned char>(c)));
    const std::size_t depth = std::min<std::size_t>(std::max(StartDepth, 0), lower.size());
    std::string code = lower.substr(0, depth);
    int budget = CodeLimit;
    std::size_t i = depth;
    while (i < lower.size() && i < stableBefore) {
        const TReplaceNode* rule = Longest(std::string_view(lower).substr(i));
        if (!rule) {
            ++i;
            continue;
        }
        const std::string& replacement = rule->Destination();
        if (!(RemoveRepeats && rule->SourceLength() == 1 && !code.empty() && !replacement.empty() &&
              code.back() == replacement.front()))
            code += replacement;
        budget -= static_cast<int>(replacement.size());
        if (budget <= 0)
            break;
        i += rule->SourceLength();
    }
    return code;
}

bool TPhoneticsMap::WithinDistance(std::string_view word, int distance) const {
    const int divisor = std::max(DistanceDivisor, 1);
    return distance <= static_cast<int>(word.size()) / divisor && distance <= MaxDistance;
}

} // namespace kerfa::spelling
