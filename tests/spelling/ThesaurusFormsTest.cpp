// Inflected words in the shipped thesaurus: "walked", "came", "mice" are found through their base
// forms, checked against the American main dictionary, and a replacement chosen for them is
// offered in the same form where the ending is regular.

#include "spelling/EnglishWordForms.h"
#include "spelling/TMainDictionary.h"
#include "spelling/TThesaurusBase.h"
#include "spelling/ThesaurusSession.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kerfa::spelling;

namespace {

class Thesaurus : public TThesaurusBase {
protected:
    std::string ShowDialog(std::string_view,
                           const std::optional<TControlParser::ScreenRect>&) override {
        return {};
    }
    void ShowBusy(bool) override {}
};

class ThesaurusForms : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dictionary_.Open(KERFA_AMERICAN_ADM));
        isWord_ = [this](std::string_view w) {
            return dictionary_.Contains(w).found;
        };
        thesaurus_.SetFilename(KERFA_THESAURUS_ADT);
        ASSERT_TRUE(thesaurus_.File().SetLoaded(true));
        thesaurus_.IsWord = isWord_;
    }

    bool Lists(const std::vector<TThesaurusEntry>& meanings, const std::string& word) const {
        return std::any_of(meanings.begin(), meanings.end(), [&](const TThesaurusEntry& m) {
            const auto shown = thesaurus_.ShownWords(m);
            return std::find(shown.begin(), shown.end(), word) != shown.end();
        });
    }

    TMainDictionary dictionary_;
    EnglishWordForms::IsWord isWord_;
    Thesaurus thesaurus_;
};

} // namespace

TEST_F(ThesaurusForms, InflectedWordsAreFoundThroughTheirBaseForms) {
    struct Case {
        const char* word;
        bool own; // a head word of its own, whose meanings come first
        const char* base;
        WordEnding ending;
        const char* listed; // a word the base's meanings list
    };
    const Case cases[] = {
        {"walked", false, "walk", WordEnding::Ed, "pace"},
        {"came", false, "come", WordEnding::Irregular, "arrive"},
        {"happier", false, "happy", WordEnding::Er, "glad"},
        {"mice", false, "mouse", WordEnding::Irregular, "rodent"},
        {"running", true, "run", WordEnding::Ing, "race"},
        {"wolves", false, "wolf", WordEnding::S, "canine"},
        {"hoped", false, "hope", WordEnding::Ed, "trust"},
        {"stopped", true, "stop", WordEnding::Ed, "halt"},
        {"carried", false, "carry", WordEnding::Ed, "transport"},
        {"children", false, "child", WordEnding::Irregular, "kid"},
        {"Walked", false, "walk", WordEnding::Ed, "Pace"},
        {"WALKED", false, "walk", WordEnding::Ed, "PACE"},
    };
    for (const Case& c : cases) {
        std::vector<TThesaurusEntry> meanings;
        TThesaurusBase::FoundMeanings found;
        EXPECT_TRUE(thesaurus_.LookupForms(c.word, meanings, found)) << c.word;
        EXPECT_EQ(found.own > 0, c.own) << c.word;
        EXPECT_EQ(found.form.base, c.base) << c.word;
        EXPECT_EQ(found.form.ending, c.ending) << c.word;
        const std::vector<TThesaurusEntry> base(meanings.begin() + static_cast<long>(found.own),
                                                meanings.end());
        EXPECT_TRUE(Lists(base, c.listed)) << c.word << " lists no " << c.listed;
    }
    // A base form the main dictionary does not know is not taken ("tabl" for "tabled"), and a
    // base form of a word with meanings of its own adds its meanings after them.
    std::vector<TThesaurusEntry> meanings;
    TThesaurusBase::FoundMeanings found;
    EXPECT_FALSE(thesaurus_.LookupForms("xqzzed", meanings, found));
    EXPECT_TRUE(meanings.empty());
    EXPECT_TRUE(thesaurus_.LookupForms("happy", meanings, found));
    EXPECT_EQ(found.own, meanings.size());
    EXPECT_EQ(found.form.ending, WordEnding::None);
}

TEST_F(ThesaurusForms, ReplacementsTakeTheWordsForm) {
    struct Case {
        const char* word;
        const char* chosen;
        const char* offered;
    };
    const Case cases[] = {
        {"walked", "pace", "paced"},
        {"walked", "travel", "traveled"}, // as the American dictionary spells it
        {"walked", "cross", "crossed"},
        {"Walked", "Pace", "Paced"},
        {"WALKED", "PACE", "PACED"},
        {"walked", "take the air", "take the air"}, // "taked" is no word: as listed
        {"walks", "march", "marches"},
        {"walking", "pace", "pacing"},
        {"hoped", "wish", "wished"},
        {"happier", "glad", "gladder"},
        {"wolves", "dog", "dogs"},
        {"carried", "transport", "transported"},
        {"running", "race", "racing"},
        {"came", "arrive", "arrive"}, // irregular: as listed
        {"mice", "rodent", "rodent"},
    };
    for (const Case& c : cases) {
        std::vector<TThesaurusEntry> meanings;
        TThesaurusBase::FoundMeanings found;
        ASSERT_TRUE(thesaurus_.LookupForms(c.word, meanings, found)) << c.word;
        EXPECT_EQ(thesaurus_.Reinflect(c.chosen, found.form), c.offered)
            << c.word << " + " << c.chosen;
    }
}

TEST(EnglishWordForms, EndingsPutOnAndTakenOff) {
    struct Case {
        const char* base;
        WordEnding ending;
        const char* inflected;
    };
    const Case cases[] = {
        {"stroll", WordEnding::Ed, "strolled"},
        {"stop", WordEnding::Ed, "stopped"},
        {"visit", WordEnding::Ed, "visited"},
        {"hope", WordEnding::Ed, "hoped"},
        {"carry", WordEnding::Ed, "carried"},
        {"play", WordEnding::Ed, "played"},
        {"walk", WordEnding::Ing, "walking"},
        {"hope", WordEnding::Ing, "hoping"},
        {"run", WordEnding::Ing, "running"},
        {"lie", WordEnding::Ing, "lying"},
        {"box", WordEnding::S, "boxes"},
        {"carry", WordEnding::S, "carries"},
        {"walk", WordEnding::S, "walks"},
        {"happy", WordEnding::Er, "happier"},
        {"big", WordEnding::Er, "bigger"},
        {"late", WordEnding::Est, "latest"},
        {"tall", WordEnding::Est, "tallest"},
        {"walker", WordEnding::Possessive, "walker's"},
        {"stroll about", WordEnding::Ed, "strolled about"},
    };
    TMainDictionary dictionary;
    ASSERT_TRUE(dictionary.Open(KERFA_AMERICAN_ADM));
    const EnglishWordForms::IsWord isWord = [&](std::string_view w) {
        return dictionary.Contains(w).found;
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EnglishWordForms::Inflect(c.base, c.ending, isWord), c.inflected) << c.base;
        // And back: the inflected word's base forms hold the base with that ending.
        const std::string word = c.inflected;
        if (word.find(' ') != std::string::npos)
            continue;
        const auto forms = EnglishWordForms::BaseForms(word);
        EXPECT_NE(std::find(forms.begin(), forms.end(), WordForm{c.base, c.ending}), forms.end())
            << word;
    }
    // A spelling the dictionary does not know is not offered.
    EXPECT_EQ(EnglishWordForms::Inflect("run", WordEnding::Ed, isWord), "");
    EXPECT_EQ(EnglishWordForms::Inflect("run", WordEnding::Irregular, isWord), "");
    // The likeliest base comes first.
    for (const auto& [word, base] : {std::pair{"hoped", "hope"}, std::pair{"called", "call"},
                                     std::pair{"opened", "open"}, std::pair{"walked", "walk"}}) {
        std::vector<WordForm> forms = EnglishWordForms::BaseForms(word);
        forms.erase(std::remove_if(forms.begin(), forms.end(),
                                   [&](const WordForm& f) { return !isWord(f.base); }),
                    forms.end());
        ASSERT_FALSE(forms.empty()) << word;
        EXPECT_EQ(forms.front().base, base) << word;
    }
    EXPECT_EQ(EnglishWordForms::IrregularBases("went"), std::vector<std::string>{"go"});
    EXPECT_TRUE(EnglishWordForms::IrregularBases("walked").empty());
}

// The dialog's model: the base form's meanings after the word's own, the base named, and a
// replacement from the base's meanings formed alike.
TEST_F(ThesaurusForms, SessionOffersTheReplacementInTheWordsForm) {
    ThesaurusSession session(thesaurus_);
    session.LookUp("walked");
    ASSERT_TRUE(session.Found());
    EXPECT_EQ(session.Form().base, "walk");
    EXPECT_TRUE(session.ThroughBaseForm(0));
    EXPECT_TRUE(session.IsLookedUpWord("walk"));
    EXPECT_EQ(session.ReplacementFor("walk", 0), "");
    EXPECT_EQ(session.ReplacementFor("pace", 0), "paced");

    session.LookUp("running");
    ASSERT_FALSE(session.ThroughBaseForm(0)); // "running" of its own: as listed
    EXPECT_EQ(session.ReplacementFor("moving", 0), "moving");
    const std::size_t last = session.Meanings().size() - 1;
    ASSERT_TRUE(session.ThroughBaseForm(last));
    EXPECT_EQ(session.ReplacementFor("race", last), "racing");

    session.LookUp("pace");
    EXPECT_EQ(session.Form().ending, WordEnding::None);
    EXPECT_EQ(session.ReplacementFor("tread", 0), "tread");
}
