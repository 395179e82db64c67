#include "wizard/FolderDlg.h"
#include "app/SetupSettings.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "support/AppContract.h"
#include "support/Paths.h"
#include "support/Scoped.h"
#include <cstring>
#include <ole2.h>
#include <shlobj.h>

namespace {

// The browse dialog's flags: file-system folders only, an edit box for typing a name, typed names
// validated, the resizable dialog with its button for making a new folder.
constexpr UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_VALIDATE | BIF_NEWDIALOGSTYLE;

std::string windowText(HWND hWnd)
{
    char text[1024] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

void freeItemIdList(LPITEMIDLIST pidl)
{
    ScopedComPtr<IMalloc> malloc;
    if (SUCCEEDED(SHGetMalloc(malloc.Receive())) && malloc)
        malloc->Free(pidl);
}

} // namespace

CFolderDlg::CFolderDlg(CWnd* pParentWnd) : CWizardPage(IDD_FOLDER, pParentWnd)
{
}

void CFolderDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_DESTINATION, m_destination);
    DDX_Radio(pDX, IDC_SCOPE_USER, m_nScope);
}

BOOL CFolderDlg::OnCommand(UINT nID, UINT nCode)
{
    if (nID == IDC_BROWSE && nCode == BN_CLICKED) {
        OnBrowse();
        return TRUE;
    }
    return CWizardPage::OnCommand(nID, nCode);
}

BOOL CFolderDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_strNote = windowText(GetDlgItem(IDC_FOLDER_NOTE));
    UpdateFolderNote();
    m_destination.SetWindowText(setupSettings.installDir);
    m_nScope = setupSettings.allUsers;
    UpdateData(FALSE);
    return TRUE;
}

BOOL CFolderDlg::DestroyWindow()
{
    UpdateData(TRUE);
    // Only the all-users button means all users; the flag stays 0 or 1.
    setupSettings.allUsers = m_nScope == 1 ? 1 : 0;
    return CDialog::DestroyWindow();
}

void CFolderDlg::UpdateFolderNote()
{
    bool holdsProduct = !setupSettings.freshInstall &&
                        pathExists(joinPath(setupSettings.installDir, contract::kAppExe));
    std::string note = holdsProduct ? AfxLoadString(IDS_FOLDER_HAS_PRODUCT) : m_strNote;
    ::SetWindowTextA(GetDlgItem(IDC_FOLDER_NOTE), note.c_str());
}

void CFolderDlg::OnBrowse()
{
    std::string title = AfxLoadString(IDS_SELECT_FOLDER);
    char displayName[MAX_PATH] = "";
    BROWSEINFOA request = {};
    request.hwndOwner = m_hWnd;
    request.pidlRoot = nullptr;
    request.pszDisplayName = displayName;
    request.lpszTitle = title.c_str();
    request.ulFlags = kBrowseFlags;
    request.lpfn = browseCallback;
    request.lParam = 0;

    // The resizable browse dialog needs an apartment-threaded COM library on the thread; a
    // second initialisation only counts up, and the library stays for the process.
    OleInitialize(nullptr);
    // Made so that the dialog can open at the destination, and removed again when still empty
    // (whether it was made here or was there before).
    CreateDirectoryA(setupSettings.installDir.c_str(), nullptr);
    LPITEMIDLIST pidl = SHBrowseForFolderA(&request);
    RemoveDirectoryA(setupSettings.installDir.c_str());
    if (!pidl)
        return;
    char folder[MAX_PATH] = "";
    if (SHGetPathFromIDListA(pidl, folder))
        acceptFolder(folder);
    freeItemIdList(pidl);
}

void CFolderDlg::acceptFolder(const std::string& folder)
{
    // An empty folder, such as one just made in the browse dialog, goes again: the installation
    // makes its directory itself.
    RemoveDirectoryA(folder.c_str());
    if (holdsOldVersion(folder)) {
        AfxMessageBox(IDS_OLD_VERSION_FOLDER, MB_OK);
        return;
    }
    setupSettings.installDir = destinationForFolder(folder);
    m_destination.SetWindowText(setupSettings.installDir);
    UpdateFolderNote();
}

bool CFolderDlg::holdsOldVersion(const std::string& folder)
{
    return pathExists(joinPath(folder, contract::kOldAppExe)) || pathExists(joinPath(folder, contract::kOldAppExe5));
}

std::string CFolderDlg::destinationForFolder(const std::string& folder)
{
    if (pathExists(joinPath(folder, contract::kAppExe)) || countDirectoryEntries(folder) == 0)
        return folder;
    // joinPath: a drive root comes back as "C:\" and must not give "C:\\Lumetra 6".
    return joinPath(folder, contract::kProductName);
}

int CFolderDlg::countDirectoryEntries(const std::string& directory)
{
    if (directory.empty())
        return 0; // "*" alone would count the working directory
    WIN32_FIND_DATAA entry;
    ScopedFind find(FindFirstFileA(joinPath(directory, "*").c_str(), &entry));
    if (!find)
        return 0;
    int count = 0;
    do {
        if (strcmp(entry.cFileName, ".") != 0 && strcmp(entry.cFileName, "..") != 0)
            count++;
    } while (FindNextFileA(find.Get(), &entry));
    return count;
}

int CALLBACK CFolderDlg::browseCallback(HWND hWnd, UINT message, LPARAM, LPARAM)
{
    switch (message) {
    case BFFM_INITIALIZED:
        ::SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(setupSettings.installDir.c_str()));
        return 0;
    case BFFM_VALIDATEFAILEDA:
        // Owned by the browse dialog, the active window: it stays open for another try.
        AfxMessageBox(IDS_INVALID_FOLDER, MB_OK);
        return 1;
    }
    return 0;
}
