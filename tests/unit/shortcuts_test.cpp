// createShortcut through the real shell link object: each saved file is read back through the
// same object; the installed log gets a line exactly when a file was saved. The two fixed
// messages are shown by a link object that refuses the target or the description.
#include "support/Scratch.h"
#include "app/SetupSettings.h"
#include "install/Shortcuts.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <atomic>
#include <thread>
#include <vector>

namespace {

struct LinkContents {
    std::string path, workingDir, description, arguments;
};

LinkContents readShortcut(const std::string& linkPath)
{
    LinkContents contents;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return contents;
    IPersistFile* file = nullptr;
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(wide, STGM_READ))) {
        char text[1024];
        if (SUCCEEDED(link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH)))
            contents.path = text;
        if (SUCCEEDED(link->GetWorkingDirectory(text, sizeof text)))
            contents.workingDir = text;
        if (SUCCEEDED(link->GetDescription(text, sizeof text)))
            contents.description = text;
        if (SUCCEEDED(link->GetArguments(text, sizeof text)))
            contents.arguments = text;
    }
    if (file)
        file->Release();
    link->Release();
    return contents;
}

class CreateShortcut : public ::testing::Test {
protected:
    ScratchDir scratch;
    std::string folder = scratch / "Start Menu\\Lumetra 6";

    void SetUp() override
    {
        setupSettings.installDir = scratch / "inst";
        makeDirs(setupSettings.installDir);
        makeDirs(folder);
        writeFile(setupSettings.installDir + "\\LmtCap6.exe", "app");
    }
    std::string logText() const { return readFile(setupSettings.installDir + "\\LmtUnInst.log"); }
};

TEST_F(CreateShortcut, SavesTargetAndWorkingDirectoryAndLogsTheFile)
{
    const std::string target = setupSettings.installDir + "\\LmtCap6.exe";
    const std::string link = folder + "\\Lumetra 6.lnk";
    EXPECT_TRUE(SUCCEEDED(createShortcut("\"" + target + "\"", link, "%APPDATA%")));
    ASSERT_TRUE(fileExists(link));
    LinkContents contents = readShortcut(link);
    EXPECT_EQ(contents.path, target) << "stored without its quotes";
    EXPECT_EQ(contents.workingDir, "%APPDATA%") << "stored unexpanded";
    EXPECT_EQ(contents.description, "");
    EXPECT_EQ(contents.arguments, "");
    EXPECT_EQ(logText(), "Shell Link: " + link + "\r\n");
}

TEST_F(CreateShortcut, QuotesAreDroppedOnlyAtTheEnds)
{
    const std::string target = setupSettings.installDir + "\\LmtCap6.exe";
    const struct {
        std::string given;
        const char* linkName;
    } cases[] = {
        {target, "plain.lnk"},
        {"\"" + target + "\"", "both.lnk"},
        {"\"" + target, "opening.lnk"},
        {target + "\"", "closing.lnk"},
    };
    for (const auto& c : cases) {
        std::string link = folder + "\\" + c.linkName;
        EXPECT_TRUE(SUCCEEDED(createShortcut(c.given, link, nullptr))) << c.linkName;
        LinkContents contents = readShortcut(link);
        EXPECT_EQ(contents.path, target) << c.linkName;
        EXPECT_EQ(contents.workingDir, "") << c.linkName;
    }
}

TEST_F(CreateShortcut, MissingFolderGivesNoFileAndNoLine)
{
    const std::string link = scratch / "missing\\Lumetra 6.lnk";
    EXPECT_TRUE(FAILED(createShortcut(setupSettings.installDir + "\\LmtCap6.exe", link, nullptr)));
    EXPECT_FALSE(fileExists(link));
    EXPECT_EQ(logText(), "");
}

TEST_F(CreateShortcut, SavingAgainReplacesTheFileAndLogsAgain)
{
    const std::string link = folder + "\\Lumetra 6.lnk";
    writeFile(setupSettings.installDir + "\\readme.txt", "r");
    createShortcut(setupSettings.installDir + "\\LmtCap6.exe", link, "%APPDATA%");
    createShortcut(setupSettings.installDir + "\\readme.txt", link, nullptr);
    EXPECT_EQ(readShortcut(link).path, setupSettings.installDir + "\\readme.txt");
    EXPECT_EQ(logText(), "Shell Link: " + link + "\r\nShell Link: " + link + "\r\n");
}

TEST_F(CreateShortcut, PathsBeyondTheWorkingBuffersAreRefused)
{
    const std::string longLink = folder + "\\" + std::string(260, 'l') + ".lnk";
    EXPECT_TRUE(FAILED(createShortcut(setupSettings.installDir + "\\LmtCap6.exe", longLink, nullptr)));
    const std::string link = folder + "\\long target.lnk";
    EXPECT_TRUE(FAILED(createShortcut("C:\\" + std::string(520, 't'), link, nullptr)));
    EXPECT_FALSE(fileExists(link));
    EXPECT_EQ(logText(), "");
}

// A shell link object that refuses the target and/or the description and passes everything
// else to a real one.
class RefusingLink : public IShellLinkA {
public:
    RefusingLink(IShellLinkA* real, bool refusePath, bool refuseDescription)
        : m_real(real), m_refusePath(refusePath), m_refuseDescription(refuseDescription)
    {
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override { return m_real->QueryInterface(riid, ppv); }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetPath(LPSTR a, int b, WIN32_FIND_DATAA* c, DWORD d) override { return m_real->GetPath(a, b, c, d); }
    HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE* a) override { return m_real->GetIDList(a); }
    HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE a) override { return m_real->SetIDList(a); }
    HRESULT STDMETHODCALLTYPE GetDescription(LPSTR a, int b) override { return m_real->GetDescription(a, b); }
    HRESULT STDMETHODCALLTYPE SetDescription(LPCSTR a) override
    {
        return m_refuseDescription ? E_FAIL : m_real->SetDescription(a);
    }
    HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPSTR a, int b) override { return m_real->GetWorkingDirectory(a, b); }
    HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCSTR a) override { return m_real->SetWorkingDirectory(a); }
    HRESULT STDMETHODCALLTYPE GetArguments(LPSTR a, int b) override { return m_real->GetArguments(a, b); }
    HRESULT STDMETHODCALLTYPE SetArguments(LPCSTR a) override { return m_real->SetArguments(a); }
    HRESULT STDMETHODCALLTYPE GetHotkey(WORD* a) override { return m_real->GetHotkey(a); }
    HRESULT STDMETHODCALLTYPE SetHotkey(WORD a) override { return m_real->SetHotkey(a); }
    HRESULT STDMETHODCALLTYPE GetShowCmd(int* a) override { return m_real->GetShowCmd(a); }
    HRESULT STDMETHODCALLTYPE SetShowCmd(int a) override { return m_real->SetShowCmd(a); }
    HRESULT STDMETHODCALLTYPE GetIconLocation(LPSTR a, int b, int* c) override { return m_real->GetIconLocation(a, b, c); }
    HRESULT STDMETHODCALLTYPE SetIconLocation(LPCSTR a, int b) override { return m_real->SetIconLocation(a, b); }
    HRESULT STDMETHODCALLTYPE SetRelativePath(LPCSTR a, DWORD b) override { return m_real->SetRelativePath(a, b); }
    HRESULT STDMETHODCALLTYPE Resolve(HWND a, DWORD b) override { return m_real->Resolve(a, b); }
    HRESULT STDMETHODCALLTYPE SetPath(LPCSTR a) override { return m_refusePath ? E_FAIL : m_real->SetPath(a); }

private:
    IShellLinkA* m_real;
    bool m_refusePath;
    bool m_refuseDescription;
};

// Answers every message box of the given caption with OK and keeps the texts, until stopped.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(const char* caption) : m_caption(caption), m_thread([this] { run(); }) {}
    ~MessageBoxAnswerer()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    std::vector<std::string> texts()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        return m_texts;
    }

private:
    void run()
    {
        while (!m_stop) {
            HWND box = FindWindowA("#32770", m_caption);
            if (box && IsWindowVisible(box)) {
                char text[256] = "";
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                m_texts.push_back(text);
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                while (IsWindow(box))
                    Sleep(10);
            }
            Sleep(10);
        }
    }
    const char* m_caption;
    std::atomic<bool> m_stop{false};
    std::vector<std::string> m_texts;
    std::thread m_thread;
};

class ShortcutMessages : public CreateShortcut, public ::testing::WithParamInterface<std::pair<bool, bool>> {
};

TEST_P(ShortcutMessages, RefusedTargetOrDescriptionIsShownAndTheFileIsStillSavedAndLogged)
{
    if (!getenv("DISPLAY"))
        GTEST_SKIP() << "message boxes need a display";
    const bool refusePath = GetParam().first, refuseDescription = GetParam().second;
    createShortcut(setupSettings.installDir + "\\LmtCap6.exe", folder + "\\warm-up.lnk", nullptr); // initialises COM
    DeleteFileA((setupSettings.installDir + "\\LmtUnInst.log").c_str());
    IShellLinkA* real = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           reinterpret_cast<void**>(&real))));
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(real->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    RefusingLink link(real, refusePath, refuseDescription);
    const std::string linkPath = folder + "\\refused.lnk";
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);

    HRESULT hr;
    std::vector<std::string> texts;
    {
        MessageBoxAnswerer answerer("Lumetra Setup");
        hr = writeShortcut(&link, file, setupSettings.installDir + "\\LmtCap6.exe", linkPath, wide, nullptr);
        texts = answerer.texts();
    }
    file->Release();
    real->Release();

    std::vector<std::string> expected;
    if (refusePath)
        expected.push_back("SetPath failed!");
    if (refuseDescription)
        expected.push_back("SetDescription failed!");
    EXPECT_EQ(texts, expected);
    EXPECT_TRUE(SUCCEEDED(hr));
    EXPECT_TRUE(fileExists(linkPath));
    EXPECT_EQ(logText(), "Shell Link: " + linkPath + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Refusals, ShortcutMessages,
                         ::testing::Values(std::make_pair(true, false), std::make_pair(false, true),
                                           std::make_pair(true, true)));

} // namespace
