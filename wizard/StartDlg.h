// The ready page: nothing of its own beyond its template; the frame drives its controls.
#pragma once
#include "wizard/WizardPage.h"

class CStartDlg : public CWizardPage {
public:
    explicit CStartDlg(CWnd* pParentWnd);
};
