// BM_TerminalFrame: the cost of one frame of a full terminal screen, drawn the way the game draws it: the black
// backing, its screen panel, fifteen lines of thirty-six glowing glyphs and the cursor, in a window of the
// bench's own (OpenGL, hidden; or the headless backend, which leaves out OpenGL: the game's own share).
#pragma once

#include <benchmark/benchmark.h>
#include <string>

// Opens the window and the drawing systems, runs the benchmarks registered with BENCHMARK (those that draw
// into that window) with the given reporter and closes it again. `terminalPng`, when not empty, receives the
// benchmarked frame as a picture. Returns 0 when they ran.
int RunTerminalBenchmarks(bool headless, const std::string& terminalPng, benchmark::BenchmarkReporter& reporter);
