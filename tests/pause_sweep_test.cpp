// A pause at any frame leaves a shift as it was. The closed-loop player plays a whole shift with the mouse (a
// wrong answer now and then) and records its input; the simulator replays it with a 30-frame pause inserted at
// offset k from each of the shift's transitions: the plant boot's completion, the authentication, the
// countdown's start, every task's "module_correct" or "module_incorrect" and the "end_game". The shift must send
// the very events of the unpaused replay, in the same order, and end on the same newspaper. One run per offset,
// kind of pause and round of transitions far enough apart that their pauses never meet. A lost shift is the same
// recording cut short after its second task, left for the countdown to run out.
#include "platform/os.h"
#include "support/sim_runner.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* Clock = "1700000000";
constexpr int PauseFrames = 30;
constexpr int FirstOffset = -4;
constexpr int LastOffset = 6;

enum class PauseBy { Escape, FocusLoss };
enum class Outcome { Won, Lost };

// One line of a simulator script: its frame and what happens then.
struct Input {
    int frame;
    std::string what;
};

std::vector<Input> ReadScript(const std::string& path)
{
    std::vector<Input> script;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        size_t space = line.find(' ');
        script.push_back({std::stoi(line.substr(0, space)), line.substr(space + 1)});
    }
    return script;
}

// True when the left button is down during `frame`, or goes down or up in it.
bool ButtonBusy(const std::vector<Input>& script, int frame)
{
    bool held = false;
    for (const Input& input : script) {
        if (input.frame > frame) {
            break;
        }
        if (input.what == "press left" || (input.what == "release left" && input.frame == frame)) {
            held = true;
        } else if (input.what == "release left") {
            held = false;
        }
    }
    return held;
}

// The script with a pause opened in each frame of `pauses` (frames of the unpaused script, ascending): what
// comes after a pause comes later by its length. By Escape the desk still runs the frame p the key goes down in;
// a lost focus pauses from p + 1; either way "Resume" by Escape in p + 30 lets the desk run again from p + 31.
std::string WithPauses(const std::vector<Input>& script, const std::vector<int>& pauses, PauseBy by)
{
    std::vector<Input> all;
    for (const Input& input : script) {
        int before =
            static_cast<int>(std::count_if(pauses.begin(), pauses.end(), [&](int at) { return at < input.frame; }));
        all.push_back({input.frame + PauseFrames * before, input.what});
    }
    for (size_t i = 0; i < pauses.size(); ++i) {
        int p = pauses[i] + PauseFrames * static_cast<int>(i);
        all.push_back({p, by == PauseBy::Escape ? "press escape" : "focus lost"});
        all.push_back({p + 1, "release escape"});
        all.push_back({p + PauseFrames - 2, "focus gained"});
        all.push_back({p + PauseFrames, "press escape"});
        all.push_back({p + PauseFrames + 1, "release escape"});
    }
    std::stable_sort(all.begin(), all.end(), [](const Input& a, const Input& b) { return a.frame < b.frame; });
    std::ostringstream text;
    for (const Input& input : all) {
        text << input.frame << " " << input.what << "\n";
    }
    return text.str();
}

// The console's "Broadcast: " lines with the frame each was printed in (the run marks its frames).
struct Broadcasts {
    explicit Broadcasts(const std::string& out)
    {
        std::istringstream lines(out);
        int frame = -1;
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("Frame ", 0) == 0) {
                frame = std::stoi(line.substr(6));
            }
            // Some lines follow text without a line end ("Clicked"): look anywhere in the line.
            size_t at = line.find("Broadcast: ");
            if (at != std::string::npos) {
                frames.push_back(frame);
                sent.push_back(line.substr(at + 11));
            }
            at = line.find("Heard: ");
            if (at != std::string::npos) {
                heard.push_back({sent.size(), line.substr(at + 7)});
            }
        }
    }
    // The events up to and including the first "end_game" of the given payload (all of them without one).
    std::vector<std::string> UpToEnd(const std::string& result) const
    {
        auto end = std::find(sent.begin(), sent.end(), "end_game (" + result + ") (0)");
        return {sent.begin(), end == sent.end() ? end : end + 1};
    }
    // How often each event was heard before the end, whoever heard it: nothing lost, nothing heard twice.
    std::map<std::string, int> HeardBeforeEnd(const std::string& result) const
    {
        size_t end = UpToEnd(result).size();
        std::map<std::string, int> counts;
        for (const auto& [before, text] : heard) {
            if (before < end) {
                ++counts[text];
            }
        }
        return counts;
    }
    std::vector<int> frames;
    std::vector<std::string> sent;
    // Each "Heard: " line with the number of broadcasts printed before it.
    std::vector<std::pair<size_t, std::string>> heard;
};

// The frames in which the shift moves on from one step to the next, a wrong answer included. Steps a few frames
// apart are one (a last task's "module_correct" and the "end_game" it brings).
std::vector<int> Transitions(const Broadcasts& run)
{
    std::vector<int> found;
    for (size_t i = 0; i < run.sent.size(); ++i) {
        const std::string& text = run.sent[i];
        for (const char* step : {"module_trigger (Admin Authentication)", "tutorial_complete (", "start_timer (",
                                 "module_correct (", "module_incorrect (", "end_game ("}) {
            if (text.rfind(step, 0) == 0 && (found.empty() || run.frames[i] > found.back() + 3)) {
                found.push_back(run.frames[i]);
            }
        }
    }
    return found;
}

// The transitions in rounds, each with its transitions far enough apart that pauses next to them never meet.
std::vector<std::vector<int>> Rounds(std::vector<int> transitions)
{
    constexpr int Apart = PauseFrames + LastOffset - FirstOffset + 20;
    std::vector<std::vector<int>> rounds;
    while (!transitions.empty()) {
        std::vector<int> round, rest;
        for (int at : transitions) {
            (round.empty() || at > round.back() + Apart ? round : rest).push_back(at);
        }
        rounds.push_back(round);
        transitions = rest;
    }
    return rounds;
}

// The events heard a different number of times, with both counts (paused, then unpaused).
std::string CountsApart(const std::map<std::string, int>& paused, const std::map<std::string, int>& plain)
{
    std::map<std::string, std::pair<int, int>> both;
    for (const auto& [text, count] : paused) {
        both[text].first = count;
    }
    for (const auto& [text, count] : plain) {
        both[text].second = count;
    }
    std::string apart;
    for (const auto& [text, counts] : both) {
        if (counts.first != counts.second) {
            apart +=
                text + ": " + std::to_string(counts.first) + " in place of " + std::to_string(counts.second) + "\n";
        }
    }
    return apart;
}

std::string Listed(const std::vector<int>& frames)
{
    std::string text;
    for (int frame : frames) {
        text += (text.empty() ? "" : ", ") + std::to_string(frame);
    }
    return text;
}

// The newspaper a frame's screen description shows: "win", "lose", or empty.
std::string NewspaperIn(const std::string& screen)
{
    if (screen.find("Newspaper/Newspaper_Win.png") != std::string::npos) {
        return "win";
    }
    return screen.find("Newspaper/Newspaper_Lose.png") != std::string::npos ? "lose" : "";
}

struct Replayed {
    Broadcasts events;
    // The screen descriptions of the frames looked at, in order.
    std::vector<std::string> screens;
};

Replayed Replay(const std::string& script, int frames, const std::vector<int>& lookAt)
{
    static int number = 0;
    std::vector<std::string> arguments = {"--frames", std::to_string(frames), "--clock", Clock, "--mark-frames"};
    std::vector<std::string> paths;
    for (int frame : lookAt) {
        paths.push_back(TempPath("screen" + std::to_string(++number) + ".json"));
        arguments.push_back("--describe");
        arguments.push_back(std::to_string(frame) + ":" + paths.back());
    }
    SimResult result = RunSim(arguments, script);
    EXPECT_EQ(result.status, 0) << result.err;
    Replayed run{Broadcasts(result.out), {}};
    for (const std::string& path : paths) {
        std::ifstream file(path);
        std::stringstream text;
        text << file.rdbuf();
        run.screens.push_back(text.str());
    }
    return run;
}

struct SweepCase {
    Outcome outcome;
    PauseBy by;
};

std::string NameOf(const SweepCase& sweep)
{
    return std::string(sweep.outcome == Outcome::Won ? "Won" : "Lost") +
           (sweep.by == PauseBy::Escape ? "Escape" : "FocusLoss");
}

void PrintTo(const SweepCase& sweep, std::ostream* out)
{
    *out << NameOf(sweep);
}

class PauseSweepLongRun : public testing::TestWithParam<SweepCase> {};

TEST_P(PauseSweepLongRun, NoPauseChangesTheShift)
{
    const SweepCase sweep = GetParam();
    const std::string log = TempPath("shift-input.txt");
    // The runs have no use for the trace log, many megabytes each.
    const std::string traceFolder = OsDocumentsFolder() + "/Tessaro/Brimvale";
    OsCreateDirectory(OsDocumentsFolder());
    OsCreateDirectory(OsDocumentsFolder() + "/Tessaro");
    OsCreateDirectory(traceFolder);
    std::remove((traceFolder + "/Trace.log").c_str());
    ASSERT_EQ(symlink("/dev/null", (traceFolder + "/Trace.log").c_str()), 0);
    // With a wrong answer now and then, whose "module_incorrect" is a step as well.
    SimResult played = RunProgram(
        "./brimvale-autoplay", {"--shifts", "1", "--first-clock", Clock, "--mistakes", "0.5", "--record-input", log});
    ASSERT_EQ(played.status, 0) << played.out << played.err;
    ASSERT_NE(played.out.find(" won "), std::string::npos) << played.out;
    std::vector<Input> script = ReadScript(log);
    ASSERT_FALSE(script.empty());

    // The won shift ends with the player's click on the newspaper; look at the frame before it moves there.
    int lookAt = 0;
    for (const Input& input : script) {
        if (input.what.rfind("mouse ", 0) == 0) {
            lookAt = input.frame;
        }
    }
    std::string result = "win";
    int frames = script.back().frame + 10;
    Replayed plain = Replay(WithPauses(script, {}, sweep.by), frames, {lookAt});
    if (sweep.outcome == Outcome::Lost) {
        // Cut after the click that solves the second task: the desk is left alone until the time runs out.
        int solved = 0;
        for (size_t i = 0, count = 0; i < plain.events.sent.size() && count < 2; ++i) {
            if (plain.events.sent[i].rfind("module_correct (", 0) == 0) {
                solved = plain.events.frames[i];
                ++count;
            }
        }
        auto release = std::find_if(script.begin(), script.end(), [&](const Input& input) {
            return input.frame >= solved && input.what == "release left";
        });
        ASSERT_NE(release, script.end());
        script.erase(release + 1, script.end());
        result = "lose";
        plain = Replay(WithPauses(script, {}, sweep.by), 2700 + 320 * 60, {});
        auto lost = std::find(plain.events.sent.begin(), plain.events.sent.end(), "end_game (lose) (0)");
        ASSERT_NE(lost, plain.events.sent.end()) << "the countdown never ran out";
        // The newspaper comes five seconds after the loss and stays until a click.
        lookAt = plain.events.frames[static_cast<size_t>(lost - plain.events.sent.begin())] + 400;
        frames = lookAt + 10;
        plain = Replay(WithPauses(script, {}, sweep.by), frames, {lookAt});
    }
    ASSERT_EQ(NewspaperIn(plain.screens[0]), result) << "the unpaused shift";
    const std::vector<std::string> expected = plain.events.UpToEnd(result);
    ASSERT_EQ(expected.back(), "end_game (" + result + ") (0)");
    const std::map<std::string, int> heardPlain = plain.events.HeardBeforeEnd(result);
    const std::vector<int> transitions = Transitions(plain.events);
    ASSERT_GE(transitions.size(), sweep.outcome == Outcome::Won ? 9u : 6u);

    for (const std::vector<int>& round : Rounds(transitions)) {
        for (int offset = FirstOffset; offset <= LastOffset; ++offset) {
            SCOPED_TRACE("pauses " + std::to_string(offset) + " frames from the transitions at " + Listed(round));
            std::vector<int> pauses;
            for (int at : round) {
                int p = at + offset;
                // Leaving the window with the button down (or in the frame it comes up) lets it go: a player who
                // comes back has to click again.
                while (sweep.by == PauseBy::FocusLoss && (ButtonBusy(script, p) || ButtonBusy(script, p + 1))) {
                    ++p;
                }
                pauses.push_back(p);
            }
            auto later = [&](int frame) {
                return frame + PauseFrames * static_cast<int>(std::count_if(pauses.begin(), pauses.end(),
                                                                            [&](int at) { return at < frame; }));
            };
            // Halfway through each pause, and the end.
            std::vector<int> lookAts;
            for (size_t i = 0; i < pauses.size(); ++i) {
                lookAts.push_back(pauses[i] + PauseFrames * static_cast<int>(i) + PauseFrames / 2);
            }
            lookAts.push_back(later(lookAt));
            Replayed paused = Replay(WithPauses(script, pauses, sweep.by), later(frames), lookAts);
            std::vector<std::string> heard = paused.events.UpToEnd(result);
            auto differ = std::mismatch(heard.begin(), heard.end(), expected.begin(), expected.end());
            EXPECT_TRUE(heard == expected)
                << "event " << (differ.first - heard.begin()) << ": "
                << (differ.first != heard.end() ? *differ.first : "(ends early)") << " in place of "
                << (differ.second != expected.end() ? *differ.second : "(nothing)");
            EXPECT_EQ(CountsApart(paused.events.HeardBeforeEnd(result), heardPlain), "");
            for (size_t i = 0; i < pauses.size(); ++i) {
                EXPECT_NE(paused.screens[i].find("Resume Game"), std::string::npos) << "no pause menu in pause " << i;
            }
            EXPECT_EQ(NewspaperIn(paused.screens.back()), result);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shifts, PauseSweepLongRun,
                         testing::Values(SweepCase{Outcome::Won, PauseBy::Escape},
                                         SweepCase{Outcome::Won, PauseBy::FocusLoss},
                                         SweepCase{Outcome::Lost, PauseBy::Escape},
                                         SweepCase{Outcome::Lost, PauseBy::FocusLoss}),
                         [](const testing::TestParamInfo<SweepCase>& info) { return NameOf(info.param); });

} // namespace
