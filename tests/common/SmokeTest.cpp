#include "common/UCommuns.h"

#include <gtest/gtest.h>

TEST(Banner, SevenLinesOf69) {
    const std::string b = lmx::FileBanner(10);
    EXPECT_EQ(b.size(), 7u * 69u + 6u * 2u);
}
