// The install driver's steps in the test program's own prefix: the registry values it reads, the
// option scan, the stand-in application's file versions, the previous group, the page address and
// the start of the installed application.
#include "app/InstallDriver.h"
#include "app/NotificationPage.h"
#include "app/PreviousGroup.h"
#include "app/SetupSettings.h"
#include "install/Registry.h"
#include "support/AppContract.h"
#include "support/Paths.h"
#include "tests/support/Scratch.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <vector>

namespace {

// A registry value of the prefix, put back as it was (or removed) when the test ends.
class SavedRegistryValue {
public:
    SavedRegistryValue(HKEY root, const char* path, const char* name) : m_root(root), m_path(path), m_name(name)
    {
        HKEY key;
        if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return;
        char buffer[1024];
        DWORD size = sizeof buffer;
        DWORD type = 0;
        if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS) {
            m_present = true;
            m_type = type;
            m_data.assign(buffer, size);
        }
        RegCloseKey(key);
    }
    ~SavedRegistryValue()
    {
        HKEY key;
        if (RegCreateKeyA(m_root, m_path.c_str(), &key) != ERROR_SUCCESS)
            return;
        if (m_present)
            RegSetValueExA(key, nameOrNull(), 0, m_type, reinterpret_cast<const BYTE*>(m_data.data()),
                           static_cast<DWORD>(m_data.size()));
        else
            RegDeleteValueA(key, nameOrNull());
        RegCloseKey(key);
    }
    void set(const std::string& text) { writeRegistryString(m_root, m_path.c_str(), text, nameOrNull()); }
    void remove()
    {
        HKEY key;
        if (RegOpenKeyExA(m_root, m_path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, nameOrNull());
            RegCloseKey(key);
        }
    }

private:
    const char* nameOrNull() const { return m_name.empty() ? nullptr : m_name.c_str(); }

    HKEY m_root;
    std::string m_path;
    std::string m_name;
    bool m_present = false;
    DWORD m_type = REG_SZ;
    std::string m_data;
};

// The Windows name of a file of the build tree (reached through drive Z:).
std::string buildPath(const std::string& relative)
{
    const char* build = getenv("LMT_BUILD_DIR");
    std::string path = std::string("Z:") + (build ? build : "") + "/" + relative;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

void resetSettings()
{
    setupSettings.installDir.clear();
    setupSettings.sourceDir.clear();
    setupSettings.groupName.clear();
    setupSettings.versionMajor = setupSettings.versionMinor = 0;
    setupSettings.versionBuild = setupSettings.versionRevision = 0;
    setupSettings.freshInstall = 0;
    setupSettings.runAfter = 0;
    setupSettings.allUsers = 0;
    setupSettings.autoStart = 0;
    setupSettings.desktopIcon = 1;
    setupSettings.silent = 0;
    setupSettings.upgrade = 0;
}

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override { resetSettings(); }
    void TearDown() override { resetSettings(); }

    SavedRegistryValue m_path{HKEY_LOCAL_MACHINE, contract::kProductKey, "Path"};
    SavedRegistryValue m_allUsers{HKEY_LOCAL_MACHINE, contract::kProductKey, "AllUsers"};
    SavedRegistryValue m_appPath{HKEY_LOCAL_MACHINE, contract::kAppPathKey, ""};
    SavedRegistryValue m_programFiles{HKEY_LOCAL_MACHINE, contract::kCurrentVersionKey, "ProgramFilesDir"};
};

// --- findInstalledDir, programFilesDir, setupSourceDir ---

struct InstalledDirCase {
    const char* path;     // "Path" of the product key; null: absent
    const char* appPath;  // default value of the App Paths key; null: absent
    const char* expected;
};

TEST_F(DriverTest, FindInstalledDirFromProductKeyThenAppPaths)
{
    const InstalledDirCase cases[] = {
        {nullptr, nullptr, ""},
        {"D:\\Apps\\Lumetra 6", "C:\\Other\\LmtCap6.exe", "D:\\Apps\\Lumetra 6"},
        {"D:\\Apps\\Lumetra 6\\", nullptr, "D:\\Apps\\Lumetra 6"},
        {"", "C:\\Prog\\Lumetra 6\\LmtCap6.exe", "C:\\Prog\\Lumetra 6"},
        {nullptr, "C:\\Prog\\Lumetra 6\\LmtCap6.exe", "C:\\Prog\\Lumetra 6"},
        // The name is searched case-sensitively: another spelling means no installation.
        {nullptr, "C:\\Prog\\Lumetra 6\\lmtcap6.exe", ""},
        {nullptr, "C:\\Prog\\Lumetra 6", ""},
        // The first occurrence counts.
        {nullptr, "C:\\A\\LmtCap6.exe\\LmtCap6.exe", "C:\\A"},
    };
    for (const InstalledDirCase& c : cases) {
        SCOPED_TRACE(std::string(c.path ? c.path : "(none)") + " | " + (c.appPath ? c.appPath : "(none)"));
        c.path ? m_path.set(c.path) : m_path.remove();
        c.appPath ? m_appPath.set(c.appPath) : m_appPath.remove();
        EXPECT_EQ(findInstalledDir(), c.expected);
    }
}

TEST_F(DriverTest, ProgramFilesDirFromRegistryOrWindowsDrive)
{
    m_programFiles.set("E:\\Programme\\");
    EXPECT_EQ(programFilesDir(), "E:\\Programme");
    m_programFiles.set("E:\\Programme");
    EXPECT_EQ(programFilesDir(), "E:\\Programme");

    m_programFiles.remove();
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string drive(windows, 3); // "C:\"
    EXPECT_EQ(programFilesDir(), drive + "Program Files");
}

TEST_F(DriverTest, SetupSourceDirIsTheExecutablesFolder)
{
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string expected = module;
    expected.resize(lastBackslash(expected));
    EXPECT_EQ(setupSourceDir(), expected);
    EXPECT_NE(setupSourceDir().back(), '\\');
}

// --- the options of a fresh installation ---

struct OptionCase {
    std::vector<std::string> args; // "<dir>" stands for an existing folder, "<missing>" for none
    const char* installParent;     // "<dir>" or "<default>"
    int runAfter, allUsers, autoStart, desktopIcon;
};

TEST_F(DriverTest, FreshInstallOptions)
{
    ScratchDir scratch;
    std::string dir = scratch.path();
    std::string missing = scratch / "no such folder";
    m_programFiles.set("C:\\Program Files");
    const OptionCase cases[] = {
        {{}, "<default>", 0, 0, 0, 1},
        {{"-instdir", "<dir>"}, "<dir>", 0, 0, 0, 1},
        {{"-instdir", "<dir>\\"}, "<dir>", 0, 0, 0, 1},
        {{"-instdir", "<dir>/"}, "<dir>", 0, 0, 0, 1},
        {{"-instdir", "<missing>"}, "<default>", 0, 0, 0, 1},
        {{"-instdir"}, "<default>", 0, 0, 0, 1},
        {{"-runafter", "-instdir"}, "<default>", 1, 0, 0, 1},
        // A later "-instdir" replaces an earlier one, also by emptying it.
        {{"-instdir", "<dir>", "-instdir", "<missing>"}, "<default>", 0, 0, 0, 1},
        // "-instdir" compares exactly; the other switches ignore letter case.
        {{"-INSTDIR", "<dir>"}, "<default>", 0, 0, 0, 1},
        {{"-RunAfter", "-ALLUSERS", "-AutoStart", "-NoDeskIco"}, "<default>", 1, 1, 1, 0},
        // The path argument is looked at again as an option.
        {{"-instdir", "-allusers"}, "<default>", 0, 1, 0, 1},
        // Only whole arguments match.
        {{"-runafterx", "allusers", "/autostart"}, "<default>", 0, 0, 0, 1},
    };
    for (const OptionCase& c : cases) {
        resetSettings();
        std::vector<std::string> args = {"setup.exe"};
        std::string trace;
        for (std::string a : c.args) {
            if (a.compare(0, 5, "<dir>") == 0)
                a = dir + a.substr(5);
            else if (a == "<missing>")
                a = missing;
            args.push_back(a);
            trace += a + " ";
        }
        SCOPED_TRACE(trace);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(&a[0]);
        chooseFreshInstallDir(static_cast<int>(argv.size()), argv.data());
        std::string parent = std::string(c.installParent) == "<dir>" ? dir : "C:\\Program Files";
        EXPECT_EQ(setupSettings.installDir, parent + "\\Lumetra 6");
        EXPECT_EQ(setupSettings.freshInstall, 1);
        EXPECT_EQ(setupSettings.runAfter, c.runAfter);
        EXPECT_EQ(setupSettings.allUsers, c.allUsers);
        EXPECT_EQ(setupSettings.autoStart, c.autoStart);
        EXPECT_EQ(setupSettings.desktopIcon, c.desktopIcon);
    }
}

TEST_F(DriverTest, InstallDirOfADriveRootGetsOneBackslash)
{
    m_programFiles.set("C:\\Program Files");
    char arg0[] = "setup.exe", arg1[] = "-instdir", arg2[] = "C:\\";
    char* argv[] = {arg0, arg1, arg2};
    chooseFreshInstallDir(3, argv);
    EXPECT_EQ(setupSettings.installDir, "C:\\Lumetra 6");
}

// --- file versions ---

TEST(FileVersion, ReadFromTheStandInBuilds)
{
    struct Case {
        const char* file;
        DWORD major, minor, build, revision;
    } const cases[] = {
        {"standin-6.0.2.0/LmtCap6.exe", 6, 0, 2, 0},
        {"standin-6.1.0.0/LmtCap6.exe", 6, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        readFileVersion(buildPath(c.file));
        EXPECT_EQ(setupSettings.versionMajor, c.major);
        EXPECT_EQ(setupSettings.versionMinor, c.minor);
        EXPECT_EQ(setupSettings.versionBuild, c.build);
        EXPECT_EQ(setupSettings.versionRevision, c.revision);
    }
}

TEST(FileVersion, NoVersionInformationGivesZeroes)
{
    ScratchDir scratch;
    writeFile(scratch / "LmtCap6.exe", "MZ not really a program");
    for (const std::string& path : {scratch / "LmtCap6.exe", scratch / "missing.exe"}) {
        SCOPED_TRACE(path);
        readFileVersion(buildPath("standin-6.1.0.0/LmtCap6.exe"));
        ASSERT_EQ(setupSettings.versionMajor, 6u);
        readFileVersion(path);
        EXPECT_EQ(setupSettings.versionMajor, 0u);
        EXPECT_EQ(setupSettings.versionMinor, 0u);
        EXPECT_EQ(setupSettings.versionBuild, 0u);
        EXPECT_EQ(setupSettings.versionRevision, 0u);
    }
}

TEST(FileVersion, PartsCompareInOrder)
{
    struct Case {
        FileVersion a, b;
        int expected;
    } const cases[] = {
        {{6, 0, 2, 0}, {6, 0, 3, 0}, -1},
        {{6, 0, 3, 0}, {6, 0, 3, 0}, 0},
        {{6, 1, 0, 0}, {6, 0, 3, 0}, 1},
        {{6, 0, 3, 1}, {6, 0, 3, 0}, 1},
        {{0, 0, 0, 0}, {6, 0, 3, 0}, -1},
        // Parts above 99 must not spill into the part before them.
        {{6, 100, 0, 0}, {7, 0, 0, 0}, -1},
        {{6, 0, 0, 100}, {6, 0, 1, 0}, -1},
        // Nor may a large major wrap round.
        {{65535, 0, 0, 0}, {6, 0, 0, 0}, 1},
        {{6, 65535, 65535, 65535}, {7, 0, 0, 0}, -1},
    };
    for (const Case& c : cases) {
        int result = compareVersions(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.expected)
            << c.a.major << "." << c.a.minor << "." << c.a.build << "." << c.a.revision << " vs " << c.b.major << "."
            << c.b.minor << "." << c.b.build << "." << c.b.revision;
        EXPECT_EQ(compareVersions(c.b, c.a) > 0, c.expected < 0);
    }
}

// --- the existing installation ---

class ExistingInstallationTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        makeDirs(m_installDir);
        makeDirs(m_sourceDir);
        setupSettings.installDir = m_installDir;
        setupSettings.sourceDir = m_sourceDir;
        setupSettings.groupName = "Lumetra 6";
    }
    void placeVersions(const char* installed, const char* package)
    {
        CopyFileA(buildPath(std::string("standin-") + installed + "/LmtCap6.exe").c_str(),
                  (m_installDir + "\\LmtCap6.exe").c_str(), FALSE);
        std::string source = std::string(package) == "6.0.3.0" ? "LmtCap6.exe"
                                                                : std::string("standin-") + package + "/LmtCap6.exe";
        CopyFileA(buildPath(source).c_str(), (m_sourceDir + "\\LmtCap6.exe").c_str(), FALSE);
    }

    ScratchDir m_scratch;
    std::string m_installDir = m_scratch / "installed";
    std::string m_sourceDir = m_scratch / "package";
};

TEST_F(ExistingInstallationTest, NewerPackageUpgradesWithoutAQuestion)
{
    placeVersions("6.0.2.0", "6.0.3.0");
    m_allUsers.set("B");
    EXPECT_TRUE(checkExistingInstallation());
    EXPECT_EQ(setupSettings.upgrade, 1);
    EXPECT_EQ(setupSettings.allUsers, 1);
    // The fields hold the package's version, which the welcome page shows.
    EXPECT_EQ(setupSettings.versionMinor, 0u);
    EXPECT_EQ(setupSettings.versionBuild, 3u);
}

TEST_F(ExistingInstallationTest, SilentInstallsAnOlderVersionWithoutAQuestion)
{
    placeVersions("6.1.0.0", "6.0.2.0");
    setupSettings.silent = 1;
    for (const char* value : {"b", "", "A", "B "}) {
        SCOPED_TRACE(value);
        setupSettings.allUsers = 1;
        m_allUsers.set(value);
        EXPECT_TRUE(checkExistingInstallation());
        EXPECT_EQ(setupSettings.upgrade, 1);
        // Only "B" exactly means all users.
        EXPECT_EQ(setupSettings.allUsers, 0);
        EXPECT_EQ(setupSettings.versionBuild, 2u);
    }
}

TEST_F(ExistingInstallationTest, InstalledFileWithoutVersionMakesAnyPackageAnUpgrade)
{
    placeVersions("6.0.2.0", "6.0.2.0");
    writeFile(m_installDir + "\\LmtCap6.exe", "no version here");
    EXPECT_TRUE(checkExistingInstallation());
    EXPECT_EQ(setupSettings.upgrade, 1);
}

TEST_F(ExistingInstallationTest, GroupComesFromTheInstalledLogThenTheOlderLog)
{
    placeVersions("6.0.2.0", "6.0.3.0");
    m_allUsers.set("");
    std::string programs = lookupShellFolder(ShellFolder::Programs, false);
    ASSERT_FALSE(programs.empty());

    // No log at all: the default stays.
    EXPECT_TRUE(checkExistingInstallation());
    EXPECT_EQ(setupSettings.groupName, "Lumetra 6");

    writeFile(m_installDir + "\\install.log", "Shell Link: " + programs + "\\Old Group\\Lumetra.lnk\n");
    EXPECT_TRUE(checkExistingInstallation());
    EXPECT_EQ(setupSettings.groupName, "Old Group");

    // The installed log, when there is one, is read instead.
    writeFile(m_installDir + "\\LmtUnInst.log", "Shell Link: " + toLowerAnsi(programs) + "\\New Group\\Lumetra.lnk\n");
    EXPECT_TRUE(checkExistingInstallation());
    EXPECT_EQ(setupSettings.groupName, "New Group");
}

TEST_F(ExistingInstallationTest, AllUsersGroupIsReadAgainstTheCommonFolders)
{
    placeVersions("6.0.2.0", "6.0.3.0");
    SavedRegistryValue commonPrograms(HKEY_LOCAL_MACHINE, contract::kShellFoldersKey, "Common Programs");
    SavedRegistryValue commonStartup(HKEY_LOCAL_MACHINE, contract::kShellFoldersKey, "Common Startup");
    commonPrograms.set("C:\\ProgramData\\Start Menu\\Programs");
    commonStartup.set("C:\\ProgramData\\Start Menu\\Programs\\Startup");
    m_allUsers.set("B");
    std::string userPrograms = lookupShellFolder(ShellFolder::Programs, false);
    writeFile(m_installDir + "\\LmtUnInst.log",
              "Shell Link: C:\\ProgramData\\Start Menu\\Programs\\Shared Tools\\Lumetra.lnk\n"
              "Shell Link: " + userPrograms + "\\Private\\Lumetra.lnk\n");
    EXPECT_TRUE(checkExistingInstallation());
    EXPECT_EQ(setupSettings.groupName, "Shared Tools");
}

// --- the previous group from a log ---

TEST(PreviousGroup, LinesOfTheLog)
{
    const std::string programs = "C:\\Users\\me\\Start Menu\\Programs";
    const std::string startup = "C:\\Users\\me\\Start Menu\\Programs\\Startup";
    struct Case {
        const char* log;
        const char* startupFolder; // null: the usual one
        bool found;
        const char* group;
    } const cases[] = {
        {"Shell Link: C:\\Users\\me\\Start Menu\\Programs\\My Tools\\Lumetra 6.lnk\n", nullptr, true, "My Tools"},
        // The log may write the folder in any letter case; the group keeps the log's spelling.
        {"Shell Link: c:\\USERS\\ME\\start menu\\PROGRAMS\\My Tools\\Lumetra 6.lnk\r\n", nullptr, true, "My Tools"},
        {"Shell Link: C:\\Users\\me\\Start Menu\\Programs\\Tools\\Capture\\Lumetra 6.lnk\n", nullptr, true,
         "Tools\\Capture"},
        // Directly in the Programs folder: no group.
        {"Shell Link: C:\\Users\\me\\Start Menu\\Programs\\Lumetra 6.lnk\n", nullptr, true, ""},
        // Startup and desktop shortcuts change nothing.
        {"Shell Link: C:\\Users\\me\\Start Menu\\Programs\\Startup\\Lumetra 6.lnk\n"
         "Shell Link: C:\\Users\\me\\Desktop\\Lumetra 6.lnk\n",
         nullptr, false, "unchanged"},
        // Later lines win; other line kinds and a wrong prefix case are skipped; trailing blanks go.
        {"Make Dir: C:\\Users\\me\\Start Menu\\Programs\\Dir\n"
         "Shell Link: C:\\Users\\me\\Start Menu\\Programs\\First\\a.lnk\n"
         "shell link: C:\\Users\\me\\Start Menu\\Programs\\Lower\\a.lnk\n"
         "Shell Link: C:\\Users\\me\\Start Menu\\Programs\\Second\\a.lnk  \t\n",
         nullptr, true, "Second"},
        // A folder that only begins like the Programs folder is not inside it.
        {"Shell Link: C:\\Users\\me\\Start Menu\\Programs Extra\\X\\a.lnk\n", nullptr, false, "unchanged"},
        // An empty Startup folder occurs in every line: nothing counts.
        {"Shell Link: C:\\Users\\me\\Start Menu\\Programs\\My Tools\\Lumetra 6.lnk\n", "", false, "unchanged"},
        {"", nullptr, false, "unchanged"},
    };
    ScratchDir scratch;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.log);
        writeFile(scratch / "LmtUnInst.log", c.log);
        std::string group = "unchanged";
        bool found = groupFromLog(scratch / "LmtUnInst.log", programs, c.startupFolder ? c.startupFolder : startup, group);
        EXPECT_EQ(found, c.found);
        EXPECT_EQ(group, c.group);
    }
}

TEST(PreviousGroup, ProgramsFolderWithTrailingBackslashAndMissingLog)
{
    ScratchDir scratch;
    writeFile(scratch / "a.log", "Shell Link: C:\\P\\Group\\a.lnk\n");
    std::string group = "unchanged";
    EXPECT_TRUE(groupFromLog(scratch / "a.log", "C:\\P\\", "C:\\P\\Startup", group));
    EXPECT_EQ(group, "Group");
    // An empty Programs folder becomes a lone backslash, which no full path begins with.
    group = "unchanged";
    EXPECT_FALSE(groupFromLog(scratch / "a.log", "", "C:\\P\\Startup", group));
    EXPECT_FALSE(groupFromLog(scratch / "missing.log", "C:\\P", "C:\\P\\Startup", group));
    EXPECT_EQ(group, "unchanged");
}

// --- damaged setup files ---

TEST_F(DriverTest, SetupFilesAreDamagedWithoutVersionOrSourceList)
{
    ScratchDir scratch;
    setupSettings.sourceDir = scratch.path();
    setupSettings.versionMajor = 6;
    EXPECT_TRUE(setupFilesDamaged());
    CreateDirectoryA((scratch / "LmtUnInst.log").c_str(), nullptr);
    EXPECT_TRUE(setupFilesDamaged()) << "a folder of that name is no source list";
    RemoveDirectoryA((scratch / "LmtUnInst.log").c_str());
    writeFile(scratch / "LmtUnInst.log", "");
    EXPECT_FALSE(setupFilesDamaged());
    setupSettings.versionMajor = 0;
    setupSettings.versionMinor = 1;
    EXPECT_TRUE(setupFilesDamaged());
}

// --- the notification page ---

TEST(NotificationPage, AddressFromHomePageUrl)
{
    const std::string site = contract::kVendorSite;
    struct Case {
        const char* content; // null: no HomePage.url
        std::string expected;
    } const cases[] = {
        {nullptr, site + "/lmax/installed.asp"},
        {"[InternetShortcut]\r\nURL=http://www.orvanta.example/?ref=12\r\n", site + "/lmax/InstScript.asp?ref=12"},
        {"URL=http://x/a?ref=demo&b=1\n", site + "/lmax/InstScript.asp?ref=demo&b=1"},
        // The query runs from the first "?".
        {"URL=http://x/a?b?c\n", site + "/lmax/InstScript.asp?b?c"},
        {"URL=http://x/no-query\r\n", site + "/lmax/installed.asp"},
        // Only the first address line counts.
        {"URL=http://x/first\nURL=http://x/?second=1\n", site + "/lmax/installed.asp"},
        // The prefix is exact: another scheme or letter case is not the address line.
        {"URL=https://x/?ref=1\nurl=http://x/?ref=2\nURL=http://x/?ref=3\n", site + "/lmax/InstScript.asp?ref=3"},
        {"", site + "/lmax/installed.asp"},
        // What may not stand in an address is escaped, so it cannot break out of the argument
        // that the browser receives.
        {"URL=http://x/?a=\"b c\"<d>\n", site + "/lmax/InstScript.asp?a=%22b%20c%22%3Cd%3E"},
        {"URL=http://x/?n=\xE9\n", site + "/lmax/InstScript.asp?n=%E9"},
    };
    ScratchDir scratch;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content ? c.content : "(no file)");
        DeleteFileA((scratch / "HomePage.url").c_str());
        if (c.content)
            writeFile(scratch / "HomePage.url", c.content);
        EXPECT_EQ(notificationPageAddress(scratch.path()), c.expected);
    }
}

TEST(NotificationPage, LongLinesArriveInPieces)
{
    // 259 bytes a read: a query beyond that is cut, and the rest of the line, read as a line of
    // its own, is not an address line.
    ScratchDir scratch;
    std::string head = "URL=http://x/?q=";
    std::string line = head + std::string(259 - head.size(), 'a') + "URL=http://y/?tail=1";
    writeFile(scratch / "HomePage.url", line + "\n");
    EXPECT_EQ(homePageQuery(scratch / "HomePage.url"), "?q=" + std::string(259 - head.size(), 'a'));
}

// --- starting the installed application ---

TEST_F(DriverTest, RunAfterStartsTheApplicationInTheWorkingDirectory)
{
    ScratchDir scratch;
    std::string installDir = scratch / "Lumetra 6";
    makeDirs(installDir);
    ASSERT_TRUE(CopyFileA(buildPath("LmtCap6.exe").c_str(), (installDir + "\\LmtCap6.exe").c_str(), FALSE));
    std::string record = scratch / "standin.log";
    SetEnvironmentVariableA("LMT_STANDIN_LOG", record.c_str());
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(installDir.c_str());
    setupSettings.installDir = installDir;

    EXPECT_TRUE(startInstalledApplication());
    SetCurrentDirectoryA(previous);
    SetEnvironmentVariableA("LMT_STANDIN_LOG", nullptr);

    std::string text;
    for (int i = 0; i < 300 && text.find("start ") == std::string::npos; i++) {
        Sleep(50);
        text = readFile(record);
    }
    EXPECT_NE(text.find("start cwd=" + installDir + " cmdline=\"" + installDir + "\\LmtCap6.exe\""), std::string::npos)
        << text;
    unsigned long pid = 0;
    if (sscanf(text.c_str(), "pid=%lu", &pid) == 1) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (process) {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

TEST_F(DriverTest, RunAfterWithoutTheApplicationFailsQuietly)
{
    ScratchDir scratch;
    setupSettings.installDir = scratch.path();
    EXPECT_FALSE(startInstalledApplication());
}

} // namespace
