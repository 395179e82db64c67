#include "wizard/StartDlg.h"
#include "res/resource.h"

CStartDlg::CStartDlg(CWnd* pParentWnd) : CWizardPage(IDD_START, pParentWnd)
{
}
