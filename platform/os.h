// Stand-ins for the few operating-system services the game uses: the Documents and configuration folders,
// creating folders, listing a folder, replacing a file whole, and the calendar clock.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

// The user's documents folder (XDG DOCUMENTS, falling back to $HOME/Documents), without a trailing slash.
std::string OsDocumentsFolder();

// The user's configuration folder ($XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config),
// without a trailing slash.
std::string OsConfigFolder();

// Creates one folder; an existing folder is fine. Returns false on failure.
bool OsCreateDirectory(const std::string& path);

// Creates a folder and every missing folder above it. Returns false on failure, with the reason in `error`.
bool OsCreateDirectories(const std::string& path, std::string* error);

// Writes `contents` to a temporary file beside `path` and renames it over `path`, so the file is only ever
// the old one or the whole new one. Returns false on failure, with the reason in `error`; the old file stays.
bool OsReplaceFile(const std::string& path, const std::string& contents, std::string* error);

// True when path names a plain file. Every file the game opens is checked first: opening a FIFO or a
// device in its place would block or read forever.
bool OsIsRegularFile(const char* path);

// The plain files of a folder (no sub-folders, no "." or ".."), sorted by name (byte order). A folder that
// cannot be read gives an empty list. The folder may end with "/".
std::vector<std::string> OsListFiles(const std::string& folder);

// Calendar time in whole seconds. Normally time(nullptr); the simulator pins it to a start value that then
// advances with the simulated time, so that runs repeat exactly.
std::time_t OsCalendarTime();
void OsSetSimulatedClock(std::time_t start);
void OsAdvanceSimulatedClock(double seconds);

// The game reads its files from "./Assets". Started from somewhere else (the desktop menu, a terminal in
// another folder), it moves into the data folder installed beside the program, <prefix>/share/brimvale for
// <prefix>/bin/brimvale, when that folder holds the Assets. Returns the folder it moved to, or "" when it
// stayed.
std::string OsEnterGameDataFolder();
