// Linux stand-ins for the Windows calls: Documents from the XDG user-dirs file, POSIX folders, a clock that
// the simulator can pin.
#include "platform/os.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return ".";
}

std::string WithoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// The value of XDG_DOCUMENTS_DIR in user-dirs.dirs: a quoted path, absolute or starting with $HOME.
// Escaped characters are taken literally, as xdg-user-dir does.
bool ParseDocumentsLine(const std::string& line, const std::string& home, std::string& folder)
{
    const std::string key = "XDG_DOCUMENTS_DIR";
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, key.size(), key) != 0)
        return false;
    size_t at = line.find_first_not_of(" \t", start + key.size());
    if (at == std::string::npos || line[at] != '=')
        return false;
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line[at] != '"')
        return false;
    ++at;
    std::string value;
    if (line.compare(at, 5, "$HOME") == 0) {
        value = home;
        at += 5;
    } else if (line[at] != '/') {
        return false;
    }
    for (; at < line.size() && line[at] != '"'; ++at) {
        if (line[at] == '\\' && at + 1 < line.size())
            ++at;
        value += line[at];
    }
    if (at >= line.size())
        return false;
    folder = value;
    return true;
}

bool simulatedClock = false;
std::time_t simulatedStart = 0;
double simulatedSeconds = 0;

} // namespace

std::string OsConfigFolder()
{
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && *configHome == '/')
        return WithoutTrailingSlashes(configHome);
    return WithoutTrailingSlashes(HomeFolder()) + "/.config";
}

std::string OsDocumentsFolder()
{
    std::string home = HomeFolder();
    const std::string dirs = OsConfigFolder() + "/user-dirs.dirs";
    std::ifstream file;
    if (OsIsRegularFile(dirs.c_str()))
        file.open(dirs);
    std::string line;
    std::string folder;
    while (std::getline(file, line)) {
        if (ParseDocumentsLine(line, home, folder)) {
            std::string trimmed = WithoutTrailingSlashes(folder);
            if (!trimmed.empty())
                return trimmed;
        }
    }
    return WithoutTrailingSlashes(home) + "/Documents";
}

bool OsCreateDirectory(const std::string& path)
{
    if (path.empty())
        return false;
    if (mkdir(path.c_str(), 0755) == 0)
        return true;
    struct stat info;
    return errno == EEXIST && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool OsCreateDirectories(const std::string& path, std::string* error)
{
    // Each folder from the top down; folders above that exist already (and may not be writable) are fine.
    std::string reason;
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        std::string folder = path.substr(0, slash);
        if (!OsCreateDirectory(folder))
            reason = folder + ": " + std::strerror(errno);
        if (slash == std::string::npos)
            break;
    }
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return true;
    if (error)
        *error = reason.empty() ? path + ": not a folder" : reason;
    return false;
}

bool OsReplaceFile(const std::string& path, const std::string& contents, std::string* error)
{
    auto fail = [&](const std::string& what) {
        if (error)
            *error = what + ": " + std::strerror(errno);
        return false;
    };
    std::string temporary = path + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0)
        return fail(temporary);
    fchmod(fd, 0644);
    size_t written = 0;
    while (written < contents.size()) {
        ssize_t n = write(fd, contents.data() + written, contents.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            int reason = errno;
            close(fd);
            unlink(temporary.c_str());
            errno = reason;
            return fail(temporary);
        }
        written += size_t(n);
    }
    // On the disk before the rename, so that a crash leaves the old file or the new one, never an empty one.
    // Closed whatever the sync says, so that a failing disk does not leak a descriptor per attempt.
    bool synced = fsync(fd) == 0;
    int syncReason = errno;
    bool closed = close(fd) == 0;
    if (!synced || !closed) {
        int reason = synced ? errno : syncReason;
        unlink(temporary.c_str());
        errno = reason;
        return fail(temporary);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        int reason = errno;
        unlink(temporary.c_str());
        errno = reason;
        return fail(path);
    }
    return true;
}

std::vector<std::string> OsListFiles(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return names;
    std::string prefix = folder.empty() ? "" : folder;
    if (!prefix.empty() && prefix.back() != '/')
        prefix += '/';
    while (const dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat info;
        if (stat((prefix + name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool OsIsRegularFile(const char* path)
{
    struct stat info;
    return path != nullptr && stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

std::time_t OsCalendarTime()
{
    if (simulatedClock)
        return simulatedStart + std::time_t(simulatedSeconds);
    return std::time(nullptr);
}

void OsSetSimulatedClock(std::time_t start)
{
    simulatedClock = true;
    simulatedStart = start;
    simulatedSeconds = 0;
}

void OsAdvanceSimulatedClock(double seconds)
{
    if (seconds > 0)
        simulatedSeconds += seconds;
}

std::string OsEnterGameDataFolder()
{
    struct stat info;
    if (stat("Assets", &info) == 0 && S_ISDIR(info.st_mode))
        return "";
    char program[4096];
    ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
    if (length <= 0)
        return "";
    program[length] = '\0';
    std::string folder(program);
    folder.erase(folder.find_last_of('/') + 1);
    const std::string data = folder + "../share/brimvale";
    if (stat((data + "/Assets").c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || chdir(data.c_str()) != 0)
        return "";
    return data;
}
