// Reading terminal scripts: tags, fixed argument columns, long and unterminated lines, and bad input.
#include "engine/trace.h"
#include "platform/os.h"
#include "support/sim_runner.h"
#include "terminal/terminal.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class ScriptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A home of this test's own, so that its trace log is not shared with tests running beside it.
        const char* home = std::getenv("HOME");
        savedHome = home != nullptr ? home : "";
        std::string ownHome =
            TempPath(std::string("script-home-") + testing::UnitTest::GetInstance()->current_test_info()->name());
        OsCreateDirectory(ownHome);
        OsCreateDirectory(ownHome + "/Documents");
        setenv("HOME", ownHome.c_str(), 1);
        TraceInit();
    }

    void TearDown() override
    {
        TraceClose();
        setenv("HOME", savedHome.c_str(), 1);
    }

    // Reads the bytes as a script file and returns the terminal's queue.
    std::vector<TerminalEntry> Read(const std::string& bytes)
    {
        path = TempPath("script.txt");
        std::ofstream(path, std::ios::binary) << bytes;
        ReadTerminalScript(terminal, path.c_str());
        return terminal.queue;
    }

    std::vector<std::string> TraceLines()
    {
        TraceClose();
        std::vector<std::string> lines;
        std::ifstream file(TracePath());
        for (std::string line; std::getline(file, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    std::string savedHome;
    std::string path;
    Terminal terminal{{0, 0}, {700, 525}};
};

struct TagCase {
    const char* line;
    TerminalEntry expected;
};

TerminalEntry Entry(TerminalEntryKind kind, std::string text, float milliseconds = 0)
{
    TerminalEntry entry;
    entry.kind = kind;
    entry.text = std::move(text);
    entry.milliseconds = milliseconds;
    entry.newline = kind != TerminalEntryKind::Text;
    return entry;
}

using enum TerminalEntryKind;

TEST_F(ScriptTest, EachLineBecomesTheEntryOfItsTag)
{
    const TagCase cases[] = {
        {"<speed> 60", Entry(Speed, "", 60)},
        {"<delay> 1500", Entry(Delay, "", 1500)},
        {"<delay>   2.5ms", Entry(Delay, "", 2.5f)}, // blanks skipped; reading stops at the unit
        {"<ignore newline>  and more", Entry(Text, " and more")},
        {"<clear> 0", Entry(Clear, "", 0)},
        {"<clear> 500", Entry(Clear, "", 500)},
        {"<event> start_timer", Entry(Event, "start_timer")},
        {"<event> start_timer  ", Entry(Event, "start_timer")},
        {"Core temperature nominal", Entry(Line, "Core temperature nominal")},
        {"", Entry(Line, "")},
        {"<Speed> 60", Entry(Line, "<Speed> 60")},                       // tags match with exact case
        {"<delay> 300 then <event> start_timer", Entry(Delay, "", 300)}, // the table's order decides
        {"say <event> now", Entry(Event, "nt> now")},                    // the name is read from column 8
    };
    for (const TagCase& c : cases) {
        terminal.queue.clear();
        std::vector<TerminalEntry> queue = Read(std::string(c.line) + "\n");
        ASSERT_EQ(queue.size(), 1u) << c.line;
        const TerminalEntry& got = queue[0];
        EXPECT_EQ(got.kind, c.expected.kind) << c.line;
        EXPECT_EQ(got.text, c.expected.text) << c.line;
        EXPECT_EQ(got.newline, c.expected.newline) << c.line;
        EXPECT_EQ(got.milliseconds, c.expected.milliseconds) << c.line;
    }
    EXPECT_EQ(terminal.typeDelay, 20.0f);
}

TEST_F(ScriptTest, LinesAreReadInPiecesOfAtMost1023Characters)
{
    const std::string a1500(1500, 'a');
    const std::string b1023(1023, 'b');
    std::vector<TerminalEntry> queue = Read(a1500 + "\n" + b1023 + "\nwindows line\r\nlast without line feed");
    std::vector<std::string> texts;
    for (const TerminalEntry& entry : queue) {
        texts.push_back(entry.text);
    }
    // A line of exactly 1023 characters stays one line: its line feed is not a blank line of its own.
    EXPECT_EQ(texts, (std::vector<std::string>{std::string(1023, 'a'), std::string(477, 'a'), b1023, "windows line",
                                               "last without line feed"}));
}

TEST_F(ScriptTest, BadTagLinesAreSkippedWithOneTraceLineEach)
{
    std::vector<TerminalEntry> queue = Read("first\n"
                                            "<delay>\n"
                                            "<speed> fast\n"
                                            "<clear> 1e99\n"
                                            "<delay> nan\n"
                                            "<delay> inf\n"
                                            "<event>\n"
                                            "<ignore newline> \n"
                                            "last\n");
    ASSERT_EQ(queue.size(), 2u);
    EXPECT_EQ(queue[0].text, "first");
    EXPECT_EQ(queue[1].text, "last");
    std::vector<std::string> trace = TraceLines();
    ASSERT_EQ(trace.size(), 7u);
    for (int line = 2; line <= 8; ++line) {
        EXPECT_NE(trace[line - 2].find(path + " line " + std::to_string(line) + " skipped"), std::string::npos)
            << trace[line - 2];
    }
}

TEST_F(ScriptTest, AMissingScriptTracesOneLineAndQueuesNothing)
{
    terminal.typeDelay = 30.0f;
    ReadTerminalScript(terminal, "./Assets/NoSuchScript.txt");
    EXPECT_TRUE(terminal.queue.empty());
    EXPECT_EQ(terminal.typeDelay, 20.0f);
    EXPECT_EQ(TraceLines(), std::vector<std::string>{"Error: StreamOpen could not open file "
                                                     "./Assets/NoSuchScript.txt; No such file or directory"});
}

TEST_F(ScriptTest, TheGameScriptsReadCleanly)
{
    // The boot log, the end of the tutorial and the credits: every line valid, one countdown start among them.
    int timerStarts = 0;
    for (const char* script :
         {"./Assets/TerminalBootGarbage.txt", "./Assets/TerminalEndTutorialGarbage.txt", "./Assets/Credits.txt"}) {
        Terminal reader({0, 0}, {700, 525});
        ReadTerminalScript(reader, script);
        EXPECT_GT(reader.queue.size(), 5u) << script;
        for (const TerminalEntry& entry : reader.queue) {
            timerStarts += entry.kind == Event && entry.text == "start_timer";
        }
    }
    EXPECT_EQ(timerStarts, 1);
    EXPECT_EQ(TraceLines(), std::vector<std::string>{});
}

} // namespace
