// The folders of src/ depend one way: each includes only folders to its right in the order
// below, and the standard-C++ spelling library only common's standard-C++ helpers. Read from the
// include lines themselves, so that the layering cannot rot unnoticed.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The standard-C++ spelling library sits just above common: its Qt side (spellui) builds on it.
const std::vector<std::string> kOrder = {"app",      "compile",  "editor",   "spellui",
                                         "printing", "desk",     "project",  "themes",
                                         "language", "platform", "spelling", "common"};

struct FolderRule {
    std::string folder;
    // Headers of other folders it may include besides those to its right ("" for none).
    std::set<std::string> alsoAllowed;
    bool onlyItself = false;
};

std::ostream& operator<<(std::ostream& out, const FolderRule& rule) {
    return out << rule.folder;
}

// Every quoted include naming a folder of src/, as "file: folder/header".
std::vector<std::pair<std::string, std::string>> includesOf(const std::string& folder) {
    static const std::regex line(R"(^\s*#\s*include\s*"([a-z]+)/([^"]+)\")");
    std::vector<std::pair<std::string, std::string>> found;
    const fs::path root = fs::path(KERFA_SOURCE_DIR) / "src" / folder;
    if (!fs::exists(root))
        return found;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp"))
            continue;
        std::ifstream in(entry.path());
        std::smatch match;
        for (std::string text; std::getline(in, text);)
            if (std::regex_search(text, match, line))
                found.emplace_back(fs::relative(entry.path(), root).string(),
                                   match[1].str() + "/" + match[2].str());
    }
    return found;
}

class FolderLayering : public testing::TestWithParam<FolderRule> {};

TEST_P(FolderLayering, IncludesOnlyFoldersToItsRight) {
    const FolderRule& rule = GetParam();
    const auto at = std::find(kOrder.begin(), kOrder.end(), rule.folder);
    for (const auto& [file, header] : includesOf(rule.folder)) {
        const std::string target = header.substr(0, header.find('/'));
        if (target == rule.folder || rule.alsoAllowed.count(header))
            continue;
        const auto targetAt = std::find(kOrder.begin(), kOrder.end(), target);
        const bool right =
            !rule.onlyItself && at != kOrder.end() && targetAt != kOrder.end() && targetAt > at;
        EXPECT_TRUE(right) << rule.folder << "/" << file << " includes " << header;
    }
}

std::vector<FolderRule> rules() {
    std::vector<FolderRule> all;
    for (const std::string& folder : kOrder)
        if (folder != "spelling")
            all.push_back({folder, {}, false});
    // The standard-C++ helpers of common (the kerfa_text library): code page, reader, writer,
    // copies of damaged files.
    all.push_back({"spelling",
                   {"common/Cp1252.h", "common/WholeFile.h", "common/AtomicFile.h",
                    "common/FolderSync.h", "common/DamagedCopies.h"},
                   true});
    return all;
}

INSTANTIATE_TEST_SUITE_P(Folders, FolderLayering, testing::ValuesIn(rules()),
                         [](const testing::TestParamInfo<FolderRule>& info) {
                             return info.param.folder;
                         });

// A folder that is in no rule would escape the test.
TEST(FolderLayering, EveryFolderOfSrcHasARule) {
    for (const auto& entry : fs::directory_iterator(fs::path(KERFA_SOURCE_DIR) / "src")) {
        if (!entry.is_directory())
            continue;
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(std::find(kOrder.begin(), kOrder.end(), name) != kOrder.end()) << name;
    }
}

} // namespace
