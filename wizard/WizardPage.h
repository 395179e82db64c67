// The base of the wizard's pages: a modeless child dialog of the frame, created from its own
// template. Only the frame may end the wizard, so a page hands the dialog commands it receives
// (IDOK, IDCANCEL) to the frame instead of ending itself: a multi-line edit control sends its
// dialog WM_CLOSE on Escape, which the dialog manager turns into IDCANCEL for the page, and
// EndDialog on a modeless page would only hide it.
#pragma once
#include "framework/Dialog.h"

class CWizardPage : public CDialog {
public:
    CWizardPage(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

    void OnOK() override;
    void OnCancel() override;

private:
    // Posted, not sent: the frame may delete this page while handling the command.
    void forwardToFrame(UINT nID);
};
