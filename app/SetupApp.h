// The application object: reads the command line, chooses the run mode, asks the first
// questions and hands over to the install driver or the uninstall.
#pragma once
#include "framework/WinApp.h"

class CSetupApp : public CWinApp {
public:
    CSetupApp();
    BOOL InitInstance() override;

private:
    // The arguments as the run-time library split them; argument 0 is the program itself.
    int m_argc = 0;
    char** m_argv = nullptr;

    BOOL askAboutRunningInstances(bool installMode, const char* caption);
};

extern CSetupApp theApp;
