#include "wizard/WizardPage.h"

void CWizardPage::OnOK()
{
    forwardToFrame(IDOK);
}

void CWizardPage::OnCancel()
{
    forwardToFrame(IDCANCEL);
}

void CWizardPage::forwardToFrame(UINT nID)
{
    HWND hFrame = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : ::GetParent(m_hWnd);
    if (hFrame)
        ::PostMessageA(hFrame, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0);
}
