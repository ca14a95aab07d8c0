// Whole shifts end to end on the optimised build: the closed-loop player wins shift after shift at different
// dates, with and without wrong answers on the way, and a shift left alone after the tutorial is lost in the
// simulator the way a player would see and hear it: the countdown runs down under the pulsing alarm band, the
// siren sounds a few times every 30 seconds, the screen fades to black for five seconds, and the loss paper
// comes up.
#include "audio_test_support.h"
#include "support/sim_runner.h"
#include "tools/autoplay/player.h"
#include "tools/autoplay/screen_reading.h"
#include "tools/autoplay/shift.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int Second = 60; // frames at the game's 60 frames a second

struct PlayedShifts {
    PlayResult run;
    std::vector<ShiftReport> reports;
    std::vector<std::vector<EventLine>> events; // the console's broadcasts during each shift
};

PlayedShifts PlayShifts(int count, double mistakes, std::time_t firstClock)
{
    PlayedShifts played;
    PlayerOptions options;
    options.clockGiven = true;
    options.clock = firstClock;
    std::mt19937 chance(static_cast<std::mt19937::result_type>(firstClock));
    played.run = Player::Run(options, [&](Player& player) {
        for (int n = 0; n < count; ++n) {
            size_t before = player.Events().size();
            ShiftOptions shift;
            shift.setClock = true;
            shift.clock = firstClock + static_cast<std::time_t>(n) * (86400 + 3607);
            shift.mistakes = mistakes;
            shift.chance = &chance;
            played.reports.push_back(PlayShift(player, shift));
            played.events.emplace_back(player.Events().begin() + static_cast<std::ptrdiff_t>(before),
                                       player.Events().end());
            if (played.reports.back().result != 1) {
                return;
            }
        }
    });
    return played;
}

size_t Count(const std::vector<EventLine>& events, const std::string& name, const std::string& payload = "*")
{
    return static_cast<size_t>(std::count_if(events.begin(), events.end(), [&](const EventLine& line) {
        return line.name == name && (payload == "*" || line.payload == payload);
    }));
}

// Every shift won, each task once, the tutorial first and the day counter last, and one task listed for each
// machine the game handed a task to.
void ExpectAllWon(const PlayedShifts& played, int count)
{
    ASSERT_TRUE(played.run.error.empty()) << played.run.error;
    ASSERT_EQ(played.reports.size(), static_cast<size_t>(count));
    std::set<std::string> dates;
    for (size_t n = 0; n < played.reports.size(); ++n) {
        const ShiftReport& report = played.reports[n];
        const std::vector<EventLine>& events = played.events[n];
        SCOPED_TRACE("shift " + std::to_string(n + 1) + " at clock " + std::to_string(report.clock));
        EXPECT_EQ(report.result, 1) << report.failure;
        EXPECT_TRUE(report.failure.empty()) << report.failure;
        dates.insert(report.date);
        ASSERT_GE(report.tasks.size(), 4u);
        EXPECT_EQ(report.tasks[0], "Plant Boot");
        EXPECT_EQ(report.tasks[1], "Admin Authentication");
        EXPECT_EQ(report.tasks.back(), "Onsite Incident");
        std::set<std::string> distinct(report.tasks.begin(), report.tasks.end());
        EXPECT_EQ(distinct.size(), report.tasks.size()) << "a task is listed twice";
        size_t randomTasks = Count(events, "module_trigger") - Count(events, "module_trigger", "Admin Authentication");
        EXPECT_EQ(report.tasks.size(), randomTasks + 3);
        EXPECT_GE(Count(events, "end_game", "win"), 1u);
        EXPECT_EQ(Count(events, "end_game", "lose"), 0u);
        EXPECT_FALSE(report.timeLeft.empty());
        EXPECT_GT(CountdownSeconds(report.timeLeft), 0.0) << report.timeLeft;
    }
    EXPECT_EQ(dates.size(), played.reports.size()) << "each shift at a date of its own";
}

TEST(AutoplayLongRun, TenShiftsAtTenDatesAreWonWithoutAWrongAnswer)
{
    PlayedShifts played = PlayShifts(10, 0.0, 1700000000);
    ExpectAllWon(played, 10);
    for (const ShiftReport& report : played.reports) {
        EXPECT_EQ(report.wrongAnswers, 0);
    }
}

TEST(AutoplayLongRun, FiveShiftsAreWonThroughWrongAnswers)
{
    PlayedShifts played = PlayShifts(5, 0.3, 1712345678);
    ExpectAllWon(played, 5);
    int wrong = 0;
    size_t incorrect = 0;
    for (size_t n = 0; n < played.reports.size(); ++n) {
        wrong += played.reports[n].wrongAnswers;
        // The authentication panel says so on the terminal; the other machines broadcast it.
        incorrect += Count(played.events[n], "module_incorrect") +
                     Count(played.events[n], "terminal_append_line", "Code Incorrect, please try again");
    }
    EXPECT_GT(wrong, 0) << "the incorrect paths were played";
    EXPECT_GE(incorrect, static_cast<size_t>(wrong)) << "each wrong answer was taken as one by its machine";
}

// ---- The loss, in the simulator ----

// The value of one field in a line of the simulator's screen description ("texts" and "pictures" items stand
// one a line): a string without its quotes, an array without its brackets; empty when the line has none.
std::string Field(const std::string& line, const std::string& key)
{
    std::string start = "\"" + key + "\":";
    size_t at = line.find(start);
    if (at == std::string::npos) {
        return std::string();
    }
    at += start.size();
    if (line[at] == '"') {
        return line.substr(at + 1, line.find('"', at + 1) - at - 1);
    }
    if (line[at] == '[') {
        return line.substr(at + 1, line.find(']', at) - at - 1);
    }
    return line.substr(at, line.find_first_of(",}", at) - at);
}

std::vector<float> Numbers(const std::string& list)
{
    std::vector<float> numbers;
    std::istringstream in(list);
    for (std::string item; std::getline(in, item, ',');) {
        numbers.push_back(std::stof(item));
    }
    return numbers;
}

// What the loss test looks for on one described frame.
struct LossFrame {
    uint64_t frame = 0;
    std::string countdown;
    float fade = 0; // alpha of a black rectangle over the whole window
    float band = 0; // alpha of the alarm band (0 when it is not drawn)
    int newspaper = -1;
};

LossFrame ReadLossFrame(const std::string& path, uint64_t frame, int windowWidth, int windowHeight)
{
    LossFrame seen;
    seen.frame = frame;
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << path;
    for (std::string line; std::getline(in, line);) {
        if (Field(line, "font") == "Fonts/TickingTimebomb.png") {
            seen.countdown = Field(line, "text");
        }
        std::string file = Field(line, "file");
        if (file == "Newspaper/Newspaper_Lose.png") {
            seen.newspaper = 0;
        } else if (file == "Newspaper/Newspaper_Win.png") {
            seen.newspaper = 1;
        } else if (file == "Aesthetics/Alarm_Effect.png") {
            seen.band = std::stof(Field(line, "alpha"));
        } else if (line.find("\"file\":\"\"") != std::string::npos) {
            std::vector<float> size = Numbers(Field(line, "size"));
            std::vector<float> tint = Numbers(Field(line, "tint"));
            if (size.size() == 2 && tint.size() == 4 && size[0] >= static_cast<float>(windowWidth) &&
                size[1] >= static_cast<float>(windowHeight) && tint[0] == 0 && tint[1] == 0 && tint[2] == 0) {
                seen.fade = std::stof(Field(line, "alpha"));
            }
        }
    }
    return seen;
}

// Seconds into the capture at which a loud sound begins (10 ms windows; it begins when the level rises
// above `loud` after lying below `quiet` for at least 50 ms).
std::vector<double> Onsets(const DecodedAudio& audio, double loud, double quiet)
{
    std::vector<double> onsets;
    const double window = 0.01;
    bool sounding = true; // whatever sounds as the capture starts is not an onset
    int quietWindows = 0;
    double length = static_cast<double>(audio.FrameCount()) / audio.sampleRate;
    for (double t = 0; t + window <= length; t += window) {
        double level = audiotest::Rms(audio, t, t + window);
        quietWindows = level < quiet ? quietWindows + 1 : 0;
        if (sounding && quietWindows >= 5) {
            sounding = false;
        }
        if (!sounding && level > loud) {
            onsets.push_back(t);
            sounding = true;
        }
    }
    return onsets;
}

TEST(ShiftLossLongRun, LeftAloneAfterTheTutorialTheShiftIsLostWithSirensTheFadeAndTheLossPaper)
{
    // The tutorial played by the closed-loop player, its input recorded; then nobody touches the desk.
    const std::string input = TempPath("loss-input.txt");
    PlayerOptions options;
    options.clockGiven = true;
    options.clock = 1700000000;
    options.inputLogPath = input;
    ShiftReport tutorial;
    PlayResult run = Player::Run(options, [&](Player& player) {
        ShiftOptions shift;
        shift.solveOnly = 2;
        tutorial = PlayShift(player, shift);
    });
    ASSERT_TRUE(run.error.empty()) << run.error;
    ASSERT_EQ(tutorial.tasks, (std::vector<std::string>{"Plant Boot", "Admin Authentication"})) << tutorial.failure;
    uint64_t lastInput = LastScriptFrame(input);

    // The simulator replays it and runs on past the countdown's five minutes, describing every half second.
    const int step = 30;
    const uint64_t frames = lastInput + (20 + 300 + 5 + 5) * Second;
    const std::string audioPath = TempPath("loss.wav");
    std::vector<std::string> arguments = {"--frames", std::to_string(frames), "--input",
                                          input,      "--audio-out",          audioPath};
    std::vector<std::pair<uint64_t, std::string>> described;
    for (uint64_t frame = lastInput; frame < frames; frame += step) {
        described.emplace_back(frame, TempPath("loss-" + std::to_string(frame) + ".json"));
        arguments.push_back("--describe");
        arguments.push_back(std::to_string(frame) + ":" + described.back().second);
    }
    SimResult sim = RunSim(arguments);
    ASSERT_EQ(sim.status, 0) << sim.err;

    std::vector<LossFrame> seen;
    for (const auto& [frame, path] : described) {
        seen.push_back(ReadLossFrame(path, frame, 1280, 720));
        std::remove(path.c_str());
    }
    auto started = std::find_if(seen.begin(), seen.end(), [](const LossFrame& f) {
        return CountdownSeconds(f.countdown) > 0 && CountdownSeconds(f.countdown) < 300;
    });
    ASSERT_NE(started, seen.end()) << "the countdown never ran";
    auto zero = std::find_if(started, seen.end(), [](const LossFrame& f) { return f.countdown == "00:00:000"; });
    ASSERT_NE(zero, seen.end()) << "the countdown never reached zero";
    auto paper = std::find_if(zero, seen.end(), [](const LossFrame& f) { return f.newspaper >= 0; });
    ASSERT_NE(paper, seen.end()) << "no newspaper after the countdown ran out";

    // Five minutes of countdown, half a second off it for each half second waited, under a pulsing band, no
    // fade yet.
    EXPECT_NEAR(static_cast<double>(zero->frame - started->frame), 300.0 * Second, step + 1);
    float bandLow = 1, bandHigh = 0;
    std::ptrdiff_t bandShown = 0;
    for (auto f = started; f != zero; ++f) {
        SCOPED_TRACE("frame " + std::to_string(f->frame) + " " + f->countdown);
        double left = CountdownSeconds(f->countdown);
        double next = CountdownSeconds((f + 1)->countdown);
        EXPECT_NEAR(left - next, next > 0 ? 0.5 : left, next > 0 ? 0.02 : 0.51);
        EXPECT_FLOAT_EQ(f->fade, 0.0f);
        EXPECT_EQ(f->newspaper, -1);
        bandShown += f->band > 0 ? 1 : 0;
        bandLow = std::min(bandLow, std::max(f->band, 0.0f));
        bandHigh = std::max(bandHigh, f->band);
    }
    EXPECT_GT(bandShown, (zero - started) * 9 / 10) << "the alarm band is drawn while the countdown runs";
    EXPECT_LT(bandLow, 0.2f);
    EXPECT_GT(bandHigh, 0.8f) << "the band pulses";

    // Then the screen fades to black over five seconds, still showing zero, and the loss paper comes up.
    for (auto f = zero; f != paper; ++f) {
        double since = static_cast<double>(f->frame - zero->frame) / (5.0 * Second);
        EXPECT_EQ(f->countdown, "00:00:000");
        EXPECT_NEAR(f->fade, since, static_cast<double>(step + 2) / (5.0 * Second)) << "frame " << f->frame;
    }
    EXPECT_NEAR(static_cast<double>(paper->frame - zero->frame), 5.0 * Second, step + 1);
    EXPECT_EQ(paper->newspaper, 0) << "the loss page";
    for (auto f = paper; f != seen.end(); ++f) {
        EXPECT_EQ(f->newspaper, 0) << "frame " << f->frame;
        EXPECT_TRUE(f->countdown.empty()) << "the desk is gone";
    }

    // The siren, as heard: bursts of two to four about every 30 seconds while the countdown runs, none after.
    DecodedAudio audio = audiotest::ReadCapture(audioPath);
    std::remove(audioPath.c_str());
    ASSERT_EQ(audio.sampleRate, 48000);
    double start = static_cast<double>(started->frame - step) / Second;
    double end = static_cast<double>(zero->frame) / Second;
    std::vector<double> sirens;
    for (double onset : Onsets(audio, 0.07, 0.04)) {
        if (onset > start) {
            sirens.push_back(onset);
        }
    }
    std::vector<std::vector<double>> bursts;
    for (double siren : sirens) {
        if (bursts.empty() || siren - bursts.back().back() > 5.0) {
            bursts.emplace_back();
        }
        bursts.back().push_back(siren);
    }
    ASSERT_GE(bursts.size(), 10u);
    EXPECT_LE(bursts.size(), 11u);
    EXPECT_LT(sirens.front() - start, 2.5) << "the first siren a second after the countdown starts";
    EXPECT_LT(sirens.back(), end + 0.1) << "no siren starts after the shift is lost";
    for (size_t i = 0; i < bursts.size(); ++i) {
        SCOPED_TRACE("burst at " + std::to_string(bursts[i].front()) + " s");
        if (i + 1 < bursts.size()) {
            EXPECT_GE(bursts[i].size(), 2u);
            EXPECT_NEAR(bursts[i + 1].front() - bursts[i].front(), 30.0, 2.5);
        }
        EXPECT_LE(bursts[i].size(), 4u);
        for (size_t k = 1; k < bursts[i].size(); ++k) {
            EXPECT_NEAR(bursts[i][k] - bursts[i][k - 1], 2.0, 0.1) << "two seconds apart";
        }
    }
}

} // namespace
