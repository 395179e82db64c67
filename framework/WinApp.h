// The application object: InitInstance is called once from the entry point and the process ends
// when it returns. There is no message loop of the application's own: the only windows are
// message boxes and modal dialogs, which run their own loops.
#pragma once
#include <windows.h>
#include <string>

class CWnd;

class CWinApp {
public:
    // Without a name the title comes from the string table (AFX_IDS_APP_TITLE, 57344).
    explicit CWinApp(const char* lpszAppName = nullptr);
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    // The process exit code, asked once InitInstance has returned.
    virtual int ExitInstance();
    // The standard Help command (ID_HELP); there is no help file behind it.
    virtual void OnHelp();

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    std::string m_strAppName;
    int m_nExitCode = 0;

private:
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
};

#define AFX_IDS_APP_TITLE 0xE000
#define ID_HELP 0xE146

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);

// The application title: the app's name, or string 57344 where no application object exists.
std::string AfxGetAppTitle();

// Loads a string of the string table (of the resource module); empty when it is missing.
std::string AfxLoadString(UINT nID);

// The entry point's work: initialise the framework, run InitInstance, return the exit code.
int AfxWinMain(HINSTANCE hInstance);
