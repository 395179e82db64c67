// Data exchange between dialog members and controls: one exchange object, a few free functions.
#pragma once
#include <windows.h>
#include <string>

class CDialog;
class CWnd;

class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control's window, or null after marking the exchange as failed.
    HWND PrepareCtrl(int nIDC);
    void Fail() { m_bFailed = true; }

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;
    bool m_bFailed = false;
};

// Binds a control id to a member window object.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// The control's text.
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
// A check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// A radio group that begins with nIDC (the button with the group style) and runs to the next
// group style: the index of the checked button, -1 when none is checked.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
