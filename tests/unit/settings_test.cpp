// The settings record at process start.
#include "app/SetupSettings.h"
#include <gtest/gtest.h>

TEST(SetupSettings, ValuesAtStart)
{
    SetupSettings fresh;
    EXPECT_TRUE(fresh.installDir.empty());
    EXPECT_TRUE(fresh.sourceDir.empty());
    EXPECT_TRUE(fresh.groupName.empty());
    EXPECT_EQ(fresh.versionMajor + fresh.versionMinor + fresh.versionBuild + fresh.versionRevision, 0u);
    EXPECT_EQ(fresh.desktopIcon, 1);
    EXPECT_EQ(fresh.freshInstall | fresh.runAfter | fresh.allUsers | fresh.autoStart | fresh.silent | fresh.upgrade, 0);
    // Every system this runs on has IsWow64Process in kernel32.
    EXPECT_NE(fresh.isWow64ProcessFn, nullptr);
}
