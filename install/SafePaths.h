// Names read from a source list or an install log are data from files, not trusted paths. These
// rules keep every path built from them inside the directory it is meant for and within the
// length the ANSI file functions take; every reader of those files applies them.
#pragma once
#include <string>

// The ANSI file functions take paths of at most MAX_PATH (260) bytes with the terminating zero.
// A joined path longer than that is refused where it is built rather than handed on.
constexpr size_t kMaxPathLength = 259;
bool fitsPathLimit(const std::string& path);

// A name that an entry asks to create, write or delete below a base directory: not empty, not
// absolute (no drive letter, no leading backslash or slash) and without a ".." element (nor one
// of dots and spaces that the file system would read as ".."). Anything else could reach outside
// the installation directory.
bool isSafeRelativePath(const std::string& name);

// A "Shell Link: " line may delete only a shortcut file: its name ends in ".lnk" (any case).
bool isShortcutPath(const std::string& path);
