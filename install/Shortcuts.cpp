#include "install/Shortcuts.h"
#include "app/SetupSettings.h"
#include "framework/MessageBox.h"
#include "install/InstallLog.h"
#include "support/AppContract.h"
#include "support/Scoped.h"
#include <shlobj.h>

namespace {

// The component library is initialised for the thread by the first shortcut and never
// uninitialised: the process ends soon after the installation.
bool g_comInitialized = false;

// The target travels through a 512-byte buffer; IPersistFile::Save takes a wide path of at most
// MAX_PATH units with its terminator.
constexpr size_t kTargetBufferSize = 512;
constexpr int kWideLinkPathUnits = MAX_PATH;

// At most one double quote goes from each end; the shell link object takes an unquoted path.
std::string unquotedTarget(const std::string& target)
{
    std::string path = target;
    if (!path.empty() && path.front() == '"')
        path.erase(0, 1);
    if (!path.empty() && path.back() == '"')
        path.pop_back();
    return path;
}

void initializeComOnce()
{
    if (g_comInitialized)
        return;
    CoInitialize(nullptr);
    g_comInitialized = true;
}

} // namespace

HRESULT writeShortcut(IShellLinkA* link, IPersistFile* file, const std::string& target, const std::string& linkPath,
                      const wchar_t* wideLinkPath, const char* workingDir)
{
    if (FAILED(link->SetPath(target.c_str())))
        AfxMessageBox("SetPath failed!", MB_OK);
    if (FAILED(link->SetDescription("")))
        AfxMessageBox("SetDescription failed!", MB_OK);
    if (workingDir)
        link->SetWorkingDirectory(workingDir);
    HRESULT hr = file->Save(wideLinkPath, TRUE);
    if (SUCCEEDED(hr)) {
        appendLogLine(setupSettings.installDir + "\\" + contract::kLogFile,
                      std::string(logprefix::kShellLink) + linkPath);
    }
    return hr;
}

HRESULT createShortcut(const std::string& target, const std::string& linkPath, const char* workingDir)
{
    initializeComOnce();
    const std::string path = unquotedTarget(target);
    wchar_t wideLinkPath[kWideLinkPathUnits];
    if (path.size() >= kTargetBufferSize ||
        !MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wideLinkPath, kWideLinkPathUnits))
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);

    ScopedComPtr<IShellLinkA> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    ScopedComPtr<IPersistFile> file;
    hr = link->QueryInterface(IID_IPersistFile, file.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    return writeShortcut(link.Get(), file.Get(), path, linkPath, wideLinkPath, workingDir);
}
