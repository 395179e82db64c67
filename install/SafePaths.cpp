#include "install/SafePaths.h"
#include "support/Paths.h"

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

// "..", and ".. " or "..." too: the file system drops trailing dots and spaces of a name, so an
// element made only of dots and spaces with two or more dots is treated as the parent.
bool isParentElement(const std::string& element)
{
    int dots = 0;
    for (char c : element) {
        if (c == '.')
            dots++;
        else if (c != ' ')
            return false;
    }
    return dots >= 2;
}

bool hasParentElement(const std::string& name)
{
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = start;
        while (end < name.size() && !isSeparator(name[end]))
            end++;
        if (isParentElement(name.substr(start, end - start)))
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace

bool fitsPathLimit(const std::string& path)
{
    return path.size() <= kMaxPathLength;
}

bool isSafeRelativePath(const std::string& name)
{
    if (name.empty() || isSeparator(name[0]))
        return false;
    if (name.size() >= 2 && name[1] == ':')
        return false; // "C:\x" and the drive-relative "C:x" alike
    return !hasParentElement(name);
}

bool isShortcutPath(const std::string& path)
{
    static const char kExtension[] = ".lnk";
    const size_t n = sizeof kExtension - 1;
    return path.size() > n && equalsNoCase(path.c_str() + path.size() - n, kExtension);
}
