// brimvale-autoplay: plays whole shifts as a careful player would, from the screen and the manual alone, and
// reports each one.
#include "tools/autoplay/player.h"
#include "tools/autoplay/shift.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

namespace {

const char* const Usage = "usage: brimvale-autoplay --shifts N [--first-clock EPOCH] [--clock-step SECONDS]\n"
                          "                         [--mistakes P] [--json FILE] [--record-input FILE]\n";

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "brimvale-autoplay: %s\n%s", message.c_str(), Usage);
    return 2;
}

bool ParseWhole(const char* text, long long low, long long high, long long& value)
{
    if (text == nullptr || *text == '\0') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text, &end, 10);
    return errno == 0 && *end == '\0' && value >= low && value <= high;
}

std::string Joined(const std::vector<std::string>& items, const char* separator)
{
    std::string out;
    for (const std::string& item : items) {
        out += (out.empty() ? "" : separator) + item;
    }
    return out;
}

const char* ResultWord(const ShiftReport& report)
{
    return report.result == 1 ? "won" : report.result == 0 ? "lost" : "stuck";
}

std::string JsonText(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", c);
            out += code;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string ShiftJson(const ShiftReport& report)
{
    std::string tasks;
    for (const std::string& task : report.tasks) {
        tasks += (tasks.empty() ? "" : ",") + JsonText(task);
    }
    return "{\"clock\":" + std::to_string(static_cast<long long>(report.clock)) + ",\"date\":" + JsonText(report.date) +
           ",\"result\":" + JsonText(ResultWord(report)) + ",\"timeLeft\":" + JsonText(report.timeLeft) +
           ",\"tasks\":[" + tasks + "],\"wrongAnswers\":" + std::to_string(report.wrongAnswers) +
           ",\"frames\":" + std::to_string(report.frames) + ",\"failure\":" + JsonText(report.failure) + "}";
}

} // namespace

int main(int argc, char** argv)
{
    long long shifts = -1;
    long long firstClock = static_cast<long long>(std::time(nullptr));
    long long clockStep = 86400 + 3607; // a day and a bit, so both the date and the seconds move
    double mistakes = 0;
    std::string jsonPath;
    PlayerOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            std::printf("%s", Usage);
            return 0;
        }
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (value == nullptr) {
            return UsageError(option + " needs a value (or is unknown)");
        }
        ++i;
        if (option == "--shifts") {
            if (!ParseWhole(value, 1, 1000000, shifts)) {
                return UsageError("--shifts takes a whole number from 1");
            }
        } else if (option == "--first-clock") {
            if (!ParseWhole(value, 0, 253402300799LL, firstClock)) {
                return UsageError("--first-clock takes seconds since 1970");
            }
        } else if (option == "--clock-step") {
            if (!ParseWhole(value, 1, 100LL * 365 * 86400, clockStep)) {
                return UsageError("--clock-step takes a whole number of seconds from 1");
            }
        } else if (option == "--mistakes") {
            char* end = nullptr;
            mistakes = std::strtod(value, &end);
            if (*end != '\0' || !(mistakes >= 0.0 && mistakes <= 1.0)) {
                return UsageError("--mistakes takes a chance from 0 to 1");
            }
        } else if (option == "--json") {
            jsonPath = value;
        } else if (option == "--record-input") {
            options.inputLogPath = value;
        } else {
            return UsageError("unknown option " + option);
        }
    }
    if (shifts < 0) {
        return UsageError("--shifts is required");
    }
    std::FILE* json = nullptr;
    if (!jsonPath.empty()) {
        json = std::fopen(jsonPath.c_str(), "w");
        if (json == nullptr) {
            return UsageError("cannot write " + jsonPath + ": " + std::strerror(errno));
        }
    }

    std::vector<ShiftReport> reports;
    std::mt19937 chance(static_cast<std::mt19937::result_type>(firstClock));
    auto started = std::chrono::steady_clock::now();
    options.clockGiven = true;
    options.clock = static_cast<std::time_t>(firstClock);
    // For the developers of the solvers: the game's console lines as well.
    const char* console = std::getenv("BRIMVALE_AUTOPLAY_CONSOLE");
    options.keepConsole = console != nullptr && *console != '\0' && *console != '0';
    PlayResult run = Player::Run(options, [&](Player& player) {
        for (long long n = 0; n < shifts; ++n) {
            ShiftOptions shift;
            shift.setClock = true;
            shift.clock = static_cast<std::time_t>(firstClock + n * clockStep);
            shift.mistakes = mistakes;
            shift.chance = &chance;
            ShiftReport report = PlayShift(player, shift);
            reports.push_back(report);
            std::printf("shift %lld  clock %lld  %-28s %-5s %9s left  wrong %d  frames %llu  tasks: %s%s%s\n", n + 1,
                        static_cast<long long>(report.clock), report.date.c_str(), ResultWord(report),
                        report.timeLeft.c_str(), report.wrongAnswers, static_cast<unsigned long long>(report.frames),
                        Joined(report.tasks, ", ").c_str(), report.failure.empty() ? "" : "  -- ",
                        report.failure.c_str());
            std::fflush(stdout);
            if (!report.failure.empty() && std::getenv("BRIMVALE_AUTOPLAY_DUMP") != nullptr) {
                // For the developers of the solvers: what the screen showed when the shift got stuck.
                if (std::FILE* dump = std::fopen(std::getenv("BRIMVALE_AUTOPLAY_DUMP"), "w")) {
                    std::fputs(ScreenDescriptionJson(player.Screen()).c_str(), dump);
                    std::fclose(dump);
                }
            }
            if (report.result < 0 || !report.failure.empty()) {
                break; // a stuck shift leaves the game somewhere no next shift can start from
            }
        }
    });
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    int won = 0, lost = 0, stuck = 0, wrong = 0;
    unsigned long long frames = 0;
    for (const ShiftReport& report : reports) {
        won += report.result == 1 && report.failure.empty() ? 1 : 0;
        lost += report.result == 0 ? 1 : 0;
        stuck += report.result < 0 || (report.result == 1 && !report.failure.empty()) ? 1 : 0;
        wrong += report.wrongAnswers;
        frames += report.frames;
    }
    long long missing = shifts - static_cast<long long>(reports.size());
    std::printf("%lld shifts: %d won, %d lost, %d stuck, %lld not played; %d wrong answers; %llu frames "
                "(%.1f minutes of play) in %.1f s\n",
                shifts, won, lost, stuck, missing, wrong, frames, static_cast<double>(frames) / 60.0 / 60.0, seconds);
    if (!run.error.empty()) {
        std::fprintf(stderr, "brimvale-autoplay: %s\n", run.error.c_str());
    }
    if (json != nullptr) {
        std::fprintf(json, "{\"shifts\":[\n");
        for (size_t i = 0; i < reports.size(); ++i) {
            std::fprintf(json, "%s%s\n", ShiftJson(reports[i]).c_str(), i + 1 < reports.size() ? "," : "");
        }
        std::fprintf(json,
                     "],\n\"summary\":{\"shifts\":%lld,\"won\":%d,\"lost\":%d,\"stuck\":%d,\"wrongAnswers\":%d,"
                     "\"frames\":%llu,\"seconds\":%.3f}}\n",
                     shifts, won, lost, stuck, wrong, frames, seconds);
        std::fclose(json);
    }
    bool allWon = won == shifts && run.engineStatus == 0 && run.error.empty();
    return allWon ? 0 : 1;
}
