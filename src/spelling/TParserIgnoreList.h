#pragma once
// TParserIgnoreList: the ignore rules of one checker, built from its options, and the glue that
// connects them to a parsing engine's hooks. Rules with a character hook (and with a line hook)
// are also kept in lists of their own, so the walk asks only those.

#include "spelling/TParserIgnoreBase.h"
#include "spelling/TSpellOptions.h"

#include <memory>
#include <string>
#include <vector>

namespace kerfa::spelling {

class TMainParsingEngine;

class TParserIgnoreList {
public:
    // Replaces the rules with those the options ask for, in a fixed order: addresses, capitals,
    // numbers, markup, quoted lines, abbreviations.
    void Rebuild(TSpellOptions options, const std::string& quoteChars);
    // Rules of the program's own, asked after the built-in ones.
    void Add(std::unique_ptr<TParserIgnoreBase> rule);
    void Clear();
    std::size_t Size() const { return rules_.size(); }

    // Points the engine's hooks at these rules (or clears them when no rule needs them). The
    // list must outlive the engine's use of the hooks.
    void Connect(TMainParsingEngine& engine);

    bool CharHook(unsigned char ch, TControlParser& adapter);
    bool WordEndHook(const std::string& word, TControlParser& adapter);
    // True when any rule accepts the word.
    bool Accepts(const std::string& word, TControlParser& adapter);

private:
    std::vector<std::unique_ptr<TParserIgnoreBase>> rules_;
    std::vector<TParserIgnoreBase*> charRules_;
    std::vector<TParserIgnoreBase*> lineRules_;
};

} // namespace kerfa::spelling
