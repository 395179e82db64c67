// Handing the image file types back to the program that opened them before the application
// took them over.
#pragma once
#include <cstddef>

// The image extensions the application may take over, in the order they are examined.
extern const char* const imageExtensionTable[];
extern const size_t imageExtensionCount;

// For each extension whose opening program names the application: puts back the text the
// application saved in "LmtCapOld" (or deletes the value when nothing was saved) and deletes
// "LmtCapOld". Looks in the current user's FileExts key ("Application" values) or, when that key
// does not open, in the classes root (default values). True when it announced a change of file
// associations, which it does once, and only when an extension was given back.
bool restoreImageAssociations();
