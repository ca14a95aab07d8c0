// brimvale-bench: frame costs of the game's drawing, with Google Benchmark.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" ./brimvale-bench [--headless] [--terminal-png FILE] [benchmark flags]
//
// Run from the build folder (it reads ./Assets). Two groups run one after the other: the drawing benchmarks in
// a bare window of their own (BM_TerminalFrame, ...), then the real game brought to its busiest desk frame
// (BM_DeskFrame). --headless runs both on the headless backend, which leaves out OpenGL: the game's own share.
#include "engine/trace.h"
#include "tools/bench/desk_frame_bench.h"
#include "tools/bench/terminal_frame_bench.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <regex>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The trace log goes to a folder of the bench's own, never over the player's log.
std::filesystem::path UseOwnHome()
{
    char pattern[] = "/tmp/brimvale-bench-XXXXXX";
    const char* folder = mkdtemp(pattern);
    if (folder == nullptr) {
        return {};
    }
    setenv("HOME", folder, 1);
    setenv("XDG_CONFIG_HOME", (std::string(folder) + "/.config").c_str(), 1);
    // A fast frame writes a lot of lines; the log must not stop growing in the middle of a measurement.
    TraceSetByteLimit(~0ull);
    return folder;
}

// Whether --benchmark_filter picks the named benchmark (a leading '-' excludes what matches). The game takes a
// few seconds to reach the desk, so it only starts when the filter asks for its benchmark.
bool FilterPicks(const std::string& name)
{
    std::string filter = benchmark::GetBenchmarkFilter();
    bool exclude = !filter.empty() && filter[0] == '-';
    if (exclude) {
        filter.erase(0, 1);
    }
    if (filter.empty() || filter == "all") {
        filter = ".";
    }
    try {
        return std::regex_search(name, std::regex(filter)) != exclude;
    } catch (const std::regex_error&) {
        return true; // let Google Benchmark say what is wrong with it
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::string terminalPng;
    bool headless = false;
    std::string format = "console"; // --benchmark_format, which a reporter of our own has to follow itself
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--benchmark_format=", 19) == 0) {
            format = argv[i] + 19;
        }
        if (std::strcmp(argv[i], "--headless") == 0) {
            headless = true;
        } else if (std::strcmp(argv[i], "--terminal-png") == 0 && i + 1 < argc) {
            terminalPng = argv[++i];
        } else {
            arguments.push_back(argv[i]);
        }
    }
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) {
        return 2;
    }
    if (!headless && (std::getenv("DISPLAY") == nullptr || *std::getenv("DISPLAY") == '\0')) {
        std::fprintf(stderr, "brimvale-bench: needs a display for OpenGL (run under xvfb-run), or --headless\n");
        return 1;
    }
    std::filesystem::path home = UseOwnHome();
    if (home.empty()) {
        std::fprintf(stderr, "brimvale-bench: cannot make a folder for the trace log\n");
        return 1;
    }
    // One reporter for both groups: Google Benchmark's own default one does not outlive its first run.
    benchmark::ConsoleReporter console(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                                             : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::JSONReporter json;
    benchmark::BenchmarkReporter* reporter = &console;
    if (format == "json") {
        reporter = &json;
    }
    int status = RunTerminalBenchmarks(headless, terminalPng, *reporter);
    if (status == 0 && FilterPicks("BM_DeskFrame")) {
        status = RunDeskBenchmarks(headless, *reporter);
    }
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    return status;
}
