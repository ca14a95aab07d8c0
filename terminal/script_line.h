// Reading terminal scripts without the terminal: how a file splits into lines and what each line asks for.
// Depends on the standard library only, so that the fuzzer can build it on its own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A script line arrives in reads of at most this many characters; a longer line continues in the next read.
constexpr size_t ScriptReadLimit = 1023;

// Splits a script's bytes into lines: each cut at its line feed (dropped, with a carriage return before it),
// and each no longer than ScriptReadLimit. A last line without a line feed is still a line.
class ScriptLineSplitter {
public:
    explicit ScriptLineSplitter(std::string_view content) : rest(content) {}

    // The next line and the number of the file line it belongs to (from 1); false at the end.
    bool Next(std::string_view& line, int& lineNumber);

private:
    std::string_view rest;
    int number = 0;
    bool continuing = false; // the previous read stopped at the length limit, inside a file line
};

enum class ScriptLineKind { Text, Speed, Delay, IgnoreNewline, Clear, Event, Malformed };

struct ScriptLine {
    ScriptLineKind kind = ScriptLineKind::Text;
    float number = 0.0f;      // Speed, Delay, Clear
    std::string_view text;    // Text, IgnoreNewline, Event
    const char* tag = "";     // the tag that was found, for messages
    const char* problem = ""; // Malformed: what is wrong with the argument
};

// The tags, found anywhere in a line and tried in this order. The argument always starts at a fixed column:
// right after the tag and one blank, as if the tag opened the line.
ScriptLine ClassifyScriptLine(std::string_view line);
