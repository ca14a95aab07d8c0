// The settings a player keeps between runs (full screen, the hidden manual, the volume), in a small text file
// of the user's configuration folder. Without the file the game starts as it always did.
#pragma once

#include <string>
#include <vector>

struct KeptSettings {
    bool fullscreen = false;
    bool manualHidden = false;
    float volume = 1.0f; // of every channel group, 0 to MaxKeptVolume
};

// The loudest volume the settings slider gives (its full track).
constexpr float MaxKeptVolume = 10.0f;

// Only the game itself reads and writes the file; the simulator and the autoplayer start from the defaults
// unless asked, so that a run never depends on what a player chose.
extern bool settingsFileInUse;

// "$XDG_CONFIG_HOME/Tessaro/Brimvale/settings.ini", or the same under ~/.config.
std::string SettingsFilePath();

// The settings of a file's text. What cannot be read keeps its default and adds a line to `problems`.
KeptSettings ParseSettings(const std::string& text, std::vector<std::string>& problems);
std::string FormatSettings(const KeptSettings& settings);

// A missing file gives the defaults quietly; a damaged one the defaults for what cannot be read, and one
// line on standard error.
KeptSettings ReadSettingsFile(const std::string& path);

// Writes the file whole (temporary file, then rename), creating its folders. False on failure, with the
// reason in `error`; the old file is then left as it was.
bool WriteSettingsFile(const std::string& path, const KeptSettings& settings, std::string& error);
