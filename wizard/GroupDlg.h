// The program group page: the Start-menu group for the shortcuts, auto-start and desktop icon.
#pragma once
#include "wizard/WizardPage.h"
#include <string>

class CGroupDlg : public CWizardPage {
public:
    explicit CGroupDlg(CWnd* pParentWnd);
    BOOL OnInitDialog() override;
    // Validates the group name and stores the page's values; zero (the page stays) when the name
    // is refused, the user having been told why.
    BOOL DestroyWindow() override;

    // The string id of the message refusing the trimmed name, or 0 when it is acceptable.
    static UINT refusalOf(const std::string& trimmedName);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CEdit m_edit;
    int m_bAutoStart = 0;
    int m_bDesktopIcon = 0;
    std::string m_strGroup;
};
