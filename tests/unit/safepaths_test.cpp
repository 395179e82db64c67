// The rules every reader of a source list or log applies to the names it is given.
#include "install/SafePaths.h"
#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* name;
    bool safe;
};

TEST(IsSafeRelativePath, Table)
{
    const NameCase cases[] = {
        {"LmtCap6.exe", true},        {"samples\\*.lmp", true},   {"a\\b\\c.txt", true},
        {" leading space.txt", true}, {"inside...txt", true},     {".\\here.txt", true},
        {"...", false},               {"..", false},              {"..\\x", false},
        {"a\\..\\..\\x", false},      {"a/../x", false},          {"a\\..", false},
        {".. \\x", false},            {"a\\ ..\\x", false},       {"\\rooted", false},
        {"/rooted", false},           {"\\\\server\\share", false}, {"C:\\abs", false},
        {"C:rel", false},             {"", false},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(isSafeRelativePath(c.name), c.safe) << "[" << c.name << "]";
}

TEST(IsShortcutPath, EndsInLnkInAnyCase)
{
    EXPECT_TRUE(isShortcutPath("C:\\Menu\\Lumetra 6.lnk"));
    EXPECT_TRUE(isShortcutPath("C:\\Menu\\Lumetra 6.LNK"));
    EXPECT_FALSE(isShortcutPath("C:\\Windows\\system.ini"));
    EXPECT_FALSE(isShortcutPath("C:\\a.lnk.exe"));
    EXPECT_FALSE(isShortcutPath(".lnk"));
}

TEST(FitsPathLimit, TwoHundredFiftyNineBytes)
{
    EXPECT_TRUE(fitsPathLimit(std::string(259, 'a')));
    EXPECT_FALSE(fitsPathLimit(std::string(260, 'a')));
}

} // namespace
