// The thesaurus component without its dialog: which word of a text is looked up and replaced,
// when the file is loaded and the dialog shown, and the dialog's history and choices.

#include "spelling/TThesaurusBase.h"
#include "TestFolder.h"
#include "ThesaurusSource.h"
#include "spelling/TStringParser.h"
#include "spelling/ThesaurusSession.h"

#include <gtest/gtest.h>

using namespace kerfa::spelling;

namespace {

// The dialog answers with a scripted word; what it was asked is recorded.
class ScriptedThesaurus : public TThesaurusBase {
public:
    std::string reply;
    std::vector<std::string> asked;
    bool wasLoaded = false;
    std::function<void()> during;

protected:
    std::string ShowDialog(std::string_view word,
                           const std::optional<TControlParser::ScreenRect>&) override {
        asked.emplace_back(word);
        wasLoaded = File().IsLoaded();
        if (during)
            during();
        return reply;
    }
    void ShowBusy(bool) override {}
};

class ThesaurusComponent : public testing::Test {
protected:
    void SetUp() override {
        TestFolder::Write(folder_.File("t.adt"), compileSource(kSmallSource, true));
        thesaurus_.SetFilename(folder_.File("t.adt"));
    }
    TestFolder folder_;
    ScriptedThesaurus thesaurus_;
};

} // namespace

TEST_F(ThesaurusComponent, LooksUpTheWordAtTheCursorAndReplacesIt) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t cursor; // 1-based
        const char* reply;
        const char* asked; // nullptr: no word, nothing shown
        std::string after;
    };
    const std::vector<Case> cases = {
        {"cursor inside the word", "I am happy today.", 8, "glad", "happy", "I am glad today."},
        {"cursor at its start", "I am happy today.", 6, "glad", "happy", "I am glad today."},
        {"selection over the word", "I am happy today.", 6, "content", "happy",
         "I am content today."},
        {"cursor on white space after a word", "happy  sad!", 7, "unhappy", "sad",
         "happy  unhappy!"},
        // The character at the cursor decides: just after a word's last letter it is the
        // white space, and the next word is looked up.
        {"cursor right after a word", "happy sad!", 6, "glum", "sad", "happy glum!"},
        {"Close leaves the text alone", "I am happy today.", 8, "", "happy", "I am happy today."},
        {"quoted word", "He said 'happy' twice.", 11, "glad", "happy", "He said 'glad' twice."},
        {"no word after the cursor", "happy ... ", 7, "glad", nullptr, "happy ... "},
        {"empty text", "", 1, "glad", nullptr, ""},
    };
    for (const auto& c : cases) {
        TStringParser text(c.text);
        text.SetSelection(c.cursor, c.name == std::string("selection over the word") ? c.cursor + 5
                                                                                     : c.cursor);
        thesaurus_.reply = c.reply;
        thesaurus_.asked.clear();
        int changes = 0;
        thesaurus_.OnBeforeChange = [&] {
            ++changes;
            EXPECT_EQ(text.Text(), c.text) << c.name; // called before the change
        };
        EXPECT_EQ(thesaurus_.LookupControl(text), c.asked != nullptr) << c.name;
        EXPECT_EQ(thesaurus_.asked,
                  c.asked ? std::vector<std::string>{c.asked} : std::vector<std::string>{})
            << c.name;
        EXPECT_EQ(text.Text(), c.after) << c.name;
        EXPECT_EQ(changes, c.after != c.text ? 1 : 0) << c.name;
    }
}

TEST_F(ThesaurusComponent, LoadsTheFileOnlyForTheLookUp) {
    EXPECT_EQ(thesaurus_.LookupWord("happy"), "");
    EXPECT_TRUE(thesaurus_.wasLoaded);
    EXPECT_FALSE(thesaurus_.File().IsLoaded());

    ASSERT_TRUE(thesaurus_.File().SetLoaded(true));
    thesaurus_.reply = "glad";
    EXPECT_EQ(thesaurus_.LookupWord("happy"), "glad");
    EXPECT_TRUE(thesaurus_.File().IsLoaded()); // loaded before, so kept
}

TEST_F(ThesaurusComponent, MissingFileShowsNothing) {
    ScriptedThesaurus missing;
    missing.SetFilename(folder_.File("missing.adt"));
    EXPECT_EQ(missing.Filename(), "");
    TStringParser text("I am happy today.");
    text.SetSelection(7, 7);
    missing.reply = "glad";
    EXPECT_TRUE(missing.LookupControl(text));
    EXPECT_TRUE(missing.asked.empty());
    EXPECT_EQ(text.Text(), "I am happy today.");

    // A file that is there but cannot be read is the same.
    TestFolder::Write(folder_.File("short.adt"), "too short");
    missing.SetFilename(folder_.File("short.adt"));
    EXPECT_EQ(missing.LookupWord("happy"), "");
    EXPECT_TRUE(missing.asked.empty());
}

TEST_F(ThesaurusComponent, RefusesALookUpWhileOneIsShown) {
    std::string inner = "not asked";
    thesaurus_.during = [&] {
        inner = thesaurus_.LookupWord("glad");
    };
    thesaurus_.reply = "content";
    EXPECT_EQ(thesaurus_.LookupWord("happy"), "content");
    EXPECT_EQ(inner, "");
    EXPECT_EQ(thesaurus_.asked, std::vector<std::string>{"happy"});
    thesaurus_.during = nullptr;
    EXPECT_EQ(thesaurus_.LookupWord("glad"), "content"); // and accepts the next one
}

TEST_F(ThesaurusComponent, SessionKeepsTheHistoryMostRecentFirst) {
    ASSERT_TRUE(thesaurus_.File().SetLoaded(true));
    ThesaurusSession session(thesaurus_);
    session.LookUp("happy");
    EXPECT_FALSE(session.CanGoBack());
    EXPECT_FALSE(session.Previous()); // one entry: nothing happens
    EXPECT_EQ(session.History(), std::vector<std::string>{"happy"});
    EXPECT_EQ(session.Word(), "happy");
    EXPECT_TRUE(session.Found());

    session.LookUp("glad");
    session.LookUp("xyzzy");
    EXPECT_FALSE(session.Found());
    EXPECT_TRUE(session.WordsOf(0).empty());
    session.LookUp("happy"); // looked up again: moves to the top
    EXPECT_EQ(session.History(), (std::vector<std::string>{"happy", "xyzzy", "glad"}));
    session.LookUp("");
    EXPECT_EQ(session.History().size(), 3u);

    EXPECT_TRUE(session.Previous());
    EXPECT_EQ(session.Word(), "xyzzy");
    EXPECT_TRUE(session.Previous());
    EXPECT_EQ(session.Word(), "glad");
    EXPECT_EQ(session.History(), std::vector<std::string>{"glad"});
    EXPECT_FALSE(session.Previous());

    EXPECT_EQ(session.WordsOf(0), (std::vector<std::string>{"happy", "willing"}));
    EXPECT_EQ(session.ReplacementFor("happy", 0), "happy");
    EXPECT_EQ(session.ReplacementFor("GLAD", 0), ""); // the looked-up word itself
    EXPECT_TRUE(session.WordsOf(99).empty());
}
