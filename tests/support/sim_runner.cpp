#include "support/sim_runner.h"

#include "engine/trace.h"
#include "platform/os.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string ReadWhole(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every test process gets a home of its own, so that tests running side by side never read each other's
// trace log.
struct OwnHome {
    OwnHome()
    {
        std::string home = TempPath("home");
        OsCreateDirectory(home);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    }
};
const OwnHome ownHome;

} // namespace

std::string SimPath()
{
    const char* path = std::getenv("BRIMVALE_SIM");
    return path != nullptr && *path != '\0' ? path : "./brimvale-sim";
}

std::string TempPath(const std::string& name)
{
    const char* base = std::getenv("TMPDIR");
    std::string folder = std::string(base != nullptr ? base : "/tmp") + "/brimvale-tests-" + std::to_string(getpid());
    OsCreateDirectory(folder);
    return folder + "/" + name;
}

SimResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::vector<std::string>& environment)
{
    static int runNumber = 0;
    ++runNumber;
    std::string outPath = TempPath("run" + std::to_string(runNumber) + ".out");
    std::string errPath = TempPath("run" + std::to_string(runNumber) + ".err");
    std::fflush(stdout);
    pid_t child = fork();
    if (child == 0) {
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        for (const std::string& setting : environment) {
            size_t equals = setting.find('=');
            if (equals == std::string::npos) {
                unsetenv(setting.c_str());
            } else {
                setenv(setting.substr(0, equals).c_str(), setting.substr(equals + 1).c_str(), 1);
            }
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    SimResult result;
    int status = 0;
    waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = ReadWhole(outPath);
    result.err = ReadWhole(errPath);
    return result;
}

SimResult RunSim(const std::vector<std::string>& arguments, const std::string& input)
{
    std::vector<std::string> all = arguments;
    if (!input.empty()) {
        static int scriptNumber = 0;
        std::string path = TempPath("input" + std::to_string(++scriptNumber) + ".txt");
        std::ofstream(path) << input;
        all.push_back("--input");
        all.push_back(path);
    }
    return RunProgram(SimPath(), all);
}

unsigned long long LastScriptFrame(const std::string& path)
{
    std::ifstream input(path);
    unsigned long long last = 0;
    for (std::string line; std::getline(input, line);) {
        if (!line.empty() && line[0] != '#') {
            last = std::stoull(line);
        }
    }
    return last;
}

std::vector<std::string> ReadTraceLines()
{
    std::string documents = OsDocumentsFolder();
    std::ifstream file(documents + "/Tessaro/Brimvale/Trace.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}
