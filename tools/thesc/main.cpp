// kerfa-thesc: compiles a thesaurus in Debian's mythes text form into a thesaurus file for
// Kerfa's editor.
//
//   kerfa-thesc SOURCE.dat OUT.adt [--name TEXT] [--narrow]
//
// The output is the wide layout unless --narrow asks for the original one (which holds only
// a small thesaurus). It is written to a temporary file beside OUT.adt and renamed over it, so
// a failed run leaves the old file.

#include "thesc/MythesThesaurus.h"
#include "thesc/ThesaurusCompiler.h"

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

bool writeAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    const bool ok = done == bytes.size() && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

int usage() {
    std::fprintf(stderr, "usage: kerfa-thesc SOURCE.dat OUT.adt [--name TEXT] [--narrow]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string input, output, name = "English";
    bool wide = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--name" && i + 1 < argc)
            name = argv[++i];
        else if (arg == "--narrow")
            wide = false;
        else if (input.empty())
            input = arg;
        else if (output.empty())
            output = arg;
        else
            return usage();
    }
    if (input.empty() || output.empty())
        return usage();

    kerfa::thesc::MythesThesaurus source;
    if (!source.Read(input)) {
        std::fprintf(stderr, "kerfa-thesc: cannot read %s\n", input.c_str());
        return 1;
    }
    kerfa::thesc::ThesaurusCompiler compiler;
    source.AddTo(compiler);
    const auto image = compiler.Build(name, kerfa::thesc::MythesThesaurus::kKindNames, wide);
    if (image.empty()) {
        std::fprintf(stderr, "kerfa-thesc: %s\n", compiler.Error().c_str());
        return 1;
    }
    if (!writeAtomically(output, image)) {
        std::fprintf(stderr, "kerfa-thesc: cannot write %s\n", output.c_str());
        return 1;
    }
    std::printf("%s: %zu head words, %zu meanings (skipped: %zu heads, %zu meanings, %zu terms, "
                "%zu stray lines); %zu words, %zu entries, %zu nodes, %zu bytes\n",
                output.c_str(), source.Heads().size(), source.MeaningCount(), source.SkippedHeads(),
                source.SkippedMeanings(), source.SkippedTerms(), source.StrayLines(),
                compiler.WordCount(), compiler.EntryCount(), compiler.NodeCount(), image.size());
    return 0;
}
