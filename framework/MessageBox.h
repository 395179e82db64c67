// The framework's message box: titled with the application title (string 57344), owned by the
// active window, with a default icon when the caller names none.
#pragma once
#include <windows.h>

int AfxMessageBox(const char* lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
