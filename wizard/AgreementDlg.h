// The licence agreement page: the text of "agreement.txt", which the frame's Yes and No answer.
#pragma once
#include "wizard/WizardPage.h"
#include <string>

class CAgreementDlg : public CWizardPage {
public:
    explicit CAgreementDlg(CWnd* pParentWnd);
    BOOL OnInitDialog() override;

    // The file's bytes as they are (no code page or line-end conversion); empty when it cannot
    // be opened.
    static std::string readAgreementText(const char* path);
    // "agreement.txt" in the setup's own folder.
    static std::string agreementPath();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CEdit m_edit;
    std::string m_strText;
};
