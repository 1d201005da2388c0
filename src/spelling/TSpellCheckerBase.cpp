#include "spelling/TSpellCheckerBase.h"

#include "common/Cp1252.h"
#include "spelling/PersonalWordList.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace kerfa::spelling {

namespace {

namespace fs = std::filesystem;

constexpr int kReviewAfterWords = 100;
constexpr std::uint32_t kEnglish = 9, kFrench = 12;
constexpr auto kBusyAfter = std::chrono::milliseconds(1000);

std::uint32_t primaryLanguage(std::uint32_t language) {
    return language & 0x3FF;
}

bool isUpper(unsigned char c) {
    return cp1252::toLower(c) != c;
}

bool isLower(unsigned char c) {
    return cp1252::toUpper(c) != c;
}

bool before(const TControlParser::Position& a, const TControlParser::Position& b) {
    return a.line != b.line ? a.line < b.line : a.column < b.column;
}

TControlParser::Position offset(TControlParser::Position p, std::size_t columns) {
    p.column += static_cast<int>(columns);
    return p;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string loginName() {
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_name && *pw->pw_name)
        return pw->pw_name;
    const std::string user = environment("USER");
    return user.empty() ? "default" : user;
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

bool isNumber(const std::string& word) {
    const char first = word[0];
    if (!(std::isdigit(static_cast<unsigned char>(first)) || first == '-' || first == '+' ||
          first == '.'))
        return false;
    double value = 0;
    const char* begin = word.data() + (first == '+' ? 1 : 0);
    const auto [end, ec] = std::from_chars(begin, word.data() + word.size(), value);
    return ec == std::errc() && end == word.data() + word.size();
}

} // namespace

TSpellCheckerBase::TSpellCheckerBase() {
    const std::string home = environment("HOME");
    std::error_code ignored;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ignored);
    Paths.appDir = exe.parent_path().string();
    Paths.appName = exe.stem().string();
    const std::string config = environment("XDG_CONFIG_HOME");
    Paths.appData = !config.empty() ? config : !home.empty() ? home + "/.config" : Paths.appDir;
    Paths.myDocuments = home.empty() ? Paths.appDir : home + "/Documents";
    Paths.userName = loginName();
}

TSpellCheckerBase::~TSpellCheckerBase() {
    SaveConfig();
}

void TSpellCheckerBase::SaveConfig() {
    if (config_)
        config_->Save();
}

void TSpellCheckerBase::UseProgramSettings() {
    ConfigStorage = csCallback;
    ConfigFilename = "%AppDir%/Spelling/Spell.cfg";
    ConfigDictionaryDir = {"%AppDir%/Spelling"};
    ConfigAvailableOptions = {soLiveSpelling, soUpcase,   soNumbers, soInternet,
                              soPrimaryOnly,  soRepeated, soDUalCaps};
    ConfigDefaultOptions = {soLiveSpelling, soInternet, soAbbreviations, soRepeated, soDUalCaps};
    ConfigDefaultMain = {"british.adm"};
    KeepDictionariesActive = true;
    UIType = suiDialog;
    CommandsVisible = TSpellDialogCommands().set().reset(sdcHelp);
}

// --- configuration and paths ---------------------------------------------------------------

TSpellConfig& TSpellCheckerBase::Config() {
    EnsureConfig();
    return *config_;
}

std::shared_ptr<TSpellConfig> TSpellCheckerBase::ConfigObject() {
    if (!config_)
        config_ = std::make_shared<TSpellConfig>(*this);
    return config_;
}

void TSpellCheckerBase::ShareConfig(std::shared_ptr<TSpellConfig> config) {
    if (!config || config == config_ || checking_)
        return;
    // What this checker changed alone is kept before it goes over to the shared one.
    SaveConfig();
    config_ = std::move(config);
    // Dictionaries loaded from the old configuration are loaded again at the next check.
    UnloadDictionaries();
}

void TSpellCheckerBase::EnsureConfig() {
    ConfigObject();
    if (!config_->IsLoaded())
        config_->Load();
}

std::string TSpellCheckerBase::ExpandPath(const std::string& text) const {
    std::string s = text;
    replaceAll(s, "%AppDir%", Paths.appDir);
    replaceAll(s, "%AppData%", Paths.appData);
    replaceAll(s, "%MyDocuments%", Paths.myDocuments);
    // Environment variables in the percent form; the program's own names are left for below.
    std::string out;
    for (std::size_t i = 0; i < s.size() && out.size() < 4096;) {
        const std::size_t close = s[i] == '%' ? s.find('%', i + 1) : std::string::npos;
        if (close != std::string::npos) {
            const std::string name = s.substr(i + 1, close - i - 1);
            if (const char* value = name.empty() ? nullptr : std::getenv(name.c_str())) {
                out += value;
                i = close + 1;
                continue;
            }
        }
        out += s[i++];
    }
    replaceAll(out, "%AppName%", Paths.appName);
    replaceAll(out, "%UserName%", Paths.userName);
    if (out.find("%ConfigID%") != std::string::npos) {
        std::string id = ConfigID;
        replaceAll(id, "%ConfigID%", "");
        replaceAll(out, "%ConfigID%", ExpandPath(id));
    }
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

std::string TSpellCheckerBase::ConfigRead(const std::string& key, const std::string& fallback) {
    if (ConfigStorage != csCallback || !OnConfigReadString)
        return fallback;
    return OnConfigReadString(ExpandPath(ConfigID), key, fallback);
}

std::size_t TSpellCheckerBase::ConfigValueCount() {
    if (ConfigStorage != csCallback || !OnConfigCountValues)
        return 0;
    return OnConfigCountValues(ExpandPath(ConfigID));
}

bool TSpellCheckerBase::ConfigWrite(const std::string& key, const std::string& value) {
    if (ConfigStorage != csCallback || !OnConfigWriteString)
        return true;
    return OnConfigWriteString(ExpandPath(ConfigID), key, value);
}

std::vector<std::string> TSpellCheckerBase::WordProcessorCustomFiles() const {
    const std::string home = environment("HOME");
    std::string config = environment("XDG_CONFIG_HOME");
    if (config.empty() && !home.empty())
        config = home + "/.config";
    return PersonalWordList::FindFiles(home, config);
}

std::vector<std::string> TSpellCheckerBase::DictionaryFolders() {
    std::vector<std::string> folders;
    for (const std::string& dir : ConfigDictionaryDir)
        folders.push_back(ExpandPath(dir));
    for (const std::string& dir : Config().NewPaths())
        folders.push_back(ExpandPath(dir));
    return folders;
}

// --- dictionaries --------------------------------------------------------------------------

std::string TSpellCheckerBase::ResolveCustom(const std::string& name) {
    const std::string expanded = ExpandPath(name);
    if (expanded.find('/') != std::string::npos)
        return expanded;
    const std::vector<std::string> folders = DictionaryFolders();
    std::error_code error;
    for (const std::string& folder : folders) {
        fs::create_directories(folder, error);
        if (fs::exists(folder + "/" + expanded, error))
            return folder + "/" + expanded;
    }
    return folders.empty() ? expanded : folders.front() + "/" + expanded;
}

std::unique_ptr<TCustomDictionary> TSpellCheckerBase::OpenCustom(const std::string& name) {
    if (name.empty())
        return nullptr;
    auto dictionary = std::make_unique<TCustomDictionary>();
    if (!dictionary->Open(ResolveCustom(name)))
        return nullptr;
    dictionary->SetLoaded(true);
    return dictionary;
}

void TSpellCheckerBase::UnloadDictionaries() {
    mains_.clear();
    active_.reset();
    customs_.clear();
    wordLists_.clear();
    mapping_.reset();
    learning_.reset();
    possessive_ = false;
    dictionariesLoaded_ = false;
}

void TSpellCheckerBase::SetMainOverride(std::vector<std::string> names) {
    if (names == mainOverride_)
        return;
    mainOverride_ = std::move(names);
    if (!checking_)
        UnloadDictionaries();
}

void TSpellCheckerBase::OpenMainDictionaries(const std::vector<std::string>& names) {
    const std::vector<std::string> folders = DictionaryFolders();
    for (const std::string& name : names) {
        const std::string expanded = ExpandPath(name);
        std::vector<std::string> candidates;
        if (expanded.find('/') != std::string::npos)
            candidates.push_back(expanded);
        else
            for (const std::string& folder : folders)
                candidates.push_back(folder + "/" + expanded);
        for (const std::string& path : candidates) {
            auto dictionary = std::make_unique<TMainDictionary>();
            if (dictionary->Open(path)) {
                possessive_ = possessive_ || primaryLanguage(dictionary->Language()) == kEnglish;
                mains_.push_back(std::move(dictionary));
                break;
            }
        }
    }
}

void TSpellCheckerBase::LoadDictionaries() {
    TSpellConfig& config = Config();
    // Destroying the old sets saves every modified custom dictionary before any file is read
    // again, so no two instances of one file are open at once.
    UnloadDictionaries();
    OpenMainDictionaries(mainOverride_);
    if (mains_.empty())
        OpenMainDictionaries(config.MainList());
    const std::string activeName = config.ActiveCustom();
    for (const std::string& name : config.CustomList())
        if (ExpandPath(name) != ExpandPath(activeName))
            if (auto dictionary = OpenCustom(name))
                customs_.push_back(std::move(dictionary));
    for (const std::string& path : config.WordProcessorCustomList()) {
        std::error_code error;
        if (!fs::exists(ExpandPath(path), error))
            continue;
        auto list = std::make_unique<TCustomDictionary>();
        PersonalWordList::Load(ExpandPath(path), *list);
        wordLists_.push_back(std::move(list));
    }
    active_ = OpenCustom(activeName);
    if (!MappingDictionaryName.empty())
        mapping_ = OpenCustom(MappingDictionaryName);
    if (SuggestionsLearning && !SuggestionsLearningDict.empty())
        learning_ = OpenCustom(SuggestionsLearningDict);
    dictionariesLoaded_ = true;
    dictionaryGeneration_ = config.Generation();
    reviewCountdown_ = kReviewAfterWords;
    ApplyOptions();
    ReviewPrimary();
    if (OnDictionariesChanged)
        OnDictionariesChanged();
}

void TSpellCheckerBase::RefreshDictionaries() {
    if (checking_ && (!dictionariesLoaded_ || dictionaryGeneration_ != Config().Generation()))
        LoadDictionaries();
}

void TSpellCheckerBase::ApplyOptions() {
    options_ = Config().Options();
    ignores_.Rebuild(options_, QuoteChars);
    if (OnAddCustomIgnore)
        OnAddCustomIgnore(ignores_);
    ignores_.Connect(parser_);
}

void TSpellCheckerBase::ReviewPrimary() {
    if (mains_.size() > 1) {
        const auto best =
            std::max_element(mains_.begin(), mains_.end(), [](const auto& a, const auto& b) {
                return a->WordsFound() < b->WordsFound();
            });
        if (best != mains_.begin() && (*best)->WordsFound() > mains_.front()->WordsFound())
            std::rotate(mains_.begin(), best, best + 1);
    }
    const std::uint32_t language = mains_.empty() ? 0 : mains_.front()->Language();
    suggestions_.SetLanguage(language);
    parser_.SetFrenchApostrophes(primaryLanguage(language) == kFrench);
}

// --- word tests ----------------------------------------------------------------------------

std::string TSpellCheckerBase::FoldCase(const std::string& word) {
    std::string folded = word;
    if (word.empty())
        return folded;
    const auto lower = [](char& c) {
        c = static_cast<char>(cp1252::toLower(static_cast<unsigned char>(c)));
    };
    switch (AllowedCases) {
    case cmNone:
        break;
    case cmInitialCaps:
        lower(folded[0]);
        break;
    case cmInitialCapsOrUpcase: {
        const bool allUpper = std::none_of(word.begin(), word.end(), [](char c) {
            return isLower(static_cast<unsigned char>(c));
        });
        if (allUpper)
            std::for_each(folded.begin(), folded.end(), lower);
        else
            lower(folded[0]);
        break;
    }
    case cmAnyCase:
        std::for_each(folded.begin(), folded.end(), lower);
        break;
    case cmCustom:
        if (OnCaseModification)
            OnCaseModification(folded);
        break;
    }
    return folded;
}

std::string TSpellCheckerBase::CapitalisedForm(const std::string& word) const {
    if (word.size() < 2 || (AllowedCases != cmInitialCapsOrUpcase && AllowedCases != cmAnyCase))
        return {};
    const auto* w = reinterpret_cast<const unsigned char*>(word.data());
    if (!isUpper(w[0]) || std::any_of(w, w + word.size(), isLower))
        return {};
    std::string name = word;
    for (std::size_t i = 1; i < name.size(); ++i)
        name[i] = static_cast<char>(cp1252::toLower(w[i]));
    return name != word ? name : std::string();
}

bool TSpellCheckerBase::IsMainDictionaryWord(const std::string& word) {
    if (!dictionariesLoaded_)
        LoadDictionaries();
    return std::any_of(mains_.begin(), mains_.end(),
                       [&](const auto& main) { return main->Contains(word).found; });
}

bool TSpellCheckerBase::IsMemberFolded(const std::string& word, std::string& form) {
    form = FoldCase(word);
    if (form != word && IsMember(form))
        return true;
    form = CapitalisedForm(word);
    return !form.empty() && IsMember(form);
}

bool TSpellCheckerBase::IsMember(const std::string& word) {
    for (const auto& main : mains_) {
        if (main->Contains(word).found) {
            main->CountFound();
            return true;
        }
    }
    if (active_ && active_->IsAdded(word))
        return true;
    for (const auto& custom : customs_)
        if (custom->IsAdded(word))
            return true;
    for (const auto& list : wordLists_)
        if (list->IsAdded(word))
            return true;
    return session_.IsAdded(word);
}

// Most dictionaries hold no exclusions at all; the check then skips their lookups.
bool TSpellCheckerBase::HasExclusions() {
    if (active_ && active_->Count(TCustomDictionary::Kind::Excluded) > 0)
        return true;
    for (const auto& custom : customs_)
        if (custom->Count(TCustomDictionary::Kind::Excluded) > 0)
            return true;
    return mapping_ && mapping_->Count(TCustomDictionary::Kind::Pair) > 0;
}

bool TSpellCheckerBase::IsWordExcluded(const std::string& word) {
    if (active_ && active_->IsExcluded(word))
        return true;
    for (const auto& custom : customs_)
        if (custom->IsExcluded(word))
            return true;
    std::string replacement;
    return mapping_ && mapping_->FindPair(word, replacement);
}

bool TSpellCheckerBase::IsPossessiveOfKnown(const std::string& word) {
    if (!possessive_ || word.size() < 3)
        return false;
    const char quote = word[word.size() - 2];
    const char s = word.back();
    if ((quote != '\'' && quote != '\x92') || (s != 's' && s != 'S'))
        return false;
    const std::string stem = word.substr(0, word.size() - 2);
    const std::string folded = FoldCase(stem);
    const std::string name = CapitalisedForm(stem);
    for (const auto& main : mains_)
        if (primaryLanguage(main->Language()) == kEnglish &&
            (main->Contains(stem).found || main->Contains(folded).found ||
             (!name.empty() && main->Contains(name).found)))
            return true;
    return false;
}

bool TSpellCheckerBase::IsAcceptableIn(const std::string& word, TControlParser& adapter) {
    if (word.empty())
        return false;
    // Prose set with typographic apostrophes (don’t) is checked against the word lists, which
    // spell them plain (don't).
    if (word.find('\x92') != std::string::npos) {
        std::string plain = word;
        std::replace(plain.begin(), plain.end(), '\x92', '\'');
        return IsAcceptableIn(plain, adapter);
    }
    if (IsMember(word))
        return !(UseExcludeWords && HasExclusions() && IsWordExcluded(word));
    if (std::string form; IsMemberFolded(word, form))
        return !(UseExcludeWords && HasExclusions() && IsWordExcluded(form));
    return IsPossessiveOfKnown(word) || isNumber(word) || word.size() == 1 ||
           ignores_.Accepts(word, adapter);
}

bool TSpellCheckerBase::IsWordAcceptable(const std::string& word) {
    if (!dictionariesLoaded_)
        LoadDictionaries();
    return IsAcceptableIn(word, adapter_ ? *adapter_ : emptyText_);
}

bool TSpellCheckerBase::FindAutoCorrection(const std::string& word, std::string& replacement) {
    if (!dictionariesLoaded_)
        LoadDictionaries();
    if (active_ && active_->FindPair(word, replacement))
        return true;
    if (session_.FindPair(word, replacement))
        return true;
    for (const auto& custom : customs_)
        if (custom->FindPair(word, replacement))
            return true;
    if (mapping_ && MappingAutoReplace && mapping_->FindPair(word, replacement))
        return true;
    if (learning_ && SuggestionsAutoReplace && learning_->FindPair(word, replacement) &&
        IsWordAcceptable(replacement))
        return true;
    if (options_.Has(soDUalCaps) && word.size() > 2) {
        const auto* w = reinterpret_cast<const unsigned char*>(word.data());
        bool dual = isUpper(w[0]) && isUpper(w[1]);
        for (std::size_t i = 2; dual && i < word.size(); ++i)
            dual = !isUpper(w[i]);
        if (dual) {
            std::string fixed = word;
            fixed[1] = static_cast<char>(cp1252::toLower(w[1]));
            if (fixed != word && IsWordAcceptable(fixed)) {
                replacement = fixed;
                return true;
            }
        }
    }
    return false;
}

bool TSpellCheckerBase::ExistsForSuggestion(std::string_view candidate) {
    const std::string word(candidate);
    // Candidates are tested with the case folding the check uses, so "Teh" finds "The", and an
    // all-capitals one also as a name, so "LONDNO" finds "LONDON".
    const std::string folded = FoldCase(word);
    const std::string name = CapitalisedForm(word);
    if (options_.Has(soPrimaryOnly)) {
        for (const auto& main : mains_)
            if (main->Contains(word).found || (folded != word && main->Contains(folded).found) ||
                (!name.empty() && main->Contains(name).found))
                return true;
    } else if (IsMember(word) || (folded != word && IsMember(folded)) ||
               (!name.empty() && IsMember(name))) {
        return true;
    }
    return IsPossessiveOfKnown(word);
}

void TSpellCheckerBase::BuildSuggestions(const std::string& word, int max,
                                         std::vector<std::string>& list) {
    if (!dictionariesLoaded_)
        LoadDictionaries();
    TSuggestionBuilder::Sources sources;
    sources.exists = [this](std::string_view c) {
        return ExistsForSuggestion(c);
    };
    sources.acceptable = [this](const std::string& w) {
        return IsWordAcceptable(w);
    };
    sources.primary = mains_.empty() ? nullptr : mains_.front().get();
    sources.mapping = mapping_.get();
    sources.learning = learning_.get();
    TSuggestionBuilder::Settings settings;
    settings.phonetic = PhoneticSuggestions;
    settings.maxDistance = PhoneticMaxDistance;
    settings.divisor = PhoneticDivisor;
    settings.depth = PhoneticDepth;
    settings.adjustMap = OnAdjustPhoneticsMap;
    suggestions_.Build(word, max, sources, settings, list);
}

std::string TSpellCheckerBase::GetString(TSpellLanguageString id) const {
    std::string text(TSpellLanguageStrings::Text(UILanguage, id));
    if (OnGetString)
        OnGetString(id, text);
    return text;
}

// --- the check -----------------------------------------------------------------------------

bool TSpellCheckerBase::CheckText(const std::string& text) {
    if (checking_)
        return false;
    textParser_.SetText(text);
    return CheckControl(textParser_, cmWholeText);
}

std::vector<TSpellCheckerBase::TWordSpan>
TSpellCheckerBase::FindUnknownWords(std::string_view line) {
    std::vector<TWordSpan> unknown;
    if (checking_)
        return unknown;
    EnsureConfig();
    if (!dictionariesLoaded_ || dictionaryGeneration_ != config_->Generation())
        LoadDictionaries();
    // A line break after the text ends its last word as it ends any other.
    std::string text(line);
    text += "\r\n";
    lineText_.SetText(std::move(text));
    parser_.SetKeepUnterminatedLastWord(true);
    parser_.Start(lineText_, TMainParsingEngine::smWholeText);
    for (;;) {
        const std::string& word = parser_.NextWord();
        if (word.empty())
            break;
        if (IsAcceptableIn(word, lineText_))
            continue;
        // The position is 1-based and stands right after the word.
        const std::size_t end = static_cast<std::size_t>(lineText_.GetPosition().column) - 1;
        if (end >= word.size() && end <= line.size())
            unknown.push_back({end - word.size(), word.size()});
    }
    return unknown;
}

bool TSpellCheckerBase::AddWord(const std::string& word) {
    if (checking_)
        return false;
    if (!dictionariesLoaded_)
        LoadDictionaries();
    if (!active_ || !active_->AddWord(word))
        return false;
    if (active_->Save())
        return true;
    // Not kept in memory alone: every window reads the dictionaries again after an Add, and
    // would lose it then.
    active_->RemoveWord(word);
    if (OnCustomSaveFailed)
        OnCustomSaveFailed(active_->FileName());
    return false;
}

void TSpellCheckerBase::IgnoreWord(const std::string& word) {
    session_.AddWord(word);
}

bool TSpellCheckerBase::CheckControl(TControlParser& adapter, int mode) {
    if (checking_ || mode < cmSelection || mode > cmRangeAsSet)
        return false;
    if (!StartCheck(adapter, mode))
        return false;
    Drive();
    return true;
}

bool TSpellCheckerBase::StartCheck(TControlParser& adapter, int mode) {
    EnsureConfig();
    if (!dictionariesLoaded_ || dictionaryGeneration_ != config_->Generation())
        LoadDictionaries();
    else
        ApplyOptions(); // QuoteChars and the program's own rules may have changed
    adapter_ = &adapter;
    checking_ = true;
    cancelled_ = prompting_ = repeated_ = dialogShown_ = changed_ = false;
    askBeforeNextPart_ = false;
    word_.clear();
    shownWord_.clear();
    wordsChecked_ = 0;
    reviewCountdown_ = kReviewAfterWords;
    undo_.clear();
    parts_.clear();
    ReviewPrimary();
    startCursor_ = adapter.GetCursorPosition();
    const auto [selStart, selEnd] = adapter.GetSelection();
    const bool hasSelection = !(selStart == selEnd);

    selectionStart_ = selStart;
    // The end of the text and the end of a selection are word ends; the cursor where a smart
    // check began is not (the first range started at the word holding it).
    switch (mode) {
    case cmSmart:
        if (hasSelection) {
            parts_.push_back({selStart, selEnd, true});
            askBeforeNextPart_ = true;
        } else {
            parts_.push_back({startCursor_, std::nullopt, true});
            parts_.push_back({TControlParser::Position{}, startCursor_, false});
        }
        break;
    case cmSelection:
        parts_.push_back({selStart, selEnd, true});
        break;
    case cmFromCursor:
        parts_.push_back({startCursor_, std::nullopt, true});
        break;
    case cmWholeText:
        parts_.push_back({TControlParser::Position{}, std::nullopt, true});
        break;
    default:
        parts_.push_back({std::nullopt, std::nullopt, false});
        break;
    }
    if (UIType == suiDialog && DialogShowImmediate) {
        DoShowDialog();
        dialogShown_ = true;
    }
    return NextPart();
}

// Starts the next range of the check. A range that starts inside a word begins at that word's
// start; a range that ends inside a word (the rest of a smart check, up to where the cursor or
// the selection began) leaves that word out, since the first range checked it whole, while a
// word that ends right where the range ends is whole and checked: F7 pressed right after typing
// checks the word typed last. A selection that ends inside or right at the end of a word takes
// the whole word, so that a double-clicked word is checked.
void TSpellCheckerBase::StartPart(const Part& part) {
    TControlParser& text = *adapter_;
    if (!part.from && !part.to) {
        parser_.SetKeepUnterminatedLastWord(part.keepLastWord);
        parser_.Start(text, TMainParsingEngine::smRangeAsSet);
        return;
    }
    text.SetEndPosition(std::nullopt);
    std::optional<TControlParser::Position> end = part.to;
    bool keepLastWord = part.keepLastWord;
    if (end) {
        text.SetPosition(*end);
        bool wordBefore = false;
        if (text.StepBack()) {
            wordBefore = parser_.CanContinue(text.CurrentChar());
            text.Advance();
        }
        const bool cutsAWord = wordBefore && parser_.CanContinue(text.CurrentChar());
        if (cutsAWord && keepLastWord) {
            while (parser_.CanContinue(text.CurrentChar()) && text.Advance()) {
            }
            end = text.GetPosition();
        }
        if (!cutsAWord)
            keepLastWord = true;
    }
    parser_.SetKeepUnterminatedLastWord(keepLastWord);
    text.SetEndPosition(end);
    parser_.Start(text, TMainParsingEngine::smRangeAsSet);
    if (part.from)
        parser_.MoveTo(*part.from);
}

bool TSpellCheckerBase::NextPart() {
    if (parts_.empty())
        return false;
    const Part part = parts_.front();
    parts_.pop_front();
    StartPart(part);
    return true;
}

void TSpellCheckerBase::Drive() {
    const bool wasDriving = driving_;
    driving_ = true;
    Walk();
    while (checking_) {
        if (resumePending_) {
            resumePending_ = false;
            Walk();
            continue;
        }
        if (!DoWaitForAnswer())
            break;
    }
    driving_ = wasDriving;
}

void TSpellCheckerBase::Resume() {
    if (driving_) {
        resumePending_ = true;
        DoWakeUp();
    } else {
        Walk();
    }
}

void TSpellCheckerBase::Walk() {
    walkStarted_ = std::chrono::steady_clock::now();
    std::size_t sinceClock = 0;
    while (checking_ && !prompting_) {
        const std::string& next = parser_.NextWord();
        if (next.empty()) {
            const TControlParser::Position reached = adapter_->GetPosition();
            if (askBeforeNextPart_) {
                askBeforeNextPart_ = false;
                if (UseHourglassCursor && busy_)
                    DoSetBusyCursor(busy_ = false);
                const bool rest =
                    UIType != suiSilent && DoAskYesNo(GetString(lsEndSelectionMessage));
                if (!checking_) // ended while the question was up
                    return;
                if (!rest) {
                    cancelled_ = true;
                    FinishCheck();
                    return;
                }
                // The rest: after the selection (whose end moved with any change in it), then
                // the text before it.
                parts_.push_back({reached, std::nullopt, true});
                parts_.push_back({TControlParser::Position{}, selectionStart_, false});
            }
            if (!NextPart()) {
                FinishCheck();
                return;
            }
            continue;
        }
        word_ = next;
        ++wordsChecked_;
        if (reviewCountdown_ > 0 && --reviewCountdown_ == 0)
            ReviewPrimary();

        std::string replacement;
        TWordCheckResult result = wcAccepted;
        if (IsAcceptableIn(word_, *adapter_)) {
            if (UseAutoCorrectFirst && FindAutoCorrection(word_, replacement) &&
                replacement != word_)
                result = wcCorrected;
            else if (options_.Has(soRepeated) && PreviousWordRepeats())
                result = wcRepeated;
        } else if (FindAutoCorrection(word_, replacement) && replacement != word_) {
            result = wcCorrected;
        } else if (!UseExcludeWords) {
            result = wcDenied;
        } else {
            result =
                IsWordExcluded(word_) || IsWordExcluded(FoldCase(word_)) ? wcExcluded : wcDenied;
        }
        if (OnWordCheck)
            OnWordCheck(word_, result, replacement);

        if (result == wcCorrected) {
            wordStart_ = offset(adapter_->GetPosition(), 0);
            wordStart_.column -= static_cast<int>(word_.size());
            shownWord_ = word_;
            Record(saChange, replacement, true);
            ReplaceWord(wordStart_, word_, replacement);
            continue;
        }
        if (result != wcAccepted) {
            Prompt(result);
            return;
        }
        if (UseHourglassCursor && !busy_ && ++sinceClock >= 256) {
            sinceClock = 0;
            if (std::chrono::steady_clock::now() - walkStarted_ >= kBusyAfter)
                DoSetBusyCursor(busy_ = true);
        }
    }
}

// The word just read repeats the one before it with exactly one space between them. Read from
// the text itself, so that a repetition across the start of a range (where the cursor of a smart
// check stood, where an edit or an Undo resumed the walk) is found too.
bool TSpellCheckerBase::PreviousWordRepeats() {
    TControlParser& text = *adapter_;
    const TControlParser::Position after = text.GetPosition();
    const std::size_t n = word_.size();
    bool same = true;
    for (std::size_t i = 0; same && i <= n; ++i)
        same = text.StepBack();
    same = same && text.CurrentChar() == ' ';
    for (std::size_t i = n; same && i-- > 0;)
        same = text.StepBack() && text.CurrentChar() == static_cast<unsigned char>(word_[i]);
    if (same && text.StepBack())
        same = !parser_.CanContinue(text.CurrentChar());
    text.SetPosition(after);
    return same;
}

void TSpellCheckerBase::Prompt(TWordCheckResult result) {
    if (busy_)
        DoSetBusyCursor(busy_ = false);
    prompting_ = true;
    repeated_ = result == wcRepeated;
    shownWord_ = repeated_ ? word_ + " " + word_ : word_;
    wordStart_ = adapter_->GetPosition();
    wordStart_.column -= static_cast<int>(shownWord_.size());
    adapter_->SelectWord(static_cast<int>(shownWord_.size()));
    if (UIType == suiDialog) {
        dialogShown_ = true;
        DoShowDialog();
    }
    if (OnPromptWord)
        OnPromptWord(shownWord_, repeated_);
}

// --- actions -------------------------------------------------------------------------------

void TSpellCheckerBase::Record(TSpellAction action, const std::string& replacement,
                               bool automatic) {
    if (MaxUndo == 0)
        return;
    TSpellUndo entry{wordStart_, shownWord_, action, replacement, automatic, 0};
    if (OnParserUndoLast)
        OnParserUndoLast(0, action, entry.data);
    undo_.push_back(std::move(entry));
    if (MaxUndo > 0)
        while (undo_.size() > static_cast<std::size_t>(MaxUndo))
            undo_.pop_front();
}

void TSpellCheckerBase::ReplaceWord(const TControlParser::Position& start,
                                    const std::string& before, const std::string& replacement) {
    if (!changed_) {
        changed_ = true;
        if (OnBeforeChange)
            OnBeforeChange();
    }
    TControlParser& text = *adapter_;
    if (OnParserReplaceWord)
        OnParserReplaceWord(before, replacement, 0);
    text.SetPosition(offset(start, before.size()));
    text.SelectWord(static_cast<int>(before.size()));
    text.ReplaceSelection(replacement);
    if (OnParserReplaceWord)
        OnParserReplaceWord(before, replacement, 1);
}

void TSpellCheckerBase::Learn(const std::string& replacement) {
    if (!learning_)
        return;
    learning_->RemovePair(word_);
    learning_->AddPair(word_, replacement);
    learning_->AddWord(replacement);
}

void TSpellCheckerBase::Ignore() {
    if (!checking_ || !prompting_)
        return;
    Record(saIgnore, "");
    if (OnParserIgnoreWord)
        OnParserIgnoreWord(shownWord_, 0);
    if (OnParserIgnoreWord)
        OnParserIgnoreWord(shownWord_, 1);
    prompting_ = false;
    Resume();
}

void TSpellCheckerBase::IgnoreAll() {
    if (!checking_ || !prompting_ || repeated_)
        return;
    Record(saIgnoreAll, "");
    session_.AddWord(word_);
    prompting_ = false;
    Resume();
}

void TSpellCheckerBase::Change(const std::string& replacement) {
    // Nothing in place of a word would delete it; only a doubled word goes that way.
    if (!checking_ || !prompting_ || (!repeated_ && replacement.empty()))
        return;
    Record(saChange, repeated_ ? word_ : replacement);
    if (repeated_) {
        // The pair becomes the single word.
        ReplaceWord(wordStart_, shownWord_, word_);
        prompting_ = false;
        Resume();
        return;
    }
    ReplaceWord(wordStart_, word_, replacement);
    Learn(replacement);
    // A replacement equal to the word would be shown again at once.
    if (RecheckReplacedWords && replacement != word_)
        parser_.MoveTo(wordStart_);
    prompting_ = false;
    Resume();
}

void TSpellCheckerBase::ChangeAll(const std::string& replacement) {
    if (!checking_ || !prompting_ || repeated_ || replacement.empty())
        return;
    Record(saChangeAll, replacement);
    if (replacement != word_)
        session_.AddPair(word_, replacement);
    ReplaceWord(wordStart_, word_, replacement);
    Learn(replacement);
    if (RecheckReplacedWords && replacement != word_)
        parser_.MoveTo(wordStart_);
    prompting_ = false;
    Resume();
}

void TSpellCheckerBase::Add() {
    if (!checking_ || !prompting_ || repeated_)
        return;
    Record(saAdd, "");
    if (active_)
        active_->AddWord(word_);
    prompting_ = false;
    Resume();
}

void TSpellCheckerBase::AutoCorrect(const std::string& replacement) {
    if (!checking_ || !prompting_ || repeated_ || replacement.empty())
        return;
    Record(saAutoCorrect, replacement);
    if (active_ && replacement != word_)
        active_->AddPair(word_, replacement);
    Learn(replacement);
    ReplaceWord(wordStart_, word_, replacement);
    if (RecheckReplacedWords && replacement != word_)
        parser_.MoveTo(wordStart_);
    prompting_ = false;
    Resume();
}

void TSpellCheckerBase::Revert(const TSpellUndo& entry) {
    switch (entry.action) {
    case saIgnoreAll:
        session_.RemoveWord(entry.word);
        break;
    case saChangeAll:
        session_.RemovePair(entry.word);
        break;
    case saAdd:
        if (active_)
            active_->RemoveWord(entry.word);
        break;
    case saAutoCorrect:
        if (active_)
            active_->RemovePair(entry.word);
        session_.RemovePair(entry.word);
        break;
    default:
        break;
    }
    // A change puts the text before it back (for a repeated word, the pair).
    if (entry.action == saChange || entry.action == saChangeAll || entry.action == saAutoCorrect)
        ReplaceWord(entry.position, entry.replacement, entry.word);
}

void TSpellCheckerBase::Undo() {
    if (!checking_ || undo_.empty())
        return;
    TSpellUndo entry;
    for (;;) {
        entry = std::move(undo_.back());
        undo_.pop_back();
        if (OnParserUndoLast)
            OnParserUndoLast(1, entry.action, entry.data);
        Revert(entry);
        if (OnParserUndoLast)
            OnParserUndoLast(2, entry.action, entry.data);
        // Silent corrections go back together with the user's step before them.
        if (!entry.automatic || undo_.empty())
            break;
    }
    // The walk goes on from the reverted word, which is then shown again.
    parser_.MoveTo(entry.position);
    prompting_ = false;
    Resume();
}

void TSpellCheckerBase::Cancel() {
    if (!checking_)
        return;
    EndCheck(true);
}

void TSpellCheckerBase::EndCheck(bool cancel) {
    if (!checking_)
        return;
    if (cancel)
        cancelled_ = true;
    FinishCheck();
}

void TSpellCheckerBase::ResumeAfterEdit() {
    if (!checking_ || !prompting_)
        return;
    undo_.clear();
    const TControlParser::Position cursor = adapter_->GetCursorPosition();
    const TControlParser::Position from =
        ResumeFromLastPosition && before(wordStart_, cursor) ? wordStart_ : cursor;
    parser_.MoveTo(from);
    prompting_ = false;
    Resume();
}

void TSpellCheckerBase::FinishCheck() {
    if (busy_)
        DoSetBusyCursor(busy_ = false);
    prompting_ = false;
    parts_.clear();
    if (OnCompleteCheck)
        OnCompleteCheck();
    bool message = false;
    switch (EndMessage) {
    case emNever:
        break;
    case emAlways:
        message = true;
        break;
    case emExceptCancel:
        message = !cancelled_;
        break;
    case emNoDialog:
        message = dialogShown_;
        break;
    }
    if (message && UIType != suiSilent) {
        std::string text = GetString(lsEndMessage);
        if (EndMessageWordCount)
            text += "\n\n" + GetString(lsWordsChecked) + " " + std::to_string(wordsChecked_);
        if (OnShowEndMessage)
            OnShowEndMessage(text);
        else
            DoShowEndMessage(text);
    }
    TControlParser& text = *adapter_;
    text.SetEndPosition(std::nullopt);
    if (!cancelled_ && EndCursorPosition != epNoModify) {
        text.SetPosition(EndCursorPosition == epHome ? TControlParser::Position{} : startCursor_);
        text.SelectWord(0);
    }
    adapter_ = nullptr;
    if (dialogShown_) {
        int left = 0, top = 0;
        if (DialogInitialPos == ipLastUserPos && DoDialogPosition(left, top))
            Config().SetDialogPosition(left, top);
        DoHideDialog();
    }
    undo_.clear();
    checking_ = false;
    if (!KeepDictionariesActive) {
        Config().Save();
        UnloadDictionaries();
    }
    DoWakeUp();
}

} // namespace kerfa::spelling
