#include "FortuneProse.h"

#include "common/Cp1252.h"

#include <fstream>
#include <iterator>

namespace kerfa::bench {

namespace {

constexpr const char* kProseFiles[] = {
    "literature", "wisdom",    "humorists", "people", "fortunes",      "love",
    "men-women",  "politics",  "science",   "work",   "miscellaneous", "pratchett",
    "platitudes", "education", "food",      "pets",   "sports",        "law",
    "medicine",   "magic",     "news",      "kids",   "cookie",        "songs-poems",
};

} // namespace

std::string FortuneProse::Load() {
    std::string text;
    for (const char* name : kProseFiles) {
        std::ifstream in(std::string(kFolder) + "/" + name, std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            if (line == "%") // between quotations
                line.clear();
            std::string bytes;
            if (!cp1252::isValidUtf8(line) || !cp1252::fromUtf8(line, bytes))
                bytes = line;
            text += bytes;
            text += "\r\n";
        }
    }
    return text;
}

} // namespace kerfa::bench
