// Runs the simulator as a child process, in the build folder that holds Assets, and reads what it left.
#pragma once

#include <string>
#include <vector>

struct SimResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs brimvale-sim with the given arguments; `input`, when not empty, is written to a script file and passed
// with --input.
SimResult RunSim(const std::vector<std::string>& arguments, const std::string& input = "");

// Runs any program the same way (stdout and stderr captured).
SimResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::vector<std::string>& environment = {});

// The frame of the last input line of a simulator script (0 when it has none).
unsigned long long LastScriptFrame(const std::string& path);

// The lines of the trace log of the last run (under the test's own HOME).
std::vector<std::string> ReadTraceLines();

// Path of the simulator, from BRIMVALE_SIM, or "./brimvale-sim".
std::string SimPath();

// A fresh file path under the test's temporary folder.
std::string TempPath(const std::string& name);
