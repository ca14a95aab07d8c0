#include "scenes/settings_file.h"

#include "platform/os.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <strings.h>
#include <sys/stat.h>

bool settingsFileInUse = false;

namespace {

// A settings file is a few dozen bytes; anything this large is not one.
constexpr size_t MaxFileSize = 64 * 1024;

std::string Trimmed(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool ParseSwitch(const std::string& value, bool& result)
{
    for (const char* on : {"1", "true", "on", "yes"}) {
        if (strcasecmp(value.c_str(), on) == 0) {
            result = true;
            return true;
        }
    }
    for (const char* off : {"0", "false", "off", "no"}) {
        if (strcasecmp(value.c_str(), off) == 0) {
            result = false;
            return true;
        }
    }
    return false;
}

bool ParseVolume(const std::string& value, float& result)
{
    if (value.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    float volume = std::strtof(value.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(volume) || volume < 0.0f || volume > MaxKeptVolume) {
        return false;
    }
    result = volume;
    return true;
}

// Printable, and short enough for one line of a report.
std::string Quoted(const std::string& line)
{
    std::string shown;
    for (char c : line.substr(0, 40)) {
        shown += (c >= ' ' && c < 127) ? c : '?';
    }
    return "\"" + shown + (line.size() > 40 ? "...\"" : "\"");
}

void Report(const std::string& path, const std::vector<std::string>& problems)
{
    std::string more = problems.size() > 1 ? " (and " + std::to_string(problems.size() - 1) + " more)" : "";
    std::fprintf(stderr, "Brimvale: settings file %s: %s%s; the defaults hold for what could not be read\n",
                 path.c_str(), problems.front().c_str(), more.c_str());
}

} // namespace

std::string SettingsFilePath()
{
    return OsConfigFolder() + "/Tessaro/Brimvale/settings.ini";
}

KeptSettings ParseSettings(const std::string& text, std::vector<std::string>& problems)
{
    KeptSettings settings;
    std::istringstream lines(text);
    std::string raw;
    for (int number = 1; std::getline(lines, raw); ++number) {
        std::string line = Trimmed(raw);
        if (line.empty() || line[0] == '#' || line[0] == ';' || line == "[Brimvale]") {
            continue;
        }
        size_t equals = line.find('=');
        std::string key = equals == std::string::npos ? "" : Trimmed(line.substr(0, equals));
        std::string value = equals == std::string::npos ? "" : Trimmed(line.substr(equals + 1));
        bool read = false;
        if (key == "fullscreen") {
            read = ParseSwitch(value, settings.fullscreen);
        } else if (key == "hide_manual") {
            read = ParseSwitch(value, settings.manualHidden);
        } else if (key == "volume") {
            read = ParseVolume(value, settings.volume);
        }
        if (!read) {
            problems.push_back("line " + std::to_string(number) + " " + Quoted(line) + " not understood");
        }
    }
    return settings;
}

std::string FormatSettings(const KeptSettings& settings)
{
    char volume[32];
    // Nine digits bring a float back exactly.
    std::snprintf(volume, sizeof volume, "%.9g", static_cast<double>(settings.volume));
    return std::string("# Brimvale's settings, written when the settings screen closes.\n[Brimvale]\n") +
           "fullscreen = " + (settings.fullscreen ? "1" : "0") + "\n" +
           "hide_manual = " + (settings.manualHidden ? "1" : "0") + "\n" + "volume = " + volume + "\n";
}

KeptSettings ReadSettingsFile(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        Report(path, {"is not a plain file"});
        return KeptSettings{};
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        if (errno != ENOENT) {
            Report(path, {std::string("cannot be opened (") + std::strerror(errno) + ")"});
        }
        return KeptSettings{};
    }
    std::string text;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && text.size() <= MaxFileSize) {
        text.append(buffer, got);
    }
    bool failed = std::ferror(file) != 0;
    int reason = errno;
    std::fclose(file);
    if (failed) {
        Report(path, {std::string("cannot be read (") + std::strerror(reason) + ")"});
        return KeptSettings{};
    }
    if (text.size() > MaxFileSize) {
        Report(path, {"is too large to be a settings file"});
        return KeptSettings{};
    }
    std::vector<std::string> problems;
    KeptSettings settings = ParseSettings(text, problems);
    if (!problems.empty()) {
        Report(path, problems);
    }
    return settings;
}

bool WriteSettingsFile(const std::string& path, const KeptSettings& settings, std::string& error)
{
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !OsCreateDirectories(path.substr(0, slash), &error)) {
        return false;
    }
    return OsReplaceFile(path, FormatSettings(settings), &error);
}
