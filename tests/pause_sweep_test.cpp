// A pause at any frame leaves a shift's course as it was. A shift is scripted with the mouse through the
// simulator, and a 30-frame pause is inserted at offset k from each of its transitions: the plant boot's
// completion, the authentication, the countdown's start and the first task handed out. One run per offset
// and kind of pause covers every transition at once (pauses this far apart do not meet); CTest runs the
// offsets side by side.
#include "modules/admin_authentication.h"
#include "modules/calendar.h"
#include "support/sim_runner.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* Clock = "1700000000";
constexpr int PauseFrames = 30;

enum class PauseBy { Escape, FocusLoss };

// One input of the script, at a frame of the script's own time (which stands still while paused).
struct Input {
    int frame;
    std::string what;
};

// The tutorial as a player plays it at 1280 by 720, then a wait for the first order of the shift proper.
class TutorialScript {
public:
    explicit TutorialScript(const std::string& date)
    {
        const CalendarDate today = ParseDate(date);
        Wait(300);
        Click(330, 60); // "Start Game"
        Wait(700);      // the ten-second zoom
        // The plant boot lies right of the terminal: pull the desk left by 300 pixels (450 world units).
        Drag(-300);
        const float cameraX = 450;
        auto pixelX = [&](float worldX) { return static_cast<int>(640 + (worldX - cameraX) / 1.5f); };
        auto pixelY = [](float worldY) { return static_cast<int>(360 - worldY / 1.5f); };
        // The manual's pattern: switches 1, 3 and 4 on in the lower row, 7 in the upper one.
        for (float x : {935.0f, 1065.0f, 1130.0f}) {
            Click(pixelX(x), pixelY(50));
        }
        Click(pixelX(1065), pixelY(137.5f));
        Wait(240);
        std::array<bool, 4> code = AuthenticationCode(today);
        const float switchX[4] = {300, 375, 450, 525};
        for (int i = 0; i < 4; ++i) {
            if (code[static_cast<size_t>(i)]) {
                Click(pixelX(switchX[i]), pixelY(400));
            }
        }
        Click(pixelX(637.5f), pixelY(400));
        Wait(1300); // the end of the tutorial types out (some 17 s) and starts the countdown
    }

    // The script with a pause inserted at each of `pauses` (script frames): the inputs after it come later by
    // the length of the pause.
    std::string With(const std::vector<int>& pauses, PauseBy by) const
    {
        std::vector<Input> all;
        for (const Input& input : inputs) {
            int later = PauseFrames * static_cast<int>(std::count_if(pauses.begin(), pauses.end(),
                                                                     [&](int at) { return at < input.frame; }));
            all.push_back({input.frame + later, input.what});
        }
        for (size_t i = 0; i < pauses.size(); ++i) {
            // A pause opened in frame p: by Escape the desk still runs p, and a lost focus pauses from the start
            // of p + 1; either way "Resume" by Escape in p + 30 lets the desk run again from p + 31.
            int p = pauses[i] + PauseFrames * static_cast<int>(i);
            all.push_back({p, by == PauseBy::Escape ? "press escape" : "focus lost"});
            all.push_back({p + 1, "release escape"});
            all.push_back({p + PauseFrames - 2, "focus gained"});
            all.push_back({p + PauseFrames, "press escape"});
            all.push_back({p + PauseFrames + 1, "release escape"});
        }
        std::stable_sort(all.begin(), all.end(), [](const Input& a, const Input& b) { return a.frame < b.frame; });
        std::ostringstream script;
        for (const Input& input : all) {
            script << input.frame << " " << input.what << "\n";
        }
        return script.str();
    }

    int Length() const { return frame; }

private:
    void Wait(int frames) { frame += frames; }
    void Click(int x, int y)
    {
        inputs.push_back({frame, "mouse " + std::to_string(x) + " " + std::to_string(y)});
        inputs.push_back({frame + 2, "press left"});
        inputs.push_back({frame + 4, "release left"});
        frame += 10;
    }
    // Drags bare desk below the terminal sideways by dx pixels.
    void Drag(int dx)
    {
        inputs.push_back({frame, "mouse 640 560"});
        inputs.push_back({frame + 2, "press left"});
        for (int i = 1; i <= 10; ++i) {
            inputs.push_back({frame + 2 + i, "mouse " + std::to_string(640 + dx * i / 10) + " 560"});
        }
        inputs.push_back({frame + 14, "release left"});
        frame += 20;
    }

    std::vector<Input> inputs;
    int frame = 0;
};

// The console of a run with frame marks: each "Broadcast: " line with the frame it was printed in.
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
                sent.push_back({frame, line.substr(at + 11)});
            }
        }
    }
    // The frame of the first broadcast beginning with `what`, or -1.
    int FrameOf(const std::string& what) const
    {
        for (const auto& [frame, text] : sent) {
            if (text.rfind(what, 0) == 0) {
                return frame;
            }
        }
        return -1;
    }
    std::vector<std::pair<int, std::string>> sent;
};

size_t CountOf(const std::string& text, const std::string& what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

std::string ShiftDate()
{
    SimResult look =
        RunSim({"--frames", "1010", "--clock", Clock}, "300 mouse 330 60\n302 press left\n304 release left\n");
    const std::string announced = "Broadcast: calendar_date (";
    size_t at = look.out.find(announced);
    if (at == std::string::npos) {
        return {};
    }
    return look.out.substr(at + announced.size(), look.out.find(')', at) - at - announced.size());
}

// The first task of the shift proper: a "module_trigger" for any machine but the authentication.
const char* const FirstTask = "module_trigger (";

int FirstTaskFrame(const Broadcasts& run)
{
    for (const auto& [frame, text] : run.sent) {
        if (text.rfind(FirstTask, 0) == 0 && text.rfind("module_trigger (Admin Authentication)", 0) != 0) {
            return frame;
        }
    }
    return -1;
}

struct SweepCase {
    int offset;
    PauseBy by;
};

class PauseSweepTest : public testing::TestWithParam<SweepCase> {};

TEST_P(PauseSweepTest, TheTutorialLeadsToTheFirstTaskWhereverThePauseFalls)
{
    const SweepCase sweep = GetParam();
    std::string date = ShiftDate();
    ASSERT_FALSE(date.empty());
    TutorialScript tutorial(date);

    // Unpaused, where the transitions fall.
    SimResult plain = RunSim({"--frames", std::to_string(tutorial.Length()), "--clock", Clock, "--mark-frames"},
                             tutorial.With({}, sweep.by));
    ASSERT_EQ(plain.status, 0) << plain.err;
    Broadcasts baseline(plain.out);
    const std::map<std::string, int> transitions = {
        {"boot complete", baseline.FrameOf("module_trigger (Admin Authentication)")},
        {"authenticated", baseline.FrameOf("tutorial_complete ()")},
        {"countdown", baseline.FrameOf("start_timer ()")},
        {"first task", FirstTaskFrame(baseline)},
    };
    std::vector<int> pauses;
    for (const auto& [name, frame] : transitions) {
        ASSERT_GE(frame, 0) << "the unpaused shift never got to: " << name;
        pauses.push_back(frame + sweep.offset);
    }
    std::sort(pauses.begin(), pauses.end());

    // The same shift with the pauses, run until the first task has had time to arrive.
    int frames = transitions.at("first task") + static_cast<int>(pauses.size()) * (PauseFrames + 1) + 60;
    SimResult paused = RunSim({"--frames", std::to_string(frames), "--clock", Clock, "--mark-frames"},
                              tutorial.With(pauses, sweep.by));
    ASSERT_EQ(paused.status, 0) << paused.err;
    const std::string& out = paused.out;
    std::vector<std::string> trace = ReadTraceLines();
    EXPECT_EQ(static_cast<size_t>(std::count(trace.begin(), trace.end(), "PauseMenuScene: Load")), pauses.size())
        << "every pause was taken";
    // Each step heard as often as without the pause: by every machine that listens, once.
    for (const char* line : {"Heard: module_trigger (Admin Authentication)",
                             "Broadcast: terminal_append_line (/> Admin Authentication required to continue)",
                             "Heard: terminal_append_line (/> Admin Authentication required to continue)",
                             "Heard: tutorial_complete ()", "Broadcast: start_timer ()", "Heard: start_timer ()",
                             "Broadcast: trigger_task ()", "Heard: trigger_task ()", "Code Incorrect"}) {
        EXPECT_EQ(CountOf(out, line), CountOf(plain.out, line)) << line;
    }
    Broadcasts run(out);
    int firstTask = FirstTaskFrame(run);
    ASSERT_GE(firstTask, 0) << "no task came after the tutorial";
    auto trigger =
        std::find_if(run.sent.begin(), run.sent.end(), [&](const auto& sent) { return sent.first == firstTask; });
    std::string triggered = trigger->second.substr(0, trigger->second.find(')') + 1);
    EXPECT_GE(CountOf(out, "Heard: " + triggered), 1u) << "the machine heard its task";
    EXPECT_EQ(CountOf(out, "end_game"), 0u);
}

std::vector<SweepCase> AllCases()
{
    std::vector<SweepCase> cases;
    for (PauseBy by : {PauseBy::Escape, PauseBy::FocusLoss}) {
        for (int offset = -4; offset <= 6; ++offset) {
            cases.push_back({offset, by});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Offsets, PauseSweepTest, testing::ValuesIn(AllCases()),
                         [](const testing::TestParamInfo<SweepCase>& info) {
                             std::string offset = info.param.offset < 0 ? "Before" + std::to_string(-info.param.offset)
                                                                        : "After" + std::to_string(info.param.offset);
                             return std::string(info.param.by == PauseBy::Escape ? "Escape" : "FocusLoss") + offset;
                         });

} // namespace
