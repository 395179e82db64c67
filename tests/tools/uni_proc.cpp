// uni_proc: process helpers of the uninstall tests. See the usage text below.
#include "tests/tools/ToolCommon.h"
#include <windows.h>
#include <tlhelp32.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: uni_proc COMMAND ...\n"
    "  wait-gone PATTERN [--timeout MS]   wait until no process whose file name matches the\n"
    "                                     wildcard pattern (* and ?, any case) is running;\n"
    "                                     exit 0, or 1 (and the survivors listed) on time-out\n"
    "  list PATTERN                       print \"pid=N exe=NAME\" for each matching process\n"
    "  run [--env NAME=VALUE]... -- ARGUMENTS...\n"
    "                                     run the arguments, joined with spaces as they stand\n"
    "                                     (quote paths with spaces inside them), with those\n"
    "                                     variables set; wait; print exit=N\n";

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool wildcardMatch(const char* pattern, const char* text)
{
    if (*pattern == '\0')
        return *text == '\0';
    if (*pattern == '*')
        return wildcardMatch(pattern + 1, text) || (*text && wildcardMatch(pattern, text + 1));
    if (*text == '\0')
        return false;
    if (*pattern != '?' && lowerAscii(*pattern) != lowerAscii(*text))
        return false;
    return wildcardMatch(pattern + 1, text + 1);
}

std::vector<std::string> matchingProcesses(const char* pattern)
{
    std::vector<std::string> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return found;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (wildcardMatch(pattern, entry.szExeFile))
            found.push_back("pid=" + std::to_string(entry.th32ProcessID) + " exe=" + entry.szExeFile);
    }
    CloseHandle(snapshot);
    return found;
}

int waitGone(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    DWORD timeout = 60000;
    if (argc >= 5 && strcmp(argv[3], "--timeout") == 0)
        timeout = strtoul(argv[4], nullptr, 10);
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<std::string> survivors = matchingProcesses(argv[2]);
        if (survivors.empty()) {
            printf("gone\n");
            return 0;
        }
        if (GetTickCount() - start >= timeout) {
            for (const std::string& line : survivors)
                printf("running %s\n", line.c_str());
            return 1;
        }
        Sleep(100);
    }
}

int run(int argc, char** argv)
{
    for (int i = 2; i + 1 < argc && strcmp(argv[i], "--env") == 0; i += 2) {
        std::string assignment = argv[i + 1];
        size_t eq = assignment.find('=');
        if (eq != std::string::npos)
            SetEnvironmentVariableA(assignment.substr(0, eq).c_str(), assignment.substr(eq + 1).c_str());
    }
    // The arguments after "--", joined with spaces as they stand: each carries its own quotes.
    std::string commandLine;
    int i = 2;
    while (i < argc && strcmp(argv[i], "--") != 0)
        i++;
    for (i++; i < argc; i++)
        commandLine += (commandLine.empty() ? "" : " ") + std::string(argv[i]);
    if (commandLine.empty())
        return 2;
    return tool::runAndReport(commandLine) < 0 ? 255 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc >= 2 && strcmp(argv[1], "wait-gone") == 0)
        return waitGone(argc, argv);
    if (argc >= 3 && strcmp(argv[1], "list") == 0) {
        for (const std::string& line : matchingProcesses(argv[2]))
            printf("%s\n", line.c_str());
        return 0;
    }
    if (argc >= 2 && strcmp(argv[1], "run") == 0)
        return run(argc, argv);
    fputs(kUsage, stderr);
    return 2;
}
