// The destination page: install scope (current user or all users) and the installation folder,
// chosen through the system's folder-browse dialog under the placement rules.
#pragma once
#include "wizard/WizardPage.h"
#include <string>

class CFolderDlg : public CWizardPage {
public:
    explicit CFolderDlg(CWnd* pParentWnd);
    BOOL OnInitDialog() override;
    // Stores the scope choice; always succeeds.
    BOOL DestroyWindow() override;

    // The number of entries of the directory, "." and ".." not counted; 0 when it cannot be read.
    static int countDirectoryEntries(const std::string& directory);
    // The destination a folder picked in the browse dialog stands for: the folder itself when it
    // holds the product or is empty (or missing), else its "Lumetra 6" subfolder.
    static std::string destinationForFolder(const std::string& folder);
    // True when the folder holds an old version's program, which this version must not join.
    static bool holdsOldVersion(const std::string& folder);
    // The browse dialog's callback: opens the tree at installDir and reports an invalid typed name.
    static int CALLBACK browseCallback(HWND hWnd, UINT message, LPARAM lParam, LPARAM data);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(UINT nID, UINT nCode) override;

private:
    void OnBrowse();
    void UpdateFolderNote();
    // Applies the placement rules to a picked folder: refused, or taken as the destination.
    void acceptFolder(const std::string& folder);

    std::string m_strNote;
    CStatic m_destination;
    int m_nScope = -1;
};
