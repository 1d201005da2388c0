// Thesaurus reader on arbitrary bytes: load and look-ups. The first byte chooses whether the
// bytes follow a header of the original layout, follow the wide layout's header, or are the
// whole file, so that the fuzzer spends its time on the sections rather than on the header.

#include "FuzzFile.h"
#include "spelling/TThesaurusFile.h"
#include "spelling/ThesaurusFormat.h"

#include <cstdlib>
#include <string_view>
#include <vector>

using namespace kerfa::spelling;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const kerfa::fuzz::ScratchFile scratch(".adt");
    const std::string& path = scratch.path;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string file;
    if ((data[0] & 2) == 0) {
        if (data[0] & 1)
            file.append(kThesaurusBannerTitle).append(kPublisherLines).append(kWideLayoutLine);
        file.resize(kThesaurusHeaderSize, '\0');
    }
    file.append(input);
    kerfa::fuzz::writeFile(path, file);

    TThesaurusFile thesaurus;
    thesaurus.SetFileName(path);
    if (!thesaurus.SetLoaded(true))
        return 0;

    // Words: the input split at control characters, and a few fixed ones.
    std::vector<std::string_view> words = {"a", "ox", "OX", "Ox", "happy", "HAPPY", "cat"};
    for (std::size_t start = 0, i = 0; i <= input.size() && words.size() < 40; ++i) {
        if (i == input.size() || static_cast<unsigned char>(input[i]) < 0x20) {
            if (i > start)
                words.push_back(input.substr(start, std::min<std::size_t>(i - start, 64)));
            start = i + 1;
        }
    }
    std::vector<TThesaurusEntry> meanings;
    for (const auto word : words) {
        const bool found = thesaurus.Lookup(word, meanings);
        if (found == meanings.empty())
            std::abort();
        for (const auto& meaning : meanings) {
            if (meaning.kind < 0 || meaning.kind >= 5 || meaning.headWord.empty() ||
                meaning.headWord.size() > TThesaurusFile::kMaxWordLength ||
                meaning.ShownList() >= meaning.lists.size())
                std::abort();
            for (const auto& list : meaning.lists)
                for (const auto& w : list)
                    if (w.empty() || w.size() > TThesaurusFile::kMaxWordLength)
                        std::abort();
        }
    }
    thesaurus.SetLoaded(false);
    return 0;
}
