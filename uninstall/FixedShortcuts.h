// Shortcuts and program-group folders that carry the product's fixed name, wherever an
// installation of any version may have left them: "Lumetra 6.lnk" in the Startup and Desktop
// folders, and the folder "Lumetra 6" in the Programs folder.
#pragma once

// The all-users folders ("Common Startup", "Common Desktop", "Common Programs" of the machine).
void removeFixedShortcutsOfAllUsers();

// The folders of every user profile whose hive is loaded ("Startup", "Desktop", "Programs").
void removeFixedShortcutsOfEveryUser();
