// installProduct end to end in the test program's own prefix: the Shell Folders values point at
// scratch folders, the settings record is filled directly, and what the installation leaves
// (files, installed log, shortcuts, registry values, pre-set settings) is compared with what is
// expected, the installed log byte for byte.
#include "support/Scratch.h"
#include "app/SetupSettings.h"
#include "install/InstallProcedure.h"
#include "install/Registry.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// The shell rewrites "Shell Folders" from these whenever it resolves a folder (the shell link
// object does so while a shortcut is made), so a scratch folder is set in both.
const char kUserShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char kProductKey[] = "SOFTWARE\\Orvanta\\Lumetra 6";
const char kAppPathKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\LmtCap6.exe";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumetra 6";

struct FolderValue {
    HKEY root;
    const char* name;
};
const FolderValue kFolderValues[] = {
    {HKEY_CURRENT_USER, "Programs"},       {HKEY_CURRENT_USER, "Desktop"},
    {HKEY_CURRENT_USER, "Startup"},        {HKEY_LOCAL_MACHINE, "Common Programs"},
    {HKEY_LOCAL_MACHINE, "Common Desktop"}, {HKEY_LOCAL_MACHINE, "Common Startup"},
};

void setFolderValue(HKEY root, const char* name, const std::string& path)
{
    writeRegistryString(root, kShellFolders, path, name);
    writeRegistryString(root, kUserShellFolders, path, name);
}

std::string crlfLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

const char kSourceList[] = "Make Dir: samples\r\n"
                           "File Copy: LmtCap6.exe\r\n"
                           "File Copy: LmtCap6Man.chm\r\n"
                           "File Copy: readme.txt\r\n"
                           "File Copy: LmtUnInst.exe\r\n"
                           "File Copy: samples\\*.lmp\r\n"
                           "File Copy: filters.dat > LmtFilters.dat\r\n"
                           "File Overwrite: LmtCap6.ini | settings the application writes\r\n"
                           "File Del: obsolete.dll | left by version 5";

class InstallProduct : public ::testing::Test {
protected:
    ScratchDir scratch;
    std::string pkg = scratch / "pkg";
    std::string inst = scratch / "Program Files\\Orvanta\\Lumetra 6";
    std::string user = scratch / "user";
    std::string common = scratch / "common";
    std::vector<std::string> savedFolders;
    std::vector<std::string> savedUserFolders;

    void SetUp() override
    {
        for (const FolderValue& v : kFolderValues) {
            savedFolders.push_back(readRegistryString(v.root, kShellFolders, v.name));
            savedUserFolders.push_back(readRegistryString(v.root, kUserShellFolders, v.name));
        }
        for (const char* dir : {"Programs", "Desktop", "Startup"}) {
            makeDirs(user + "\\" + dir);
            makeDirs(common + "\\" + dir);
            setFolderValue(HKEY_CURRENT_USER, dir, user + "\\" + dir);
            setFolderValue(HKEY_LOCAL_MACHINE, (std::string("Common ") + dir).c_str(), common + "\\" + dir);
        }
        // Other programs' entries: the Programs folder is never left empty by a clean-up.
        writeFile(user + "\\Programs\\Other program.lnk", "x");
        writePackage(kSourceList);
        SetEnvironmentVariableA("sfxname", nullptr);
        HKEY machine = HKEY_LOCAL_MACHINE;
        for (const char* key : {kProductKey, kAppPathKey, kUninstallKey})
            RegDeleteKeyA(machine, key);
        SetupSettings& s = setupSettings;
        s.installDir = inst;
        s.sourceDir = pkg;
        s.groupName = "Lumetra 6";
        s.freshInstall = 1;
        s.allUsers = 0;
        s.desktopIcon = 0;
        s.autoStart = 0;
    }
    void TearDown() override
    {
        for (size_t i = 0; i < savedFolders.size(); i++) {
            writeRegistryString(kFolderValues[i].root, kShellFolders, savedFolders[i], kFolderValues[i].name);
            writeRegistryString(kFolderValues[i].root, kUserShellFolders, savedUserFolders[i], kFolderValues[i].name);
        }
        SetEnvironmentVariableA("sfxname", nullptr);
    }
    void writePackage(const std::string& sourceList)
    {
        makeDirs(pkg + "\\samples");
        for (const char* name : {"LmtCap6.exe", "LmtCap6Man.chm", "readme.txt", "LmtUnInst.exe", "filters.dat",
                                 "samples\\one.lmp"})
            writeFile(pkg + "\\" + name, name);
        writeFile(pkg + "\\LmtUnInst.log", sourceList);
    }
    std::string installedLog() const { return readFile(inst + "\\LmtUnInst.log"); }
    // The four group shortcuts' log lines, in the order they are made.
    std::vector<std::string> groupLinks(const std::string& group) const
    {
        std::vector<std::string> lines;
        for (const char* name : {"Lumetra 6", "Lumetra 6 Help", "Read about Lumetra 6", "Uninstall Lumetra 6"})
            lines.push_back("Shell Link: " + group + "\\" + name + ".lnk");
        return lines;
    }
    std::string machineValue(const char* key, const char* name = nullptr) const
    {
        return readRegistryString(HKEY_LOCAL_MACHINE, key, name);
    }
};

TEST_F(InstallProduct, FreshInstallationForTheCurrentUser)
{
    setupSettings.desktopIcon = 1;
    setupSettings.autoStart = 1;
    makeDirs(scratch / "download");
    writeFile(scratch / "download\\LmtCap6.ini", "[preset]\r\n");
    SetEnvironmentVariableA("sfxname", (scratch / "download\\Lumetra6Setup.exe").c_str());

    EXPECT_EQ(installProduct(), 0);

    for (const char* name : {"LmtCap6.exe", "LmtCap6Man.chm", "readme.txt", "LmtUnInst.exe", "samples\\one.lmp"})
        EXPECT_EQ(readFile(inst + "\\" + name), name) << "the installation directory and its parents are made first";
    EXPECT_EQ(readFile(inst + "\\LmtFilters.dat"), "filters.dat");
    EXPECT_EQ(readFile(inst + "\\LmtCap6.ini"), "[preset]\r\n") << "the pre-set settings beside the package";

    const std::string group = user + "\\Programs\\Lumetra 6";
    std::vector<std::string> lines = {"", "Made Dir: " + group};
    for (const std::string& line : groupLinks(group))
        lines.push_back(line);
    lines.push_back("Shell Link: " + user + "\\Desktop\\Lumetra 6.lnk");
    lines.push_back("Shell Link: " + user + "\\Startup\\Lumetra 6.lnk");
    // The source list's last line has no line break: the empty line gives the setup's lines
    // lines of their own.
    EXPECT_EQ(installedLog(), std::string(kSourceList) + crlfLines(lines));
    for (size_t i = 2; i < lines.size(); i++)
        EXPECT_TRUE(fileExists(lines[i].substr(strlen("Shell Link: ")))) << lines[i];

    EXPECT_EQ(machineValue(kProductKey, "AllUsers"), "A");
    EXPECT_EQ(machineValue(kProductKey, "Path"), inst);
    EXPECT_EQ(machineValue(kAppPathKey), inst + "\\LmtCap6.exe");
    EXPECT_EQ(machineValue(kUninstallKey, "Contact"), "Support");
    EXPECT_EQ(machineValue(kUninstallKey, "DisplayName"), "Lumetra 6");
    EXPECT_EQ(machineValue(kUninstallKey, "DisplayVersion"), "5");
    EXPECT_EQ(machineValue(kUninstallKey, "Publisher"), "Orvanta Technology LLC");
    EXPECT_EQ(machineValue(kUninstallKey, "UninstallString"), "\"" + inst + "\\LmtUnInst.exe\"");
    EXPECT_EQ(machineValue(kUninstallKey, "QuietUninstallString"), "\"" + inst + "\\LmtUnInst.exe\" -s");
    EXPECT_EQ(machineValue(kUninstallKey, "URLInfoAbout"), "http://www.orvanta.example");
    EXPECT_EQ(machineValue(kUninstallKey, "InstallLocation"), inst);
    EXPECT_EQ(machineValue(kUninstallKey, "DisplayIcon"), inst + "\\LmtCap6.exe");
}

TEST_F(InstallProduct, AllUsersFolders)
{
    setupSettings.allUsers = 1;
    setupSettings.desktopIcon = 1;
    installProduct();
    const std::string group = common + "\\Programs\\Lumetra 6";
    std::vector<std::string> lines = {"", "Made Dir: " + group};
    for (const std::string& line : groupLinks(group))
        lines.push_back(line);
    lines.push_back("Shell Link: " + common + "\\Desktop\\Lumetra 6.lnk");
    EXPECT_EQ(installedLog(), std::string(kSourceList) + crlfLines(lines));
    EXPECT_EQ(machineValue(kProductKey, "AllUsers"), "B");
    EXPECT_EQ(setupSettings.allUsers, 1);
}

TEST_F(InstallProduct, AllUsersWithoutCommonProgramsFallsBackToTheCurrentUser)
{
    for (const char* missing : {"", "C:"}) {
        setFolderValue(HKEY_LOCAL_MACHINE, "Common Programs", missing);
        setupSettings.allUsers = 1;
        setupSettings.autoStart = 1;
        setupSettings.freshInstall = 1;
        DeleteFileA((inst + "\\LmtUnInst.log").c_str());
        installProduct();
        EXPECT_EQ(setupSettings.allUsers, 0) << "[" << missing << "]";
        EXPECT_EQ(machineValue(kProductKey, "AllUsers"), "A");
        EXPECT_NE(installedLog().find("Made Dir: " + user + "\\Programs\\Lumetra 6\r\n"), std::string::npos);
        EXPECT_NE(installedLog().find("Shell Link: " + user + "\\Startup\\Lumetra 6.lnk\r\n"), std::string::npos);
        EXPECT_FALSE(fileExists(common + "\\Startup\\Lumetra 6.lnk"));
    }
}

TEST_F(InstallProduct, TwoLevelGroupWithSlashes)
{
    setupSettings.groupName = "/Orvanta/Lumetra 6/";
    installProduct();
    EXPECT_EQ(setupSettings.groupName, "Orvanta\\Lumetra 6");
    const std::string group = user + "\\Programs\\Orvanta\\Lumetra 6";
    std::vector<std::string> lines = {"", "Made Dir: " + group};
    for (const std::string& line : groupLinks(group))
        lines.push_back(line);
    EXPECT_EQ(installedLog(), std::string(kSourceList) + crlfLines(lines)) << "the first level is not logged";
    EXPECT_TRUE(fileExists(group + "\\Uninstall Lumetra 6.lnk"));
}

TEST_F(InstallProduct, EmptyGroupPutsTheShortcutsIntoProgramsItself)
{
    setupSettings.groupName = " / ";
    installProduct();
    const std::string group = user + "\\Programs\\";
    std::vector<std::string> lines = {"", "Made Dir: " + group};
    for (const std::string& line : groupLinks(group))
        lines.push_back(line);
    EXPECT_EQ(installedLog(), std::string(kSourceList) + crlfLines(lines));
    EXPECT_TRUE(fileExists(user + "\\Programs\\Lumetra 6 Help.lnk"));
}

TEST_F(InstallProduct, GroupFolderThatCannotBeMadeIsLoggedAndTheOtherShortcutsAreStillMade)
{
    setFolderValue(HKEY_CURRENT_USER, "Programs", scratch / "missing\\Programs");
    setupSettings.groupName = "Orvanta\\Lumetra 6";
    setupSettings.desktopIcon = 1;
    setupSettings.autoStart = 1;
    installProduct();
    const std::string group = scratch / "missing\\Programs\\Orvanta\\Lumetra 6";
    EXPECT_FALSE(dirExists(group));
    EXPECT_EQ(installedLog(), std::string(kSourceList) + crlfLines({"", "Made Dir: " + group,
                                                                     "Shell Link: " + user + "\\Desktop\\Lumetra 6.lnk",
                                                                     "Shell Link: " + user + "\\Startup\\Lumetra 6.lnk"}));
}

TEST_F(InstallProduct, EmptyShellFolderValuesAreSkippedNotTakenForTheDriveRoot)
{
    setFolderValue(HKEY_CURRENT_USER, "Programs", "");
    setFolderValue(HKEY_CURRENT_USER, "Startup", "");
    setupSettings.desktopIcon = 1;
    setupSettings.autoStart = 1;
    installProduct();
    EXPECT_EQ(installedLog(), std::string(kSourceList) + crlfLines({"", "Shell Link: " + user + "\\Desktop\\Lumetra 6.lnk"}));
    EXPECT_EQ(setupSettings.groupName, "Lumetra 6");
    EXPECT_FALSE(dirExists("\\Lumetra 6"));
}

TEST_F(InstallProduct, SettingsFileOnlyFromADirectoryOfThePackageVariable)
{
    writeFile(pkg + "\\LmtCap6.ini", "beside the setup");
    for (const char* value : {"", "Lumetra6Setup.exe"}) {
        if (*value)
            SetEnvironmentVariableA("sfxname", value);
        installProduct();
        EXPECT_FALSE(fileExists(inst + "\\LmtCap6.ini")) << "[" << value << "]";
    }
}

TEST_F(InstallProduct, SourceDirectoryIsTheInstallationDirectory)
{
    setupSettings.installDir = pkg;
    installProduct();
    EXPECT_EQ(readFile(pkg + "\\LmtCap6.exe"), "LmtCap6.exe");
    EXPECT_EQ(readFile(pkg + "\\LmtFilters.dat"), "filters.dat") << "the rename form is still copied";
    const std::string group = user + "\\Programs\\Lumetra 6";
    std::vector<std::string> lines = {"", "Made Dir: " + group};
    for (const std::string& line : groupLinks(group))
        lines.push_back(line);
    EXPECT_EQ(readFile(pkg + "\\LmtUnInst.log"), std::string(kSourceList) + crlfLines(lines))
        << "the setup's lines are appended to the source list itself";
}

TEST_F(InstallProduct, UpgradeRemovesTheEarlierShortcutsFoldersAndObsoleteFiles)
{
    // The earlier installation: group "Old Group" and a desktop shortcut, plus an older
    // "install.log" that recorded a group of its own.
    setupSettings.groupName = "Orvanta\\Old Group";
    setupSettings.desktopIcon = 1;
    installProduct();
    const std::string olderGroup = user + "\\Programs\\Older";
    makeDirs(olderGroup);
    writeFile(olderGroup + "\\Lumetra.lnk", "old link");
    writeFile(inst + "\\install.log", "Shell Link: " + olderGroup + "\\Lumetra.lnk\r\nMade Dir: " + olderGroup + "\r\n");
    writeFile(inst + "\\obsolete.dll", "version 5");
    ASSERT_TRUE(fileExists(user + "\\Desktop\\Lumetra 6.lnk"));

    const std::string newList = std::string(kSourceList) + "\r\n";
    writePackage(newList);
    setupSettings.freshInstall = 0;
    setupSettings.groupName = "New Group";
    setupSettings.desktopIcon = 0;
    installProduct();

    EXPECT_FALSE(dirExists(user + "\\Programs\\Orvanta")) << "the old group and its emptied parent";
    EXPECT_FALSE(dirExists(olderGroup));
    EXPECT_FALSE(fileExists(user + "\\Desktop\\Lumetra 6.lnk"));
    EXPECT_FALSE(fileExists(inst + "\\obsolete.dll"));
    EXPECT_TRUE(fileExists(user + "\\Programs\\Other program.lnk")) << "the walk up stops at a folder that is not empty";
    const std::string group = user + "\\Programs\\New Group";
    std::vector<std::string> lines = {"", "Made Dir: " + group};
    for (const std::string& line : groupLinks(group))
        lines.push_back(line);
    EXPECT_EQ(installedLog(), newList + crlfLines(lines));
}

TEST_F(InstallProduct, FreshInstallationIgnoresLogsFoundInTheDirectory)
{
    const std::string foreign = user + "\\Programs\\Foreign";
    makeDirs(foreign);
    writeFile(foreign + "\\keep.lnk", "x");
    makeDirs(inst);
    writeFile(inst + "\\LmtUnInst.log", "Shell Link: " + foreign + "\\keep.lnk\r\n");
    writeFile(inst + "\\obsolete.dll", "x");
    installProduct();
    EXPECT_TRUE(fileExists(foreign + "\\keep.lnk"));
    EXPECT_TRUE(fileExists(inst + "\\obsolete.dll"));
    EXPECT_EQ(installedLog().find("Shell Link: " + foreign), std::string::npos) << "the old log is replaced";
}

} // namespace
