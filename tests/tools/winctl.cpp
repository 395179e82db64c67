// winctl: finds and drives top-level dialog windows of other processes, as a user would, for the
// wizard and message-box tests. See the usage text below.
#include "tests/tools/ToolCommon.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using tool::className;
using tool::windowText;

const char kUsage[] =
    "usage: winctl COMMAND CAPTION [ARGS] [--has-id N] [--timeout MS]\n"
    "  wait CAPTION            wait until the window is visible\n"
    "  gone CAPTION            wait until no such window exists\n"
    "  dump CAPTION            print the window, its owner and its controls\n"
    "  click CAPTION ID        press a button\n"
    "  key CAPTION enter|escape|tab   type a key into the focused control\n"
    "  settext CAPTION ID TEXT set a control's text\n"
    "  answer CAPTION ID       wait, dump, then press a button\n"
    "  rect CAPTION            print x y width height\n";

struct Selector {
    std::string caption;
    int hasId = -1;
};

struct Search {
    const Selector* selector;
    HWND best = nullptr;
    bool bestEnabled = false;
};

BOOL CALLBACK considerWindow(HWND hWnd, LPARAM lParam)
{
    Search* search = reinterpret_cast<Search*>(lParam);
    if (!IsWindowVisible(hWnd) || windowText(hWnd) != search->selector->caption)
        return TRUE;
    if (search->selector->hasId >= 0 && !GetDlgItem(hWnd, search->selector->hasId))
        return TRUE;
    bool enabled = IsWindowEnabled(hWnd) != FALSE;
    if (!search->best || (enabled && !search->bestEnabled)) {
        search->best = hWnd;
        search->bestEnabled = enabled;
    }
    return TRUE;
}

HWND findWindow(const Selector& selector)
{
    Search search{&selector};
    EnumWindows(considerWindow, reinterpret_cast<LPARAM>(&search));
    return search.best;
}

HWND waitForWindow(const Selector& selector, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND hWnd = findWindow(selector))
            return hWnd;
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        Sleep(50);
    }
}

std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            continue;
        else
            out += c;
    }
    return out;
}

HWND focusedControl(HWND hWnd)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(hWnd, nullptr);
    if (GetGUIThreadInfo(thread, &info))
        return info.hwndFocus;
    return nullptr;
}

// Which standard icon the message box shows: the icon control's screen pixels are compared
// with each candidate icon drawn here on the same background.
const char* messageBoxIcon(HWND hBox)
{
    HWND hIcon = nullptr;
    for (HWND h = GetWindow(hBox, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (className(h) == "Static" && (GetWindowLongA(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            IsWindowVisible(h))
            hIcon = h;
    }
    if (!hIcon)
        return "none";
    RedrawWindow(hBox, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(200);
    RECT rect;
    GetWindowRect(hIcon, &rect);
    const int size = 32;
    HDC screen = GetDC(nullptr);
    HDC shot = CreateCompatibleDC(screen);
    HBITMAP shotBitmap = CreateCompatibleBitmap(screen, size, size);
    SelectObject(shot, shotBitmap);
    BitBlt(shot, 0, 0, size, size, screen, rect.left, rect.top, SRCCOPY);
    COLORREF background = GetPixel(shot, 0, 0);

    struct Candidate { const char* name; LPCSTR id; } candidates[] = {
        {"exclamation", IDI_EXCLAMATION}, {"question", IDI_QUESTION},
        {"information", IDI_ASTERISK}, {"error", IDI_HAND}};
    const char* bestName = "none";
    int bestScore = -1;
    HDC draw = CreateCompatibleDC(screen);
    HBITMAP drawBitmap = CreateCompatibleBitmap(screen, size, size);
    SelectObject(draw, drawBitmap);
    HBRUSH brush = CreateSolidBrush(background);
    for (const Candidate& c : candidates) {
        RECT all = {0, 0, size, size};
        FillRect(draw, &all, brush);
        DrawIconEx(draw, 0, 0, LoadIconA(nullptr, c.id), size, size, 0, nullptr, DI_NORMAL);
        int score = 0;
        for (int y = 0; y < size; y++)
            for (int x = 0; x < size; x++)
                if (GetPixel(draw, x, y) == GetPixel(shot, x, y))
                    score++;
        if (score > bestScore) {
            bestScore = score;
            bestName = c.name;
        }
    }
    DeleteObject(brush);
    DeleteDC(draw);
    DeleteObject(drawBitmap);
    DeleteDC(shot);
    DeleteObject(shotBitmap);
    ReleaseDC(nullptr, screen);
    return bestName;
}

bool isMessageBox(HWND hWnd)
{
    return GetDlgItem(hWnd, 0xFFFF) != nullptr && className(hWnd) == "#32770";
}

int defaultButton(HWND hWnd)
{
    for (HWND h = GetWindow(hWnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (className(h) == "Button" && (GetWindowLongA(h, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON)
            return GetDlgCtrlID(h);
    }
    return 0;
}

BOOL CALLBACK dumpControl(HWND h, LPARAM lParam)
{
    HWND focus = reinterpret_cast<HWND>(lParam);
    std::string cls = className(h);
    LONG style = GetWindowLongA(h, GWL_STYLE);
    int checked = 0;
    if (cls == "Button") {
        DWORD_PTR state = 0;
        SendMessageTimeoutA(h, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
        checked = static_cast<int>(state);
    }
    printf("ctrl id=%d class=%s visible=%d enabled=%d focus=%d default=%d checked=%d text=%s\n", GetDlgCtrlID(h),
           cls.c_str(), IsWindowVisible(h) ? 1 : 0, IsWindowEnabled(h) ? 1 : 0, h == focus ? 1 : 0,
           cls == "Button" && (style & 0x0F) == BS_DEFPUSHBUTTON ? 1 : 0, checked, escaped(windowText(h)).c_str());
    return TRUE;
}

void dump(HWND hWnd)
{
    printf("window caption=%s class=%s enabled=%d\n", escaped(windowText(hWnd)).c_str(), className(hWnd).c_str(),
           IsWindowEnabled(hWnd) ? 1 : 0);
    if (HWND owner = GetWindow(hWnd, GW_OWNER))
        printf("owner caption=%s\n", escaped(windowText(owner)).c_str());
    if (isMessageBox(hWnd))
        printf("msgbox text=%s icon=%s default=%d\n", escaped(windowText(GetDlgItem(hWnd, 0xFFFF))).c_str(),
               messageBoxIcon(hWnd), defaultButton(hWnd));
    EnumChildWindows(hWnd, dumpControl, reinterpret_cast<LPARAM>(focusedControl(hWnd)));
    fflush(stdout);
}

HWND findControl(HWND hWnd, int id)
{
    if (HWND h = GetDlgItem(hWnd, id))
        return h;
    // Controls of a child page inside the dialog.
    for (HWND child = GetWindow(hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (HWND h = GetDlgItem(child, id))
            return h;
    }
    return nullptr;
}

int pressKey(HWND hWnd, const std::string& key)
{
    WPARAM vk = key == "enter" ? VK_RETURN : key == "escape" ? VK_ESCAPE : key == "tab" ? VK_TAB : 0;
    if (!vk)
        return 2;
    HWND target = focusedControl(hWnd);
    if (!target)
        target = hWnd;
    UINT scan = MapVirtualKeyA(static_cast<UINT>(vk), 0);
    PostMessageA(target, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fputs(kUsage, stderr);
        return 2;
    }
    std::string command = argv[1];
    Selector selector;
    selector.caption = argv[2];
    DWORD timeoutMs = 20000;
    std::vector<std::string> rest;
    for (int i = 3; i < argc; i++) {
        if (!strcmp(argv[i], "--has-id") && i + 1 < argc)
            selector.hasId = atoi(argv[++i]);
        else if (!strcmp(argv[i], "--timeout") && i + 1 < argc)
            timeoutMs = static_cast<DWORD>(atol(argv[++i]));
        else
            rest.push_back(argv[i]);
    }

    if (command == "gone") {
        DWORD start = GetTickCount();
        while (findWindow(selector)) {
            if (GetTickCount() - start >= timeoutMs)
                return 1;
            Sleep(50);
        }
        return 0;
    }
    HWND hWnd = (command == "wait" || command == "answer") ? waitForWindow(selector, timeoutMs) : findWindow(selector);
    if (!hWnd) {
        fprintf(stderr, "winctl: no window \"%s\"\n", selector.caption.c_str());
        return 1;
    }
    if (command == "wait")
        return 0;
    if (command == "dump") {
        dump(hWnd);
        return 0;
    }
    if (command == "rect") {
        RECT r;
        GetWindowRect(hWnd, &r);
        printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (command == "key" && rest.size() == 1)
        return pressKey(hWnd, rest[0]);
    if ((command == "click" || command == "answer") && rest.size() == 1) {
        if (command == "answer") {
            Sleep(300); // let the box finish painting before it is read
            dump(hWnd);
        }
        HWND button = findControl(hWnd, atoi(rest[0].c_str()));
        if (!button) {
            fprintf(stderr, "winctl: no control %s\n", rest[0].c_str());
            return 1;
        }
        PostMessageA(button, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == "settext" && rest.size() == 2) {
        HWND control = findControl(hWnd, atoi(rest[0].c_str()));
        if (!control)
            return 1;
        SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rest[1].c_str()), SMTO_ABORTIFHUNG,
                            2000, nullptr);
        return 0;
    }
    fputs(kUsage, stderr);
    return 2;
}
