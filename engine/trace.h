// The developers' trace log ("Trace.log" in <Documents>/Tessaro/Brimvale/) and console printing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Opens the trace log, replacing the previous run's. On failure prints "Error opening file: Trace.log" and
// tracing stays off.
void TraceInit();

// One formatted line into the trace log (a line end is added). Does nothing while the log is closed.
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Formatted text to standard output, unchanged.
int DebugPrint(const char* format, ...) __attribute__((format(printf, 1, 2)));

// For tools that run the game in their own process: while a sink is set, console text goes to it (one call
// per DebugPrint, the formatted text) instead of standard output. Null restores standard output.
using ConsoleSink = void (*)(const char* text, void* user);
void SetConsoleSink(ConsoleSink sink, void* user);

void TraceClose();

// The log stops growing at this many bytes, with one last line saying so.
constexpr std::uint64_t TraceByteLimit = 64ull * 1024 * 1024;

// For tests: the full path of the log, the limit in force, and whether the log is open.
std::string TracePath();
void TraceSetByteLimit(std::uint64_t bytes);
bool TraceIsOpen();
