// Telling a registered instance from an unrelated process that merely holds a listed id.
//
// An id stays in the list when its process ends without leaving it (a crash, a termination by
// the setup), and the system may give that id to an unrelated process later. Before a process
// found in the list is asked to close or terminated, it must prove that it is an instance:
//
// - Every process that registers through this code first creates a named event whose name holds
//   the instance name, its id and its creation time, and keeps it open until it has left the
//   list. A named object disappears with the last handle to it, so it vanishes when its creator
//   ends, and a later process with the same id has a later creation time, hence another name.
//   The checker computes the name from a handle of the process it is about to terminate, and
//   holding that handle keeps the id from being given to anyone else until it is closed.
// - The application itself keeps the list through its own code and creates no such event; it is
//   recognised by its executable's file name, "LmtCap6.exe".
//
// A process that passes neither test is left alone.
#pragma once
#include "support/Scoped.h"
#include <windows.h>
#include <string>

// The name of the event for the process behind the handle; empty when its creation time cannot
// be read.
std::string instanceMarkerName(const std::string& instanceName, HANDLE process, DWORD processId);

// Creates the event of the current process; null when it cannot be created.
HANDLE createInstanceMarker(const std::string& instanceName);

// Opens a listed process with the rights to check it and to terminate it; null when it has ended
// or may not be opened.
HANDLE openInstanceProcess(DWORD processId);

// Whether the process behind the handle (from openInstanceProcess) is an instance of that name:
// its event exists, or it runs the application's executable.
bool isInstanceProcess(const std::string& instanceName, HANDLE process, DWORD processId);
