// The wizard frame: a modal dialog that shows one page at a time beside its picture, with Back,
// Next and Cancel below. Its ready page runs the installation and turns Next into Finish.
#pragma once
#include "framework/Dialog.h"
#include <memory>
#include <string>

class CSetupDlg : public CDialog {
public:
    // The steps the frame walks through, in order.
    enum Step {
        kStepWelcome = 0,
        kStepAgreement = 1,
        kStepFolder = 2,
        kStepGroup = 3,
        kStepReady = 4,
        kStepInstall = 5,
        kStepFinish = 6,
    };

    CSetupDlg();

    BOOL OnInitDialog() override;
    // Next (and "Yes", "&Finish >", Enter): the following step.
    void OnOK() override;
    // Cancel (and "No", Escape, the close box): asks, then ends the wizard with IDCANCEL.
    void OnCancel() override;
    void OnBack();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(UINT nID, UINT nCode) override;

private:
    void goToStep(int target);
    bool leavePage(int target);
    void showPage(CDialog* pPage, UINT nIDTemplate);
    void placePage();
    void focusNext();
    void enterAgreementStep();
    void runInstallation();
    void finish();
    void setPageControlText(int nID, const std::string& text);
    void showPageControl(int nID, bool show);

    CButton m_btnCancel;
    CStatic m_picture;
    CButton m_btnBack;
    CButton m_btnNext;
    int m_nStep = -1;
    std::unique_ptr<CDialog> m_pPage;
    std::string m_strTitle;
    bool m_bChangingStep = false;
};
