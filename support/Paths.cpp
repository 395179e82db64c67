#include "support/Paths.h"
#include <cstring>

namespace {

// Length in bytes of the character at s[i]: 2 for a lead byte followed by a trail byte.
size_t charLength(const std::string& s, size_t i, UINT codePage)
{
    if (i + 1 < s.size() && IsDBCSLeadByteEx(codePage, static_cast<BYTE>(s[i])))
        return 2;
    return 1;
}

bool isSubPathStrip(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\\';
}

} // namespace

bool isWhitespace(char c)
{
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

std::string trimLeft(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && isWhitespace(s[i]))
        i++;
    return s.substr(i);
}

std::string trimRight(const std::string& s)
{
    size_t n = s.size();
    while (n > 0 && isWhitespace(s[n - 1]))
        n--;
    return s.substr(0, n);
}

int lastBackslash(const std::string& s, UINT codePage)
{
    int found = -1;
    for (size_t i = 0; i < s.size(); i += charLength(s, i, codePage)) {
        if (s[i] == '\\')
            found = static_cast<int>(i);
    }
    return found;
}

int lastBackslash(const std::string& s)
{
    return lastBackslash(s, CP_ACP);
}

std::string parentDirectory(const std::string& path, UINT codePage)
{
    std::string copy = path;
    // Only one trailing backslash goes; in "a\b\\" the remaining one is then the last.
    if (!copy.empty() && copy.back() == '\\' && lastBackslash(copy, codePage) == static_cast<int>(copy.size()) - 1)
        copy.pop_back();
    int pos = lastBackslash(copy, codePage);
    if (pos > 0)
        return copy.substr(0, pos);
    return std::string();
}

std::string parentDirectory(const std::string& path)
{
    return parentDirectory(path, CP_ACP);
}

std::string parentDirectory(const char* path)
{
    if (!path)
        return std::string();
    return parentDirectory(std::string(path));
}

void normalizeSubPath(std::string& s, UINT codePage)
{
    for (size_t i = 0; i < s.size(); i += charLength(s, i, codePage)) {
        if (s[i] == '/')
            s[i] = '\\';
    }
    // The strip set holds only single-byte characters, and a trail byte can only stand after its
    // lead byte: stripping from the start is safe byte by byte. From the end, a stripped byte
    // must be a character of its own, not the trail byte of the character before it.
    size_t begin = 0;
    while (begin < s.size() && isSubPathStrip(s[begin]))
        begin++;
    size_t keepEnd = begin;
    for (size_t i = begin; i < s.size(); i += charLength(s, i, codePage)) {
        if (charLength(s, i, codePage) == 2 || !isSubPathStrip(s[i]))
            keepEnd = i + charLength(s, i, codePage);
    }
    s = s.substr(begin, keepEnd - begin);
}

void normalizeSubPath(std::string& s)
{
    normalizeSubPath(s, CP_ACP);
}

std::string joinPath(const std::string& dir, const std::string& name)
{
    if (dir.empty() || dir.back() == '\\' || dir.back() == '/')
        return dir + name;
    return dir + "\\" + name;
}

bool equalsNoCase(const char* a, const char* b)
{
    for (;; a++, b++) {
        char ca = *a, cb = *b;
        if (ca >= 'A' && ca <= 'Z')
            ca = static_cast<char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z')
            cb = static_cast<char>(cb - 'A' + 'a');
        if (ca != cb)
            return false;
        if (ca == '\0')
            return true;
    }
}

std::string toLowerAnsi(const std::string& s)
{
    std::string lower = s;
    if (!lower.empty())
        CharLowerBuffA(&lower[0], static_cast<DWORD>(lower.size()));
    return lower;
}

bool pathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
