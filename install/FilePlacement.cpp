#include "install/FilePlacement.h"

// Not built yet: file placement comes with the install engine.
void replaySourceList(const std::string&) {}
int copyMatchingFiles(const std::string&, const std::string&, const std::string&) { return 0; }
bool copyOneFile(const std::string&, const std::string&, const std::string&, const char*) { return false; }
bool runningOnWow64() { return false; }
bool scheduleDeleteAtRestart(const std::string&) { return false; }
bool scheduleRenameAtRestart(const std::string&, const std::string&) { return false; }
bool restartRequired() { return false; }
