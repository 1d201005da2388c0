#pragma once
// BenchChecker: a spelling checker set up as the editor sets it up (program values, british.adm or
// another main dictionary, an empty personal dictionary and learning dictionary), in a temporary
// program folder of its own that is removed afterwards, so a benchmark never writes beside the
// build.

#include "spelling/TSpellCheckerBase.h"

#include <filesystem>

namespace kerfa::bench {

class BenchChecker {
public:
    explicit BenchChecker(const std::filesystem::path& mainDictionary = KERFA_BRITISH_ADM);
    ~BenchChecker();
    BenchChecker(const BenchChecker&) = delete;
    BenchChecker& operator=(const BenchChecker&) = delete;

    spelling::TSpellCheckerBase& operator*() { return *checker_; }
    spelling::TSpellCheckerBase* operator->() { return checker_.get(); }

private:
    std::filesystem::path folder_;
    std::unique_ptr<spelling::TSpellCheckerBase> checker_;
};

} // namespace kerfa::bench
