// Custom-dictionary loader on arbitrary bytes, then two instances on the same file, each with
// its own edits: the second saves first, so the first merges its edits onto the second's file.
// The reloaded dictionary must hold exactly the entries the first one holds after its save. A
// file whose sizes do not add up is never believed: once it is saved over, a copy of it is kept,
// and every copy kept holds the bytes of the file as it was given.

#include "FuzzFile.h"
#include "common/DamagedCopies.h"
#include "common/WholeFile.h"
#include "spelling/DictionaryBanner.h"
#include "spelling/TCustomDictionary.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

using kerfa::spelling::TCustomDictionary;
using Kind = TCustomDictionary::Kind;

constexpr Kind kKinds[] = {Kind::Added, Kind::Excluded, Kind::Pair};

namespace {

// Edits driven by the input: words of up to 12 bytes, alternately added and removed.
void edit(TCustomDictionary& dictionary, std::string_view input) {
    for (std::size_t i = 0; i + 1 < input.size() && i < 64; i += 3) {
        const std::string_view word =
            input.substr(i, 1 + static_cast<unsigned char>(input[i]) % 12);
        switch (static_cast<unsigned char>(input[i + 1]) % 6) {
        case 0:
            dictionary.AddWord(word);
            break;
        case 1:
            dictionary.AddExcluded(word);
            break;
        case 2:
            dictionary.AddPair(word, input.substr(i + 1, 4));
            break;
        case 3:
            dictionary.RemoveWord(word);
            break;
        case 4:
            dictionary.RemoveExcluded(word);
            break;
        default:
            dictionary.RemovePair(word);
            break;
        }
    }
}

// The header, a table of the size it gives, the text area's size and the text area, exactly.
bool sizesAddUp(const std::string& file) {
    constexpr std::size_t tableAt = 141;
    if (file.size() < tableAt + 4)
        return false;
    std::uint32_t slots = 0;
    std::memcpy(&slots, file.data() + tableAt - 4, 4);
    const std::uint64_t textAt = tableAt + 4 * std::uint64_t(slots) + 4;
    if (textAt > file.size())
        return false;
    std::uint32_t used = 0;
    std::memcpy(&used, file.data() + textAt - 4, 4);
    return textAt + used == file.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const kerfa::fuzz::ScratchFile scratch(".adu");
    const std::string& path = scratch.path;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string file;
    if ((data[0] & 1) == 0) {
        file.append(kerfa::spelling::kUserBannerTitle)
            .append(kerfa::spelling::kPublisherLines)
            .append(kerfa::spelling::kBannerEnd);
        file += '\0';
        file += '\x1A';
    }
    file.append(input);
    for (const std::string& copy : kerfa::DamagedCopies::list(path))
        unlink(copy.c_str());
    kerfa::fuzz::writeFile(path, file);

    std::size_t counts[3] = {};
    {
        TCustomDictionary dictionary;
        if (!dictionary.Open(path))
            return 0;
        dictionary.SetLoaded(true);
        std::string replacement;
        for (const Kind kind : kKinds) {
            for (std::size_t i = 0; i < dictionary.Count(kind); ++i) {
                const std::string word(dictionary.Word(kind, i));
                const bool found = kind == Kind::Added ? dictionary.IsAdded(word)
                                   : kind == Kind::Excluded
                                       ? dictionary.IsExcluded(word)
                                       : dictionary.FindPair(word, replacement);
                (void)found;
            }
        }
        // The second program loads the same file, edits it its own way and saves first.
        TCustomDictionary second;
        if (second.Open(path)) {
            second.SetLoaded(true);
            edit(second, input.substr(input.size() / 2));
            second.Save();
        }
        edit(dictionary, input);
        if (!dictionary.Save())
            return 0;
        for (std::size_t k = 0; k < 3; ++k)
            counts[k] = dictionary.Count(kKinds[k]);
    }
    const std::vector<std::string> copies = kerfa::DamagedCopies::list(path);
    if (copies.empty() && !sizesAddUp(file))
        std::abort();
    for (const std::string& copy : copies) {
        std::string kept;
        if (kerfa::WholeFile::read(copy, kept) != kerfa::WholeFile::Status::Ok || kept != file)
            std::abort();
    }
    TCustomDictionary reloaded;
    if (!reloaded.Open(path))
        std::abort();
    for (std::size_t k = 0; k < 3; ++k)
        if (reloaded.Count(kKinds[k]) != counts[k])
            std::abort();
    // Every listed word is found again (a damaged file may list a word twice, under two kinds:
    // lookups then answer for the first one).
    std::string replacement;
    for (std::size_t i = 0; i < counts[0]; ++i) {
        const std::string word(reloaded.Word(Kind::Added, i));
        if (!reloaded.IsAdded(word) && !reloaded.IsExcluded(word) &&
            !reloaded.FindPair(word, replacement))
            std::abort();
    }
    return 0;
}
