#include "framework/DataExchange.h"
#include "framework/Dialog.h"

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!hCtrl)
        Fail();
    return hCtrl;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (!rControl.m_hWnd)
        rControl.m_hWnd = pDX->PrepareCtrl(nIDC);
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (!hCtrl)
        return;
    if (!pDX->m_bSaveAndValidate) {
        SetWindowTextA(hCtrl, value.c_str());
        return;
    }
    int n = GetWindowTextLengthA(hCtrl);
    std::string text(n + 1, '\0');
    n = GetWindowTextA(hCtrl, &text[0], n + 1);
    text.resize(n > 0 ? n : 0);
    value = text;
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (!hCtrl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(SendMessageA(hCtrl, BM_GETCHECK, 0, 0));
    else
        SendMessageA(hCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

static bool isRadioButton(HWND hCtrl)
{
    return (SendMessageA(hCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (!hCtrl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    do {
        if (isRadioButton(hCtrl)) {
            if (pDX->m_bSaveAndValidate) {
                if (SendMessageA(hCtrl, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                SendMessageA(hCtrl, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            index++;
        }
        hCtrl = GetWindow(hCtrl, GW_HWNDNEXT);
    } while (hCtrl && !(GetWindowLongA(hCtrl, GWL_STYLE) & WS_GROUP));
}
