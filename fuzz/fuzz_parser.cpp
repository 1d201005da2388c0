// The parsing engine with every ignore rule over arbitrary text. The first two bytes choose the
// options; every walk must end, make progress and yield words that start with a word character.

#include "spelling/TMainParsingEngine.h"
#include "spelling/TParserIgnoreList.h"
#include "spelling/TStringParser.h"

#include <cstdlib>
#include <string>

using namespace kerfa::spelling;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::uint8_t flags = data[0];
    TSpellOptions options = TSpellOptions::FromBits(static_cast<std::uint16_t>(data[1] << 2));
    TStringParser text(std::string(reinterpret_cast<const char*>(data) + 2, size - 2));

    TMainParsingEngine engine;
    engine.SetFrenchApostrophes(flags & 1);
    engine.SetKeepUnterminatedLastWord(flags & 2);
    engine.SetAllowInnerPeriods(!(flags & 4));
    TParserIgnoreList rules;
    rules.Rebuild(options, ">|");
    rules.Connect(engine);

    const std::size_t length = text.Text().size();
    if (flags & 8)
        text.SetSelection(flags % (length + 1) + 1, length / 2 + 1);
    engine.Start(text,
                 (flags & 8) ? TMainParsingEngine::smSelection : TMainParsingEngine::smWholeText);
    std::size_t words = 0;
    for (;;) {
        const std::string word = engine.NextWord();
        if (word.empty())
            break;
        if (++words > length + 1 || !engine.CanStart(static_cast<unsigned char>(word[0])))
            std::abort();
        rules.Accepts(word, text);
        if (flags & 16) {
            text.SelectWord(static_cast<int>(word.size()));
            text.ReplaceSelection(word.substr(0, (word.size() + 1) / 2));
        }
    }
    return 0;
}
