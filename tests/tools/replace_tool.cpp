// replace_tool SRC DST: leaves restart-time replacements behind for an end-to-end test that then
// restarts the prefix. In DST it holds "held.dat" open with share mode 0 and runs "app.exe" (a
// copy of idle_image.exe), replaces both with copyOneFile from SRC, and prints one line per
// result: "held=0|1", "app=0|1", "restart=0|1". Both files are free again when it ends.
#include "app/SetupSettings.h"
#include "install/FilePlacement.h"
#include <windows.h>
#include <cstdio>
#include <string>

SetupSettings setupSettings;

namespace {

std::string toolsDir()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path(self);
    return path.substr(0, path.rfind('\\'));
}

HANDLE startImage(const std::string& path)
{
    CopyFileA((toolsDir() + "\\idle_image.exe").c_str(), path.c_str(), FALSE);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string commandLine = "\"" + path + "\"";
    if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: replace_tool SRC DST\n");
        return 2;
    }
    const std::string src = argv[1], dst = argv[2];
    HANDLE held = CreateFileA((dst + "\\held.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE app = startImage(dst + "\\app.exe");
    if (held == INVALID_HANDLE_VALUE || !app) {
        fprintf(stderr, "replace_tool: could not hold the files\n");
        return 1;
    }
    printf("held=%d\n", copyOneFile("held.dat", src, dst) ? 1 : 0);
    printf("app=%d\n", copyOneFile("app.exe", src, dst) ? 1 : 0);
    printf("restart=%d\n", restartRequired() ? 1 : 0);
    CloseHandle(held);
    TerminateProcess(app, 0);
    WaitForSingleObject(app, 10000);
    CloseHandle(app);
    return 0;
}
