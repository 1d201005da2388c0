#include "spelling/TParserIgnoreList.h"

#include "spelling/TAbbreviationsIgnore.h"
#include "spelling/THTMLIgnore.h"
#include "spelling/TMainParsingEngine.h"
#include "spelling/TNumbersIgnore.h"
#include "spelling/TQuotedLineIgnore.h"
#include "spelling/TURLIgnore.h"
#include "spelling/TUppercaseWordIgnore.h"

namespace kerfa::spelling {

void TParserIgnoreList::Clear() {
    rules_.clear();
    charRules_.clear();
    lineRules_.clear();
}

void TParserIgnoreList::Rebuild(TSpellOptions options, const std::string& quoteChars) {
    Clear();
    if (options.Has(soInternet))
        Add(std::make_unique<TURLIgnore>());
    if (options.Has(soUpcase))
        Add(std::make_unique<TUppercaseWordIgnore>());
    if (options.Has(soNumbers))
        Add(std::make_unique<TNumbersIgnore>());
    if (options.Has(soHTML))
        Add(std::make_unique<THTMLIgnore>());
    if (options.Has(soQuoted))
        Add(std::make_unique<TQuotedLineIgnore>(quoteChars));
    if (options.Has(soAbbreviations))
        Add(std::make_unique<TAbbreviationsIgnore>());
}

void TParserIgnoreList::Add(std::unique_ptr<TParserIgnoreBase> rule) {
    if (!rule)
        return;
    if (rule->UsesCharHook())
        charRules_.push_back(rule.get());
    if (rule->UsesLineHook())
        lineRules_.push_back(rule.get());
    rules_.push_back(std::move(rule));
}

void TParserIgnoreList::Connect(TMainParsingEngine& engine) {
    if (charRules_.empty())
        engine.SetCharHook(nullptr);
    else
        engine.SetCharHook([this](unsigned char ch, TControlParser& a) { return CharHook(ch, a); });
    if (rules_.empty())
        engine.SetWordHook(nullptr);
    else
        engine.SetWordHook(
            [this](const std::string& word, TControlParser& a) { return WordEndHook(word, a); });
}

bool TParserIgnoreList::CharHook(unsigned char ch, TControlParser& adapter) {
    for (TParserIgnoreBase* rule : charRules_)
        if (rule->CharHook(ch, adapter))
            return true;
    return false;
}

bool TParserIgnoreList::WordEndHook(const std::string& word, TControlParser& adapter) {
    for (const auto& rule : rules_)
        if (rule->WordEndHook(word, adapter))
            return true;
    return false;
}

bool TParserIgnoreList::Accepts(const std::string& word, TControlParser& adapter) {
    for (const auto& rule : rules_)
        if (rule->JudgeWord(word, adapter))
            return true;
    return false;
}

} // namespace kerfa::spelling
