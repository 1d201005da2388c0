#include "common/LateLibrary.h"

#include <gtest/gtest.h>

namespace {

using Version = const char*();

// A library opened on first use: a function it has is bound and works; a missing library or
// function leaves the slot empty instead of failing later.
TEST(LateLibrary, BindsWhatIsThereAndNothingElse) {
    LateLibrary zlib("libz.so.1");
    Version* version = nullptr;
    ASSERT_TRUE(zlib.bind(version, "zlibVersion"));
    EXPECT_EQ(version()[0], '1');
    Version* missing = version;
    EXPECT_FALSE(zlib.bind(missing, "kerfaNoSuchFunction"));
    EXPECT_EQ(missing, nullptr);

    LateLibrary absent("libkerfa-no-such-library.so.0");
    Version* none = version;
    EXPECT_FALSE(absent.bind(none, "zlibVersion"));
    EXPECT_EQ(none, nullptr);
}

} // namespace
