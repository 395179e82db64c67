// What the setup relies on from the installed application and its files, in one place.
#pragma once

namespace contract {

// Files of the package (all in the installation directory after an installation).
constexpr const char* kAppExe = "LmtCap6.exe";
constexpr const char* kHelpFile = "LmtCap6Man.chm";
constexpr const char* kReadmeFile = "readme.txt";
constexpr const char* kUninstallerExe = "LmtUnInst.exe";
constexpr const char* kHomePageFile = "HomePage.url";
constexpr const char* kSettingsFile = "LmtCap6.ini";
constexpr const char* kAgreementFile = "agreement.txt";
// The source list next to the setup and the installed log in the installation directory.
constexpr const char* kLogFile = "LmtUnInst.log";
// The log of earlier installations: read, never written.
constexpr const char* kOldLogFile = "install.log";
// Program files of older versions that must not be installed over.
constexpr const char* kOldAppExe = "LmtCap.exe";
constexpr const char* kOldAppExe5 = "LmtCap5.exe";

// Names of the product and its maker.
constexpr const char* kVendorName = "Orvanta";
constexpr const char* kProductName = "Lumetra 6";
constexpr const char* kPublisher = "Orvanta Technology LLC";
constexpr const char* kVendorSite = "http://www.orvanta.example";
constexpr const char* kInstalledPage = "/lmax/installed.asp";
constexpr const char* kInstScriptPage = "/lmax/InstScript.asp";

// Registry (local machine unless noted).
constexpr const char* kProductKey = "SOFTWARE\\Orvanta\\Lumetra 6";
constexpr const char* kVendorKey = "SOFTWARE\\Orvanta";
constexpr const char* kAppPathKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\LmtCap6.exe";
constexpr const char* kAppPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr const char* kUninstallEntryKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumetra 6";
constexpr const char* kUninstallListKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kFileExtsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
constexpr const char* kDocumentClass = "LM6.Document";
// Image extensions the application may take over: the value it sets contains kAppExe, and the
// value it replaced is kept in kPreviousOwnerValue of the same key.
constexpr const char* kOpenWithValue = "Application";
constexpr const char* kPreviousOwnerValue = "LmtCapOld";

// The instance list shared by the application and the setup.
constexpr const char* kInstanceName = "Orvanta.Lumetra-Max.v4";
constexpr unsigned kInstanceAddedNotice = 1946;
constexpr unsigned kInstanceRemovedNotice = 1947;
// The main window's title begins with this text.
constexpr const char* kMainWindowTitlePrefix = "Lumetra";
// WM_CLOSE with this wParam: close at once without asking to save.
constexpr unsigned kCloseRequestParam = 1001;

} // namespace contract
