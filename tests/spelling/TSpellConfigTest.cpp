// The per-user configuration through the checker's storage callbacks: first-run defaults,
// the keys it writes, Reset Defaults, and damaged values.

#include "SpellCheckerFixture.h"

using namespace kerfa::spelling;

TEST_F(SpellCheckerTest, FirstRunTakesTheProgramsDefaults) {
    TSpellConfig& config = checker.Config();
    EXPECT_EQ(config.MainList(), std::vector<std::string>{"british.adm"});
    EXPECT_EQ(config.ActiveCustom(), "writer.adu");
    EXPECT_EQ(config.Options(),
              (TSpellOptions{soLiveSpelling, soInternet, soAbbreviations, soRepeated, soDUalCaps}));
    EXPECT_EQ(config.DialogX(), -1);
    config.Save();
    EXPECT_EQ(stored["writer/_FirstRun"], "+");
    EXPECT_EQ(stored["writer/_Main_count"], "1");
    EXPECT_EQ(stored["writer/_Main_0"], "british.adm");
    EXPECT_EQ(stored["writer/_soInternet"], "+");
    EXPECT_EQ(stored["writer/_soUpcase"], "-");
    EXPECT_EQ(stored["writer/_soLiveSpelling"], "+");
    EXPECT_EQ(stored["writer/_DialogY"], "-1");
}

TEST_F(SpellCheckerTest, StoredConfigurationIsReadBackAndResetRestoresDefaults) {
    TSpellConfig& config = checker.Config();
    config.SetMainList({"british.adm", "other.adm"});
    config.SetCustomList({"names.adu"});
    config.SetOptions({soUpcase, soNumbers});
    config.SetDialogPosition(120, 80);
    config.AddPath("/b");
    config.AddPath("/a");
    config.AddPath("/b");
    config.SetUserValue("Colour", "blue");
    config.Reload();
    EXPECT_EQ(config.MainList(), (std::vector<std::string>{"british.adm", "other.adm"}));
    EXPECT_EQ(config.CustomList(), std::vector<std::string>{"names.adu"});
    EXPECT_EQ(config.Options(), (TSpellOptions{soUpcase, soNumbers}));
    EXPECT_EQ(config.DialogX(), 120);
    EXPECT_EQ(config.NewPaths(), (std::vector<std::string>{"/a", "/b"}));
    EXPECT_EQ(config.UserValue("Colour"), "blue");
    EXPECT_FALSE(config.IsModified());

    config.Reset();
    EXPECT_EQ(config.MainList(), std::vector<std::string>{"british.adm"});
    EXPECT_EQ(config.Options(),
              (TSpellOptions{soLiveSpelling, soInternet, soAbbreviations, soRepeated, soDUalCaps}));
    EXPECT_EQ(config.DialogX(), -1);
}

TEST_F(SpellCheckerTest, DamagedValuesReadAsEmptyOrDefault) {
    stored["writer/_FirstRun"] = "+";
    stored["writer/_Main_count"] = "lots";
    stored["writer/_Custom_count"] = "2";
    stored["writer/_Custom_0"] = "a.adu";
    stored["writer/_DialogX"] = "far";
    TSpellConfig& config = checker.Config();
    EXPECT_TRUE(config.MainList().empty());
    EXPECT_EQ(config.CustomList(), std::vector<std::string>{"a.adu"});
    EXPECT_EQ(config.DialogX(), -1);
    // With no main dictionary nothing is known, and the check still ends.
    EXPECT_FALSE(checker.IsWordAcceptable("hello"));
}

TEST_F(SpellCheckerTest, PathVariablesExpand) {
    checker.Paths.appData = "/data";
    checker.Paths.myDocuments = "/docs";
    setenv("KERFA_TEST_VAR", "env", 1);
    EXPECT_EQ(checker.ExpandPath("%AppDir%\\Spelling\\Spell.cfg"),
              folder.File("Spelling/Spell.cfg"));
    EXPECT_EQ(checker.ExpandPath("%AppData%/%MyDocuments%/%KERFA_TEST_VAR%/%UserName%_sp.adl"),
              "/data//docs/env/writer_sp.adl");
    EXPECT_EQ(checker.ExpandPath("%ConfigID%.adu"), "writer.adu");
    EXPECT_EQ(checker.ExpandPath("100% sure"), "100% sure");
}

TEST_F(SpellCheckerTest, AChangedConfigurationTakesEffectAtTheNextCheck) {
    checker.EndMessage = emNever;
    Check("GREAT", {}); // known through "great"
    Check("XQZV", {Do(&TSpellCheckerBase::Ignore)});
    checker.Config().SetOption(soUpcase, true);
    Check("XQZV", {});
    checker.Config().SetMainList({});
    Check("hello", {Do(&TSpellCheckerBase::Ignore)});
    EXPECT_TRUE(checker.MainDictionaries().empty());
}

// Every editor window's checker shares the program's one configuration: an option one of them
// changes holds for the other's next check, while each keeps its own Ignore All words.
TEST_F(SpellCheckerTest, CheckersSharingOneConfigurationSeeEachOthersChanges) {
    TSpellChecker other;
    Configure(other);
    ScriptedSpellUI otherUi;
    other.SetUI(&otherUi);
    other.EndMessage = checker.EndMessage = emNever;
    other.ShareConfig(checker.ConfigObject());
    EXPECT_EQ(&other.Config(), &checker.Config());

    otherUi.answers = {Do(&TSpellCheckerBase::IgnoreAll), Do(&TSpellCheckerBase::Ignore)};
    EXPECT_TRUE(other.CheckText("zorblax and XQZV"));
    EXPECT_EQ(otherUi.prompts, (std::vector<std::string>{"zorblax", "XQZV"}));
    EXPECT_TRUE(otherUi.answers.empty());

    checker.Config().SetOption(soUpcase, true);
    otherUi.prompts.clear();
    EXPECT_TRUE(other.CheckText("zorblax and XQZV"));
    EXPECT_TRUE(otherUi.prompts.empty());
    // The other checker's Ignore All is not this one's.
    Check("zorblax", {Do(&TSpellCheckerBase::Ignore)});
    EXPECT_EQ(ui.prompts, std::vector<std::string>{"zorblax"});

    // Saved once, from the one copy, whichever checker saves.
    other.SaveConfig();
    EXPECT_EQ(stored["writer/_soUpcase"], "+");
    checker.Config().SetOption(soUpcase, false);
    checker.SaveConfig();
    other.SaveConfig();
    EXPECT_EQ(stored["writer/_soUpcase"], "-");
    EXPECT_EQ(stored["writer/_soLiveSpelling"], "+");
}
