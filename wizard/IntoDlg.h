// The welcome page: greets the user and shows the version being installed.
#pragma once
#include "wizard/WizardPage.h"
#include <string>

class CIntoDlg : public CWizardPage {
public:
    explicit CIntoDlg(CWnd* pParentWnd);
    BOOL OnInitDialog() override;

    // The version line from the template's format: major, minor, build and a beta suffix for a
    // revision other than 0.
    static std::string formatVersionText(const std::string& format, DWORD major, DWORD minor, DWORD build,
                                         DWORD revision);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CStatic m_version;
};
