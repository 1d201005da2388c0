#pragma once
// DictionaryCatalog: the dictionaries a spelling checker could use and those it does, as the
// options and dictionary dialogs show and change them: the main dictionaries ("*.adm") and the
// custom dictionaries ("*.adu") found in the checker's dictionary folders, the personal word
// lists of other spelling checkers, and the writer's custom dictionaries made, renamed and
// deleted.
//
// A custom dictionary is in use when it is the active one (which takes Add and Auto-Correct)
// or in the configured custom list. Whatever touches a custom dictionary's file first has the
// checker save and let go of its own copies: an open copy would otherwise write its old words
// back over the change when it is let go.
//
// Names are as the configuration keeps them (a file name, or a path as it stands); file names
// and paths are UTF-8.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kerfa::spelling {

class TCustomDictionary;
class TSpellCheckerBase;

class DictionaryCatalog {
public:
    struct File {
        std::string name;
        std::string path;
    };
    struct MainDictionary {
        std::string name;
        std::string path;  // empty for a configured name not found in any folder
        std::string title; // from the dictionary's header
        bool readable = false;
        bool checked = false;
    };
    struct CustomDictionary {
        std::string name;
        std::string path;
        bool exists = false;
        bool checked = false; // in use
        bool active = false;
    };
    struct WordList {
        std::string path;
        bool checked = false;
    };

    explicit DictionaryCatalog(TSpellCheckerBase& checker) : checker_(checker) {}

    // The files whose names end in `extension` (in any letter case) in the folders, by name; a
    // name present in several folders is listed once, from the first of them.
    static std::vector<File> FindFiles(const std::vector<std::string>& folders,
                                       std::string_view extension);
    // The file name a custom dictionary gets for a name the writer typed: no folder, no
    // characters that file systems refuse, no leading dots, ".adu" at the end. Empty when
    // nothing is left.
    static std::string CustomFileName(std::string_view typed);

    // The main dictionaries found, then configured ones found nowhere.
    std::vector<MainDictionary> MainDictionaries();
    void SetMainChecked(const std::string& name, bool checked);
    // A folder to search for dictionaries besides the checker's own.
    void AddFolder(const std::string& folder);

    // The active dictionary first when it is not among the files found, then the files found,
    // then configured ones found nowhere.
    std::vector<CustomDictionary> CustomDictionaries();
    // Putting a dictionary out of use when it is the active one makes the first one left in
    // the custom list active (or none); putting one in use when none is active makes it active.
    void SetCustomChecked(const std::string& name, bool checked);
    // The custom dictionaries in use, the active one first: the choices for the active one.
    std::vector<std::string> InUse();
    // The one that was active stays in use.
    void SetActive(const std::string& name);

    // The personal word lists found, then configured ones no longer there.
    std::vector<WordList> WordLists();
    void SetWordListChecked(const std::string& path, bool checked);

    // Makes an empty custom dictionary of the typed name in the first dictionary folder and
    // puts it in use (a dictionary of that name already present is put in use as it is).
    // Answers its name, or empty when it could not be made.
    std::string Create(std::string_view typed);
    // Puts the dictionary out of use and deletes its file.
    bool Delete(const std::string& name);
    // Renames the dictionary's file in its folder, and the configuration follows. Answers the
    // new name, or empty when refused: nothing left of the name, the same name, a dictionary
    // of that name present, or a file that cannot be renamed.
    std::string Rename(const std::string& name, std::string_view typed);
    // The dictionary, loaded, for the edit dialog; it is written when it is let go. Null when
    // the file is not a custom dictionary.
    std::unique_ptr<TCustomDictionary> Open(const std::string& name);

private:
    bool SameCustom(const std::string& a, const std::string& b);

    TSpellCheckerBase& checker_;
};

} // namespace kerfa::spelling
