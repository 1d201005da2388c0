// Main-dictionary reader on arbitrary bytes: open, lookups and prefix walks. The first byte
// chooses whether the bytes are the whole file or follow a valid header block, so that the
// fuzzer spends its time on the tables rather than on the banner.

#include "FuzzFile.h"
#include "spelling/DictionaryBanner.h"
#include "spelling/TMainDictionary.h"

#include <cstdlib>
#include <string_view>
#include <vector>

using kerfa::spelling::TMainDictionary;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const kerfa::fuzz::ScratchFile scratch(".adm");
    const std::string& path = scratch.path;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string file;
    if ((data[0] & 1) == 0) {
        file.append(kerfa::spelling::kMainBannerTitle)
            .append(kerfa::spelling::kPublisherLines)
            .append(kerfa::spelling::kBannerEnd);
        file.resize(1024, '\0');
    }
    file.append(input);
    kerfa::fuzz::writeFile(path, file);

    TMainDictionary dictionary;
    if (!dictionary.Open(path))
        return 0;
    dictionary.SetLoaded(true);

    // Words: the input split at control characters, and a few fixed ones.
    std::vector<std::string_view> words = {"a", "ab", "abc", "the", "Cat", "cat"};
    for (std::size_t start = 0, i = 0; i <= input.size() && words.size() < 40; ++i) {
        if (i == input.size() || static_cast<unsigned char>(input[i]) < 0x20) {
            if (i > start)
                words.push_back(input.substr(start, std::min<std::size_t>(i - start, 64)));
            start = i + 1;
        }
    }
    for (const auto word : words) {
        const auto match = dictionary.Contains(word);
        if (match.matched > word.size() || (match.found && match.matched != word.size()))
            std::abort();
    }
    std::size_t visited = 0;
    const auto visitor = [&](std::string_view word) {
        if (word.empty() || word.size() > TMainDictionary::kMaxWordLength)
            std::abort();
        return ++visited % 7 == 0 ? TMainDictionary::Visit::Stop : TMainDictionary::Visit::Descend;
    };
    dictionary.EnumeratePrefix("", visitor);
    for (std::size_t i = 0; i < words.size() && i < 8; ++i)
        dictionary.EnumeratePrefix(words[i].substr(0, 2), visitor);
    dictionary.SetLoaded(false);
    return 0;
}
