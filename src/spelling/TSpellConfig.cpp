#include "spelling/TSpellConfig.h"

#include "spelling/TSpellCheckerBase.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace kerfa::spelling {

namespace {

// Option keys in bit order.
constexpr std::array<const char*, 15> kOptionKeys = {
    "_soLiveSpelling", "_soLiveCorrect", "_soUpcase",        "_soNumbers",     "_soHTML",
    "_soInternet",     "_soQuoted",      "_soAbbreviations", "_soPrimaryOnly", "_soRepeated",
    "_soDUalCaps",     "_soUser1",       "_soUser2",         "_soUser3",       "_soUser4"};

int toInt(const std::string& text, int fallback) {
    std::size_t from = text.find_first_not_of(' ');
    if (from == std::string::npos)
        return fallback;
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data() + from, end, value);
    return ec == std::errc() && ptr == end ? value : fallback;
}

} // namespace

void TSpellConfig::Changed() {
    modified_ = true;
    ++generation_;
    if (owner_.OnConfigChanged)
        owner_.OnConfigChanged();
}

std::vector<std::string> TSpellConfig::ReadList(const std::string& key) {
    // A damaged count (2147483647) must not walk through indexes the storage cannot hold: each
    // item is a value of its own, so there are no more items than values.
    const int count = toInt(owner_.ConfigRead(key + "_count", "0"), 0);
    const std::size_t items =
        count > 0 ? std::min(static_cast<std::size_t>(count), owner_.ConfigValueCount()) : 0;
    std::vector<std::string> list;
    for (std::size_t i = 0; i < items; ++i) {
        std::string item = owner_.ConfigRead(key + "_" + std::to_string(i), "");
        if (!item.empty())
            list.push_back(std::move(item));
    }
    return list;
}

bool TSpellConfig::WriteList(const std::string& key, const std::vector<std::string>& list) {
    bool ok = owner_.ConfigWrite(key + "_count", std::to_string(list.size()));
    for (std::size_t i = 0; ok && i < list.size(); ++i)
        ok = owner_.ConfigWrite(key + "_" + std::to_string(i), list[i]);
    return ok;
}

void TSpellConfig::LoadDefaults() {
    main_ = owner_.ConfigDefaultMain;
    custom_ = owner_.ConfigDefaultCustom;
    wordLists_.clear();
    if (owner_.ConfigUseWordProcessorCustom && owner_.ConfigDefaultUseWordProcessorCustom)
        wordLists_ = owner_.WordProcessorCustomFiles();
    options_ = owner_.ConfigDefaultOptions;
    dialogX_ = dialogY_ = -1;
    activeCustom_ = owner_.ExpandPath(owner_.ConfigDefaultActiveCustom);
    newPaths_.clear();
    userData_.clear();
}

void TSpellConfig::Load() {
    const bool firstRun = resetOnNextLoad_ || owner_.ConfigRead("_FirstRun", "-") != "+";
    resetOnNextLoad_ = false;
    if (firstRun) {
        LoadDefaults();
    } else {
        main_ = ReadList("_Main");
        custom_ = ReadList("_Custom");
        wordLists_ = ReadList("_WordProcessorCustom");
        newPaths_.clear();
        for (const std::string& path : ReadList("_NewPaths"))
            AddPath(path);
        activeCustom_ = owner_.ConfigRead("_ActiveCustom", "");
        options_ = {};
        for (std::size_t bit = 0; bit < kOptionKeys.size(); ++bit)
            if (owner_.ConfigRead(kOptionKeys[bit], "-") == "+")
                options_.Include(static_cast<TSpellOption>(bit));
        dialogX_ = toInt(owner_.ConfigRead("_DialogX", "-1"), -1);
        dialogY_ = toInt(owner_.ConfigRead("_DialogY", "-1"), -1);
        userData_.clear();
        for (const std::string& name : ReadList("_UserData"))
            userData_[name] = owner_.ConfigRead("User_" + name, "");
    }
    loaded_ = true;
    ++generation_;
    // A first run is written at the next save, so that the file then exists.
    modified_ = firstRun;
    if (owner_.OnConfigLoaded)
        owner_.OnConfigLoaded();
}

void TSpellConfig::Save() {
    if (!loaded_ || !modified_)
        return;
    // A write that fails ends the save: what follows would not reach the file either.
    bool ok = owner_.ConfigWrite("_FirstRun", "+");
    ok = ok && WriteList("_Main", main_);
    ok = ok && WriteList("_Custom", custom_);
    ok = ok && WriteList("_WordProcessorCustom", wordLists_);
    ok = ok && WriteList("_NewPaths", newPaths_);
    ok = ok && owner_.ConfigWrite("_ActiveCustom", activeCustom_);
    for (std::size_t bit = 0; ok && bit < kOptionKeys.size(); ++bit)
        ok = owner_.ConfigWrite(kOptionKeys[bit],
                                options_.Has(static_cast<TSpellOption>(bit)) ? "+" : "-");
    ok = ok && owner_.ConfigWrite("_DialogX", std::to_string(dialogX_));
    ok = ok && owner_.ConfigWrite("_DialogY", std::to_string(dialogY_));
    std::vector<std::string> names;
    for (const auto& [name, value] : userData_)
        names.push_back(name);
    ok = ok && WriteList("_UserData", names);
    for (auto it = userData_.begin(); ok && it != userData_.end(); ++it)
        ok = owner_.ConfigWrite("User_" + it->first, it->second);
    modified_ = false;
    if (owner_.OnConfigSaved)
        owner_.OnConfigSaved();
}

void TSpellConfig::Reload() {
    Save();
    Load();
}

void TSpellConfig::Reset() {
    resetOnNextLoad_ = true;
    Reload();
    if (owner_.OnConfigChanged)
        owner_.OnConfigChanged();
}

void TSpellConfig::SetMainList(std::vector<std::string> list) {
    if (list != main_) {
        main_ = std::move(list);
        Changed();
    }
}

void TSpellConfig::SetCustomList(std::vector<std::string> list) {
    if (list != custom_) {
        custom_ = std::move(list);
        Changed();
    }
}

void TSpellConfig::SetWordProcessorCustomList(std::vector<std::string> list) {
    if (list != wordLists_) {
        wordLists_ = std::move(list);
        Changed();
    }
}

void TSpellConfig::SetActiveCustom(const std::string& name) {
    if (name != activeCustom_) {
        activeCustom_ = name;
        Changed();
    }
}

void TSpellConfig::SetOptions(TSpellOptions options) {
    if (!(options == options_)) {
        options_ = options;
        Changed();
    }
}

void TSpellConfig::SetOption(TSpellOption option, bool on) {
    TSpellOptions options = options_;
    if (on)
        options.Include(option);
    else
        options.Exclude(option);
    SetOptions(options);
}

void TSpellConfig::SetDialogPosition(int x, int y) {
    if (x != dialogX_ || y != dialogY_) {
        dialogX_ = x;
        dialogY_ = y;
        Changed();
    }
}

void TSpellConfig::AddPath(const std::string& folder) {
    const auto at = std::lower_bound(newPaths_.begin(), newPaths_.end(), folder);
    if (folder.empty() || (at != newPaths_.end() && *at == folder))
        return;
    newPaths_.insert(at, folder);
    if (loaded_)
        Changed();
}

std::string TSpellConfig::UserValue(const std::string& name) const {
    const auto it = userData_.find(name);
    return it == userData_.end() ? std::string() : it->second;
}

void TSpellConfig::SetUserValue(const std::string& name, const std::string& value) {
    auto [it, added] = userData_.try_emplace(name, value);
    if (!added && it->second == value)
        return;
    it->second = value;
    Changed();
}

} // namespace kerfa::spelling
