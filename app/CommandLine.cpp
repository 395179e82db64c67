#include "app/CommandLine.h"
#include "support/Paths.h"
#include <windows.h>
#include <cstring>

namespace {

bool hasSwitch(int argc, const char* const* argv, int from, const char* switchText)
{
    for (int i = from; i < argc; i++) {
        if (equalsNoCase(argv[i], switchText))
            return true;
    }
    return false;
}

bool isDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

bool silentRequested(int argc, const char* const* argv)
{
    return hasSwitch(argc, argv, 1, "-s");
}

bool selfRemovalRequested(int argc, const char* const* argv)
{
    return argc >= 3 && strcmp(argv[1], "-delself") == 0;
}

bool isUninstallerPath(const char* path)
{
    bool drive = isDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\';
    bool unc = path[0] == '\\' && path[1] == '\\' && path[2] != '\0';
    if (!drive && !unc)
        return false;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool installModeRequested(int argc, const char* const* argv, const std::string& modulePath)
{
    if (argc >= 2 && equalsNoCase(argv[1], "-install"))
        return true;
    return toLowerAnsi(modulePath).find("setup.exe") != std::string::npos;
}

bool instanceQuestionSkipped(int argc, const char* const* argv)
{
    return hasSwitch(argc, argv, 2, "/s") || hasSwitch(argc, argv, 2, "-s");
}
