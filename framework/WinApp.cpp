#include "framework/WinApp.h"

namespace {
CWinApp* g_pApp = nullptr;
HINSTANCE g_hResource = nullptr;
}

CWinApp::CWinApp(const char* lpszAppName)
{
    if (lpszAppName)
        m_strAppName = lpszAppName;
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return m_nExitCode;
}

void CWinApp::OnHelp()
{
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

HINSTANCE AfxGetInstanceHandle()
{
    if (g_pApp && g_pApp->m_hInstance)
        return g_pApp->m_hInstance;
    return GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_hResource ? g_hResource : GetModuleHandleA(nullptr);
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
}

std::string AfxLoadString(UINT nID)
{
    char buffer[4096];
    int n = LoadStringA(AfxGetResourceHandle(), nID, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

std::string AfxGetAppTitle()
{
    if (g_pApp && !g_pApp->m_strAppName.empty())
        return g_pApp->m_strAppName;
    return AfxLoadString(AFX_IDS_APP_TITLE);
}

int AfxWinMain(HINSTANCE hInstance)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return 1;
    pApp->m_hInstance = hInstance;
    if (pApp->m_strAppName.empty())
        pApp->m_strAppName = AfxLoadString(AFX_IDS_APP_TITLE);
    pApp->InitInstance();
    return pApp->ExitInstance();
}
