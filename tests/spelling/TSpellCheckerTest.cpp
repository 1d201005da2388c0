// The checking engine on strings with the shipped British dictionary: which words it accepts,
// the walk and its prompts, every dialog action and Undo, the smart mode and the end of a check.

#include "SpellCheckerFixture.h"
#include "dictc/DictionaryCompiler.h"

using namespace kerfa::spelling;
using Answers = std::deque<ScriptedSpellUI::Answer>;

TEST_F(SpellCheckerTest, AcceptsWordsByTheProgramsRules) {
    const struct {
        const char* word;
        bool acceptable;
    } cases[] = {
        {"hello", true},
        {"Hello", true},
        {"HELLO", true},
        {"hELLO", false},
        {"teh", false},
        {"42", true},
        {"3.14", true},
        {"x", true},
        {"writer's", true},
        {"Writer's", true},
        {"writer\x92s", true},
        {"wrtier's", false},
        {"Britain", true},
        {"britain", false},
        {"colour", true},
        // The typographic apostrophe of prose reads as the plain one of the word list.
        {"don\x92t", true},
        {"Don\x92t", true},
        {"I\x92m", true},
        {"they\x92ve", true},
        {"dno\x92t", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checker.IsWordAcceptable(c.word), c.acceptable) << c.word;
}

TEST_F(SpellCheckerTest, CorrectsDualCapitalsSilently) {
    std::string replacement;
    EXPECT_TRUE(checker.FindAutoCorrection("THe", replacement));
    EXPECT_EQ(replacement, "The");
    EXPECT_FALSE(checker.FindAutoCorrection("THE", replacement));
    EXPECT_FALSE(checker.FindAutoCorrection("TEh", replacement)); // "Teh" is no word
    EXPECT_EQ(Check("THe end", {}), "The end");
    EXPECT_TRUE(ui.prompts.empty());
}

TEST_F(SpellCheckerTest, RepeatedWordNeedsExactlyOneSpace) {
    EXPECT_EQ(Check("It was the the end.", {Do(&TSpellCheckerBase::Ignore)}),
              "It was the the end.");
    EXPECT_EQ(ui.prompts, std::vector<std::string>{"the the"});
    ui.prompts.clear();
    EXPECT_EQ(Check("It was the  the end.", {}), "It was the  the end.");
    EXPECT_TRUE(ui.prompts.empty());
    // Change removes the repetition.
    EXPECT_EQ(Check("It was the the end.", {ChangeTo("ignored")}), "It was the end.");
}

// F7 pressed right after typing: the smart check starts at the cursor and comes round to it,
// and every word is checked once, the one typed last and a repetition across the cursor too.
TEST_F(SpellCheckerTest, SmartCheckRoundTheCursor) {
    checker.EndMessage = emNever;
    struct Case {
        const char* text;
        int cursor; // characters before it
        std::vector<std::string> prompts;
    };
    const Case cases[] = {
        {"It was the the", 14, {"the the"}},
        {"It was the the end", 11, {"the the"}},
        {"It was the the end", 10, {"the the"}},
        {"It was the the end", 7, {"the the"}},
        {"the the end", 0, {"the the"}},
        {"the the end", 3, {"the the"}},
        {"The cat sat on teh", 18, {"teh"}},
        {"The cat sat on teh", 16, {"teh"}},
        {"teh cat and wrnog", 3, {"wrnog", "teh"}},
        {"teh cat and wrnog\r\n", 17, {"teh", "wrnog"}},
    };
    for (const Case& c : cases) {
        TStringParser text(c.text);
        text.SetSelection(c.cursor + 1, c.cursor + 1); // the parser counts from 1
        ui.prompts.clear();
        ui.answers.assign(c.prompts.size(), Do(&TSpellCheckerBase::Ignore));
        ASSERT_TRUE(checker.CheckControl(text, TSpellCheckerBase::cmSmart));
        EXPECT_EQ(ui.prompts, c.prompts) << c.text << " at " << c.cursor;
        EXPECT_TRUE(ui.answers.empty()) << c.text << " at " << c.cursor;
    }

    // A selection that begins right after a word leaves that word to the rest of the check.
    TStringParser text("teh cat wrnog");
    text.SetSelection(4, 8); // " cat"
    ui.prompts.clear();
    ui.answers = {Do(&TSpellCheckerBase::Ignore), Do(&TSpellCheckerBase::Ignore)};
    ui.yesNo = {true};
    ASSERT_TRUE(checker.CheckControl(text, TSpellCheckerBase::cmSmart));
    EXPECT_EQ(ui.prompts, (std::vector<std::string>{"wrnog", "teh"}));
}

TEST_F(SpellCheckerTest, AbbreviationsNumbersAndSingleLettersPass) {
    EXPECT_EQ(Check("See e.g. the U.S.A. in 42 days, x and y.", {}),
              "See e.g. the U.S.A. in 42 days, x and y.");
    EXPECT_TRUE(ui.prompts.empty());
}

TEST_F(SpellCheckerTest, ChangeAllCorrectsLaterOccurrencesAndUndoRestoresTheText) {
    const std::string text = "The cat sat on teh mat, teh end";
    EXPECT_EQ(Check(text, {ChangeAllTo("the")}), "The cat sat on the mat, the end");
    EXPECT_EQ(ui.prompts, std::vector<std::string>{"teh"});
}

TEST_F(SpellCheckerTest, UndoRevertsSilentCorrectionsWithTheUsersAction) {
    const std::string text = "One teh two teh three wrnog four";
    std::string seen;
    Check(text, {ChangeAllTo("the"),
                 [&](TSpellChecker& c) {
                     EXPECT_EQ(c.PromptedWord(), "wrnog");
                     EXPECT_EQ(c.CheckedText(), "One the two the three wrnog four");
                     c.Undo();
                 },
                 [&](TSpellChecker& c) {
                     // Both the Change All and the silent correction after it are undone.
                     seen = c.CheckedText();
                     EXPECT_EQ(c.PromptedWord(), "teh");
                     EXPECT_FALSE(c.CanUndo());
                     c.Cancel();
                 }});
    EXPECT_EQ(seen, text);
    EXPECT_EQ(checker.CheckedText(), text);
    std::string replacement;
    EXPECT_FALSE(checker.SessionDictionary().FindPair("teh", replacement));
}

TEST_F(SpellCheckerTest, EachActionAndItsUndo) {
    TCustomDictionary* active = nullptr;
    Check("zorp blick zorp", {[&](TSpellChecker& c) {
                                  active = c.ActiveCustomDictionary();
                                  c.IgnoreAll();
                              },
                              [&](TSpellChecker& c) {
                                  EXPECT_EQ(c.PromptedWord(), "blick");
                                  EXPECT_TRUE(c.SessionDictionary().IsAdded("zorp"));
                                  c.Add();
                              }});
    ASSERT_NE(active, nullptr);
    EXPECT_TRUE(active->IsAdded("blick"));
    EXPECT_EQ(ui.prompts, (std::vector<std::string>{"zorp", "blick"}));

    ui.prompts.clear();
    Check("frub frub", {[](TSpellChecker& c) {
              c.AutoCorrect("fresh");
          }});
    EXPECT_EQ(checker.CheckedText(), "fresh fresh");
    std::string replacement;
    EXPECT_TRUE(checker.ActiveCustomDictionary()->FindPair("frub", replacement));

    ui.prompts.clear();
    Check("glorp wrnog", {Do(&TSpellCheckerBase::Add),
                          [](TSpellChecker& c) {
                              EXPECT_TRUE(c.ActiveCustomDictionary()->IsAdded("glorp"));
                              c.Undo();
                          },
                          [](TSpellChecker& c) {
                              EXPECT_FALSE(c.ActiveCustomDictionary()->IsAdded("glorp"));
                              c.Ignore();
                          },
                          Do(&TSpellCheckerBase::Ignore)});
    EXPECT_EQ(ui.prompts, (std::vector<std::string>{"glorp", "wrnog", "glorp", "wrnog"}));
}

TEST_F(SpellCheckerTest, ChangedWordIsCheckedAgain) {
    EXPECT_EQ(Check("a wrd here", {ChangeTo("wurd"), ChangeTo("word")}), "a word here");
    EXPECT_EQ(ui.prompts, (std::vector<std::string>{"wrd", "wurd"}));
}

TEST_F(SpellCheckerTest, CompletionMessageByEndMessage) {
    Check("all fine", {});
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Spelling: The spelling check is complete."});

    ui.messages.clear();
    Check("one wrnog", {Do(&TSpellCheckerBase::Cancel)});
    EXPECT_TRUE(ui.messages.empty()); // emExceptCancel

    checker.EndMessage = emNoDialog;
    Check("all fine", {});
    EXPECT_TRUE(ui.messages.empty()); // the dialog never came up
    Check("one wrnog", {Do(&TSpellCheckerBase::Ignore)});
    ASSERT_EQ(ui.messages.size(), 1u);

    checker.EndMessage = emAlways;
    checker.EndMessageWordCount = true;
    ui.messages.clear();
    Check("three fine words", {});
    EXPECT_EQ(ui.messages, std::vector<std::string>{
                               "Spelling: The spelling check is complete.\n\nWords checked: 3"});
}

TEST_F(SpellCheckerTest, LastWordOfAStringAndOfASelectionIsChecked) {
    EXPECT_EQ(Check("teh", {ChangeTo("the")}), "the");

    // A double-clicked word: the selection ends right at the word's end.
    TStringParser text("See teh cat");
    text.SetSelection(5, 8);
    ui.answers = {ChangeTo("the")};
    checker.EndMessage = emNever;
    ASSERT_TRUE(checker.CheckControl(text, TSpellCheckerBase::cmSelection));
    EXPECT_EQ(text.Text(), "See the cat");
    // A selection ending inside a word takes the whole word.
    text.SetText("See tehh cat");
    text.SetSelection(5, 7);
    ui.answers = {ChangeTo("the")};
    ASSERT_TRUE(checker.CheckControl(text, TSpellCheckerBase::cmSelection));
    EXPECT_EQ(text.Text(), "See the cat");
}

TEST_F(SpellCheckerTest, SmartCheckOfASelection) {
    checker.EndMessage = emNever;
    TStringParser text("wrnog one; mdidle two; lsat");
    text.SetSelection(12, 22); // "mdidle two"
    ui.answers = {Do(&TSpellCheckerBase::Ignore), Do(&TSpellCheckerBase::Ignore),
                  Do(&TSpellCheckerBase::Ignore)};
    ui.yesNo = {true};
    ASSERT_TRUE(checker.CheckControl(text, TSpellCheckerBase::cmSmart));
    EXPECT_EQ(ui.prompts, (std::vector<std::string>{"mdidle", "lsat", "wrnog"}));
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0], "Spelling: The selection has been checked.  Would you like to "
                               "check the remainder of the document?");
    EXPECT_FALSE(checker.WasCancelled());

    // No: the check counts as cancelled. Cancel in the selection asks nothing.
    ui.prompts.clear();
    ui.questions.clear();
    text.SetSelection(12, 22);
    ui.answers = {Do(&TSpellCheckerBase::Ignore)};
    ui.yesNo = {false};
    ASSERT_TRUE(checker.CheckControl(text, TSpellCheckerBase::cmSmart));
    EXPECT_TRUE(checker.WasCancelled());
    text.SetSelection(12, 22);
    ui.questions.clear();
    ui.answers = {Do(&TSpellCheckerBase::Cancel)};
    ASSERT_TRUE(checker.CheckControl(text, TSpellCheckerBase::cmSmart));
    EXPECT_TRUE(ui.questions.empty());
}

TEST_F(SpellCheckerTest, SmartCheckWithoutSelectionGoesRoundToTheCursor) {
    TStringParser text("frist word; mdidle word; lsat");
    text.SetSelection(16, 16); // inside "mdidle"
    ui.answers = {Do(&TSpellCheckerBase::Ignore), Do(&TSpellCheckerBase::Ignore),
                  Do(&TSpellCheckerBase::Ignore)};
    ASSERT_TRUE(checker.CheckControl(text, TSpellCheckerBase::cmSmart));
    EXPECT_EQ(ui.prompts, (std::vector<std::string>{"mdidle", "lsat", "frist"}));
    // The cursor goes back where it was.
    EXPECT_EQ(text.GetCursorPosition().column, 16);
}

TEST_F(SpellCheckerTest, ARunningCheckRefusesAnotherAndEndCheckEndsIt) {
    checker.SynchronousCheck = false; // the check stays open between answers
    ASSERT_TRUE(checker.CheckText("one wrnog two"));
    EXPECT_TRUE(checker.IsPrompting());
    EXPECT_FALSE(checker.CheckText("another"));
    checker.EndCheck(true);
    EXPECT_FALSE(checker.IsChecking());
    EXPECT_FALSE(ui.shown);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SpellCheckerTest, DictionariesAndConfigurationSurviveARestart) {
    Check("zorp", {Do(&TSpellCheckerBase::Add)});
    EXPECT_EQ(stored.count("writer/_FirstRun"), 0u); // the editor keeps everything active
    checker.Config().Save();
    checker.UnloadDictionaries(); // writes writer.adu
    EXPECT_TRUE(std::filesystem::exists(folder.File("Spelling/writer.adu")));
    EXPECT_EQ(stored["writer/_ActiveCustom"], "writer.adu");
    EXPECT_EQ(stored["writer/_Main_0"], "british.adm");
    EXPECT_EQ(stored["writer/_DialogX"], "40");

    TSpellChecker again;
    Configure(again);
    EXPECT_TRUE(again.IsWordAcceptable("zorp"));
    EXPECT_EQ(again.Config().DialogX(), 40);
}

TEST_F(SpellCheckerTest, TheDictionaryThatFitsTheTextBecomesPrimary) {
    // A small French dictionary listed first: the check's first words make English primary.
    kerfa::dictc::DictionaryCompiler compiler;
    for (const char* w : {"homme", "aujourd'hui", "le", "chat"})
        compiler.AddWord(w);
    const auto image = compiler.Build("Petit", 1036);
    TestFolder::Write(folder.File("Spelling/petit.adm"), std::string(image.begin(), image.end()));
    checker.Config().SetMainList({"petit.adm", "british.adm"});
    checker.LoadDictionaries();
    ASSERT_EQ(checker.MainDictionaries().size(), 2u);

    // While French is primary, the apostrophe ends a word: l'homme is "l" and "homme".
    std::vector<std::string> seen;
    checker.OnWordCheck = [&](const std::string& word, TWordCheckResult&, std::string&) {
        seen.push_back(word);
    };
    checker.EndMessage = emNever;
    Check("l'homme", {});
    EXPECT_EQ(seen, (std::vector<std::string>{"l", "homme"}));

    std::string english;
    for (int i = 0; i < 30; ++i)
        english += "the cat sat down and ";
    Check(english, {});
    EXPECT_NE(checker.MainDictionaries().front()->FileName().find("british.adm"),
              std::string::npos);
    seen.clear();
    Check("don't", {});
    EXPECT_EQ(seen, std::vector<std::string>{"don't"});
}

TEST_F(SpellCheckerTest, ExcludedWordsStopTheCheckAsExcluded) {
    checker.LoadDictionaries();
    ASSERT_TRUE(checker.ActiveCustomDictionary()->AddExcluded("colour"));
    std::vector<TWordCheckResult> results;
    checker.OnWordCheck = [&](const std::string&, TWordCheckResult& result, std::string&) {
        results.push_back(result);
    };
    Check("Colour and colour", {Do(&TSpellCheckerBase::Ignore), Do(&TSpellCheckerBase::Ignore)});
    EXPECT_EQ(results, (std::vector<TWordCheckResult>{wcExcluded, wcAccepted, wcExcluded}));
    checker.UseExcludeWords = false;
    EXPECT_TRUE(checker.IsWordAcceptable("colour"));
}

// Nothing in place of a word would delete it, and stored as an auto-correction would go on
// deleting it in every later check: the engine refuses it from any caller.
TEST_F(SpellCheckerTest, AnEmptyReplacementIsRefusedWhateverTheCaller) {
    const std::string text = "Later, Zorblax said Zorblax.";
    EXPECT_EQ(Check(text, {[](TSpellChecker& c) {
                               c.Change("");
                               c.ChangeAll("");
                               c.AutoCorrect("");
                               EXPECT_TRUE(c.IsPrompting());
                               EXPECT_EQ(c.PromptedWord(), "Zorblax");
                               c.Ignore();
                           },
                           Do(&TSpellCheckerBase::Ignore)}),
              text);
    std::string replacement;
    EXPECT_FALSE(checker.ActiveCustomDictionary()->FindPair("Zorblax", replacement));
    EXPECT_FALSE(checker.SessionDictionary().FindPair("Zorblax", replacement));
    EXPECT_FALSE(checker.ActiveCustomDictionary()->AddPair("Zorblax", ""));
    // The doubled word's Change still removes the second of the pair.
    EXPECT_EQ(Check("it was the the end", {ChangeTo("")}), "it was the end");
}

// An empty pair another program wrote is never applied, and stays in the file.
TEST_F(SpellCheckerTest, AnEmptyPairInTheCustomDictionaryIsIgnoredAndKept) {
    checker.LoadDictionaries();
    const std::string path = checker.ActiveCustomDictionary()->FileName();
    checker.UnloadDictionaries();
    {
        TCustomDictionary d;
        ASSERT_TRUE(d.Open(path));
        ASSERT_TRUE(d.AddPair("Zorblax", "y"));
        ASSERT_TRUE(d.Save());
    }
    // The replacement cut out by hand: the text area, last in the file, loses the "y".
    std::string bytes = TestFolder::Read(path);
    const std::string pair("AZorblax\0y\0", 11);
    ASSERT_EQ(bytes.substr(bytes.size() - pair.size()), pair);
    bytes.replace(bytes.size() - 2, 2, std::string(1, '\0'));
    const std::size_t usedAt = bytes.size() - 10 - 4;
    ASSERT_EQ(static_cast<unsigned char>(bytes[usedAt]), 11u);
    bytes[usedAt] = 10;
    TestFolder::Write(path, bytes);

    EXPECT_EQ(Check("Later, Zorblax said.", {Do(&TSpellCheckerBase::Ignore)}),
              "Later, Zorblax said.");
    TCustomDictionary* active = checker.ActiveCustomDictionary();
    std::string replacement;
    EXPECT_FALSE(active->FindPair("Zorblax", replacement));
    EXPECT_EQ(active->Count(TCustomDictionary::Kind::Pair), 1u);
    ASSERT_TRUE(active->AddWord("Mara"));
    ASSERT_TRUE(active->Save());
    EXPECT_NE(TestFolder::Read(path).find(std::string("AZorblax\0\0", 10)), std::string::npos);
}
