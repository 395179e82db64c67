// Removing one installation, given its directory (with a trailing backslash).
#pragma once
#include <string>

void uninstallProduct(const std::string& installDirWithBackslash);
void removeProductRegistry();
void restoreImageAssociations();
