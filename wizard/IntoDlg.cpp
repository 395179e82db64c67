#include "wizard/IntoDlg.h"
#include "app/SetupSettings.h"
#include "framework/DataExchange.h"
#include "res/resource.h"
#include <cstdio>
#include <vector>

CIntoDlg::CIntoDlg(CWnd* pParentWnd) : CWizardPage(IDD_INTO, pParentWnd)
{
}

void CIntoDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_VERSION, m_version);
}

std::string CIntoDlg::formatVersionText(const std::string& format, DWORD major, DWORD minor, DWORD build,
                                        DWORD revision)
{
    char suffix[32] = "";
    if (revision != 0)
        snprintf(suffix, sizeof suffix, "Beta %d", int(revision));
    int n = snprintf(nullptr, 0, format.c_str(), int(major), int(minor), int(build), suffix);
    if (n < 0)
        return format;
    std::vector<char> text(n + 1);
    snprintf(text.data(), text.size(), format.c_str(), int(major), int(minor), int(build), suffix);
    return text.data();
}

BOOL CIntoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    std::string format = m_version.GetWindowText();
    m_version.SetWindowText(formatVersionText(format, setupSettings.versionMajor, setupSettings.versionMinor,
                                              setupSettings.versionBuild, setupSettings.versionRevision));
    return TRUE;
}
