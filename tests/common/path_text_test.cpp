#include "common/path_text.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(PathTextTest, FileOnlyTakesTheTextAfterTheLastSeparator) {
    EXPECT_EQ(FileOnly("C:\\data\\ring.tor"), "ring.tor");
    EXPECT_EQ(FileOnly("ring.tor"), "ring.tor");
    EXPECT_EQ(FileOnly("C:\\data\\"), "");
    EXPECT_EQ(FileOnly("/home/an/ring.tor"), "ring.tor");
}

}  // namespace
}  // namespace kw
