// Linked into every GoogleTest program: before the first test, HOME and the XDG folders point
// into a temporary folder of the program's own, removed after the last, so that nothing a test
// runs (the word lists of other spelling checkers, a settings folder) reads or writes the
// user's own files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

class PrivateHome : public testing::Environment {
public:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kerfa-home-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        const std::pair<const char*, const char*> folders[] = {
            {"HOME", "home"},
            {"XDG_CONFIG_HOME", "config"},
            {"XDG_DATA_HOME", "data"},
            {"XDG_CACHE_HOME", "cache"},
            {"XDG_STATE_HOME", "state"},
            {"XDG_RUNTIME_DIR", "runtime"},
        };
        for (const auto& [variable, folder] : folders) {
            const std::filesystem::path path = m_root / folder;
            std::filesystem::create_directory(path);
            ::setenv(variable, path.c_str(), 1);
        }
        std::filesystem::permissions(m_root / "runtime", std::filesystem::perms::owner_all);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

private:
    std::filesystem::path m_root;
};

testing::Environment* const kPrivateHome = testing::AddGlobalTestEnvironment(new PrivateHome);

} // namespace
