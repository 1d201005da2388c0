// kerfa-dictc: compiles a plain word list into a main dictionary for Kerfa's spelling checker.
//
//   kerfa-dictc WORDLIST OUT.adm [--title TEXT] [--language ID]
//
// The word list holds one word a line, in UTF-8 or Windows-1252. The output is saved through the
// program's own save path (a temporary file beside OUT.adm, synced and renamed over it), so a
// failed run leaves the old file.

#include "common/AtomicFile.h"
#include "dictc/DictionaryCompiler.h"
#include "dictc/WordList.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Dictionaries hold their words in the code page of their language; this compiler knows the
// Western European languages, whose code page is Windows-1252.
bool usesCp1252(std::uint32_t language) {
    switch (language & 0x3FF) {
    case 0x03: // Catalan
    case 0x06: // Danish
    case 0x07: // German
    case 0x09: // English
    case 0x0A: // Spanish
    case 0x0B: // Finnish
    case 0x0C: // French
    case 0x0F: // Icelandic
    case 0x10: // Italian
    case 0x13: // Dutch
    case 0x14: // Norwegian
    case 0x16: // Portuguese
    case 0x1D: // Swedish
    case 0x2D: // Basque
    case 0x36: // Afrikaans
    case 0x38: // Faroese
    case 0x3C: // Irish
    case 0x56: // Galician
        return true;
    default:
        return false;
    }
}

int usage() {
    std::fprintf(stderr, "usage: kerfa-dictc WORDLIST OUT.adm [--title TEXT] [--language ID]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string input, output, title = "British English";
    std::uint32_t language = 2057;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--title" && i + 1 < argc) {
            title = argv[++i];
        } else if (arg == "--language" && i + 1 < argc) {
            const char* text = argv[++i];
            const auto end = text + std::strlen(text);
            if (std::from_chars(text, end, language).ptr != end)
                return usage();
        } else if (input.empty()) {
            input = arg;
        } else if (output.empty()) {
            output = arg;
        } else {
            return usage();
        }
    }
    if (input.empty() || output.empty())
        return usage();
    if (!usesCp1252(language)) {
        std::fprintf(stderr, "kerfa-dictc: language %u does not use the Windows-1252 code page\n",
                     language);
        return 1;
    }

    kerfa::dictc::WordList list;
    if (!list.Read(input)) {
        std::fprintf(stderr, "kerfa-dictc: cannot read %s\n", input.c_str());
        return 1;
    }
    kerfa::dictc::DictionaryCompiler compiler;
    for (const std::string& word : list.Words())
        compiler.AddWord(word);
    const auto image = compiler.Build(title, language);
    if (image.empty()) {
        std::fprintf(stderr, "kerfa-dictc: %s\n", compiler.Error().c_str());
        return 1;
    }
    if (!kerfa::AtomicFile::save(
            output, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()))) {
        std::fprintf(stderr, "kerfa-dictc: cannot write %s\n", output.c_str());
        return 1;
    }
    std::printf("%s: %u words (%zu skipped), %u nodes, %zu linkage bytes, %zu bytes\n",
                output.c_str(), compiler.WordCount(), list.Skipped(), compiler.NodeCount(),
                compiler.LinkageSize(), image.size());
    return 0;
}
