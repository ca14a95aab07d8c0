// libFuzzer target: any bytes as a terminal script. The reader must split and classify them without crashing,
// and never hand the terminal a line longer than one read, a line feed inside a line, or an unusable number.
#include "terminal/script_line.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view content(reinterpret_cast<const char*>(data), size);
    ScriptLineSplitter splitter(content);
    std::string_view line;
    int number = 0;
    int previous = 0;
    size_t total = 0;
    while (splitter.Next(line, number)) {
        Check(line.size() <= ScriptReadLimit);
        Check(line.find('\n') == std::string_view::npos);
        Check(number >= 1 && number >= previous);
        previous = number;
        total += line.size();
        Check(total <= size);
        ScriptLine classified = ClassifyScriptLine(line);
        switch (classified.kind) {
        case ScriptLineKind::Speed:
        case ScriptLineKind::Delay:
        case ScriptLineKind::Clear:
            Check(std::isfinite(classified.number));
            break;
        case ScriptLineKind::Event:
        case ScriptLineKind::IgnoreNewline:
            Check(!classified.text.empty());
            break;
        case ScriptLineKind::Text:
            Check(classified.text == line);
            break;
        case ScriptLineKind::Malformed:
            Check(*classified.problem != '\0');
            break;
        }
    }
    return 0;
}
