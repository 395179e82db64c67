// Test helpers around restart-time work: the system's pending operations as recorded in the
// registry, and programs kept running from a scratch folder.
#pragma once
#include <windows.h>
#include <string>
#include <utility>
#include <vector>

// Source and destination of each pending operation, in order; an empty destination deletes.
// Paths come in the system's form ("\??\C:\dir\file"); they are compared after that prefix.
inline std::vector<std::pair<std::string, std::string>> pendingOperations()
{
    std::vector<std::pair<std::string, std::string>> ops;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ, &key)
        != ERROR_SUCCESS)
        return ops;
    DWORD size = 0;
    RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr, nullptr, &size);
    std::string data(size + 2, '\0');
    if (!size || RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(&data[0]), &size) != ERROR_SUCCESS)
        size = 0;
    RegCloseKey(key);
    data.resize(size);
    auto strip = [](const std::string& s) { return s.compare(0, 4, "\\??\\") == 0 ? s.substr(4) : s; };
    // Each string ends in a zero byte; a deletion's destination is an empty string, and the
    // list's own closing zero may follow as one more empty string, which pairs with nothing.
    std::vector<std::string> strings;
    size_t start = 0;
    for (size_t i = 0; i < data.size(); i++) {
        if (data[i] == '\0') {
            strings.push_back(strip(data.substr(start, i - start)));
            start = i + 1;
        }
    }
    for (size_t i = 0; i + 1 < strings.size(); i += 2)
        ops.emplace_back(strings[i], strings[i + 1]);
    return ops;
}

// Position of the first pending operation on that source (and destination), -1 when none.
inline int pendingIndex(const std::string& source, const std::string& destination)
{
    auto ops = pendingOperations();
    for (size_t i = 0; i < ops.size(); i++) {
        if (lstrcmpiA(ops[i].first.c_str(), source.c_str()) == 0 &&
            lstrcmpiA(ops[i].second.c_str(), destination.c_str()) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

// A copy of the idle test program, started from the given path: the path's file is a running
// program image while the object lives.
class RunningImage {
public:
    explicit RunningImage(const std::string& path)
    {
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, sizeof self);
        std::string tools(self);
        tools = tools.substr(0, tools.rfind('\\'));
        tools = tools.substr(0, tools.rfind('\\')) + "\\tools\\idle_image.exe";
        CopyFileA(tools.c_str(), path.c_str(), FALSE);
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        std::string commandLine = "\"" + path + "\"";
        if (CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi))
            CloseHandle(m_pi.hThread);
        else
            m_pi.hProcess = nullptr;
    }
    ~RunningImage()
    {
        if (m_pi.hProcess) {
            TerminateProcess(m_pi.hProcess, 0);
            WaitForSingleObject(m_pi.hProcess, 10000);
            CloseHandle(m_pi.hProcess);
        }
    }
    RunningImage(const RunningImage&) = delete;
    RunningImage& operator=(const RunningImage&) = delete;
    bool running() const { return m_pi.hProcess != nullptr; }

private:
    PROCESS_INFORMATION m_pi = {};
};

// The file held open with share mode 0: it can be neither deleted, moved nor overwritten.
class HeldFile {
public:
    explicit HeldFile(const std::string& path)
        : m_h(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~HeldFile()
    {
        if (m_h != INVALID_HANDLE_VALUE)
            CloseHandle(m_h);
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool held() const { return m_h != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_h;
};
