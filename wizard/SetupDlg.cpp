#include "wizard/SetupDlg.h"
#include "app/SetupSettings.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "install/InstallProcedure.h"
#include "res/resource.h"
#include "wizard/AgreementDlg.h"
#include "wizard/FolderDlg.h"
#include "wizard/GroupDlg.h"
#include "wizard/IntoDlg.h"
#include "wizard/StartDlg.h"
#include "wizard/WizardCaptions.h"

CSetupDlg::CSetupDlg() : CDialog(IDD_SETUP, nullptr)
{
}

void CSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_PICTURE, m_picture);
    DDX_Control(pDX, IDC_BACK, m_btnBack);
    DDX_Control(pDX, IDOK, m_btnNext);
}

BOOL CSetupDlg::OnCommand(UINT nID, UINT nCode)
{
    if (nID == IDC_BACK && nCode == BN_CLICKED) {
        OnBack();
        return TRUE;
    }
    return CDialog::OnCommand(nID, nCode);
}

BOOL CSetupDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    g_strNextCaption = m_btnNext.GetWindowText();
    g_strCancelCaption = m_btnCancel.GetWindowText();
    OnOK();
    // Zero: the focus stays on Next, where the first step put it.
    return FALSE;
}

void CSetupDlg::OnOK()
{
    goToStep(m_nStep + 1);
}

void CSetupDlg::OnBack()
{
    // Back is hidden on the first page and disabled once the installation has run; a command
    // arriving anyway (a mnemonic, a posted click) must not walk off either end.
    if (m_nStep <= kStepWelcome || m_nStep > kStepReady)
        return;
    goToStep(m_nStep - 1);
}

void CSetupDlg::OnCancel()
{
    // Once the installation has run there is nothing left to cancel: Escape and the close box
    // still send the cancel command, and ending with IDCANCEL then would report an installed
    // product as a cancelled setup.
    if (m_nStep >= kStepInstall)
        return;
    if (AfxMessageBox(IDS_CONFIRM_CANCEL, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
        EndDialog(IDCANCEL);
}

// Closes the page shown for a step up to the ready page. False when the page refused to close
// (it has told the user why): then nothing changes.
bool CSetupDlg::leavePage(int target)
{
    if (target > kStepReady || !m_pPage)
        return true;
    if (m_pPage->GetSafeHwnd() && !m_pPage->DestroyWindow())
        return false;
    m_pPage.reset();
    return true;
}

void CSetupDlg::goToStep(int target)
{
    // A page's leave operation may show a message box, whose message loop still delivers
    // commands posted to the frame: a second step change must not start inside the first.
    if (m_bChangingStep)
        return;
    m_bChangingStep = true;
    bool left = leavePage(target);
    m_bChangingStep = false;
    if (!left)
        return;
    m_nStep = target;
    if (m_strTitle.empty())
        m_strTitle = GetWindowText();
    if (target != kStepAgreement) {
        m_btnNext.SetWindowText(g_strNextCaption);
        m_btnCancel.SetWindowText(g_strCancelCaption);
    }
    switch (target) {
    case kStepWelcome:
        showPage(new CIntoDlg(this), IDD_INTO);
        m_btnBack.ShowWindow(SW_HIDE);
        placePage();
        break;
    case kStepAgreement:
        enterAgreementStep();
        break;
    case kStepFolder:
        showPage(new CFolderDlg(this), IDD_FOLDER);
        placePage();
        break;
    case kStepGroup:
        showPage(new CGroupDlg(this), IDD_GROUP);
        placePage();
        break;
    case kStepReady:
        showPage(new CStartDlg(this), IDD_START);
        placePage();
        break;
    case kStepInstall:
        runInstallation();
        break;
    case kStepFinish:
        finish();
        break;
    }
}

void CSetupDlg::showPage(CDialog* pPage, UINT nIDTemplate)
{
    m_pPage.reset(pPage);
    m_pPage->Create(nIDTemplate, this);
}

void CSetupDlg::enterAgreementStep()
{
    m_btnNext.SetWindowText(AfxLoadString(IDS_YES));
    m_btnCancel.SetWindowText(AfxLoadString(IDS_NO));
    m_btnBack.ShowWindow(SW_SHOW);
    m_picture.ShowWindow(SW_HIDE);
    // The agreement page places and shows itself over the picture's area.
    showPage(new CAgreementDlg(this), IDD_AGREEMENT);
    SetWindowText(AfxLoadString(IDS_ACCEPT_AGREEMENT));
}

// The page beside the picture: right of it by 4 pixels, level with its top, at its template size.
void CSetupDlg::placePage()
{
    SetWindowText(m_strTitle);
    m_picture.ShowWindow(SW_SHOW);
    m_btnNext.EnableWindow(TRUE);
    focusNext();
    RECT picture;
    m_picture.GetWindowRect(&picture);
    ScreenToClient(&picture);
    if (m_pPage)
        m_pPage->SetWindowPos(HWND_TOP, picture.right + 4, picture.top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

// Through the dialog manager rather than SetFocus alone: it also makes Next the default button
// again (a button that had the focus keeps the default look otherwise) and remembers the focus
// for when the frame is activated again.
void CSetupDlg::focusNext()
{
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_btnNext.GetSafeHwnd()), TRUE);
}

void CSetupDlg::setPageControlText(int nID, const std::string& text)
{
    if (m_pPage)
        ::SetWindowTextA(m_pPage->GetDlgItem(nID), text.c_str());
}

void CSetupDlg::showPageControl(int nID, bool show)
{
    if (m_pPage)
        ::ShowWindow(m_pPage->GetDlgItem(nID), show ? SW_SHOW : SW_HIDE);
}

// The installation runs on this thread inside the Next command: the frame takes no input and is
// not repainted until it returns, so the "please wait" text is painted before it starts.
void CSetupDlg::runInstallation()
{
    showPageControl(IDC_READY_TEXT, false);
    showPageControl(IDC_READY_HINT, false);
    showPageControl(IDC_INSTALLING, true);
    if (m_pPage)
        m_pPage->UpdateWindow();
    m_btnBack.EnableWindow(FALSE);
    m_btnNext.EnableWindow(FALSE);
    m_btnCancel.EnableWindow(FALSE);
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));

    installProduct();

    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    m_btnNext.EnableWindow(TRUE);
    m_btnNext.SetWindowText(AfxLoadString(IDS_FINISH));
    showPageControl(IDC_INSTALLING, false);
    showPageControl(IDC_RUN_AFTER, true);
    setPageControlText(IDC_READY_TEXT, AfxLoadString(IDS_INSTALLED));
    setPageControlText(IDC_READY_HINT, AfxLoadString(IDS_PRESS_FINISH));
    showPageControl(IDC_READY_TEXT, true);
    showPageControl(IDC_READY_HINT, true);
    focusNext();
}

void CSetupDlg::finish()
{
    HWND hRunAfter = m_pPage ? m_pPage->GetDlgItem(IDC_RUN_AFTER) : nullptr;
    setupSettings.runAfter = hRunAfter && ::SendMessageA(hRunAfter, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    CDialog::OnOK();
}
