// The wizard pages' rules that need no user: the version line, the agreement file, the
// destination rules for a picked folder, and the group-name checks against the prefix's own
// Startup folders.
#include "app/SetupSettings.h"
#include "install/Registry.h"
#include "res/resource.h"
#include "support/AppContract.h"
#include "tests/support/Scratch.h"
#include "wizard/AgreementDlg.h"
#include "wizard/FolderDlg.h"
#include "wizard/GroupDlg.h"
#include "wizard/IntoDlg.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <vector>

namespace {

TEST(IntoDlg, VersionLine)
{
    struct Case {
        DWORD major, minor, build, revision;
        const char* firstLine;
    } const cases[] = {
        {6, 0, 2, 0, "Lumetra ver. 6.00.02 "},
        {6, 0, 2, 3, "Lumetra ver. 6.00.02 Beta 3"},
        {6, 12, 34, 0, "Lumetra ver. 6.12.34 "},
        {6, 100, 65535, 65535, "Lumetra ver. 6.100.65535 Beta 65535"},
    };
    for (const Case& c : cases) {
        std::string text = CIntoDlg::formatVersionText("Lumetra ver. %d.%02d.%02d %s\nline two\nline three", c.major,
                                                       c.minor, c.build, c.revision);
        EXPECT_EQ(text, std::string(c.firstLine) + "\nline two\nline three");
    }
}

TEST(AgreementDlg, FileReadAsItIs)
{
    ScratchDir scratch;
    struct Case {
        std::string content;
    } const cases[] = {
        {""},
        {"Licence\r\nwith CR LF\nand LF only\r\n"},
        {std::string("before\0after", 12)},
        {std::string(300000, 'x') + "\xE9\xFF"},
    };
    for (const Case& c : cases) {
        writeFile(scratch / "agreement.txt", c.content);
        EXPECT_EQ(CAgreementDlg::readAgreementText((scratch / "agreement.txt").c_str()), c.content);
    }
    EXPECT_EQ(CAgreementDlg::readAgreementText((scratch / "missing.txt").c_str()), "");
}

TEST(AgreementDlg, FileComesFromTheSetupsFolder)
{
    setupSettings.sourceDir = "C:\\Package";
    EXPECT_EQ(CAgreementDlg::agreementPath(), "C:\\Package\\agreement.txt");
    setupSettings.sourceDir.clear();
    EXPECT_EQ(CAgreementDlg::agreementPath(), "agreement.txt");
}

TEST(FolderDlg, CountDirectoryEntries)
{
    ScratchDir scratch;
    EXPECT_EQ(CFolderDlg::countDirectoryEntries(scratch.path()), 0);
    EXPECT_EQ(CFolderDlg::countDirectoryEntries(scratch / "missing"), 0);
    EXPECT_EQ(CFolderDlg::countDirectoryEntries(""), 0);
    writeFile(scratch / "a.txt", "");
    makeDirs(scratch / "sub");
    writeFile(scratch / "sub\\inner.txt", "");
    writeFile(scratch / ".hidden", "");
    EXPECT_EQ(CFolderDlg::countDirectoryEntries(scratch.path()), 3);
    EXPECT_EQ(CFolderDlg::countDirectoryEntries(scratch.path() + "\\"), 3);
}

TEST(FolderDlg, DestinationRulesForAPickedFolder)
{
    ScratchDir scratch;
    struct Case {
        const char* folder;
        std::vector<const char*> files;
        bool oldVersion;
        const char* destination; // relative to the folder
    } const cases[] = {
        {"empty", {}, false, ""},
        {"missing", {nullptr}, false, ""},
        {"product", {"LmtCap6.exe", "readme.txt"}, false, ""},
        {"other", {"something.txt"}, false, "\\Lumetra 6"},
        {"old4", {"LmtCap.exe"}, true, "\\Lumetra 6"},
        {"old5", {"LmtCap5.exe", "LmtCap6.exe"}, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        std::string folder = scratch / c.folder;
        bool create = c.files.empty() || c.files[0] != nullptr;
        if (create)
            makeDirs(folder);
        for (const char* file : c.files) {
            if (file)
                writeFile(folder + "\\" + file, "");
        }
        EXPECT_EQ(CFolderDlg::holdsOldVersion(folder), c.oldVersion);
        EXPECT_EQ(CFolderDlg::destinationForFolder(folder), folder + c.destination);
    }
}

TEST(FolderDlg, DriveRootGetsOneBackslash)
{
    // The system drive always holds something.
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string root(windows, 3);
    EXPECT_EQ(CFolderDlg::destinationForFolder(root), root + "Lumetra 6");
}

// Stands in for the browse dialog: remembers the selection it is asked for.
std::string g_requestedSelection;
WPARAM g_requestedIsPath = 0;

LRESULT CALLBACK recordSelection(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == BFFM_SETSELECTIONA) {
        g_requestedIsPath = wParam;
        g_requestedSelection = reinterpret_cast<const char*>(lParam);
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

// Answers the first message box titled "Lumetra Setup" with OK and keeps its text.
DWORD WINAPI answerMessageBox(LPVOID text)
{
    for (int i = 0; i < 400; i++) {
        HWND box = FindWindowA("#32770", "Lumetra Setup");
        if (box && IsWindowVisible(box)) {
            char buffer[1024] = "";
            GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
            *static_cast<std::string*>(text) = buffer;
            PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
            return 0;
        }
        Sleep(50);
    }
    return 1;
}

TEST(FolderDlg, BrowseCallbackOpensAtTheDestination)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = recordSelection;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "LmtBrowseStandIn";
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(hWnd);
    setupSettings.installDir = "C:\\Program Files\\Lumetra 6";
    EXPECT_EQ(CFolderDlg::browseCallback(hWnd, BFFM_INITIALIZED, 0, 0), 0);
    EXPECT_EQ(g_requestedSelection, "C:\\Program Files\\Lumetra 6");
    EXPECT_NE(g_requestedIsPath, 0u);
    g_requestedSelection.clear();
    EXPECT_EQ(CFolderDlg::browseCallback(hWnd, BFFM_SELCHANGED, 0, 0), 0);
    EXPECT_EQ(g_requestedSelection, "");
    DestroyWindow(hWnd);
    setupSettings.installDir.clear();
}

TEST(FolderDlg, BrowseCallbackRefusesAnInvalidTypedName)
{
    std::string shown;
    HANDLE answerer = CreateThread(nullptr, 0, answerMessageBox, &shown, 0, nullptr);
    char typed[] = "C:\\no such:folder";
    // 1 keeps the browse dialog open for another try.
    EXPECT_EQ(CFolderDlg::browseCallback(nullptr, BFFM_VALIDATEFAILEDA, reinterpret_cast<LPARAM>(typed), 0), 1);
    WaitForSingleObject(answerer, 30000);
    CloseHandle(answerer);
    EXPECT_EQ(shown, "You have entered and invalid folder name. Please correct.\nIf you want to create a new folder, "
                     "select its parent folder in the list and click \"Make New Foilder\" button.");
}

TEST(GroupDlg, NameChecks)
{
    std::string startup = readRegistryString(HKEY_CURRENT_USER, contract::kShellFoldersKey, "Startup");
    ASSERT_STRCASEEQ(startup.substr(startup.rfind('\\') + 1).c_str(), "startup") << startup;
    struct Case {
        const char* trimmedName;
        UINT refusal;
    } const cases[] = {
        {"", IDS_GROUP_TOO_SHORT},
        {"ab", IDS_GROUP_TOO_SHORT},
        {"abc", 0},
        {"123", 0},
        {"Startup", IDS_GROUP_IS_STARTUP},
        {"STARTUP", IDS_GROUP_IS_STARTUP},
        {"startup", IDS_GROUP_IS_STARTUP},
        {"Startup Tools", 0},
        {"Tools\\Startup", 0},
        {"Lumetra 6", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trimmedName);
        EXPECT_EQ(CGroupDlg::refusalOf(c.trimmedName), c.refusal);
    }
}

TEST(GroupDlg, AllUsersStartupFolderRefusesItsNameToo)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, contract::kShellFoldersKey, &key), ERROR_SUCCESS);
    char saved[MAX_PATH] = "";
    DWORD size = sizeof saved;
    bool had = RegQueryValueExA(key, "Common Startup", nullptr, nullptr, reinterpret_cast<BYTE*>(saved), &size) ==
               ERROR_SUCCESS;
    const char common[] = "C:\\ProgramData\\Menu\\Autostart";
    RegSetValueExA(key, "Common Startup", 0, REG_SZ, reinterpret_cast<const BYTE*>(common), sizeof common);

    EXPECT_EQ(CGroupDlg::refusalOf("autostart"), static_cast<UINT>(IDS_GROUP_IS_STARTUP));
    EXPECT_EQ(CGroupDlg::refusalOf("Menu"), 0u);

    if (had)
        RegSetValueExA(key, "Common Startup", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved), size);
    else
        RegDeleteValueA(key, "Common Startup");
    RegCloseKey(key);
}

} // namespace
