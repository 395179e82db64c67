// The installer's command-line options, read only when no installation exists yet.
#pragma once

// Scans arguments 1 to argc - 1 and applies "-instdir DIR", "-runafter", "-allusers",
// "-autostart" and "-nodeskico" to the settings record. "-instdir" sets installDir to an existing
// path (one trailing backslash or slash dropped) and empties it for a path that does not exist;
// its argument is looked at again as an option of its own.
void readInstallerOptions(int argc, char** argv);
