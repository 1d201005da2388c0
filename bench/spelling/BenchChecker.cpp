#include "BenchChecker.h"

#include <cstdlib>

namespace kerfa::bench {

BenchChecker::BenchChecker(const std::filesystem::path& mainDictionary) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kerfa-bench-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(folder_ / "Spelling");
    std::filesystem::create_symlink(mainDictionary,
                                    folder_ / "Spelling" / mainDictionary.filename());
    checker_ = std::make_unique<spelling::TSpellCheckerBase>();
    checker_->UseProgramSettings();
    checker_->ConfigDefaultMain = {mainDictionary.filename().string()};
    checker_->ConfigStorage = spelling::csNone;
    checker_->Paths.appDir = folder_.string();
    checker_->LoadDictionaries();
}

BenchChecker::~BenchChecker() {
    checker_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

} // namespace kerfa::bench
