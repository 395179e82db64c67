// How the application takes over an image file extension, as the uninstall expects to find it:
// the opening program of the extension is set to a text containing "LmtCap6.exe", and the text
// it replaced is kept in "LmtCapOld" of the same key.
#pragma once

// The opening program is the "Application" value of the extension's key under the current
// user's FileExts key when that key exists, else the default value of the extension's key
// under the classes root (created when missing). True when the value was set.
bool takeOverExtension(const char* extension);
