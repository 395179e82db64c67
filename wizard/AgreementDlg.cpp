#include "wizard/AgreementDlg.h"
#include "app/SetupSettings.h"
#include "framework/DataExchange.h"
#include "res/resource.h"
#include "support/AppContract.h"
#include "support/Paths.h"
#include "support/Scoped.h"
#include <cstdio>

CAgreementDlg::CAgreementDlg(CWnd* pParentWnd) : CWizardPage(IDD_AGREEMENT, pParentWnd)
{
}

void CAgreementDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_EDIT, m_edit);
    DDX_Text(pDX, IDC_EDIT, m_strText);
}

std::string CAgreementDlg::readAgreementText(const char* path)
{
    std::string text;
    ScopedStdioFile file(fopen(path, "rb"));
    if (!file)
        return text;
    if (fseek(file.Get(), 0, SEEK_END) != 0)
        return text;
    long size = ftell(file.Get());
    if (size <= 0 || fseek(file.Get(), 0, SEEK_SET) != 0)
        return text;
    text.resize(static_cast<size_t>(size));
    // A file that shrank meanwhile gives what could be read, never stale bytes.
    text.resize(fread(&text[0], 1, text.size(), file.Get()));
    return text;
}

// The agreement that came with the setup. By its bare name the file would be looked for in
// whatever folder the setup was started from, and a setup started from another folder would
// show an empty agreement (or one lying in that folder).
std::string CAgreementDlg::agreementPath()
{
    if (setupSettings.sourceDir.empty())
        return contract::kAgreementFile;
    return joinPath(setupSettings.sourceDir, contract::kAgreementFile);
}

BOOL CAgreementDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_strText = readAgreementText(agreementPath().c_str());
    UpdateData(FALSE);
    m_edit.SendMessage(EM_SETSEL, static_cast<WPARAM>(-1), 0);
    m_edit.SendMessage(EM_SCROLLCARET);
    // Larger than the other pages, it covers the picture's area.
    SetWindowPos(HWND_TOP, 4, 4, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateData(FALSE);
    // Zero: the focus stays on the frame's button, so nothing of the text gets selected.
    return FALSE;
}
