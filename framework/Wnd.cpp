#include "framework/Wnd.h"

std::string CWnd::GetWindowText() const
{
    int n = GetWindowTextLengthA(m_hWnd);
    if (n <= 0)
        return std::string();
    std::string text(n + 1, '\0');
    n = ::GetWindowTextA(m_hWnd, &text[0], n + 1);
    text.resize(n > 0 ? n : 0);
    return text;
}

void CWnd::SetWindowText(const std::string& text)
{
    ::SetWindowTextA(m_hWnd, text.c_str());
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

HWND CWnd::SetFocus()
{
    return ::SetFocus(m_hWnd);
}

void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}

HWND CWnd::GetDlgItem(int nID) const
{
    return ::GetDlgItem(m_hWnd, nID);
}

void CWnd::GetWindowRect(RECT* pRect) const
{
    ::GetWindowRect(m_hWnd, pRect);
}

void CWnd::ScreenToClient(RECT* pRect) const
{
    // A rectangle is two points: convert both corners.
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&pRect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&pRect->right));
}

BOOL CWnd::SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}
