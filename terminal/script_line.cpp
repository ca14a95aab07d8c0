#include "terminal/script_line.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

struct Tag {
    const char* name;
    ScriptLineKind kind;
    size_t column;
    bool numeric;
};

const Tag Tags[] = {
    {"<speed>", ScriptLineKind::Speed, 8, true},
    {"<delay>", ScriptLineKind::Delay, 8, true},
    {"<ignore newline>", ScriptLineKind::IgnoreNewline, 17, false},
    {"<clear>", ScriptLineKind::Clear, 8, true},
    {"<event>", ScriptLineKind::Event, 8, false},
};

ScriptLine Malformed(const Tag& tag, const char* problem)
{
    ScriptLine line;
    line.kind = ScriptLineKind::Malformed;
    line.tag = tag.name;
    line.problem = problem;
    return line;
}

} // namespace

bool ScriptLineSplitter::Next(std::string_view& line, int& lineNumber)
{
    while (!rest.empty()) {
        size_t take = rest.find('\n');
        bool ended = take != std::string_view::npos && take <= ScriptReadLimit;
        if (!ended) {
            take = rest.size() < ScriptReadLimit ? rest.size() : ScriptReadLimit;
        }
        std::string_view read = rest.substr(0, take);
        rest.remove_prefix(ended ? take + 1 : take);
        if (!continuing) {
            ++number;
        }
        bool wasContinuing = continuing;
        continuing = !ended && !rest.empty();
        if ((ended || rest.empty()) && !read.empty() && read.back() == '\r') {
            read.remove_suffix(1);
        }
        // A line of exactly the read limit leaves only its line feed for the next read: that is its end, not
        // an empty line of its own.
        if (wasContinuing && ended && read.empty()) {
            continue;
        }
        line = read;
        lineNumber = number;
        return true;
    }
    return false;
}

ScriptLine ClassifyScriptLine(std::string_view text)
{
    for (const Tag& tag : Tags) {
        if (text.find(tag.name) == std::string_view::npos) {
            continue;
        }
        std::string_view argument = text.size() > tag.column ? text.substr(tag.column) : std::string_view();
        if (!tag.numeric) {
            if (tag.kind == ScriptLineKind::Event) {
                // An event name never ends in blanks; stray ones would only keep it from being heard.
                while (!argument.empty() && (argument.back() == ' ' || argument.back() == '\t')) {
                    argument.remove_suffix(1);
                }
            }
            if (argument.empty()) {
                return Malformed(tag, "has no text after it");
            }
            ScriptLine line;
            line.kind = tag.kind;
            line.tag = tag.name;
            line.text = argument;
            return line;
        }
        if (argument.empty()) {
            return Malformed(tag, "has no number after it");
        }
        std::string digits(argument);
        char* end = nullptr;
        errno = 0;
        float number = std::strtof(digits.c_str(), &end);
        if (end == digits.c_str() || std::isnan(number)) {
            return Malformed(tag, "is not followed by a number");
        }
        if (errno == ERANGE || !std::isfinite(number)) {
            return Malformed(tag, "has a number out of range");
        }
        ScriptLine line;
        line.kind = tag.kind;
        line.tag = tag.name;
        line.number = number;
        return line;
    }
    ScriptLine line;
    line.text = text;
    return line;
}
