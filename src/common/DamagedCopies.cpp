#include "common/DamagedCopies.h"

#include "common/AtomicFile.h"
#include "common/WholeFile.h"

#include <algorithm>
#include <charconv>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kerfa {

namespace {

constexpr std::string_view kSuffix = ".damaged";

struct Copy {
    unsigned long number;
    std::string path;
};

// The copies of the file at path with their numbers, oldest (lowest number) first.
std::vector<Copy> copiesOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string prefix =
        (slash == std::string::npos ? path : path.substr(slash + 1)) + std::string(kSuffix);
    std::vector<Copy> copies;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return copies;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.substr(0, prefix.size()) != prefix)
            continue;
        const std::string_view rest = name.substr(prefix.size());
        unsigned long number = 1;
        if (!rest.empty()) {
            // ".2" and up: no sign, no leading zero, nothing after the digits.
            if (rest.size() < 2 || rest[0] != '.' || rest[1] == '0')
                continue;
            const auto [end, error] =
                std::from_chars(rest.data() + 1, rest.data() + rest.size(), number);
            if (error != std::errc() || end != rest.data() + rest.size() || number < 2)
                continue;
        }
        copies.push_back({number, (slash == std::string::npos ? "" : folder) + std::string(name)});
    }
    ::closedir(dir);
    std::sort(copies.begin(), copies.end(),
              [](const Copy& a, const Copy& b) { return a.number < b.number; });
    return copies;
}

std::string copyName(const std::string& path, unsigned long number) {
    std::string name = path + std::string(kSuffix);
    if (number > 1)
        name += '.' + std::to_string(number);
    return name;
}

} // namespace

std::string DamagedCopies::keep(const std::string& path, std::string_view bytes) {
    std::vector<Copy> copies = copiesOf(path);
    if (!copies.empty()) {
        std::string newest;
        if (WholeFile::read(copies.back().path, newest) == WholeFile::Status::Ok && newest == bytes)
            return copies.back().path;
    }
    const unsigned long number = copies.empty() ? 1 : copies.back().number + 1;
    const std::string copy = copyName(path, number);
    if (!AtomicFile::save(copy, bytes))
        return {};
    // The copy takes the permissions of the file it comes from: a private file stays private.
    struct stat original {};
    if (::stat(path.c_str(), &original) == 0)
        ::chmod(copy.c_str(), original.st_mode & 07777);
    copies.push_back({number, copy});
    while (copies.size() > kKept) {
        ::unlink(copies.front().path.c_str());
        copies.erase(copies.begin());
    }
    return copy;
}

std::vector<std::string> DamagedCopies::list(const std::string& path) {
    std::vector<std::string> paths;
    for (Copy& copy : copiesOf(path))
        paths.push_back(std::move(copy.path));
    return paths;
}

} // namespace kerfa
