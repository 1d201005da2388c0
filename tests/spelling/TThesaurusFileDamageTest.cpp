// Damaged and truncated thesaurus files are refused when they are loaded, or read without ever
// leaving the file or walking for ever: sections cut short, counts too large, and link
// offsets, node numbers, entry numbers and list offsets out of range, in both layouts.

#include "AdtLayout.h"
#include "TestFolder.h"
#include "ThesaurusSource.h"
#include "spelling/TThesaurusFile.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kerfa::spelling;

namespace {

enum class Outcome { Refused, ReadsSafely };

struct Damage {
    const char* name;
    std::function<void(std::string&)> apply;
    Outcome outcome;
};

void forEachNode(const std::string& b, const std::function<void(std::uint32_t)>& visit) {
    const AdtLayout layout(b);
    for (std::uint32_t n = 0; n < layout.nodeCount; ++n)
        visit(n);
}

// Every meaning reference, parent reference and child number in the link area set to `value`.
void fillLinks(std::string& b, char value) {
    const AdtLayout layout(b);
    std::fill(b.begin() + static_cast<long>(layout.linksAt),
              b.begin() + static_cast<long>(layout.linksAt + layout.linkSize), value);
}

const std::vector<Damage>& damages() {
    const auto width = [](const std::string& b) {
        return AdtLayout(b).layout.numberSize;
    };
    static const std::vector<Damage> list = {
        {"empty file", [](std::string& b) { b.clear(); }, Outcome::Refused},
        {"header only", [](std::string& b) { b.resize(kThesaurusHeaderSize); }, Outcome::Refused},
        {"name running past the end", [](std::string& b) { b.resize(kThesaurusHeaderSize + 3); },
         Outcome::Refused},
        {"cut inside the kind names",
         [](std::string& b) { b.resize(AdtLayout(b).nodeCountAt - 2); }, Outcome::Refused},
        {"no nodes at all", [](std::string& b) { AdtLayout::Set(b, AdtLayout(b).nodeCountAt, 0); },
         Outcome::Refused},
        {"node count larger than the file",
         [](std::string& b) { AdtLayout::Set(b, AdtLayout(b).nodeCountAt, 0x7FFFFFFF); },
         Outcome::Refused},
        {"cut inside the nodes", [](std::string& b) { b.resize(AdtLayout(b).nodesAt + 5); },
         Outcome::Refused},
        {"link area larger than the file",
         [](std::string& b) { AdtLayout::Set(b, AdtLayout(b).linkSizeAt, 0xFFFFFFF0); },
         Outcome::Refused},
        {"entry count larger than the file",
         [](std::string& b) {
             const AdtLayout layout(b);
             AdtLayout::Set(b, layout.entryCountAt, 0xFFFF, layout.layout.entryCountSize);
         },
         Outcome::Refused},
        {"list area larger than the file",
         [](std::string& b) { AdtLayout::Set(b, AdtLayout(b).listSizeAt, 0xFFFFFFFF); },
         Outcome::Refused},
        {"cut by one byte", [](std::string& b) { b.pop_back(); }, Outcome::Refused},

        {"link offsets past the link area",
         [](std::string& b) {
             const AdtLayout layout(b);
             forEachNode(b, [&](std::uint32_t n) { layout.SetLink(b, n, layout.linkSize - 1); });
         },
         Outcome::ReadsSafely},
        {"every node pointing at the root's record, with a parent",
         [](std::string& b) {
             const AdtLayout layout(b);
             forEachNode(b, [&](std::uint32_t n) {
                 layout.SetLink(b, n, 0);
                 layout.SetFlags(b, n, kNodeHasParent | kNodeWordEnd | kNodeChainStart);
             });
         },
         Outcome::ReadsSafely},
        {"every node a packed chain with one child",
         [](std::string& b) {
             const AdtLayout layout(b);
             forEachNode(b, [&](std::uint32_t n) {
                 layout.SetFlags(b, n, layout.FlagsOf(b, n) | kNodeChainStart | kNodeOneChild);
             });
         },
         Outcome::ReadsSafely},
        {"link area of zero numbers (every node its root's child and parent)",
         [](std::string& b) { fillLinks(b, '\0'); }, Outcome::ReadsSafely},
        {"link area of large counts and numbers", [](std::string& b) { fillLinks(b, '\xFF'); },
         Outcome::ReadsSafely},
        {"link area of small counts and numbers", [](std::string& b) { fillLinks(b, '\x01'); },
         Outcome::ReadsSafely},
        {"entry head words and list offsets out of range",
         [](std::string& b) {
             const AdtLayout layout(b);
             for (std::uint32_t e = 0; e < layout.entryCount; ++e) {
                 const std::size_t at = layout.entriesAt + e * layout.layout.entrySize;
                 AdtLayout::Set(b, at, e % 2 ? 0xFFFFFFFF : layout.nodeCount,
                                layout.layout.numberSize);
                 AdtLayout::Set(b, at + layout.layout.numberSize + 8, 0xFFFFFFF0 + e % 16);
             }
         },
         Outcome::ReadsSafely},
        {"list lengths past the list area",
         [](std::string& b) {
             const AdtLayout layout(b);
             for (std::uint32_t e = 0; e < layout.entryCount; ++e)
                 for (int i = 0; i < 4; ++i)
                     AdtLayout::Set(b,
                                    layout.entriesAt + e * layout.layout.entrySize +
                                        layout.layout.numberSize + 2 * i,
                                    0xFFFF, 2);
         },
         Outcome::ReadsSafely},
        {"list words out of range or the root",
         [width](std::string& b) {
             const AdtLayout layout(b);
             for (std::size_t at = layout.listsAt;
                  at + width(b) <= layout.listsAt + layout.listSize; at += width(b))
                 AdtLayout::Set(b, at, at % 3 ? 0xFFFFFFFF : 0, width(b));
         },
         Outcome::ReadsSafely},
        {"entry count one short",
         [](std::string& b) {
             // Shortening M moves the list area; read that way the file must still load or be
             // refused cleanly, and every reference to the lost entry is ignored.
             const AdtLayout layout(b);
             AdtLayout::Set(b, layout.entryCountAt, layout.entryCount - 1,
                            layout.layout.entryCountSize);
         },
         Outcome::ReadsSafely},
    };
    return list;
}

class ThesaurusDamage : public testing::TestWithParam<bool> {};

} // namespace

TEST_P(ThesaurusDamage, RefusedCleanlyOrReadWithinTheFile) {
    TestFolder folder;
    const std::string intact = compileSource(kSmallSource, GetParam());
    const std::vector<std::string> words = {
        "happy", "HAPPY", "Happy",   "bush", "Bush",     "cat",    "catalogue", "catalog",
        "glad",  "sad",   "quickly", "ox",   "na\xEFve", "xyzzy2", "a",         "c"};
    for (const Damage& damage : damages()) {
        std::string bytes = intact;
        damage.apply(bytes);
        const std::string path = folder.File("damaged.adt");
        TestFolder::Write(path, bytes);
        TThesaurusFile file;
        file.SetFileName(path);
        const bool loaded = file.SetLoaded(true);
        if (damage.outcome == Outcome::Refused) {
            EXPECT_FALSE(loaded) << damage.name;
            EXPECT_FALSE(file.IsLoaded()) << damage.name;
        }
        std::vector<TThesaurusEntry> meanings;
        for (const auto& word : words) {
            file.Lookup(word, meanings);
            for (const auto& meaning : meanings) {
                EXPECT_LE(meaning.headWord.size(), TThesaurusFile::kMaxWordLength) << damage.name;
                EXPECT_LT(meaning.kind, 5) << damage.name;
                for (const auto& list : meaning.lists)
                    for (const auto& w : list)
                        EXPECT_LE(w.size(), TThesaurusFile::kMaxWordLength) << damage.name;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, ThesaurusDamage, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Wide" : "Narrow"; });

// A parent reference that leads back to the node itself would make reading the word back
// loop; the entry naming that word loses it, the rest of the meaning stays.
TEST(ThesaurusDamage, ParentCycleLosesOnlyThatWord) {
    kerfa::thesc::ThesaurusCompiler compiler;
    compiler.AddMeaning("ox", 1, "ox", {{{"ox", "yak", "yaks", "bison"}, {}, {}, {}}});
    const auto image = compiler.Build("T", kerfa::thesc::MythesThesaurus::kKindNames, false);
    std::string bytes(image.begin(), image.end());
    const AdtLayout layout(bytes);
    // The k of "yak" (which "yaks" continues): its record is its one child, then its parent,
    // which is pointed at itself.
    int changed = 0;
    for (std::uint32_t n = 0; n < layout.nodeCount; ++n) {
        if (layout.CharOf(bytes, n) == 'k') {
            ASSERT_EQ(layout.FlagsOf(bytes, n) & (kNodeOneChild | kNodeHasParent),
                      kNodeOneChild | kNodeHasParent);
            AdtLayout::Set(bytes, layout.linksAt + layout.LinkOf(bytes, n) + 2, n, 2);
            ++changed;
        }
    }
    ASSERT_EQ(changed, 1);
    TestFolder folder;
    TestFolder::Write(folder.File("t.adt"), bytes);
    TThesaurusFile file;
    file.SetFileName(folder.File("t.adt"));
    ASSERT_TRUE(file.SetLoaded(true));
    std::vector<TThesaurusEntry> meanings;
    ASSERT_TRUE(file.Lookup("ox", meanings));
    EXPECT_EQ(meanings[0].lists[0], (std::vector<std::string>{"ox", "bison"}));
}
