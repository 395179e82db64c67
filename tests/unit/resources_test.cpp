// The resources of the built setup.exe: every string of the string table byte for byte, and the
// dialog templates with their sizes, styles, fonts and controls.
#include "res/resource.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The setup executable of this build, loaded as data.
class SetupResources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const char* build = getenv("LMT_BUILD_DIR");
        ASSERT_NE(build, nullptr) << "LMT_BUILD_DIR names the build folder";
        std::string path = std::string("Z:") + build + "/setup.exe";
        for (char& c : path)
            if (c == '/')
                c = '\\';
        s_module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(s_module, nullptr) << path;
    }
    static void TearDownTestSuite() { FreeLibrary(s_module); }
    static HMODULE s_module;
};
HMODULE SetupResources::s_module = nullptr;

struct StringCase {
    UINT id;
    const char* text;
};

const StringCase kStrings[] = {
    {1, "1 instance of Lumetra is currently opened. If you click \"Yes\" button, SETUP will try to close it without saving any editing work you may have done. \n\nContinue installation?"},
    {2, "Lumetra Setup"},
    {3, "Setup of Lumetra aborted. Please close other instances of Lumetra manually, saving any editing work you have done in them, then restart this setup program."},
    {4, "%d instances of Lumetra are currently opened. ff you click \"Yes\" button, SETUP will try to close them without saving any editing work you may have done. \n\nContinue installation?"},
    {6, "This will completely uninstall Lumetra 6.\nDo you want to continue?"},
    {7, "Please accept the License Agreement"},
    {8, "&Finish >"},
    {9, "Lumetra 6 has been successfully installed."},
    {10, "Press the Finish button to exit this installation."},
    {11, "Do you really want to cancel Lumetra setup?"},
    {12, "Select the folder where where Lumetra should be installed."},
    {13, "You have entered and invalid folder name. Please correct.\nIf you want to create a new folder, select its parent folder in the list and click \"Make New Foilder\" button."},
    {14, "Lumetra ver. 6 can not be installed into the same folder where the old version 4 or 5 is installed. Please select a different folder."},
    {15, "Lumetra 6"},
    {16, "Lumetra v. %d.%02d.%02d.%02d is already installed on this machine. You are trying to install an older version %d.%02d.%02d.%02d .\n\nDo you still want to continue?"},
    {17, "Lumetra ver. %d.%02d.%02d.%02d is already installed on this machine.\n\nWould you like to run this setup again to select different options or repair the files?"},
    {18, "This setup files are damaged, installation aborted.\n\nPlease download the product again from http://www.orvanta.example and re-try the setup."},
    {19, "This folder already contains a previous copy of Lumetra 6. To upgrade or re-install that copy, please do not change the destination folder."},
    {20, "Lumetra 6 has been completely uninstalled from this computer."},
    {21, "Yes"},
    {22, "No"},
    {23, "Error: Please enter a valid group name, minimum 3 letters"},
    {24, "Error: Can not install shortcuts into this group, please select a different name."},
    {101, "Lumetra 6 Help"},
    {102, "Read about Lumetra 6"},
    {104, "Uninstall Lumetra 6"},
    {57344, "Lumetra Setup"},
};

TEST_F(SetupResources, StringTable)
{
    for (const StringCase& c : kStrings) {
        char buffer[1024] = "";
        int n = LoadStringA(s_module, c.id, buffer, sizeof buffer);
        EXPECT_EQ(std::string(buffer, n > 0 ? n : 0), c.text) << "string " << c.id;
    }
    char buffer[16];
    EXPECT_EQ(LoadStringA(s_module, 5, buffer, sizeof buffer), 0) << "string 5 does not exist";
}

// A parsed DLGTEMPLATEEX.
struct DialogItem {
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::string className;
    std::string text;
};
struct Dialog {
    DWORD style = 0;
    short cx = 0, cy = 0;
    std::string caption;
    int pointSize = 0;
    std::string font;
    std::vector<DialogItem> items;
};

class TemplateReader {
public:
    explicit TemplateReader(const BYTE* p) : m_p(p), m_start(p) {}
    WORD word() { WORD w; memcpy(&w, m_p, 2); m_p += 2; return w; }
    DWORD dword() { DWORD d; memcpy(&d, m_p, 4); m_p += 4; return d; }
    short shortValue() { return static_cast<short>(word()); }
    std::string wideString()
    {
        std::string s;
        for (WORD c = word(); c; c = word())
            s += static_cast<char>(c < 0x100 ? c : '?');
        return s;
    }
    // A name or an ordinal (0xFFFF followed by the number, written here as "#n").
    std::string nameOrOrdinal()
    {
        WORD first;
        memcpy(&first, m_p, 2);
        if (first == 0xFFFF) {
            word();
            return "#" + std::to_string(word());
        }
        return wideString();
    }
    void alignDword() { m_p = m_start + ((m_p - m_start + 3) & ~3); }

private:
    const BYTE* m_p;
    const BYTE* m_start;
};

// A class given by name in the template ("Button") is the same class as its ordinal form.
std::string classOrdinal(const std::string& name)
{
    static const char* const names[] = {"BUTTON", "EDIT", "STATIC"};
    for (int i = 0; i < 3; i++) {
        if (lstrcmpiA(name.c_str(), names[i]) == 0)
            return "#" + std::to_string(0x80 + i);
    }
    return name;
}

Dialog parseDialog(const BYTE* data)
{
    TemplateReader r(data);
    Dialog d;
    r.word();
    EXPECT_EQ(r.word(), 0xFFFF) << "an extended template";
    r.dword();
    r.dword();
    d.style = r.dword();
    WORD count = r.word();
    r.shortValue();
    r.shortValue();
    d.cx = r.shortValue();
    d.cy = r.shortValue();
    r.nameOrOrdinal();
    r.nameOrOrdinal();
    d.caption = r.wideString();
    if (d.style & DS_SETFONT) {
        d.pointSize = r.word();
        r.word();
        r.word();
        d.font = r.wideString();
    }
    for (WORD i = 0; i < count; i++) {
        r.alignDword();
        DialogItem item;
        r.dword();
        r.dword();
        item.style = r.dword();
        item.x = r.shortValue();
        item.y = r.shortValue();
        item.cx = r.shortValue();
        item.cy = r.shortValue();
        item.id = static_cast<int>(r.dword());
        item.className = classOrdinal(r.nameOrOrdinal());
        item.text = r.nameOrOrdinal();
        WORD extra = r.word();
        for (WORD e = 0; e < extra; e++)
            r.word();
        d.items.push_back(item);
    }
    return d;
}

struct ItemCase {
    int id;
    const char* className; // "#128" button, "#129" edit, "#130" static
    const char* text;
    short x, y, cx, cy;
    DWORD styleBits;       // bits that must be set
    bool visible;
};

struct DialogCase {
    UINT id;
    short cx, cy;
    bool page;             // child page: child, control, clip-siblings, clip-children, not visible
    std::vector<ItemCase> items;
};

const DWORD kPageStyle = WS_CHILD | DS_CONTROL | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

const std::vector<DialogCase>& dialogCases()
{
    static const std::vector<DialogCase> cases = {
        {IDD_SETUP, 318, 204, false, {
            {IDC_BACK, "#128", "< &Back", 147, 184, 50, 14, BS_PUSHBUTTON, true},
            {IDOK, "#128", "&Next >", 202, 184, 50, 14, BS_DEFPUSHBUTTON, true},
            {IDCANCEL, "#128", "Cancel", 257, 184, 50, 14, BS_PUSHBUTTON, true},
            {IDC_PICTURE, "#130", "#101", 11, 8, 81, 161, SS_BITMAP | SS_SUNKEN, false},
            {-1, "#130", "", 11, 176, 296, 1, SS_ETCHEDHORZ, true}}},
        {IDD_AGREEMENT, 313, 174, true, {
            {IDC_EDIT, "#129", "", 0, 0, 313, 155, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, true},
            {-1, "#130", "Do you accept this agreement?", 2, 160, 306, 10, 0, true}}},
        {IDD_INTO, 217, 161, true, {
            {-1, "#130", "Welcome to Lumetra Setup! This program will install Lumetra on your computer.", 5, 0, 207, 28, 0, true},
            {-1, "#130", "Please click the \"Next >\" button to continue setup, or \"Cancel\" button to abort.", 5, 32, 207, 18, 0, true},
            {IDC_VERSION, "#130", nullptr, 18, 72, 191, 25, 0, true},
            {-1, "#130", "http://www.orvanta.example", 18, 100, 191, 10, 0, true}}},
        {IDD_FOLDER, 217, 163, true, {
            {-1, "#130", "Please select how to install Lumetra:", 5, 0, 207, 10, 0, true},
            {IDC_SCOPE_USER, "#128", "Install for the Current User only", 8, 12, 205, 9, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, true},
            {IDC_SCOPE_ALL, "#128", "Install for All Users of this computer (you should be an Administrator to install that way)", 8, 23, 205, 29, BS_AUTORADIOBUTTON | BS_MULTILINE | BS_TOP, true},
            {-1, "#130", "Setup will install Lumetra into the following folder.", 5, 71, 207, 10, 0, true},
            {IDC_FOLDER_NOTE, "#130", "To install into a different folder, Click Browse, and select another one.", 5, 83, 205, 27, 0, true},
            {-1, "#128", "Destination Folder", 5, 111, 207, 51, BS_GROUPBOX, true},
            {IDC_DESTINATION, "#130", "Static", 11, 122, 197, 17, 0, true},
            {IDC_BROWSE, "#128", "B&rowse...", 134, 141, 71, 16, WS_TABSTOP, true}}},
        {IDD_GROUP, 217, 163, true, {
            {-1, "#130", "Enter the name of the Program Manager group to add Lumetra icons to:", 5, 28, 207, 17, 0, true},
            {IDC_AUTOSTART, "#128", "Auto-start Lumetra when Windows starts", 5, 88, 207, 10, BS_AUTOCHECKBOX | WS_TABSTOP, true},
            {IDC_DESKTOP_ICON, "#128", "Add Lumetra icon to the desktop", 5, 99, 207, 10, BS_AUTOCHECKBOX | WS_TABSTOP, true},
            {IDC_EDIT, "#129", "", 3, 48, 211, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, true}}},
        {IDD_START, 217, 163, true, {
            {IDC_READY_TEXT, "#130", "You are now ready to install Lumetra.", 5, 0, 207, 16, SS_LEFT, true},
            {IDC_READY_HINT, "#130", "Press the Next button to begin the installation or the Back button to change your selections.", 5, 19, 207, 28, SS_LEFT, true},
            {IDC_INSTALLING, "#130", "Installing Lumetra, please wait...", 5, 80, 207, 20, SS_CENTER, false},
            {IDC_RUN_AFTER, "#128", "Run Lumetra", 5, 66, 206, 11, BS_AUTOCHECKBOX, false}}},
    };
    return cases;
}

TEST_F(SetupResources, DialogTemplates)
{
    for (const DialogCase& c : dialogCases()) {
        SCOPED_TRACE("template " + std::to_string(c.id));
        HRSRC res = FindResourceA(s_module, MAKEINTRESOURCEA(c.id), reinterpret_cast<LPCSTR>(RT_DIALOG));
        ASSERT_NE(res, nullptr);
        Dialog d = parseDialog(static_cast<const BYTE*>(LockResource(LoadResource(s_module, res))));
        EXPECT_EQ(d.cx, c.cx);
        EXPECT_EQ(d.cy, c.cy);
        EXPECT_EQ(d.font, "MS Sans Serif");
        EXPECT_EQ(d.pointSize, 8);
        if (c.page) {
            EXPECT_EQ(d.style & kPageStyle, kPageStyle);
            EXPECT_EQ(d.style & WS_VISIBLE, 0u);
        } else {
            EXPECT_EQ(d.caption, "Lumetra Setup");
            EXPECT_EQ(d.style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
                      static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
        }
        ASSERT_EQ(d.items.size(), c.items.size());
        for (size_t i = 0; i < c.items.size(); i++) {
            const ItemCase& e = c.items[i];
            const DialogItem& a = d.items[i];
            SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(e.id));
            EXPECT_EQ(static_cast<short>(a.id), e.id);
            EXPECT_EQ(a.className, e.className);
            if (e.text) {
                EXPECT_EQ(a.text, e.text);
            }
            EXPECT_EQ(a.x, e.x);
            EXPECT_EQ(a.y, e.y);
            EXPECT_EQ(a.cx, e.cx);
            EXPECT_EQ(a.cy, e.cy);
            EXPECT_EQ(a.style & e.styleBits, e.styleBits);
            if (e.styleBits == BS_PUSHBUTTON && e.className == std::string("#128")) {
                EXPECT_EQ(a.style & 0x0F, static_cast<DWORD>(BS_PUSHBUTTON));
            }
            EXPECT_EQ((a.style & WS_VISIBLE) != 0, e.visible);
        }
    }
}

TEST_F(SetupResources, VersionLineFormat)
{
    HRSRC res = FindResourceA(s_module, MAKEINTRESOURCEA(IDD_INTO), reinterpret_cast<LPCSTR>(RT_DIALOG));
    ASSERT_NE(res, nullptr);
    Dialog d = parseDialog(static_cast<const BYTE*>(LockResource(LoadResource(s_module, res))));
    ASSERT_GE(d.items.size(), 3u);
    const std::string& format = d.items[2].text;
    EXPECT_EQ(format.rfind("Lumetra ver. %d.%02d.%02d %s\n", 0), 0u) << format;
    EXPECT_EQ(std::count(format.begin(), format.end(), '\n'), 2) << "three lines";
}

TEST_F(SetupResources, PictureIs120By260With256Colours)
{
    HRSRC res = FindResourceA(s_module, MAKEINTRESOURCEA(IDB_PICTURE), reinterpret_cast<LPCSTR>(RT_BITMAP));
    ASSERT_NE(res, nullptr);
    BITMAPINFOHEADER header;
    memcpy(&header, LockResource(LoadResource(s_module, res)), sizeof header);
    EXPECT_EQ(header.biWidth, 120);
    EXPECT_EQ(header.biHeight, 260);
    EXPECT_EQ(header.biBitCount, 8);
}

TEST_F(SetupResources, ManifestNamesTheAssemblyAndCommonControls6)
{
    HRSRC res = FindResourceA(s_module, MAKEINTRESOURCEA(1), reinterpret_cast<LPCSTR>(RT_MANIFEST));
    ASSERT_NE(res, nullptr);
    std::string manifest(static_cast<const char*>(LockResource(LoadResource(s_module, res))), SizeofResource(s_module, res));
    EXPECT_NE(manifest.find("name=\"Orvanta.Software.LmtUnInst\""), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
    EXPECT_NE(FindResourceA(s_module, MAKEINTRESOURCEA(IDR_MAINFRAME), reinterpret_cast<LPCSTR>(RT_GROUP_ICON)), nullptr);
}

} // namespace
