#include "wizard/GroupDlg.h"
#include "app/SetupSettings.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "install/Registry.h"
#include "res/resource.h"
#include "support/AppContract.h"
#include "support/Paths.h"

namespace {

constexpr size_t kMinimumGroupLength = 3;

// The last element of a Startup folder's path, in lower case; the whole path when it has no
// backslash.
std::string startupFolderName(HKEY root, const char* valueName)
{
    std::string path = readRegistryString(root, contract::kShellFoldersKey, valueName);
    return toLowerAnsi(path.substr(lastBackslash(path) + 1));
}

} // namespace

CGroupDlg::CGroupDlg(CWnd* pParentWnd) : CWizardPage(IDD_GROUP, pParentWnd)
{
}

void CGroupDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_EDIT, m_edit);
    DDX_Check(pDX, IDC_AUTOSTART, m_bAutoStart);
    DDX_Check(pDX, IDC_DESKTOP_ICON, m_bDesktopIcon);
    DDX_Text(pDX, IDC_EDIT, m_strGroup);
}

BOOL CGroupDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bAutoStart = setupSettings.autoStart;
    m_bDesktopIcon = setupSettings.desktopIcon;
    m_strGroup = setupSettings.groupName;
    UpdateData(FALSE);
    return TRUE;
}

UINT CGroupDlg::refusalOf(const std::string& trimmedName)
{
    // Bytes, not letters: any three characters will do.
    if (trimmedName.size() < kMinimumGroupLength)
        return IDS_GROUP_TOO_SHORT;
    // Shortcuts in a group named like a Startup folder would start with Windows.
    std::string lower = toLowerAnsi(trimmedName);
    if (lower == startupFolderName(HKEY_CURRENT_USER, "Startup") ||
        lower == startupFolderName(HKEY_LOCAL_MACHINE, "Common Startup"))
        return IDS_GROUP_IS_STARTUP;
    return 0;
}

BOOL CGroupDlg::DestroyWindow()
{
    if (!UpdateData(TRUE))
        return FALSE;
    // The edit control keeps the text as typed; only the stored name is trimmed.
    m_strGroup = trimRight(trimLeft(m_strGroup));
    UINT refusal = refusalOf(m_strGroup);
    if (refusal != 0) {
        AfxMessageBox(refusal, MB_OK);
        return FALSE;
    }
    setupSettings.autoStart = m_bAutoStart;
    setupSettings.desktopIcon = m_bDesktopIcon;
    setupSettings.groupName = m_strGroup;
    return CDialog::DestroyWindow();
}
