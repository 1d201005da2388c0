#include "spelling/PersonalWordList.h"

#include "common/WholeFile.h"
#include "spelling/SplitWordList.h"
#include "spelling/TCustomDictionary.h"

#include <algorithm>
#include <filesystem>

namespace kerfa::spelling {

namespace {

namespace fs = std::filesystem;

// A personal list is small; anything far larger is not one and is not read whole.
constexpr std::uint64_t kMaxListBytes = 16u << 20;

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

void addMatching(const fs::path& folder, std::vector<std::string>& files,
                 bool (*matches)(std::string_view name)) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (matches(name) && it->is_regular_file(error))
            files.push_back(it->path().string());
    }
}

} // namespace

std::vector<std::string> PersonalWordList::FindFiles(const std::string& home,
                                                     const std::string& configHome) {
    std::vector<std::string> files;
    if (!home.empty())
        addMatching(home, files, [](std::string_view name) {
            return startsWith(name, ".hunspell_") || startsWith(name, ".ispell_") ||
                   (startsWith(name, ".aspell.") && endsWith(name, ".pws"));
        });
    if (!configHome.empty())
        addMatching(fs::path(configHome) / "enchant", files, [](std::string_view name) {
            return name.size() > 4 && endsWith(name, ".dic");
        });
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> PersonalWordList::Words(std::string_view content) {
    std::string plain;
    plain.reserve(content.size());
    bool first = true;
    while (!content.empty()) {
        const auto eol = content.find_first_of("\r\n"); // CR LF, LF or a lone CR
        std::string_view line = content.substr(0, eol);
        content = eol == std::string_view::npos ? std::string_view{} : content.substr(eol + 1);
        const bool header = first && startsWith(line, "personal_ws-");
        first = false;
        if (header || startsWith(line, "*"))
            continue;
        plain.append(line.substr(0, line.find('/')));
        plain += '\n';
    }
    std::size_t unrepresentable = 0;
    return SplitWordList(plain, unrepresentable);
}

bool PersonalWordList::Load(const std::string& path, TCustomDictionary& into) {
    std::string content;
    WholeFile::Limits limits;
    limits.maxBytes = kMaxListBytes;
    if (WholeFile::read(path, content, limits) != WholeFile::Status::Ok)
        return false;
    for (const std::string& word : Words(content))
        into.AddWord(word);
    return true;
}

} // namespace kerfa::spelling
