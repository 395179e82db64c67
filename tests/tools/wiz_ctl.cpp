// wiz_ctl: what the wizard tests need beyond winctl. The wizard's pages are child dialogs whose
// control ids repeat the frame's (the scope button 1002 and the frame's picture 1002), and the
// folder-browse dialog has a caption of the system's choosing. See the usage text below.
#include "tests/tools/ToolCommon.h"
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using tool::className;
using tool::windowText;

const char kUsage[] =
    "usage: wiz_ctl COMMAND [ARGS]\n"
    "  page-click CAPTION ID   press a control of the page shown in the frame of that caption\n"
    "  page-edit CAPTION ID    print an edit control's selection, first visible line and line count\n"
    "  layout CAPTION          print the picture's and the page's rectangles (frame client pixels)\n"
    "  browse-wait             wait until the folder-browse dialog is up; print its caption\n"
    "  browse-dump             print the browse dialog's title text and its selected tree item\n"
    "  browse-choose PATH      type PATH into the browse dialog's edit box and press OK\n"
    "  browse-select PATH      select PATH (\"C:\\dir\\sub\") in the browse dialog's folder tree\n"
    "  browse-ok               press OK as it is\n"
    "  browse-cancel           press Cancel\n"
    "  browse-gone             wait until the browse dialog has closed\n"
    "  watch-install CAPTION RESUMEFILE\n"
    "                          wait until the frame is installing (Next disabled), hold the setup's\n"
    "                          thread there, print the state, and let it go on once RESUMEFILE exists\n";

const DWORD kTimeoutMs = 20000;
const int IDC_BACK_ID = 3;

// The first descendant of the given class, or null.
struct DescendantSearch {
    const char* cls;
    HWND found;
};

BOOL CALLBACK considerDescendant(HWND hWnd, LPARAM lParam)
{
    DescendantSearch* search = reinterpret_cast<DescendantSearch*>(lParam);
    if (className(hWnd) == search->cls && IsWindowVisible(hWnd)) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND findDescendant(HWND hParent, const char* cls)
{
    DescendantSearch search = {cls, nullptr};
    EnumChildWindows(hParent, considerDescendant, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The wizard frame: a visible dialog of that caption with the picture (1002) as its own child.
struct FrameSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK considerFrame(HWND hWnd, LPARAM lParam)
{
    FrameSearch* search = reinterpret_cast<FrameSearch*>(lParam);
    if (IsWindowVisible(hWnd) && className(hWnd) == "#32770" && windowText(hWnd) == search->caption) {
        HWND picture = GetDlgItem(hWnd, 1002);
        if (picture && className(picture) == "Static") {
            search->found = hWnd;
            return FALSE;
        }
    }
    return TRUE;
}

HWND findFrame(const char* caption)
{
    FrameSearch search = {caption, nullptr};
    EnumWindows(considerFrame, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The page shown: the frame's visible child dialog.
HWND findPage(HWND hFrame)
{
    for (HWND h = GetWindow(hFrame, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (className(h) == "#32770" && IsWindowVisible(h))
            return h;
    }
    return nullptr;
}

// The browse dialog: a visible top-level dialog holding a folder tree.
BOOL CALLBACK considerBrowse(HWND hWnd, LPARAM lParam)
{
    if (IsWindowVisible(hWnd) && className(hWnd) == "#32770" && findDescendant(hWnd, WC_TREEVIEWA)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND findBrowse()
{
    HWND found = nullptr;
    EnumWindows(considerBrowse, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND waitForBrowse()
{
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND h = findBrowse())
            return h;
        if (GetTickCount() - start >= kTimeoutMs)
            return nullptr;
        Sleep(50);
    }
}

void printRect(const char* name, HWND hFrame, HWND hWnd)
{
    RECT r;
    GetWindowRect(hWnd, &r);
    MapWindowPoints(nullptr, hFrame, reinterpret_cast<POINT*>(&r), 2);
    printf("%s x=%ld y=%ld w=%ld h=%ld visible=%d\n", name, r.left, r.top, r.right - r.left, r.bottom - r.top,
           IsWindowVisible(hWnd) ? 1 : 0);
}

int layout(const char* caption)
{
    HWND hFrame = findFrame(caption);
    if (!hFrame)
        return 1;
    printRect("picture", hFrame, GetDlgItem(hFrame, 1002));
    if (HWND hPage = findPage(hFrame))
        printRect("page", hFrame, hPage);
    RECT client;
    GetClientRect(hFrame, &client);
    printf("client w=%ld h=%ld\n", client.right, client.bottom);
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(hFrame, nullptr), &info);
    printf("active=%d foreground=%d\n", info.hwndActive == hFrame ? 1 : 0, GetForegroundWindow() == hFrame ? 1 : 0);
    return 0;
}

int pageClick(const char* caption, int id)
{
    HWND hFrame = findFrame(caption);
    HWND hPage = hFrame ? findPage(hFrame) : nullptr;
    HWND hControl = hPage ? GetDlgItem(hPage, id) : nullptr;
    if (!hControl) {
        fprintf(stderr, "wiz_ctl: no control %d on the page of \"%s\"\n", id, caption);
        return 1;
    }
    PostMessageA(hControl, BM_CLICK, 0, 0);
    return 0;
}

// Tree items live in the other process: their texts are read through a buffer allocated there.
class RemoteTree {
public:
    explicit RemoteTree(HWND hTree) : m_hTree(hTree)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(hTree, &pid);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process)
            m_remote = static_cast<BYTE*>(
                VirtualAllocEx(m_process, nullptr, sizeof(TVITEMA) + kTextSize, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteTree()
    {
        if (m_remote)
            VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
        if (m_process)
            CloseHandle(m_process);
    }
    RemoteTree(const RemoteTree&) = delete;
    RemoteTree& operator=(const RemoteTree&) = delete;

    std::string text(HTREEITEM item)
    {
        if (!m_remote || !item)
            return "";
        TVITEMA tvi = {};
        tvi.mask = TVIF_TEXT;
        tvi.hItem = item;
        tvi.pszText = reinterpret_cast<char*>(m_remote + sizeof(TVITEMA));
        tvi.cchTextMax = static_cast<int>(kTextSize);
        WriteProcessMemory(m_process, m_remote, &tvi, sizeof tvi, nullptr);
        SendMessageA(m_hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(m_remote));
        char buffer[kTextSize] = "";
        ReadProcessMemory(m_process, m_remote + sizeof(TVITEMA), buffer, kTextSize - 1, nullptr);
        return buffer;
    }
    HTREEITEM next(HTREEITEM item, UINT relation)
    {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(m_hTree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    // The children of an item, expanded first as a click on its button would.
    HTREEITEM firstChild(HTREEITEM item)
    {
        SendMessageA(m_hTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        return next(item, TVGN_CHILD);
    }
    void select(HTREEITEM item)
    {
        SendMessageA(m_hTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        SendMessageA(m_hTree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    }

private:
    static const size_t kTextSize = 520;
    HWND m_hTree;
    HANDLE m_process = nullptr;
    BYTE* m_remote = nullptr;
};

int pageEdit(const char* caption, int id)
{
    HWND hFrame = findFrame(caption);
    HWND hPage = hFrame ? findPage(hFrame) : nullptr;
    HWND hEdit = hPage ? GetDlgItem(hPage, id) : nullptr;
    if (!hEdit)
        return 1;
    DWORD selection = static_cast<DWORD>(SendMessageA(hEdit, EM_GETSEL, 0, 0));
    printf("sel=%u,%u firstline=%d lines=%d\n", LOWORD(selection), HIWORD(selection),
           static_cast<int>(SendMessageA(hEdit, EM_GETFIRSTVISIBLELINE, 0, 0)),
           static_cast<int>(SendMessageA(hEdit, EM_GETLINECOUNT, 0, 0)));
    return 0;
}

std::string selectedTreeItem(HWND hTree)
{
    RemoteTree tree(hTree);
    return tree.text(tree.next(nullptr, TVGN_CARET));
}

// The drive's item, a few levels down (Desktop, My Computer, then "(C:)"): the first item whose
// text holds "(C:)".
HTREEITEM findDrive(RemoteTree& tree, HTREEITEM first, const std::string& label, int depth)
{
    for (HTREEITEM item = first; item; item = tree.next(item, TVGN_NEXT)) {
        if (tree.text(item).find(label) != std::string::npos)
            return item;
    }
    if (depth == 0)
        return nullptr;
    for (HTREEITEM item = first; item; item = tree.next(item, TVGN_NEXT)) {
        if (HTREEITEM found = findDrive(tree, tree.firstChild(item), label, depth - 1))
            return found;
    }
    return nullptr;
}

int browseTree()
{
    HWND hBrowse = waitForBrowse();
    HWND hTree = hBrowse ? findDescendant(hBrowse, WC_TREEVIEWA) : nullptr;
    if (!hTree)
        return 1;
    RemoteTree tree(hTree);
    for (HTREEITEM top = tree.next(nullptr, TVGN_ROOT); top; top = tree.next(top, TVGN_NEXT)) {
        printf("item %s\n", tree.text(top).c_str());
        for (HTREEITEM child = tree.firstChild(top); child; child = tree.next(child, TVGN_NEXT))
            printf("  item %s\n", tree.text(child).c_str());
    }
    fflush(stdout);
    return 0;
}

// Selects a folder in the tree the way a user clicks down to it: drive, then each folder.
int browseSelect(const char* path)
{
    HWND hBrowse = waitForBrowse();
    HWND hTree = hBrowse ? findDescendant(hBrowse, WC_TREEVIEWA) : nullptr;
    if (!hTree)
        return 1;
    RemoteTree tree(hTree);
    std::string rest = path;
    size_t slash = rest.find('\\');
    HTREEITEM item = findDrive(tree, tree.next(nullptr, TVGN_ROOT), "(" + rest.substr(0, slash) + ")", 2);
    rest = slash == std::string::npos ? "" : rest.substr(slash + 1);
    while (item && !rest.empty()) {
        slash = rest.find('\\');
        std::string name = rest.substr(0, slash);
        rest = slash == std::string::npos ? "" : rest.substr(slash + 1);
        HTREEITEM child = tree.firstChild(item);
        while (child && lstrcmpiA(tree.text(child).c_str(), name.c_str()) != 0)
            child = tree.next(child, TVGN_NEXT);
        item = child;
    }
    if (!item) {
        fprintf(stderr, "wiz_ctl: no tree item for %s\n", path);
        return 1;
    }
    tree.select(item);
    return 0;
}

BOOL CALLBACK printStatic(HWND hWnd, LPARAM)
{
    if (className(hWnd) == "Static" && IsWindowVisible(hWnd) && !windowText(hWnd).empty())
        printf("static text=%s\n", windowText(hWnd).c_str());
    return TRUE;
}

int browseDump()
{
    HWND hBrowse = findBrowse();
    if (!hBrowse)
        return 1;
    printf("browse caption=%s enabled=%d\n", windowText(hBrowse).c_str(), IsWindowEnabled(hBrowse) ? 1 : 0);
    EnumChildWindows(hBrowse, printStatic, 0);
    if (HWND hEdit = findDescendant(hBrowse, "Edit"))
        printf("edit text=%s\n", windowText(hEdit).c_str());
    printf("selected=%s\n", selectedTreeItem(findDescendant(hBrowse, WC_TREEVIEWA)).c_str());
    fflush(stdout);
    return 0;
}

int browsePress(int id, const char* typedPath)
{
    HWND hBrowse = waitForBrowse();
    if (!hBrowse)
        return 1;
    if (typedPath) {
        HWND hEdit = findDescendant(hBrowse, "Edit");
        if (!hEdit)
            return 1;
        SendMessageTimeoutA(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typedPath), SMTO_ABORTIFHUNG, 2000,
                            nullptr);
    }
    HWND hButton = GetDlgItem(hBrowse, id);
    if (!hButton)
        return 1;
    PostMessageA(hButton, BM_CLICK, 0, 0);
    return 0;
}

int browseGone()
{
    DWORD start = GetTickCount();
    while (findBrowse()) {
        if (GetTickCount() - start >= kTimeoutMs)
            return 1;
        Sleep(50);
    }
    return 0;
}

// Text without a message to the window's thread, which is busy (or held) while installing.
std::string storedText(HWND hWnd)
{
    WCHAR text[1024] = L"";
    InternalGetWindowText(hWnd, text, 1024);
    char narrow[2048] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

void printState(HWND hWnd)
{
    printf("ctrl id=%d visible=%d enabled=%d text=%s\n", GetDlgCtrlID(hWnd), IsWindowVisible(hWnd) ? 1 : 0,
           IsWindowEnabled(hWnd) ? 1 : 0, storedText(hWnd).c_str());
}

int watchInstall(const char* caption, const char* resumeFile)
{
    DWORD start = GetTickCount();
    HWND hFrame = nullptr;
    HWND hCancel = nullptr;
    // Polled without sleeping: the installation of a small package takes a fraction of a second.
    // Cancel is the last button the frame disables before it starts installing.
    while (!hCancel || IsWindowEnabled(hCancel)) {
        if (GetTickCount() - start >= 60000)
            return 1;
        if (!hFrame) {
            hFrame = findFrame(caption);
            hCancel = hFrame ? GetDlgItem(hFrame, IDCANCEL) : nullptr;
        }
        Sleep(0);
    }
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(hFrame, nullptr));
    if (!thread)
        return 1;
    SuspendThread(thread);
    if (IsWindowEnabled(GetDlgItem(hFrame, IDOK))) {
        // Held too late: the installation had already ended.
        printf("missed\n");
        fflush(stdout);
        ResumeThread(thread);
        CloseHandle(thread);
        return 3;
    }
    for (int id : {IDC_BACK_ID, IDOK, IDCANCEL})
        printState(GetDlgItem(hFrame, id));
    if (HWND hPage = findPage(hFrame)) {
        for (int id : {1010, 1011, 1009, 1012})
            printState(GetDlgItem(hPage, id));
    }
    printf("held\n");
    fflush(stdout);
    while (GetFileAttributesA(resumeFile) == INVALID_FILE_ATTRIBUTES && GetTickCount() - start < 90000)
        Sleep(50);
    ResumeThread(thread);
    CloseHandle(thread);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "page-click" && argc == 4)
        return pageClick(argv[2], atoi(argv[3]));
    if (command == "page-edit" && argc == 4)
        return pageEdit(argv[2], atoi(argv[3]));
    if (command == "layout" && argc == 3)
        return layout(argv[2]);
    if (command == "browse-wait" && argc == 2) {
        HWND h = waitForBrowse();
        if (h)
            printf("browse caption=%s\n", windowText(h).c_str());
        return h ? 0 : 1;
    }
    if (command == "browse-dump" && argc == 2)
        return browseDump();
    if (command == "browse-choose" && argc == 3)
        return browsePress(IDOK, argv[2]);
    if (command == "browse-tree" && argc == 2)
        return browseTree();
    if (command == "browse-select" && argc == 3)
        return browseSelect(argv[2]);
    if (command == "browse-ok" && argc == 2)
        return browsePress(IDOK, nullptr);
    if (command == "browse-cancel" && argc == 2)
        return browsePress(IDCANCEL, nullptr);
    if (command == "watch-install" && argc == 4)
        return watchInstall(argv[2], argv[3]);
    if (command == "browse-gone" && argc == 2)
        return browseGone();
    fputs(kUsage, stderr);
    return 2;
}
