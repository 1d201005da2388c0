// Damaged and truncated main dictionaries are refused cleanly or read without ever leaving the
// file: wrong banners, short files, and node, count and linkage references out of range.

#include "AdmLayout.h"
#include "TestFolder.h"
#include "dictc/DictionaryCompiler.h"
#include "spelling/TMainDictionary.h"

#include <gtest/gtest.h>

#include <functional>

using kerfa::dictc::DictionaryCompiler;
using kerfa::spelling::TMainDictionary;

namespace {

const std::vector<std::string> kWords = {"a",     "I",        "cat",     "cats",    "catalogue",
                                         "dog",   "doggerel", "dogs",    "zebra",   "zebras",
                                         "apple", "apply",    "applies", "applied", "ape"};

std::string compiled(bool wide) {
    DictionaryCompiler compiler;
    for (const auto& w : kWords)
        compiler.AddWord(w);
    if (wide) // enough words to pass 65535 nodes
        for (int i = 0; i < 70000; ++i)
            compiler.AddWord("w" + std::to_string(i * 7919 % 1000003));
    const auto image = compiler.Build("Test", 2057);
    return {image.begin(), image.end()};
}

enum class Outcome { RefusedAtOpen, RefusedAtMap, Refused, ReadsSafely };

struct Damage {
    const char* name;
    std::function<void(std::string&)> apply;
    Outcome outcome;
};

void setAllNodeRefs(std::string& b, std::uint32_t value, std::uint32_t count) {
    const AdmLayout layout(b);
    std::uint32_t total = 0;
    for (const auto c : layout.tableCount)
        total += c;
    for (std::uint32_t i = 0; i < total; ++i) {
        const auto at = layout.NodeAt(i);
        const auto v = AdmLayout::Get32(b, at);
        AdmLayout::Set32(b, at, (v & 0x800000FFu) | value << 8 | count << 28);
    }
}

const std::vector<Damage>& damages() {
    static const std::vector<Damage> list = {
        {"empty file", [](std::string& b) { b.clear(); }, Outcome::RefusedAtOpen},
        {"header block only", [](std::string& b) { b.resize(1024); }, Outcome::RefusedAtOpen},
        {"wrong first banner line", [](std::string& b) { b[6] = 'd'; }, Outcome::RefusedAtOpen},
        {"other publisher lines", [](std::string& b) { b[60] ^= 0x20; }, Outcome::RefusedAtOpen},
        {"banner without its empty line", [](std::string& b) { b[121] = ' '; },
         Outcome::RefusedAtOpen},
        {"title running past the file",
         [](std::string& b) {
             b[1024] = '\xFF';
             b.resize(1100);
         },
         Outcome::RefusedAtOpen},
        {"table counts larger than the file",
         [](std::string& b) {
             AdmLayout::Set32(b, AdmLayout(b).countsAt + 12 + 4 * 3, 0x40000000);
         },
         Outcome::RefusedAtOpen},
        {"cut inside the node tables", [](std::string& b) { b.resize(AdmLayout(b).tablesAt + 10); },
         Outcome::RefusedAtOpen},
        {"cut inside the linkage area",
         [](std::string& b) { b.resize(AdmLayout(b).linkageSizeAt + 6); }, Outcome::RefusedAtOpen},
        {"cut inside the first-letter table", [](std::string& b) { b.resize(b.size() - 2000); },
         Outcome::Refused},
        {"cut by one byte", [](std::string& b) { b.pop_back(); }, Outcome::Refused},
        {"linkage size past the end",
         [](std::string& b) { AdmLayout::Set32(b, AdmLayout(b).linkageSizeAt, 0xFFFFFFF0); },
         Outcome::RefusedAtMap},
        {"child references past the last node",
         [](std::string& b) { setAllNodeRefs(b, 0xFFFFE, 1); }, Outcome::ReadsSafely},
        {"child lists past the linkage area", [](std::string& b) { setAllNodeRefs(b, 0xFFFF0, 5); },
         Outcome::ReadsSafely},
        {"counted child lists past the linkage area",
         [](std::string& b) { setAllNodeRefs(b, 0xFFFF0, 0); }, Outcome::ReadsSafely},
        {"every node its own child", [](std::string& b) { setAllNodeRefs(b, 0, 1); },
         Outcome::ReadsSafely},
        {"linkage references past the last node",
         [](std::string& b) {
             const AdmLayout layout(b);
             std::fill(b.begin() + layout.linkageSizeAt + 4, b.begin() + layout.firstLettersAt,
                       '\x7F');
         },
         Outcome::ReadsSafely},
        {"first-letter references out of range",
         [](std::string& b) {
             const AdmLayout layout(b);
             for (int c = 0; c < 256; ++c) {
                 b[layout.firstLettersAt + 8 * c + 1] = '\xFF';
                 AdmLayout::Set32(b, layout.firstLettersAt + 8 * c + 4, 0xFFFFFFFF);
             }
         },
         Outcome::ReadsSafely},
        {"node count switching the reference width",
         [](std::string& b) {
             const AdmLayout layout(b);
             const auto at = layout.countsAt + 8;
             AdmLayout::Set32(b, at, AdmLayout::Get32(b, at) < 65535 ? 70000 : 100);
         },
         Outcome::ReadsSafely},
    };
    return list;
}

} // namespace

TEST(SpellingMainDictionaryDamage, RefusedCleanlyOrReadWithinTheFile) {
    TestFolder folder;
    const auto path = folder.File("damaged.adm");
    for (const bool wide : {false, true}) {
        const std::string good = compiled(wide);
        for (const auto& damage : damages()) {
            SCOPED_TRACE(std::string(damage.name) + (wide ? " (wide references)" : ""));
            std::string bytes = good;
            damage.apply(bytes);
            TestFolder::Write(path, bytes);
            TMainDictionary dictionary;
            const bool opened = dictionary.Open(path);
            if (damage.outcome == Outcome::RefusedAtOpen) {
                EXPECT_FALSE(opened);
            } else if (damage.outcome != Outcome::Refused) {
                EXPECT_TRUE(opened);
            }
            EXPECT_EQ(dictionary.IsOpen(), opened);
            if (!opened) {
                EXPECT_FALSE(dictionary.Contains("cat").found);
                continue;
            }
            EXPECT_EQ(dictionary.SetLoaded(true), damage.outcome == Outcome::ReadsSafely);
            for (const auto& word : kWords)
                dictionary.Contains(word + word + word);
            std::size_t visits = 0;
            dictionary.EnumeratePrefix("", [&](std::string_view) {
                ++visits;
                return TMainDictionary::Visit::Descend;
            });
            dictionary.EnumeratePrefix(
                "ca", [](std::string_view) { return TMainDictionary::Visit::Descend; });
            EXPECT_LE(visits, 300000u);
        }
    }
}

TEST(SpellingMainDictionaryDamage, MissingFileStaysUnopened) {
    TestFolder folder;
    TMainDictionary dictionary;
    EXPECT_FALSE(dictionary.Open(folder.File("none.adm")));
    EXPECT_FALSE(dictionary.SetLoaded(true));
    EXPECT_FALSE(dictionary.Contains("a").found);
    EXPECT_EQ(dictionary.FileName(), "");
}
