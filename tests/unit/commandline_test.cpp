// The start-up's switches and run modes: whole-argument matches, the case rules and the
// different scan ranges.
#include "app/CommandLine.h"
#include "tests/support/Scratch.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Args {
    explicit Args(std::vector<const char*> list) : v(std::move(list)) { v.insert(v.begin(), "prog.exe"); }
    int argc() const { return static_cast<int>(v.size()); }
    const char* const* argv() const { return v.data(); }
    std::vector<const char*> v;
};

struct ModeCase {
    std::vector<const char*> args;
    const char* modulePath;
    bool selfRemoval;
    bool install;
    const char* what;
};

TEST(RunMode, Table)
{
    const ModeCase cases[] = {
        {{}, "C:\\Temp\\Setup.EXE", false, true, "setup.exe in any case"},
        {{}, "C:\\TEMP\\SETUP.EXE", false, true, "capitals"},
        {{}, "C:\\x\\mysetup.exe", false, true, "substring of the name"},
        {{}, "C:\\setup.exe.d\\LmtUnInst.exe", false, true, "substring in the directory part"},
        {{}, "C:\\Lumetra 6\\LmtUnInst.exe", false, false, "uninstaller"},
        {{"-install"}, "C:\\Lumetra 6\\LmtUnInst.exe", false, true, "-install"},
        {{"-INSTALL"}, "C:\\Lumetra 6\\LmtUnInst.exe", false, true, "-install in capitals"},
        {{"-s", "-install"}, "C:\\Lumetra 6\\LmtUnInst.exe", false, false, "-install only as argument 1"},
        {{"-installx"}, "C:\\Lumetra 6\\LmtUnInst.exe", false, false, "-install as a whole argument"},
        {{"-delself"}, "C:\\Lumetra 6\\LmtUnInst.exe", false, false, "-delself alone"},
        {{"-delself", "C:\\x\\LmtUnInst.exe"}, "C:\\Temp\\uni1.tmp", true, false, "-delself and a path"},
        {{"-DELSELF", "C:\\x\\LmtUnInst.exe"}, "C:\\Temp\\uni1.tmp", false, false, "-delself in capitals"},
        {{"-delself", "C:\\x\\LmtUnInst.exe"}, "C:\\Temp\\setup.exe", true, true, "-delself wins over the name"},
        {{"x", "-delself", "C:\\a"}, "C:\\Temp\\uni1.tmp", false, false, "-delself only as argument 1"},
    };
    for (const ModeCase& c : cases) {
        Args a(c.args);
        EXPECT_EQ(selfRemovalRequested(a.argc(), a.argv()), c.selfRemoval) << c.what;
        EXPECT_EQ(installModeRequested(a.argc(), a.argv(), c.modulePath), c.install) << c.what;
    }
}

struct SilentCase {
    std::vector<const char*> args;
    bool silent;
    bool skipQuestion;
    const char* what;
};

TEST(Switches, SilentAndInstanceQuestionScans)
{
    const SilentCase cases[] = {
        {{}, false, false, "no arguments"},
        {{"-s"}, true, false, "-s alone: silent, but the question is still asked"},
        {{"-S"}, true, false, "-S"},
        {{"-install", "-s"}, true, true, "-install -s"},
        {{"-install", "/s"}, false, true, "/s skips the question only"},
        {{"-install", "/S"}, false, true, "/S"},
        {{"/s"}, false, false, "/s as argument 1 is ignored"},
        {{"-silent"}, false, false, "whole argument only"},
        {{"x", "y", "-s"}, true, true, "later arguments"},
    };
    for (const SilentCase& c : cases) {
        Args a(c.args);
        EXPECT_EQ(silentRequested(a.argc(), a.argv()), c.silent) << c.what;
        EXPECT_EQ(instanceQuestionSkipped(a.argc(), a.argv()), c.skipQuestion) << c.what;
    }
}

TEST(UninstallerPath, OnlyAFullPathOfAnExistingFile)
{
    ScratchDir dir;
    std::string file = dir / "LmtUnInst.exe";
    writeFile(file, "MZ");
    EXPECT_TRUE(isUninstallerPath(file.c_str()));
    EXPECT_FALSE(isUninstallerPath("-s"));
    EXPECT_FALSE(isUninstallerPath("LmtUnInst.exe"));
    EXPECT_FALSE(isUninstallerPath(dir.path().c_str())) << "a directory";
    EXPECT_FALSE(isUninstallerPath((dir / "missing.exe").c_str()));
    EXPECT_FALSE(isUninstallerPath(""));
    EXPECT_FALSE(isUninstallerPath("C:"));
    std::string longPath(5000, 'a');
    EXPECT_FALSE(isUninstallerPath(longPath.c_str()));
}

} // namespace
