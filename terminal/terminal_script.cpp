#include "engine/trace.h"
#include "platform/os.h"
#include "terminal/script_line.h"
#include "terminal/terminal.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Once for each time the script was to be read: a shift, a visit to the credits.
void ReportUnreadableScript(const char* path, const char* reason)
{
    std::fprintf(stderr, "Terminal script \"%s\" %s; the terminal goes on without it\n", path, reason);
}

} // namespace

bool ReadTerminalScript(Terminal& terminal, const char* path)
{
    terminal.typeDelay = 20.0f;
    const bool plain = OsIsRegularFile(path);
    std::FILE* file = plain ? std::fopen(path, "r") : nullptr;
    if (file == nullptr) {
        Trace("Error: StreamOpen could not open file %s; %.80s", path, std::strerror(errno));
        ReportUnreadableScript(path, plain ? "cannot be opened" : "is missing or not a plain file");
        return false;
    }
    std::string content;
    char chunk[4096];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        content.append(chunk, got);
    }
    // A file that opens but cannot be read (a folder, a failing disk) queues nothing rather than half of it.
    bool failed = std::ferror(file) != 0;
    int error = errno;
    std::fclose(file);
    if (failed) {
        Trace("Error: StreamOpen could not open file %s; %.80s", path, std::strerror(error));
        ReportUnreadableScript(path, "cannot be read");
        return false;
    }
    if (content.empty()) {
        ReportUnreadableScript(path, "is empty");
        return false;
    }

    ScriptLineSplitter splitter(content);
    std::string_view text;
    int number = 0;
    while (splitter.Next(text, number)) {
        ScriptLine line = ClassifyScriptLine(text);
        switch (line.kind) {
        case ScriptLineKind::Text:
            terminal.AddLine(std::string(line.text));
            break;
        case ScriptLineKind::Speed:
            terminal.AddSpeed(line.number);
            break;
        case ScriptLineKind::Delay:
            terminal.AddDelay(line.number);
            break;
        case ScriptLineKind::IgnoreNewline:
            terminal.AddText(std::string(line.text));
            break;
        case ScriptLineKind::Clear:
            terminal.AddClear(line.number);
            break;
        case ScriptLineKind::Event:
            terminal.AddEvent(std::string(line.text));
            break;
        case ScriptLineKind::Malformed:
            Trace("Error: %s line %d skipped: %s %s", path, number, line.tag, line.problem);
            break;
        }
    }
    return true;
}
