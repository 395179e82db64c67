#include "support/Paths.h"
#include <gtest/gtest.h>

TEST(Placeholder, Builds) { EXPECT_EQ(lastBackslash("a\\b"), 1); }
