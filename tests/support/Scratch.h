// Scratch folders and registry keys for unit tests, removed again when the test ends.
#pragma once
#include <windows.h>
#include <string>

// A new empty folder under the temporary directory; removed with its content at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return m_path; }
    // path() + "\" + relative
    std::string operator/(const std::string& relative) const;

private:
    std::string m_path;
};

// A new key under HKCU\Software\LmtTest; deleted with its subkeys at the end.
class ScratchRegKey {
public:
    ScratchRegKey();
    ~ScratchRegKey();
    ScratchRegKey(const ScratchRegKey&) = delete;
    ScratchRegKey& operator=(const ScratchRegKey&) = delete;

    HKEY root() const { return HKEY_CURRENT_USER; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

void writeFile(const std::string& path, const std::string& content);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
bool dirExists(const std::string& path);
// Removes a folder and everything in it (attributes cleared first).
void removeTree(const std::string& path);
// Creates the folder and its missing parents.
void makeDirs(const std::string& path);
