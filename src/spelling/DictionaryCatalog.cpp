#include "spelling/DictionaryCatalog.h"

#include "spelling/TCustomDictionary.h"
#include "spelling/TMainDictionary.h"
#include "spelling/TSpellCheckerBase.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace kerfa::spelling {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCustomExtension = ".adu";
// Room for the extension and a temporary file's suffix within a file system's 255 bytes.
constexpr std::size_t kMaxNameBytes = 200;

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size())
        return false;
    const std::string_view end = text.substr(text.size() - suffix.size());
    return std::equal(end.begin(), end.end(), suffix.begin(),
                      [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    const auto key = [](const std::string& s) {
        std::string k(s);
        std::transform(k.begin(), k.end(), k.begin(), lowerAscii);
        return k;
    };
    const std::string ka = key(a), kb = key(b);
    return ka != kb ? ka < kb : a < b;
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

} // namespace

std::vector<DictionaryCatalog::File>
DictionaryCatalog::FindFiles(const std::vector<std::string>& folders, std::string_view extension) {
    std::vector<File> files;
    std::set<std::string> seen;
    for (const std::string& folder : folders) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            std::string name = it->path().filename().string();
            std::error_code typeError;
            if (name.size() <= extension.size() || !endsWithIgnoringCase(name, extension) ||
                !it->is_regular_file(typeError) || !seen.insert(name).second)
                continue;
            files.push_back({std::move(name), it->path().string()});
        }
    }
    std::sort(files.begin(), files.end(),
              [](const File& a, const File& b) { return lessIgnoringCase(a.name, b.name); });
    return files;
}

std::string DictionaryCatalog::CustomFileName(std::string_view typed) {
    if (const auto slash = typed.find_last_of("/\\"); slash != std::string_view::npos)
        typed.remove_prefix(slash + 1);
    std::string name;
    for (const char c : typed) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u != 0x7F && std::string_view("<>:\"|?*").find(c) == std::string::npos)
            name += c;
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.pop_back();
    if (endsWithIgnoringCase(name, kCustomExtension))
        name.resize(name.size() - kCustomExtension.size());
    const auto first = name.find_first_not_of(" \t.");
    name.erase(0, first == std::string::npos ? name.size() : first);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t' || name.back() == '.'))
        name.pop_back();
    if (name.size() > kMaxNameBytes) {
        std::size_t cut = kMaxNameBytes;
        // Not inside a character of several bytes.
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.resize(cut);
    }
    return name.empty() ? std::string() : name + std::string(kCustomExtension);
}

// --- main dictionaries ------------------------------------------------------------------------

std::vector<DictionaryCatalog::MainDictionary> DictionaryCatalog::MainDictionaries() {
    const std::vector<std::string>& configured = checker_.Config().MainList();
    std::vector<bool> matched(configured.size(), false);
    std::vector<MainDictionary> list;
    for (const File& file : FindFiles(checker_.DictionaryFolders(), ".adm")) {
        MainDictionary entry{file.name, file.path, {}, false, false};
        TMainDictionary dictionary;
        entry.readable = dictionary.Open(file.path);
        entry.title = dictionary.Title();
        for (std::size_t i = 0; i < configured.size(); ++i) {
            const std::string expanded = checker_.ExpandPath(configured[i]);
            if (expanded == file.name || expanded == file.path)
                entry.checked = matched[i] = true;
        }
        list.push_back(std::move(entry));
    }
    for (std::size_t i = 0; i < configured.size(); ++i)
        if (!matched[i])
            list.push_back({configured[i], {}, {}, false, true});
    return list;
}

void DictionaryCatalog::SetMainChecked(const std::string& name, bool checked) {
    std::vector<std::string> list = checker_.Config().MainList();
    const std::string expanded = checker_.ExpandPath(name);
    const auto same = [&](const std::string& entry) {
        return checker_.ExpandPath(entry) == expanded;
    };
    if (checked) {
        if (std::none_of(list.begin(), list.end(), same))
            list.push_back(name);
    } else {
        list.erase(std::remove_if(list.begin(), list.end(), same), list.end());
    }
    checker_.Config().SetMainList(std::move(list));
}

void DictionaryCatalog::AddFolder(const std::string& folder) {
    checker_.Config().AddPath(folder);
}

// --- custom dictionaries ----------------------------------------------------------------------

bool DictionaryCatalog::SameCustom(const std::string& a, const std::string& b) {
    return a == b || checker_.ResolveCustom(a) == checker_.ResolveCustom(b);
}

std::vector<DictionaryCatalog::CustomDictionary> DictionaryCatalog::CustomDictionaries() {
    TSpellConfig& config = checker_.Config();
    const std::string active = config.ActiveCustom();
    const std::string activePath = active.empty() ? std::string() : checker_.ResolveCustom(active);
    std::vector<std::string> inList;
    for (const std::string& entry : config.CustomList())
        inList.push_back(checker_.ResolveCustom(entry));

    std::vector<CustomDictionary> list;
    const auto add = [&](const std::string& name, const std::string& path) {
        std::error_code error;
        const bool isActive = !active.empty() && path == activePath;
        list.push_back(
            {name, path, fs::exists(path, error), isActive || contains(inList, path), isActive});
    };
    const std::vector<File> found = FindFiles(checker_.DictionaryFolders(), kCustomExtension);
    const auto isFound = [&](const std::string& path) {
        return std::any_of(found.begin(), found.end(),
                           [&](const File& f) { return f.path == path; });
    };
    if (!active.empty() && !isFound(activePath))
        add(active, activePath);
    for (const File& file : found)
        add(file.name, file.path);
    const std::vector<std::string>& configured = config.CustomList();
    for (std::size_t i = 0; i < configured.size(); ++i) {
        const std::string& path = inList[i];
        const bool listed = std::any_of(list.begin(), list.end(),
                                        [&](const CustomDictionary& d) { return d.path == path; });
        if (!listed)
            add(configured[i], path);
    }
    return list;
}

void DictionaryCatalog::SetCustomChecked(const std::string& name, bool checked) {
    TSpellConfig& config = checker_.Config();
    std::vector<std::string> list = config.CustomList();
    std::string active = config.ActiveCustom();
    const auto same = [&](const std::string& entry) {
        return SameCustom(entry, name);
    };
    if (checked) {
        if (std::none_of(list.begin(), list.end(), same) && !(!active.empty() && same(active)))
            list.push_back(name);
        if (active.empty())
            active = name;
    } else {
        list.erase(std::remove_if(list.begin(), list.end(), same), list.end());
        if (!active.empty() && same(active))
            active = list.empty() ? std::string() : list.front();
    }
    config.SetCustomList(std::move(list));
    config.SetActiveCustom(active);
}

std::vector<std::string> DictionaryCatalog::InUse() {
    TSpellConfig& config = checker_.Config();
    std::vector<std::string> names;
    const std::string& active = config.ActiveCustom();
    if (!active.empty())
        names.push_back(active);
    for (const std::string& entry : config.CustomList())
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::string& n) { return SameCustom(n, entry); }))
            names.push_back(entry);
    return names;
}

void DictionaryCatalog::SetActive(const std::string& name) {
    TSpellConfig& config = checker_.Config();
    const std::string old = config.ActiveCustom();
    if (old.empty() ? name.empty() : SameCustom(old, name))
        return;
    std::vector<std::string> list = config.CustomList();
    const auto same = [&](const std::string& entry) {
        return SameCustom(entry, old);
    };
    if (!old.empty() && std::none_of(list.begin(), list.end(), same))
        list.push_back(old);
    config.SetCustomList(std::move(list));
    config.SetActiveCustom(name);
}

// --- word lists -------------------------------------------------------------------------------

std::vector<DictionaryCatalog::WordList> DictionaryCatalog::WordLists() {
    const std::vector<std::string>& configured = checker_.Config().WordProcessorCustomList();
    std::vector<WordList> list;
    if (checker_.ConfigUseWordProcessorCustom)
        for (const std::string& path : checker_.WordProcessorCustomFiles())
            list.push_back({path, contains(configured, path)});
    for (const std::string& path : configured)
        if (std::none_of(list.begin(), list.end(),
                         [&](const WordList& w) { return w.path == path; }))
            list.push_back({path, true});
    return list;
}

void DictionaryCatalog::SetWordListChecked(const std::string& path, bool checked) {
    std::vector<std::string> list = checker_.Config().WordProcessorCustomList();
    if (checked && !contains(list, path))
        list.push_back(path);
    else if (!checked)
        list.erase(std::remove(list.begin(), list.end(), path), list.end());
    checker_.Config().SetWordProcessorCustomList(std::move(list));
}

// --- files ------------------------------------------------------------------------------------

std::string DictionaryCatalog::Create(std::string_view typed) {
    const std::string name = CustomFileName(typed);
    if (name.empty())
        return {};
    const std::string path = checker_.ResolveCustom(name);
    std::error_code error;
    TCustomDictionary dictionary;
    if (!dictionary.Open(path))
        return {};
    // A new dictionary is written at once, as a dictionary without entries: an empty file
    // would not open as one.
    if (!fs::exists(path, error)) {
        dictionary.SetLoaded(true);
        if (!dictionary.Save())
            return {};
    }
    SetCustomChecked(name, true);
    return name;
}

bool DictionaryCatalog::Delete(const std::string& name) {
    const std::string path = checker_.ResolveCustom(name);
    checker_.UnloadDictionaries();
    SetCustomChecked(name, false);
    std::error_code error;
    fs::remove(path, error);
    return !error;
}

std::string DictionaryCatalog::Rename(const std::string& name, std::string_view typed) {
    const std::string newName = CustomFileName(typed);
    const std::string oldPath = checker_.ResolveCustom(name);
    std::error_code error;
    if (newName.empty() || !fs::exists(oldPath, error))
        return {};
    const std::string newPath = (fs::path(oldPath).parent_path() / newName).string();
    if (newPath == oldPath || fs::exists(newPath, error) ||
        fs::exists(checker_.ResolveCustom(newName), error))
        return {};

    TSpellConfig& config = checker_.Config();
    std::vector<std::string> list = config.CustomList();
    std::vector<bool> renamed;
    for (const std::string& entry : list)
        renamed.push_back(checker_.ResolveCustom(entry) == oldPath);
    const bool activeRenamed =
        !config.ActiveCustom().empty() && checker_.ResolveCustom(config.ActiveCustom()) == oldPath;

    // The checker's copy saves its unsaved words into the file before it moves.
    checker_.UnloadDictionaries();
    fs::rename(oldPath, newPath, error);
    if (error)
        return {};
    // A name kept with its folder keeps the folder.
    const auto follow = [&](const std::string& entry) {
        return entry.find('/') == std::string::npos && entry.find('\\') == std::string::npos
                   ? newName
                   : newPath;
    };
    for (std::size_t i = 0; i < list.size(); ++i)
        if (renamed[i])
            list[i] = follow(list[i]);
    const std::string active =
        activeRenamed ? follow(config.ActiveCustom()) : config.ActiveCustom();
    config.SetCustomList(std::move(list));
    config.SetActiveCustom(active);
    return newName;
}

std::unique_ptr<TCustomDictionary> DictionaryCatalog::Open(const std::string& name) {
    checker_.UnloadDictionaries();
    auto dictionary = std::make_unique<TCustomDictionary>();
    if (!dictionary->Open(checker_.ResolveCustom(name)))
        return nullptr;
    dictionary->SetLoaded(true);
    return dictionary;
}

} // namespace kerfa::spelling
