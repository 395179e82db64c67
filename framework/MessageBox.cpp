#include "framework/MessageBox.h"
#include "framework/Wnd.h"
#include "framework/WinApp.h"
#include <string>

static HWND messageBoxOwner()
{
    HWND hOwner = GetActiveWindow();
    if (!hOwner && AfxGetApp() && AfxGetApp()->m_pMainWnd && AfxGetApp()->m_pMainWnd->m_hWnd)
        hOwner = GetLastActivePopup(AfxGetApp()->m_pMainWnd->m_hWnd);
    return hOwner;
}

int AfxMessageBox(const char* lpszText, UINT nType, UINT)
{
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        }
    }
    std::string title = AfxGetAppTitle();
    return MessageBoxA(messageBoxOwner(), lpszText, title.c_str(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    std::string text = AfxLoadString(nIDPrompt);
    return AfxMessageBox(text.c_str(), nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}
