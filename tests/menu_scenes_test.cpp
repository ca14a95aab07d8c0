// The main menu, the exit confirmation, the settings stand-in and the pause menu, driven frame by frame on the
// headless window the way the engine runs them; and one run of the simulator through the menu.
#include "flow/alarm.h"
#include "interaction/buttons.h"
#include "interaction/interactable.h"
#include "interaction_test_support.h"
#include "menu_test_support.h"
#include "platform/os.h"
#include "scenes/exit_confirm_scene.h"
#include "scenes/main_menu_scene.h"
#include "scenes/pause_menu_scene.h"
#include "scenes/settings_scene.h"
#include "support/sim_runner.h"
#include "terminal/terminal.h"
#include "tools/sim/screen_description.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

TEST_F(MenuTest, MainMenuShowsItsEntriesAndCreditsBringThemBack)
{
    OpenMainMenu();
    EXPECT_EQ(ZoomOffset, 0.5f);
    EXPECT_EQ(mainMenuScene->terminal->lines,
              (std::vector<std::string>{"Start Game", "", "Settings", "", "Credits", "", "Exit Game", "", ""}));
    EXPECT_FLOAT_EQ(PxlCameraZoom(), 0.75f);

    Click(EntryPlace("Credits"));
    EXPECT_TRUE(ShownLabels().empty());
    ASSERT_FALSE(mainMenuScene->terminal->queue.empty());
    EXPECT_EQ(mainMenuScene->terminal->typeDelay, 20.0f);

    int played = 0;
    while (played < 60 * 120 && ShownLabels().size() < 4) {
        Frame();
        ++played;
    }
    EXPECT_GT(played, 60 * 20) << "the credits should take a while to type";
    Frames(4);
    EXPECT_EQ(ShownLabels(), (std::vector<std::string>{"Start Game", "Settings", "Credits", "Exit Game"}));
    EXPECT_EQ(mainMenuScene->terminal->lines[0], "Start Game");
}

// While the entries are being typed, the window's centre (blank below them) takes no click: an entry is
// clickable only on its line, from the frame its line shows, each time the menu is typed.
TEST_F(MenuTest, ClicksAtTheCentreWhileTheMenuIsTypedDoNothing)
{
    SetNextScene(mainMenuScene);
    size_t shown = 0;
    for (int i = 0; i < 12; ++i) {
        PointAt({0, 0});
        Button(i % 2 == 0);
        Frame();
        ASSERT_TRUE(NextScene() == mainMenuScene && !exitConfirmScene->active && !settingsScene->active)
            << "a menu entry answered a click at the centre in frame " << i;
        ASSERT_GE(ShownLabels().size(), shown) << "the credits started in frame " << i;
        shown = ShownLabels().size();
        for (TerminalButton* button : mainMenuScene->terminal->buttons) {
            PXL_Vec2 line = EntryPlace(button->label.c_str());
            EXPECT_FLOAT_EQ(button->position.y, line.y) << button->label << " in frame " << i;
        }
    }
    EXPECT_EQ(shown, 4u);
}

TEST_F(MenuTest, ExitGameAsksFirstAndConfirmEndsTheGame)
{
    OpenMainMenu();
    Click(EntryPlace("Exit Game"));
    ASSERT_TRUE(exitConfirmScene->active);
    EXPECT_EQ(exitConfirmScene->message, "Exit to desktop?");
    EXPECT_EQ(exitConfirmScene->returnScene, mainMenuScene);
    EXPECT_EQ(exitConfirmScene->confirmTarget, nullptr);
    EXPECT_FALSE(mainMenuScene->updateEnabled);
    PXL_Vec2 confirm = exitConfirmScene->confirmButton->position;

    Click(exitConfirmScene->cancelButton->position);
    EXPECT_FALSE(exitConfirmScene->active);
    EXPECT_TRUE(mainMenuScene->updateEnabled);
    EXPECT_EQ(ShownLabels().size(), 4u);

    // A press on the spot where "Confirm" appears, made in the frame the panel opens, does not answer.
    PointAt(confirm);
    Button(true);
    PushScene(exitConfirmScene);
    Frame();
    Button(false);
    Frame();
    EXPECT_TRUE(IsRunning());

    Click(confirm);
    EXPECT_FALSE(IsRunning());
    EXPECT_FALSE(mainMenuScene->active || exitConfirmScene->active);
}

// Pushed without a scene to return to: the pause menu leaves again at once, the other two are a programmer's
// mistake and say so.
TEST_F(MenuTest, OverlaysPushedWithoutAReturnScene)
{
    pauseMenuScene->returnScene = nullptr;
    PushScene(pauseMenuScene);
    EXPECT_FALSE(pauseMenuScene->active);
    EXPECT_TRUE(Interactables().empty());
    EXPECT_FALSE(alarmState.frozen);

    struct Case {
        OverlayScene* overlay;
        const char* error;
        const char* printed;
    };
    const Case cases[] = {
        {exitConfirmScene,
         "You are seriously here again??? Hint: You need to call the functions above when adding this scene as an "
         "active scene.",
         "\n\n***************\nMassive small brain moment for you SMH\n***************\n\n"},
        {settingsScene, "Bro you forgot to set the return scene for Settings scene", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.overlay->name);
        Scene* opener = c.overlay->returnScene;
        c.overlay->returnScene = nullptr;
        testing::internal::CaptureStdout();
        try {
            PushScene(c.overlay);
            ADD_FAILURE() << "no error raised";
        } catch (const std::logic_error& error) {
            EXPECT_STREQ(error.what(), c.error);
        }
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.printed);
        RemoveScene(c.overlay);
        EXPECT_TRUE(Interactables().empty());
        c.overlay->returnScene = opener;
    }
}

TEST_F(MenuTest, SettingsStandInPausesTheMenuAndCloses)
{
    OpenMainMenu();
    Click(EntryPlace("Settings"));
    ASSERT_TRUE(settingsScene->active);
    EXPECT_EQ(settingsScene->returnScene, mainMenuScene);
    EXPECT_FALSE(mainMenuScene->updateEnabled);
    // While paused the menu's entries do nothing.
    Click(EntryPlace("Credits"));
    Frame();
    EXPECT_EQ(ShownLabels().size(), 4u);

    Click(settingsScene->exitButton->position);
    EXPECT_FALSE(settingsScene->active);
    EXPECT_TRUE(mainMenuScene->updateEnabled);
}

TEST_F(MenuTest, PauseMenuFreezesTheAlarmAndEscapeResumes)
{
    DeskStandIn desk;
    SetNextScene(&desk);
    Frames(2);
    alarmState.active = true;
    alarmState.intensity = 0.5f;

    pauseMenuScene->returnScene = &desk;
    PxlInjectKey(PXL_KEY_ESCAPE, true);
    PushScene(pauseMenuScene);
    Frame();
    EXPECT_TRUE(alarmState.frozen);
    EXPECT_FALSE(desk.updateEnabled);
    EXPECT_EQ(desk.lastDt, 0.0f);
    // The Escape that opened the menu is still down and does not close it; a second press does.
    Frames(3);
    EXPECT_TRUE(pauseMenuScene->active);
    PxlInjectKey(PXL_KEY_ESCAPE, false);
    Frame();
    PxlInjectKey(PXL_KEY_ESCAPE, true);
    Frame();
    PxlInjectKey(PXL_KEY_ESCAPE, false);
    EXPECT_FALSE(pauseMenuScene->active);
    EXPECT_FALSE(alarmState.frozen);
    EXPECT_TRUE(desk.updateEnabled);
    EXPECT_TRUE(Interactables().empty());
}

TEST_F(MenuTest, PauseMenuBlocksTheDeskWhereverTheCameraIsAndLeavesThroughTheConfirmation)
{
    DeskStandIn desk;
    SetNextScene(&desk);
    Frames(2);
    const PXL_Vec2 panned = {9000, 0};
    PXL_Camera_SetPosition(&panned);
    Interactable* deskControl = new Interactable({9000, 300}, {100, 100}, KindToggle, 5, 0.0f, false);
    alarmState.active = true;
    alarmState.intensity = 0.7f;
    pauseMenuScene->returnScene = &desk;
    PushScene(pauseMenuScene);
    Frames(2);

    Click({9000, 300});
    EXPECT_EQ(deskControl->value, 0.0f) << "a click on the desk went through the pause menu";

    // "Main Menu" then "Cancel": the menu stays and the alarm is as it was, frozen throughout; covered, the
    // menu's buttons did not answer.
    Click(pauseMenuScene->mainMenuButton->position);
    ASSERT_TRUE(exitConfirmScene->active);
    EXPECT_EQ(exitConfirmScene->returnScene, pauseMenuScene);
    EXPECT_EQ(exitConfirmScene->confirmTarget, mainMenuScene);
    EXPECT_TRUE(alarmState.frozen);
    EXPECT_FALSE(pauseMenuScene->resumeButton->enabled);
    Click(pauseMenuScene->resumeButton->position);
    EXPECT_TRUE(pauseMenuScene->active);
    // The confirmation's answers light up above the blocker.
    PointAt(exitConfirmScene->cancelButton->position);
    Frame();
    EXPECT_TRUE(exitConfirmScene->cancelButton->hovered);
    Click(exitConfirmScene->cancelButton->position);
    EXPECT_FALSE(exitConfirmScene->active);
    EXPECT_TRUE(pauseMenuScene->active);
    EXPECT_TRUE(alarmState.active && alarmState.frozen);
    EXPECT_EQ(alarmState.intensity, 0.7f);

    // "Main Menu" then "Confirm": the next frame unloads the overlays and the desk and loads the main menu.
    Click(pauseMenuScene->mainMenuButton->position);
    Frame();
    Click(exitConfirmScene->confirmButton->position);
    EXPECT_TRUE(mainMenuScene->active);
    EXPECT_FALSE(pauseMenuScene->active || exitConfirmScene->active || desk.active);
    EXPECT_EQ(SceneStack().size(), 1u);
    EXPECT_FALSE(alarmState.frozen) << "a menu unloaded by the switch leaves no frozen alarm to the next shift";
}

TEST_F(MenuTest, TheAlarmStaysFrozenUnderThePauseMenusSettingsUntilTheMenuGoes)
{
    DeskStandIn desk;
    PauseOver(desk);

    Click(pauseMenuScene->settingsButton->position);
    ASSERT_TRUE(settingsScene->active);
    EXPECT_TRUE(alarmState.frozen);
    Click(settingsScene->exitButton->position);
    ASSERT_FALSE(settingsScene->active);
    EXPECT_TRUE(alarmState.frozen) << "back on the still open pause menu";

    Frame();
    Click(pauseMenuScene->resumeButton->position);
    EXPECT_FALSE(pauseMenuScene->active);
    EXPECT_FALSE(alarmState.frozen);
    EXPECT_TRUE(desk.updateEnabled);
}

// The pixel of a world point in the 1280 by 720 window, as the simulator's script wants it.
std::string MouseLine(int atFrame, PXL_Vec2 pixel)
{
    std::ostringstream line;
    line << atFrame << " mouse " << pixel.x << " " << pixel.y << "\n";
    return line.str();
}

std::string ClickLines(int atFrame, PXL_Vec2 pixel)
{
    return MouseLine(atFrame, pixel) + std::to_string(atFrame + 5) + " press left\n" + std::to_string(atFrame + 6) +
           " release left\n";
}

TEST_F(MenuTest, SimulatorRunThroughCreditsAndExitEndsByItself)
{
    // Rehearse the run here to learn when the credits are over and where each answer shows, then play it in
    // the simulator, which starts on the main menu just as this rehearsal does.
    SetNextScene(mainMenuScene);
    Frames(10);
    std::string script = ClickLines(10, PixelOf(EntryPlace("Credits")));
    PointAt(EntryPlace("Credits"));
    Frames(5);
    Button(true);
    Frame();
    Button(false);
    Frame();
    while (frame < 60 * 180 && ShownLabels().size() < 4) {
        Frame();
    }
    ASSERT_EQ(ShownLabels().size(), 4u);
    int exitAt = frame + 10;
    Frames(10);
    script += ClickLines(exitAt, PixelOf(EntryPlace("Exit Game")));
    PointAt(EntryPlace("Exit Game"));
    Frames(5);
    Button(true);
    Frame();
    Button(false);
    ASSERT_TRUE(exitConfirmScene->active);
    int confirmAt = frame + 10;
    script += ClickLines(confirmAt, PixelOf(exitConfirmScene->confirmButton->position));
    int limit = confirmAt + 300;

    std::string home = TempPath("menu-sim-home");
    OsCreateDirectory(home);
    OsCreateDirectory(home + "/Documents");
    std::string input = TempPath("menu-sim-input.txt");
    std::ofstream(input) << script;
    SimResult run =
        RunProgram(SimPath(), {"--frames", std::to_string(limit), "--scene", "MainMenuScene", "--input", input},
                   {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Clicked"), std::string::npos);
    EXPECT_NE(run.out.find("Broadcast: credits () (0)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Heard: credits () (0)"), std::string::npos) << run.out;

    std::ifstream traceFile(home + "/Documents/Tessaro/Brimvale/Trace.log");
    std::vector<std::string> trace;
    for (std::string line; std::getline(traceFile, line);) {
        trace.push_back(line);
    }
    long frames = std::count(trace.begin(), trace.end(), "Engine: Update");
    EXPECT_LT(frames, limit) << "the run was stopped by its frame limit instead of ending by itself";
    EXPECT_NE(std::find(trace.begin(), trace.end(), "ExitConfirm_OverlayScene: Load"), trace.end());
    EXPECT_NE(std::find(trace.begin(), trace.end(), "MainMenuScene: Unload"), trace.end());
    EXPECT_NE(std::find(trace.begin(), trace.end(), "Engine: Exit"), trace.end());
}

// The confirmation read off the screen in windows of every shape: the plate lies inside the window and holds its
// message, each line centred on its own, and its two answers; nothing of the pause menu beneath shows past it.
class ConfirmationLayoutTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        ASSERT_TRUE(SpriteSheetSystem.init());
        ASSERT_TRUE(MeshSystem.init());
        ASSERT_TRUE(NineSliceSystem.init());
        PxlSetRecordDraws(true);
    }

    void TearDown() override
    {
        MenuTest::TearDown();
        NineSliceSystem.exit();
        MeshSystem.exit();
        SpriteSheetSystem.exit();
    }
};

struct Box {
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
    void Take(const ScreenPicture& p)
    {
        left = std::min(left, p.x - std::fabs(p.width) / 2);
        right = std::max(right, p.x + std::fabs(p.width) / 2);
        top = std::min(top, p.y - std::fabs(p.height) / 2);
        bottom = std::max(bottom, p.y + std::fabs(p.height) / 2);
    }
    bool Holds(float l, float t, float r, float b, float margin) const
    {
        return l >= left + margin && r <= right - margin && t >= top + margin && b <= bottom - margin;
    }
};

TEST_F(ConfirmationLayoutTest, ThePlateHoldsItsMessageAndAnswersInWindowsOfEveryShape)
{
    struct Size {
        int width, height;
    };
    for (Size window : {Size{800, 600}, Size{1920, 1200}, Size{1280, 720}, Size{1920, 1080}}) {
        std::string name = std::to_string(window.width) + "x" + std::to_string(window.height);
        SCOPED_TRACE(name);
        PxlInjectResize(window.width, window.height);
        DeskStandIn desk;
        PauseOver(desk);
        Click(pauseMenuScene->mainMenuButton->position);
        ASSERT_TRUE(exitConfirmScene->active);
        Frame();
        ScreenDescription screen = DescribeLastFrame(static_cast<uint64_t>(frame));

        Box plate;
        for (const ScreenPicture& picture : screen.pictures) {
            if (picture.file == "Aesthetics/Metal_Plate_2_9Slice.png") {
                plate.Take(picture);
            }
        }
        Box whole{0, 0, static_cast<float>(window.width), static_cast<float>(window.height)};
        EXPECT_TRUE(whole.Holds(plate.left, plate.top, plate.right, plate.bottom, -0.5f))
            << "plate " << plate.left << " " << plate.top << " " << plate.right << " " << plate.bottom;
        float margin = 10.0f * static_cast<float>(window.height) / 1080.0f;
        int buttonPieces = 0;
        for (const ScreenPicture& picture : screen.pictures) {
            if (picture.file.find("UI_Button") != std::string::npos) {
                ++buttonPieces;
                Box piece;
                piece.Take(picture);
                EXPECT_TRUE(plate.Holds(piece.left, piece.top, piece.right, piece.bottom, 0.0f))
                    << "a button piece at " << picture.x << ", " << picture.y << " lies outside the plate";
            }
        }
        EXPECT_EQ(buttonPieces, 18) << "the two answers, nine pieces each, and nothing of the menu beneath";
        std::vector<std::string> lines;
        for (const ScreenText& text : screen.texts) {
            lines.push_back(text.text);
            EXPECT_TRUE(plate.Holds(text.left, text.top, text.right, text.bottom, margin))
                << "\"" << text.text << "\" runs out of the plate";
            if (text.text.find("exit") != std::string::npos || text.text.find("saved") != std::string::npos) {
                EXPECT_NEAR((text.left + text.right) / 2, window.width / 2.0f, 1.0f) << text.text;
            }
        }
        EXPECT_EQ(lines, (std::vector<std::string>{"Are you sure you want to exit?", "Game progress will NOT be saved.",
                                                   "Confirm", "Cancel"}));
        Click(exitConfirmScene->cancelButton->position);
        RemoveScene(pauseMenuScene);
        Frames(2);
    }
}

} // namespace
