#include "tools/sim/sim_script.h"

#include "platform/pxl.h"
#include "platform/pxl_key_names.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace {

bool ParseNumber(const std::string& word, double& value)
{
    if (word.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtod(word.c_str(), &end);
    return errno == 0 && end != nullptr && *end == '\0';
}

bool ParseFrame(const std::string& word, uint64_t& frame)
{
    if (word.empty() || !std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c); })) {
        return false;
    }
    errno = 0;
    frame = std::strtoull(word.c_str(), nullptr, 10);
    return errno == 0;
}

bool ParseClock(const std::string& word, long long& epoch)
{
    uint64_t value = 0;
    if (!ParseFrame(word, value) || value > LatestSimClock) {
        return false;
    }
    epoch = static_cast<long long>(value);
    return true;
}

std::string Lower(std::string text)
{
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

int ParseSimKey(const std::string& name)
{
    const std::string key = Lower(name);
    for (const PxlNamedKey& named : PxlKeyNames) {
        if (key == named.name) {
            return named.code;
        }
    }
    if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) {
        return std::toupper(static_cast<unsigned char>(key[0]));
    }
    char* end = nullptr;
    errno = 0;
    long code = std::strtol(key.c_str(), &end, 0);
    if (errno != 0 || end == key.c_str() || *end != '\0' || code <= 0 || code >= PXL_KEY_COUNT) {
        return -1;
    }
    return static_cast<int>(code);
}

namespace {

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream words(text);
    std::vector<std::string> parts;
    for (std::string word; words >> word;) {
        parts.push_back(word);
    }
    return parts;
}

// "# clock EPOCH dt SECONDS" as the first line that is not blank; false on a malformed one.
bool ParseRecordingHeader(const std::string& text, SimScript& script, std::string& error)
{
    std::istringstream input(text);
    std::string line;
    for (int number = 1; std::getline(input, line); ++number) {
        std::vector<std::string> parts = Words(line);
        if (parts.empty()) {
            continue;
        }
        if (parts[0] != "#" || parts.size() < 2 || Lower(parts[1]) != "clock") {
            return true;
        }
        long long epoch = 0;
        double dt = 0;
        if (parts.size() != 5 || !ParseClock(parts[2], epoch) || Lower(parts[3]) != "dt" ||
            !ParseNumber(parts[4], dt) || !(dt > 0.0) || dt > 10.0) {
            error = "input line " + std::to_string(number) +
                    ": a recording starts \"# clock EPOCH dt SECONDS\" (seconds above 0 and at most 10): \"" + line +
                    "\"";
            return false;
        }
        script.recorded = true;
        script.startClock = epoch;
        script.frameTime = dt;
        return true;
    }
    return true;
}

} // namespace

bool ParseSimScript(const std::string& text, SimScript& script, std::string& error)
{
    script = SimScript{};
    if (!ParseRecordingHeader(text, script, error)) {
        return false;
    }
    std::string whole = text;
    if (script.recorded && !whole.empty() && whole.back() != '\n') {
        // The game was stopped while writing this line; everything before it stands.
        whole.erase(whole.find_last_of('\n') == std::string::npos ? 0 : whole.find_last_of('\n') + 1);
        script.cutOff = true;
    }
    std::istringstream input(whole);
    std::string line;
    uint64_t lastFrame = 0;
    for (int number = 1; std::getline(input, line); ++number) {
        std::string content = line.substr(0, line.find('#'));
        std::vector<std::string> parts = Words(content);
        if (parts.empty()) {
            continue;
        }
        auto fail = [&](const std::string& why) {
            error = "input line " + std::to_string(number) + ": " + why + ": \"" + line + "\"";
            return false;
        };
        SimEvent event;
        if (!ParseFrame(parts[0], event.frame)) {
            return fail("expected a frame number first");
        }
        if (event.frame < lastFrame) {
            return fail("frame numbers must not go back");
        }
        if (parts.size() < 2) {
            return fail("missing event");
        }
        const std::string kind = Lower(parts[1]);
        auto expectArguments = [&](size_t count) { return parts.size() == 2 + count; };
        if (kind == "mouse" || kind == "resize") {
            double a = 0, b = 0;
            if (!expectArguments(2) || !ParseNumber(parts[2], a) || !ParseNumber(parts[3], b)) {
                return fail(kind + " takes two numbers");
            }
            if (kind == "resize" && (a < 1 || b < 1 || a > 16384 || b > 16384)) {
                return fail("resize takes a width and height from 1 to 16384");
            }
            event.kind = kind == "mouse" ? SimEventKind::Mouse : SimEventKind::Resize;
            event.x = static_cast<float>(a);
            event.y = static_cast<float>(b);
        } else if (kind == "press" || kind == "release") {
            if (!expectArguments(1) || (event.key = ParseSimKey(parts[2])) < 0) {
                return fail(kind + " takes one key (left, escape, a letter, or a code such as 0x41)");
            }
            event.kind = kind == "press" ? SimEventKind::Press : SimEventKind::Release;
        } else if (kind == "focus") {
            std::string state = parts.size() == 3 ? Lower(parts[2]) : std::string();
            if (state != "lost" && state != "gained") {
                return fail("focus takes \"lost\" or \"gained\"");
            }
            event.kind = state == "lost" ? SimEventKind::FocusLost : SimEventKind::FocusGained;
        } else if (kind == "clock") {
            long long epoch = 0;
            if (!expectArguments(1) || !ParseClock(parts[2], epoch)) {
                return fail("clock takes seconds since 1970, from 0 to " + std::to_string(LatestSimClock));
            }
            event.kind = SimEventKind::Clock;
            event.clock = epoch;
        } else if (kind == "dt") {
            double seconds = 0;
            if (!expectArguments(1) || !ParseNumber(parts[2], seconds) || !(seconds >= 0.0) || seconds > 3600.0) {
                return fail("dt takes the frame's seconds, from 0 to 3600");
            }
            event.kind = SimEventKind::FrameTime;
            event.seconds = seconds;
        } else if (kind == "close") {
            if (!expectArguments(0)) {
                return fail("close takes nothing");
            }
            event.kind = SimEventKind::Close;
        } else {
            return fail("unknown event \"" + parts[1] + "\"");
        }
        lastFrame = event.frame;
        script.events.push_back(event);
    }
    return true;
}
