// Stand-ins for the few operating-system services the game uses: the Documents folder, creating folders,
// listing a folder, and the calendar clock.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

// The user's documents folder (XDG DOCUMENTS, falling back to $HOME/Documents), without a trailing slash.
std::string OsDocumentsFolder();

// Creates one folder; an existing folder is fine. Returns false on failure.
bool OsCreateDirectory(const std::string& path);

// The plain files of a folder (no sub-folders, no "." or ".."), sorted by name (byte order). A folder that
// cannot be read gives an empty list. The folder may end with "/".
std::vector<std::string> OsListFiles(const std::string& folder);

// Calendar time in whole seconds. Normally time(nullptr); the simulator pins it to a start value that then
// advances with the simulated time, so that runs repeat exactly.
std::time_t OsCalendarTime();
void OsSetSimulatedClock(std::time_t start);
void OsAdvanceSimulatedClock(double seconds);
