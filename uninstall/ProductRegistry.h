// The product's registry entries and their removal.
#pragma once

// Deletes the product key tree under the local machine, the current user and every loaded user
// hive (and the vendor key wherever no other product's key is left in it), the document class,
// the installed-programs entry and the application's App Paths entry.
void removeProductRegistry();
