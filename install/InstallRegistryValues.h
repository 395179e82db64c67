// The registry entries an installation leaves: the product key, the application path that makes
// the application startable by name, and the entry in the list of installed programs.
#pragma once

// Writes them all under HKEY_LOCAL_MACHINE from setupSettings (installDir, allUsers). Failures
// leave the value unwritten; nothing is reported.
void writeInstallRegistryValues();
