#pragma once
// TSpellCheckerBase: the spelling checker without a user interface. It walks a text adapter word
// by word, accepts words found in the main, custom, word-list and session dictionaries, corrects
// silently from auto-correct pairs, and stops on every other word until one of the dialog
// actions (Ignore, Change, Add, ...) answers it. Every step can be undone, silent corrections
// together with the user's action that followed them.
//
// The checker drives its user interface through a few virtual functions (show the word, hide
// the dialog, show a message, ask a question, wait for an answer); here they do nothing and the
// check is silent. TSpellChecker connects them to a dialog. A synchronous check returns only
// when the check has ended: it waits for each answer through WaitForAnswer.
//
// Words are bytes in the dictionaries' code page; file names and interface texts are UTF-8.

#include "spelling/TControlParser.h"
#include "spelling/TCustomDictionary.h"
#include "spelling/TMainDictionary.h"
#include "spelling/TMainParsingEngine.h"
#include "spelling/TParserIgnoreList.h"
#include "spelling/TSpellConfig.h"
#include "spelling/TSpellLanguageStrings.h"
#include "spelling/TSpellTypes.h"
#include "spelling/TStringParser.h"
#include "spelling/TSuggestionBuilder.h"

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kerfa::spelling {

class TSpellCheckerBase {
public:
    // Check modes.
    enum TCheckMode : int {
        cmSelection = 0,
        cmFromCursor = 1,
        cmWholeText = 2,
        cmSmart =
            3, // the editor's: from the cursor round to it, or the selection and then the rest
        cmRangeAsSet = 4,
    };

    // The values the path variables stand for; filled from the environment at construction.
    struct PathVariables {
        std::string appDir;      // %AppDir%, without a trailing separator
        std::string appData;     // %AppData%
        std::string myDocuments; // %MyDocuments%
        std::string appName;     // %AppName%
        std::string userName;    // %UserName%
    };

    TSpellCheckerBase();
    virtual ~TSpellCheckerBase();
    TSpellCheckerBase(const TSpellCheckerBase&) = delete;
    TSpellCheckerBase& operator=(const TSpellCheckerBase&) = delete;

    // The values the program's editor uses (the members below start with the component's own).
    void UseProgramSettings();

    // Properties.
    TConfigStorage ConfigStorage = csRegistry;
    std::string ConfigID = "%UserName%";
    std::string ConfigFilename = "%AppDir%/Spell.cfg";
    std::vector<std::string> ConfigDictionaryDir = {"%AppDir%"};
    TSpellOptions ConfigAvailableOptions = {soUpcase, soNumbers, soPrimaryOnly, soRepeated,
                                            soDUalCaps};
    TSpellOptions ConfigDefaultOptions = {soLiveSpelling,  soLiveCorrect, soInternet,
                                          soAbbreviations, soRepeated,    soDUalCaps};
    std::vector<std::string> ConfigDefaultMain = {"American.adm"};
    std::vector<std::string> ConfigDefaultCustom;
    std::string ConfigDefaultActiveCustom = "%ConfigID%.adu";
    bool ConfigUseWordProcessorCustom = true;
    bool ConfigDefaultUseWordProcessorCustom = false;
    std::string ConfigUserOption1, ConfigUserOption2, ConfigUserOption3, ConfigUserOption4;
    std::string QuoteChars = ">";
    TDialogInitialPos DialogInitialPos = ipLastUserPos;
    TSelectionAvoid DialogSelectionAvoid = saAvoid;
    bool DialogShowImmediate = false;
    TEndMessage EndMessage = emExceptCancel;
    TEndCursorPosition EndCursorPosition = epOriginal;
    bool EndMessageWordCount = false;
    int MaxUndo = -1;
    int MaxSuggestions = -1;
    bool KeepDictionariesActive = false;
    bool SynchronousCheck = true;
    bool UseHourglassCursor = true;
    TSpellDialogCommands CommandsVisible = TSpellDialogCommands().set();
    TSpellDialogCommands CommandsEnabled = TSpellDialogCommands().set();
    bool PhoneticSuggestions = true;
    int PhoneticMaxDistance = 4;
    int PhoneticDivisor = 2;
    int PhoneticDepth = 2;
    std::string MappingDictionaryName;
    bool MappingAutoReplace = true;
    bool SuggestionsLearning = true;
    bool SuggestionsAutoReplace = false;
    std::string SuggestionsLearningDict = "%AppDir%/%UserName%_sp.adl";
    bool UseExcludeWords = true;
    bool UseAutoCorrectFirst = false;
    bool RecheckReplacedWords = true;
    bool ResumeFromLastPosition = true;
    TAllowedCases AllowedCases = cmInitialCapsOrUpcase;
    TSpellUILanguage UILanguage = ltEnglish;
    TSpellUIType UIType = suiSilent;
    PathVariables Paths;

    // Events.
    std::function<void()> OnConfigChanged, OnConfigLoaded, OnConfigSaved;
    // Storage csCallback: (section, key, default) gives the value; a write answers false when
    // it failed.
    std::function<std::string(const std::string& section, const std::string& key,
                              const std::string& fallback)>
        OnConfigReadString;
    std::function<bool(const std::string& section, const std::string& key,
                       const std::string& value)>
        OnConfigWriteString;
    // How many values the section holds: no list read from it is longer, whatever count it
    // gives. Without it, lists read as empty.
    std::function<std::size_t(const std::string& section)> OnConfigCountValues;
    std::function<void()> OnDictionariesChanged;
    // Told the file of a custom dictionary that could not be written when a word was added to
    // it; the file stays as it was.
    std::function<void(const std::string& fileName)> OnCustomSaveFailed;
    std::function<void(const std::string& word, TWordCheckResult& result, std::string& replacement)>
        OnWordCheck;
    std::function<void(const std::string& word, bool repeated)> OnPromptWord;
    std::function<void(TSpellLanguageString id, std::string& text)> OnGetString;
    std::function<void(TParserIgnoreList& rules)> OnAddCustomIgnore;
    // Replaces the completion message when set.
    std::function<void(const std::string& text)> OnShowEndMessage;
    std::function<void()> OnCompleteCheck;
    std::function<void(TPhoneticsMap& map)> OnAdjustPhoneticsMap;
    std::function<void(const std::string& before, const std::string& replacement, int state)>
        OnParserReplaceWord;
    std::function<void(const std::string& before, int state)> OnParserIgnoreWord;
    std::function<void(int state, TSpellAction action, int& data)> OnParserUndoLast;
    std::function<void()> OnBeforeChange;
    std::function<void(std::string& word)> OnCaseModification;

    // The configuration, loaded on first need.
    TSpellConfig& Config();
    // The configuration object, made but not loaded, for other checkers to share.
    std::shared_ptr<TSpellConfig> ConfigObject();
    // From now on this checker uses a configuration made by another checker, whose storage and
    // defaults apply: what one checker changes, every checker sharing it sees, and each loads
    // its dictionaries again before its next word. The check itself (its text, undo list and
    // session dictionary) stays this checker's own. Refused during a check.
    void ShareConfig(std::shared_ptr<TSpellConfig> config);
    // Writes the configuration if it was loaded and changed.
    void SaveConfig();
    // Expands the path variables; backslashes become "/".
    std::string ExpandPath(const std::string& text) const;
    // The dictionary folders: ConfigDictionaryDir and the folders the user added, expanded.
    std::vector<std::string> DictionaryFolders();
    std::string ConfigRead(const std::string& key, const std::string& fallback);
    // The number of values the configuration holds (OnConfigCountValues).
    std::size_t ConfigValueCount();
    bool ConfigWrite(const std::string& key, const std::string& value);
    // The personal word lists of the user's other spelling checkers.
    std::vector<std::string> WordProcessorCustomFiles() const;
    // Where a custom dictionary of this name lives: the first dictionary folder holding it,
    // else the first folder (folders are made when missing); a name with a folder as it stands.
    std::string ResolveCustom(const std::string& name);

    // Rebuilds every dictionary set from the configuration (saving the custom dictionaries
    // first); Unload saves and frees them.
    void LoadDictionaries();
    void UnloadDictionaries();
    // During a check, loads the dictionaries again when they were let go or the configuration
    // changed since (the options dialog was used); otherwise the next check does.
    void RefreshDictionaries();
    bool DictionariesLoaded() const { return dictionariesLoaded_; }
    const std::vector<std::unique_ptr<TMainDictionary>>& MainDictionaries() const { return mains_; }
    TCustomDictionary* ActiveCustomDictionary() const { return active_.get(); }
    TCustomDictionary& SessionDictionary() { return session_; }
    TCustomDictionary* LearningDictionary() const { return learning_.get(); }
    TCustomDictionary* MappingDictionary() const { return mapping_.get(); }

    // Checks. A check that is already running refuses a new one (false).
    bool CheckControl(TControlParser& adapter, int mode);
    bool CheckText(const std::string& text);
    // The text CheckText works on, with the changes made so far.
    const std::string& CheckedText() const { return textParser_.Text(); }
    // Ends a running check at once; `cancel` marks it cancelled.
    void EndCheck(bool cancel);
    // The user typed in the control while a word was shown: resume the walk there.
    void ResumeAfterEdit();

    // Checking as the user types, beside the check and never during one: the words of one
    // line that a check would stop on (not acceptable; repetitions are not looked for), as byte
    // offsets and lengths in the line. The dictionaries are loaded first when they were let go
    // or the configuration changed. Nothing while a check runs, whose walk owns the parser.
    struct TWordSpan {
        std::size_t start = 0;
        std::size_t length = 0;
        bool operator==(const TWordSpan&) const = default;
    };
    std::vector<TWordSpan> FindUnknownWords(std::string_view line);
    // Add outside a check: the word goes into the active custom dictionary, which is written at
    // once so that every other checker reading the file finds it. False without an active
    // custom dictionary, when the word is already there, or when the file could not be written
    // (OnCustomSaveFailed is told; the word is not added).
    bool AddWord(const std::string& word);
    // Ignore All outside a check: the session dictionary accepts the word from now on.
    void IgnoreWord(const std::string& word);

    bool IsChecking() const { return checking_; }
    bool IsPrompting() const { return prompting_; }
    bool IsRepeatedWordShown() const { return prompting_ && repeated_; }
    bool WasCancelled() const { return cancelled_; }
    // The word shown (for a repeated word: the word, a space and the word again).
    const std::string& PromptedWord() const { return shownWord_; }
    // The single word being corrected.
    const std::string& CurrentWord() const { return word_; }
    std::size_t WordsChecked() const { return wordsChecked_; }
    bool CanUndo() const { return !undo_.empty(); }
    const std::deque<TSpellUndo>& UndoList() const { return undo_; }
    TControlParser* Adapter() const { return adapter_; }

    // Dialog actions. An empty replacement is refused, the word staying shown: only the
    // repeated word's Change removes text.
    void Ignore();
    void IgnoreAll();
    void Change(const std::string& replacement);
    void ChangeAll(const std::string& replacement);
    void Add();
    void AutoCorrect(const std::string& replacement);
    void Undo();
    void Cancel();

    // Main dictionaries that stand in for the configured list (a book's language), or none for
    // the configured list; they take effect at the next load of the dictionaries, which comes at
    // once outside a check. When none of them opens, the configured list is used.
    void SetMainOverride(std::vector<std::string> names);
    const std::vector<std::string>& MainOverride() const { return mainOverride_; }

    // Word tests.
    std::string FoldCase(const std::string& word);
    // An all-capitals word ("LONDON") with only its first letter a capital ("London"), for the
    // dictionaries that hold names so; empty for any other word, and when the case options do
    // not accept all-capitals words.
    std::string CapitalisedForm(const std::string& word) const;
    // Whether a main dictionary holds the word exactly as written.
    bool IsMainDictionaryWord(const std::string& word);
    bool IsWordAcceptable(const std::string& word);
    bool IsWordExcluded(const std::string& word);
    bool FindAutoCorrection(const std::string& word, std::string& replacement);
    // Ranked replacements for the word; max -1 means no limit.
    void BuildSuggestions(const std::string& word, int max, std::vector<std::string>& list);
    std::string GetString(TSpellLanguageString id) const;
    bool CommandVisible(TSpellDialogCommand command) const { return CommandsVisible[command]; }
    bool CommandEnabled(TSpellDialogCommand command) const { return CommandsEnabled[command]; }

protected:
    // The user interface; silent here.
    virtual void DoShowDialog() {}
    virtual void DoHideDialog() {}
    // Where the dialog stands, to be remembered; false when it has none.
    virtual bool DoDialogPosition(int& /*left*/, int& /*top*/) { return false; }
    virtual void DoShowEndMessage(const std::string& /*text*/) {}
    virtual bool DoAskYesNo(const std::string& /*text*/) { return false; }
    // Waits until an action or the end of the check wakes it; false when this checker cannot
    // wait (the check then goes on as actions arrive).
    virtual bool DoWaitForAnswer() { return false; }
    virtual void DoWakeUp() {}
    virtual void DoSetBusyCursor(bool /*busy*/) {}

private:
    struct Part {
        std::optional<TControlParser::Position> from; // nothing: the current position
        std::optional<TControlParser::Position> to;   // nothing: the end of the text
        bool keepLastWord = true; // a word running into `to` is whole, not cut short
    };

    void EnsureConfig();
    void OpenMainDictionaries(const std::vector<std::string>& names);
    void ApplyOptions();
    void ReviewPrimary();
    bool IsMember(const std::string& word);
    // A member in the form the case folding gives, or, for all capitals, as a name.
    bool IsMemberFolded(const std::string& word, std::string& form);
    bool HasExclusions();
    bool IsAcceptableIn(const std::string& word, TControlParser& adapter);
    bool IsPossessiveOfKnown(const std::string& word);
    bool PreviousWordRepeats();
    std::unique_ptr<TCustomDictionary> OpenCustom(const std::string& name);
    bool ExistsForSuggestion(std::string_view candidate);

    bool StartCheck(TControlParser& adapter, int mode);
    void StartPart(const Part& part);
    void Drive();
    void Walk();
    bool NextPart();
    void Prompt(TWordCheckResult result);
    void Resume();
    void FinishCheck();
    // Replaces `before`, which starts at `start`, with the replacement.
    void ReplaceWord(const TControlParser::Position& start, const std::string& before,
                     const std::string& replacement);
    void Record(TSpellAction action, const std::string& replacement, bool automatic = false);
    void Learn(const std::string& replacement);
    void Revert(const TSpellUndo& entry);

    std::shared_ptr<TSpellConfig> config_;
    std::vector<std::unique_ptr<TMainDictionary>> mains_;
    std::unique_ptr<TCustomDictionary> active_;
    std::vector<std::unique_ptr<TCustomDictionary>> customs_;
    std::vector<std::unique_ptr<TCustomDictionary>> wordLists_;
    TCustomDictionary session_;
    std::unique_ptr<TCustomDictionary> mapping_, learning_;
    std::vector<std::string> mainOverride_;
    bool dictionariesLoaded_ = false;
    unsigned dictionaryGeneration_ = 0; // of the configuration they were loaded from
    bool possessive_ = false;
    TSpellOptions options_;
    TParserIgnoreList ignores_;
    TMainParsingEngine parser_;
    TStringParser textParser_;
    TStringParser emptyText_;
    TStringParser lineText_; // the line FindUnknownWords reads
    TSuggestionBuilder suggestions_;

    // Check state.
    TControlParser* adapter_ = nullptr;
    bool checking_ = false;
    bool cancelled_ = false;
    bool prompting_ = false;
    bool repeated_ = false;
    bool dialogShown_ = false;
    bool changed_ = false;
    bool driving_ = false;
    bool resumePending_ = false;
    bool busy_ = false;
    std::string word_, shownWord_;
    TControlParser::Position wordStart_;
    std::size_t wordsChecked_ = 0;
    int reviewCountdown_ = 0;
    TControlParser::Position startCursor_;
    TControlParser::Position selectionStart_;
    std::deque<Part> parts_;
    // The smart check of a selection asks before going on past it.
    bool askBeforeNextPart_ = false;
    std::deque<TSpellUndo> undo_;
    std::chrono::steady_clock::time_point walkStarted_;
};

} // namespace kerfa::spelling
