// A thin, non-owning window wrapper: the window belongs to whoever created it (a dialog is
// destroyed by its owner), this object only names it. Member names follow the framework's.
#pragma once
#include <windows.h>
#include <string>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() = default;

    HWND GetSafeHwnd() const { return m_hWnd; }

    std::string GetWindowText() const;
    void SetWindowText(const std::string& text);
    BOOL ShowWindow(int nCmdShow);
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    HWND SetFocus();
    void UpdateWindow();
    HWND GetDlgItem(int nID) const;
    void GetWindowRect(RECT* pRect) const;
    void ScreenToClient(RECT* pRect) const;
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    HWND m_hWnd = nullptr;

private:
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
};

// Control members are plain window names bound to a control id by DDX_Control.
using CButton = CWnd;
using CStatic = CWnd;
using CEdit = CWnd;
