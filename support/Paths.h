// Path and string operations shared by several subsystems. Strings are narrow ANSI byte
// strings; positions count bytes from 0 and a search that finds nothing gives -1. Searches step
// character by character, so the trail byte of a double-byte character is never taken for a
// backslash or a slash.
#pragma once
#include <windows.h>
#include <string>

// Whitespace wherever a string is trimmed: space and the bytes 0x09 to 0x0D.
bool isWhitespace(char c);
std::string trimLeft(const std::string& s);
std::string trimRight(const std::string& s);

// Position of the last backslash, -1 when there is none.
int lastBackslash(const std::string& s);
int lastBackslash(const std::string& s, UINT codePage);

// The directory holding the path's last element, without a trailing backslash; empty when there
// is none (no backslash, or only one at position 0). One trailing backslash is dropped first.
std::string parentDirectory(const char* path);
std::string parentDirectory(const std::string& path);
std::string parentDirectory(const std::string& path, UINT codePage);

// Slashes become backslashes; spaces, tabs, CR, LF and backslashes are stripped from both ends.
void normalizeSubPath(std::string& s);
void normalizeSubPath(std::string& s, UINT codePage);

// Joins a directory and a name with exactly the one backslash the directory may lack.
std::string joinPath(const std::string& dir, const std::string& name);

// Case-insensitive (ASCII) comparison, as the command-line switches use.
bool equalsNoCase(const char* a, const char* b);

// Lower case in the ANSI code page.
std::string toLowerAnsi(const std::string& s);

// True when a file or directory of that path exists.
bool pathExists(const std::string& path);
