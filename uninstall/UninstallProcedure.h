// Removing one installation, given its directory.
#pragma once
#include "uninstall/ImageAssociations.h"
#include "uninstall/ProductRegistry.h"
#include <string>

// Removes the product's registry entries, gives the image types back, undoes what the
// directory's logs ("install.log", then "LmtUnInst.log") record, deletes the installed log,
// removes the directory when it is empty by then, and deletes the fixed-name shortcuts and group
// folders of all users and of every loaded user profile. Asks and reports nothing; every failure
// is skipped and the next step runs.
void uninstallProduct(const std::string& installDirWithBackslash);
