#pragma once
// TSpellConfig: the per-user settings of a spelling checker: which main and custom
// dictionaries are on, the active custom dictionary, the options, where the spelling dialog
// stood last, and the dictionary folders the user added. The checker's storage answers the
// reads and writes (one section per user, keys as below); a missing "_FirstRun" key means a
// first run, which takes the checker's defaults.

#include "spelling/TSpellOptions.h"

#include <map>
#include <string>
#include <vector>

namespace kerfa::spelling {

class TSpellCheckerBase;

class TSpellConfig {
public:
    explicit TSpellConfig(TSpellCheckerBase& owner) : owner_(owner) {}

    // Reads the whole configuration, then calls OnConfigLoaded; afterwards it is unmodified.
    void Load();
    // Writes the whole configuration when it is loaded and modified; then calls OnConfigSaved.
    void Save();
    void Reload();
    // Reset Defaults: the next load ignores what is stored.
    void Reset();

    bool IsLoaded() const { return loaded_; }
    // Counts the loads and changes, so that the checker knows when to load its dictionaries
    // again.
    unsigned Generation() const { return generation_; }
    bool IsModified() const { return modified_; }

    const std::vector<std::string>& MainList() const { return main_; }
    const std::vector<std::string>& CustomList() const { return custom_; }
    const std::vector<std::string>& WordProcessorCustomList() const { return wordLists_; }
    const std::vector<std::string>& NewPaths() const { return newPaths_; }
    const std::string& ActiveCustom() const { return activeCustom_; }
    TSpellOptions Options() const { return options_; }
    int DialogX() const { return dialogX_; }
    int DialogY() const { return dialogY_; }

    void SetMainList(std::vector<std::string> list);
    void SetCustomList(std::vector<std::string> list);
    void SetWordProcessorCustomList(std::vector<std::string> list);
    void SetActiveCustom(const std::string& name);
    void SetOptions(TSpellOptions options);
    void SetOption(TSpellOption option, bool on);
    void SetDialogPosition(int x, int y);
    // Folders are kept sorted; a folder already listed is ignored.
    void AddPath(const std::string& folder);

    // Settings of the program's own, stored as "User_" + name.
    std::string UserValue(const std::string& name) const;
    void SetUserValue(const std::string& name, const std::string& value);

private:
    void Changed();
    std::vector<std::string> ReadList(const std::string& key);
    bool WriteList(const std::string& key, const std::vector<std::string>& list);
    void LoadDefaults();

    TSpellCheckerBase& owner_;
    bool loaded_ = false;
    bool modified_ = false;
    bool resetOnNextLoad_ = false;
    unsigned generation_ = 0;
    std::vector<std::string> main_, custom_, wordLists_, newPaths_;
    std::string activeCustom_;
    TSpellOptions options_;
    int dialogX_ = -1, dialogY_ = -1;
    std::map<std::string, std::string> userData_;
};

} // namespace kerfa::spelling
