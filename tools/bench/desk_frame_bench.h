// BM_DeskFrame: the busiest frame of the real game, run by the engine's own loop: a task open on the desk,
// the terminal full, the alarm band pulsing and the manual peeking up under the mouse. The autoplayer gets
// the shift there with the mouse, then each iteration is one engine frame, timed as the game thread's CPU.
#pragma once

#include <benchmark/benchmark.h>

// Starts the game (on the headless backend, or with OpenGL in a hidden window), brings it to that frame and
// runs the benchmark on it with Google Benchmark's flags as given, through the reporter. Returns 0 when it ran.
int RunDeskBenchmarks(bool headless, benchmark::BenchmarkReporter& reporter);
