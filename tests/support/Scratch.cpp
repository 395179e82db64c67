#include "Scratch.h"
#include <cstdio>

namespace {

std::string uniqueName(const char* prefix)
{
    static int counter = 0;
    char name[96];
    snprintf(name, sizeof name, "%s%lu_%lu_%d", prefix, GetCurrentProcessId(), GetTickCount(), ++counter);
    return name;
}

void deleteKeyTree(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        char name[512];
        while (RegEnumKeyA(key, 0, name, sizeof name) == ERROR_SUCCESS)
            deleteKeyTree(key, name);
        RegCloseKey(key);
    }
    RegDeleteKeyA(root, path.c_str());
}

} // namespace

ScratchDir::ScratchDir()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    m_path = std::string(temp) + uniqueName("lmt");
    CreateDirectoryA(m_path.c_str(), nullptr);
}

ScratchDir::~ScratchDir()
{
    removeTree(m_path);
}

std::string ScratchDir::operator/(const std::string& relative) const
{
    return m_path + "\\" + relative;
}

ScratchRegKey::ScratchRegKey() : m_path("Software\\LmtTest\\" + uniqueName("k"))
{
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, m_path.c_str(), &key) == ERROR_SUCCESS)
        RegCloseKey(key);
}

ScratchRegKey::~ScratchRegKey()
{
    deleteKeyTree(HKEY_CURRENT_USER, m_path);
}

void writeFile(const std::string& path, const std::string& content)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return;
    fwrite(content.data(), 1, content.size(), file);
    fclose(file);
}

std::string readFile(const std::string& path)
{
    std::string content;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return content;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, n);
    fclose(file);
    return content;
}

bool fileExists(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool dirExists(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void removeTree(const std::string& path)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

void makeDirs(const std::string& path)
{
    for (size_t i = 3; i <= path.size(); i++) {
        if (i == path.size() || path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}
