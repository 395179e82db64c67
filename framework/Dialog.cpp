#include "framework/Dialog.h"
#include "framework/DataExchange.h"
#include "framework/WinApp.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    // A modeless page still on the screen when its object goes: take the window with it.
    if (m_hWnd && !m_bModal)
        ::DestroyWindow(m_hWnd);
}

INT_PTR CDialog::DoModal()
{
    m_bModal = true;
    HWND hParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    INT_PTR result = DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), hParent,
                                     DialogProc, reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_bModal = false;
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    HWND hParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    HWND hWnd = CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDTemplate), hParent,
                                   DialogProc, reinterpret_cast<LPARAM>(this));
    return hWnd != nullptr;
}

void CDialog::EndDialog(int nResult)
{
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

BOOL CDialog::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::OnCommand(UINT nID, UINT)
{
    switch (nID) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    case ID_HELP:
        if (AfxGetApp())
            AfxGetApp()->OnHelp();
        return TRUE;
    }
    return FALSE;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_COMMAND:
        // Buttons (BN_CLICKED is 0), menu and accelerator commands; other notifications are
        // not routed.
        if (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == 1)
            return OnCommand(LOWORD(wParam), HIWORD(wParam));
        return FALSE;
    case WM_NCDESTROY:
        SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
        m_hWnd = nullptr;
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // No exception may cross into the window manager.
    try {
        if (message == WM_INITDIALOG) {
            CDialog* pDlg = reinterpret_cast<CDialog*>(lParam);
            SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
            pDlg->m_hWnd = hWnd;
            return pDlg->OnInitDialog();
        }
        CDialog* pDlg = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hWnd, DWLP_USER));
        if (!pDlg)
            return FALSE; // messages before WM_INITDIALOG
        return pDlg->HandleMessage(message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}
