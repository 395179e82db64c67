// uninstallProduct on installations laid out in scratch folders: complete, partial and damaged
// ones. What is left behind is compared as a whole, so anything deleted by mistake or left by
// mistake shows.
#include "support/Scratch.h"
#include "uninstall/UninstallProcedure.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {

// Every file and folder under dir, relative to it, sorted; folders end in a backslash.
void listTree(const std::string& dir, const std::string& prefix, std::vector<std::string>& out)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out.push_back(prefix + name + "\\");
            listTree(dir + "\\" + name, prefix + name + "\\", out);
        } else {
            out.push_back(prefix + name);
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

std::vector<std::string> treeOf(const std::string& dir)
{
    std::vector<std::string> entries;
    listTree(dir, "", entries);
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::vector<std::string> sorted(std::vector<std::string> entries)
{
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// The files the demo package installs, as the installation directory holds them.
const std::vector<std::string> kInstalledFiles = {
    "LmtCap6.exe", "LmtCap6Man.chm", "readme.txt", "HomePage.url", "LmtUnInst.exe", "LmtFilters.dat",
    "LmtCap6x64.dll", "LmtCap6.ini", "samples\\sample1.lmp", "samples\\sample2.lmp", "samples\\hdr\\header.lmh",
};

// An installation under a directory with a space in its name, its program group and desktop
// shortcut in a scratch start menu, and a folder beside it that must never be touched.
class UninstallFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        makeDirs(m_installDir + "\\samples\\hdr");
        makeDirs(m_group);
        makeDirs(m_desktop);
        makeDirs(m_outside + "\\emptydir");
        for (const std::string& file : kInstalledFiles)
            writeFile(m_installDir + "\\" + file, "content");
        for (const char* shortcut : {"Lumetra 6.lnk", "Lumetra 6 Help.lnk", "Uninstall Lumetra 6.lnk"})
            writeFile(m_group + "\\" + shortcut, "L");
        writeFile(m_desktop + "\\Lumetra 6.lnk", "L");
        writeFile(m_desktop + "\\Other.lnk", "L");
        writeFile(m_outside + "\\victim.txt", "keep");
        writeFile(m_outside + "\\victim.dll", "keep");
        char cwd[MAX_PATH];
        GetCurrentDirectoryA(sizeof cwd, cwd);
        m_savedCwd = cwd;
    }

    void TearDown() override { SetCurrentDirectoryA(m_savedCwd.c_str()); }

    // The installed log: the package's source list, then what the setup appended.
    std::vector<std::string> installedLog() const
    {
        return {"Make Dir: samples",
                "Make Dir: samples\\hdr",
                "File Copy: LmtCap6.exe",
                "File Copy: LmtCap6Man.chm",
                "File Copy: readme.txt",
                "File Copy: HomePage.url",
                "File Copy: LmtUnInst.exe",
                "File Copy: samples\\*.lmp",
                "File Copy: samples\\hdr\\*.*",
                "File Copy: filters.dat > LmtFilters.dat",
                "File Copy x64: LmtCap6x64.dll",
                "File Overwrite: LmtCap6.ini | settings the application writes",
                "File Del: LmtCap5Tools.dll | left by version 5",
                "",
                "Made Dir: " + m_group,
                "Shell Link: " + m_group + "\\Lumetra 6.lnk",
                "Shell Link: " + m_group + "\\Lumetra 6 Help.lnk",
                "Shell Link: " + m_group + "\\Uninstall Lumetra 6.lnk",
                "Shell Link: " + m_desktop + "\\Lumetra 6.lnk"};
    }

    void writeLog(const char* name, const std::vector<std::string>& lines)
    {
        writeFile(m_installDir + "\\" + name, joinLines(lines));
    }

    // By default the uninstall runs with the installation directory as its working directory,
    // as the uninstaller's copy may have inherited it.
    void uninstall(const std::string& workingDir = std::string())
    {
        SetCurrentDirectoryA((workingDir.empty() ? m_installDir : workingDir).c_str());
        uninstallProduct(m_installDir + "\\");
    }

    void expectShortcutsGone()
    {
        EXPECT_FALSE(dirExists(m_group));
        EXPECT_FALSE(fileExists(m_desktop + "\\Lumetra 6.lnk"));
        EXPECT_TRUE(fileExists(m_desktop + "\\Other.lnk"));
    }

    void expectOutsideUntouched()
    {
        EXPECT_EQ(treeOf(m_outside), sorted({"emptydir\\", "victim.dll", "victim.txt"}));
    }

    ScratchDir m_scratch;
    std::string m_installDir = m_scratch / "Program Files\\Lumetra 6";
    std::string m_group = m_scratch / "Start Menu\\Programs\\My Group\\Lumetra";
    std::string m_desktop = m_scratch / "Desktop";
    std::string m_outside = m_scratch / "outside";
    std::string m_savedCwd;
};

TEST_F(UninstallFiles, CompleteInstallationGoesWithItsDirectoryAndGroup)
{
    writeLog("LmtUnInst.log", installedLog());

    uninstall();

    EXPECT_FALSE(dirExists(m_installDir));
    expectShortcutsGone();
    // The group's emptied parent levels go too, up to the first that holds something.
    EXPECT_FALSE(dirExists(m_scratch / "Start Menu\\Programs\\My Group"));
    expectOutsideUntouched();
}

TEST_F(UninstallFiles, BothLogsAreUndoneTheEarlierOneFirst)
{
    // An earlier version's log in the same directory, naming its own files. It is open while it
    // is replayed, so a line of its own cannot delete it; the package that replaced that version
    // names it for deletion in the installed log.
    writeFile(m_installDir + "\\LmtCap5.exe", "old");
    writeFile(m_group + "\\Lumetra 5.lnk", "L");
    writeLog("install.log", {"File Copy: LmtCap5.exe", "Shell Link: " + m_group + "\\Lumetra 5.lnk"});
    std::vector<std::string> log = installedLog();
    log.insert(log.begin(), "File Del: install.log | the earlier version's log");
    writeLog("LmtUnInst.log", log);

    uninstall();

    EXPECT_FALSE(dirExists(m_installDir));
    expectShortcutsGone();
    expectOutsideUntouched();
}

// What stays of the installation directory in partial and damaged states.
struct PartialCase {
    const char* name;
    bool installedLog;                 // "LmtUnInst.log" present
    bool earlierLog;                   // "install.log" present (naming a few files, not itself)
    std::vector<std::string> missing;  // installed files already gone before the uninstall
    std::vector<std::string> extra;    // files no log names
    std::vector<std::string> remains;  // what the installation directory holds afterwards
};

void PrintTo(const PartialCase& c, std::ostream* os)
{
    *os << c.name;
}

std::vector<std::string> allInstalledPlus(std::vector<std::string> more)
{
    std::vector<std::string> all = kInstalledFiles;
    all.insert(all.end(), more.begin(), more.end());
    all.push_back("samples\\");
    all.push_back("samples\\hdr\\");
    return all;
}

const PartialCase kPartialCases[] = {
    {"OnlyInstalledLog", true, false, {}, {}, {}},
    {"OnlyEarlierLog", false, true, {}, {},
     {"HomePage.url", "LmtCap6.ini", "LmtCap6Man.chm", "LmtCap6x64.dll", "LmtFilters.dat", "LmtUnInst.exe",
      "install.log", "samples\\", "samples\\hdr\\", "samples\\hdr\\header.lmh"}},
    {"NeitherLog", false, false, {}, {}, allInstalledPlus({})},
    {"UnloggedFileStays", true, false, {}, {"my picture.lmp", "samples\\mine.txt"},
     {"my picture.lmp", "samples\\", "samples\\mine.txt"}},
    {"LoggedFilesAlreadyGone", true, false, {"LmtCap6.exe", "samples\\hdr\\header.lmh", "LmtCap6.ini"}, {}, {}},
};

class UninstallPartial : public UninstallFiles, public ::testing::WithParamInterface<PartialCase> {};

TEST_P(UninstallPartial, LeavesExactlyWhatNoLogNames)
{
    const PartialCase& c = GetParam();
    if (c.installedLog)
        writeLog("LmtUnInst.log", installedLog());
    if (c.earlierLog)
        writeLog("install.log", {"File Copy: LmtCap6.exe", "File Copy: readme.txt", "File Copy: samples\\*.lmp",
                                 "Make Dir: samples"});
    for (const std::string& file : c.missing)
        DeleteFileA((m_installDir + "\\" + file).c_str());
    for (const std::string& file : c.extra)
        writeFile(m_installDir + "\\" + file, "mine");

    uninstall();

    if (c.remains.empty()) {
        EXPECT_FALSE(dirExists(m_installDir));
    } else {
        EXPECT_EQ(treeOf(m_installDir), sorted(c.remains));
    }
    if (c.installedLog)
        expectShortcutsGone();
    else
        EXPECT_TRUE(dirExists(m_group));
    expectOutsideUntouched();
}

INSTANTIATE_TEST_SUITE_P(States, UninstallPartial, ::testing::ValuesIn(kPartialCases),
                         [](const ::testing::TestParamInfo<PartialCase>& info) { return std::string(info.param.name); });

// Lines no installation writes, pointing outside the installation: nothing outside is touched,
// and the installation itself still goes.
TEST_F(UninstallFiles, LinesReachingOutsideAreRefusedAndTheRestIsRemoved)
{
    std::vector<std::string> log = installedLog();
    const std::vector<std::string> hostile = {
        "File Copy: ..\\..\\outside\\victim.txt",
        "File Del: " + m_outside + "\\victim.txt",
        "File Overwrite: ..\\..\\outside\\*.*",
        "File Copy x64: \\" + m_outside.substr(3) + "\\victim.dll",
        "File Copy: samples\\..\\..\\..\\outside\\victim.dll",
        "File Copy: x > ..\\..\\outside\\victim.dll",
        "Shell Link: " + m_outside + "\\victim.txt",
        "Shell Link: " + m_outside + "\\victim.dll",
        "Make Dir: ..\\..\\outside\\emptydir",
        "Make Dir: " + m_outside + "\\emptydir",
    };
    log.insert(log.begin() + 2, hostile.begin(), hostile.end());
    writeLog("LmtUnInst.log", log);
    // The working directory is where a relative or rooted name would land if it were taken.
    uninstall(m_outside);

    expectOutsideUntouched();
    EXPECT_FALSE(dirExists(m_installDir));
    expectShortcutsGone();
}

// The directory is taken as given, with or without its trailing backslash; a relative one is
// not used at all, since the working directory moves to the drive's root half-way.
TEST_F(UninstallFiles, DirectoryWithoutTrailingBackslashOrRelative)
{
    writeLog("LmtUnInst.log", installedLog());
    SetCurrentDirectoryA((m_scratch / "Program Files").c_str());
    uninstallProduct("Lumetra 6\\");
    EXPECT_TRUE(fileExists(m_installDir + "\\LmtCap6.exe"));

    uninstallProduct(m_installDir);
    EXPECT_FALSE(dirExists(m_installDir));
}

} // namespace
