// The settings overlay worked with the mouse (volume, full screen, the hidden manual), the settings file kept
// between runs, and two simulator runs that open the settings from the main menu and from the pause menu.
#include "audio/audio_cue_table.h"
#include "audio/audio_cues.h"
#include "audio/sound_system.h"
#include "audio_test_support.h"
#include "engine/system.h"
#include "manual/manual_scene.h"
#include "menu_test_support.h"
#include "platform/fmod.h"
#include "platform/os.h"
#include "platform/pxl_control.h"
#include "scenes/pause_menu_scene.h"
#include "scenes/settings_file.h"
#include "scenes/settings_scene.h"
#include "support/sim_runner.h"
#include "tools/sim/screen_description.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

class SettingsTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        FmodLayerSetOutput(FmodLayerOutput::Silent);
        ASSERT_TRUE(SoundSystem.init());
        ASSERT_TRUE(AudioSystem.init());
        // The labels are read off the screen as a player reads them.
        ASSERT_TRUE(SpriteSheetSystem.init());
        ASSERT_TRUE(MeshSystem.init());
        PxlSetRecordDraws(true);
        settingsFileInUse = true;
        std::filesystem::remove(SettingsFilePath());
    }

    void TearDown() override
    {
        MenuTest::TearDown();
        MeshSystem.exit();
        SpriteSheetSystem.exit();
        AudioSystem.exit();
        SoundSystem.exit();
        FmodLayerSetOutput(FmodLayerOutput::Device);
        settingsFileInUse = false;
        FullscreenFlag = false;
        volumeChanged = false;
        manualScene->renderEnabled = true;
    }

    void OpenSettingsFromMenu()
    {
        OpenMainMenu();
        Click(EntryPlace("Settings"));
        ASSERT_TRUE(settingsScene->active);
    }

    bool ShowsText(const std::string& text)
    {
        ScreenDescription screen = DescribeLastFrame(0);
        for (const ScreenText& shown : screen.texts) {
            if (shown.text == text) {
                return true;
            }
        }
        return false;
    }

    // Every play of the button cue so far: each play takes a channel handle of its own.
    void NoteButtonPlays()
    {
        for (SoundRecord* record : FindAudioCue(CueButton)->sounds) {
            if (record->channel != nullptr) {
                buttonPlays.insert(record->channel);
            }
        }
    }

    std::set<FMOD_CHANNEL*> buttonPlays;
};

float GroupVolume(int32_t key)
{
    float volume = -1.0f;
    FMOD_ChannelGroup_GetVolume(SoundChannelGroup(key), &volume);
    return volume;
}

TEST_F(SettingsTest, VolumeSliderShowsTheLevelAndTheDragEndPlaysOneCue)
{
    OpenSettingsFromMenu();
    Slider* slider = settingsScene->volumeSlider;
    EXPECT_NEAR(slider->value, 0.1f, 1e-6f);
    EXPECT_TRUE(ShowsText("Volume Control: 10%"));

    ASSERT_FALSE(FindAudioCue(CueButton)->sounds.empty());
    NoteButtonPlays();
    size_t before = buttonPlays.size();
    // Grab the handle and drag it past the far end of the track, a step a frame.
    PointAt(slider->position);
    Button(true);
    Frame();
    for (int step = 1; step <= 10; ++step) {
        PointAt({slider->start.x + (slider->end.x - slider->start.x) * 0.12f * step, slider->position.y});
        Frame();
        NoteButtonPlays();
        EXPECT_EQ(buttonPlays.size(), before) << "a sound while dragging, step " << step;
    }
    EXPECT_FLOAT_EQ(slider->value, 1.0f);
    for (int32_t key : {0, 1, 2, 3}) {
        EXPECT_FLOAT_EQ(GroupVolume(key), 10.0f) << "group " << key;
    }
    Button(false);
    Frames(3);
    NoteButtonPlays();
    EXPECT_EQ(buttonPlays.size(), before + 1) << "one cue at the new level when the drag ends";
    EXPECT_TRUE(ShowsText("Volume Control: 100%"));

    // Halfway back: half the track is volume 5.
    PointAt({(slider->start.x + slider->end.x) / 2, slider->position.y});
    Button(true);
    Frame();
    Button(false);
    Frames(2);
    EXPECT_NEAR(GroupVolume(3), 5.0f, 0.01f);
    EXPECT_TRUE(ShowsText("Volume Control: 50%"));
}

TEST_F(SettingsTest, FullScreenTwiceBringsBackTheFixedWindowAndTheDesignSpaceFillsBoth)
{
    PXL_Window_SetSize(1600, 900);
    OpenSettingsFromMenu();
    EXPECT_TRUE(ShowsText("Toggle Fullscreen (Off)"));
    Interactable* box = settingsScene->fullscreenBox;
    PXL_Vec2 boxWorld = box->position;

    Click(boxWorld);
    Frame();
    EXPECT_TRUE(FullscreenFlag);
    EXPECT_EQ(PxlWindowStyle(), PXL_STYLE_BORDERLESS);
    PXL_Vec2 monitor = PXL_Window_GetMonitorSize();
    EXPECT_EQ(PXL_Window_GetSize().x, monitor.x);
    EXPECT_EQ(PXL_Window_GetSize().y, monitor.y);
    EXPECT_TRUE(ShowsText("Toggle Fullscreen (On)"));
    // The box is where the design space puts it on the bigger window: 650 and 300 design pixels from the centre.
    PXL_Vec2 pixel = PixelOf(boxWorld);
    float s = monitor.y / 1080.0f;
    EXPECT_NEAR(pixel.x, monitor.x / 2 - 650 * s, 0.5f);
    EXPECT_NEAR(pixel.y, monitor.y / 2 - 300 * s, 0.5f);

    Click(boxWorld);
    Frame();
    EXPECT_FALSE(FullscreenFlag);
    EXPECT_EQ(PxlWindowStyle(), PXL_STYLE_FIXED_WINDOW);
    EXPECT_EQ(PXL_Window_GetSize().x, 1280.0f);
    EXPECT_EQ(PXL_Window_GetSize().y, 720.0f);
    pixel = PixelOf(boxWorld);
    EXPECT_NEAR(pixel.x, 640 - 650 * 720.0f / 1080, 0.5f);
}

TEST_F(SettingsTest, ManualBoxShowsTheManualAsItIsAtEachVisit)
{
    OpenSettingsFromMenu();
    EXPECT_EQ(settingsScene->manualBox->value, 0.0f);
    Click(settingsScene->manualBox->position);
    EXPECT_FALSE(manualScene->renderEnabled);
    EXPECT_TRUE(ShowsText("Hide Manual (Hidden)"));
    Click(settingsScene->exitButton->position);
    ASSERT_FALSE(settingsScene->active);

    Click(EntryPlace("Settings"));
    ASSERT_TRUE(settingsScene->active);
    EXPECT_EQ(settingsScene->manualBox->value, 1.0f) << "an earlier visit hid the manual";
    Click(settingsScene->exitButton->position);
    manualScene->renderEnabled = true;
    Click(EntryPlace("Settings"));
    EXPECT_EQ(settingsScene->manualBox->value, 0.0f);
}

// A hidden manual is not drawn; it must not open unseen under the player's clicks either.
TEST_F(SettingsTest, HiddenManualTakesNoClicksAndAnOpenOneCloses)
{
    DeskStandIn desk;
    SetNextScene(&desk);
    Frames(2);
    PushScene(manualScene);
    Frames(40);
    PXL_Vec2 strip = manualScene->manual.toggle->position;
    Click(strip);
    Frames(30);
    ASSERT_TRUE(manualScene->IsOpen());

    manualScene->renderEnabled = false;
    Frame();
    EXPECT_FALSE(manualScene->IsOpen());
    Frames(30);
    Click(strip);
    Frames(5);
    EXPECT_FALSE(manualScene->IsOpen()) << "the unseen book opened";

    manualScene->renderEnabled = true;
    Frames(2);
    Click(manualScene->manual.toggle->position);
    Frames(2);
    EXPECT_TRUE(manualScene->IsOpen());
    RemoveScene(manualScene);
}

TEST_F(SettingsTest, ClosingKeepsTheSettingsAndTheNextStartAppliesThem)
{
    OpenSettingsFromMenu();
    Click(settingsScene->fullscreenBox->position);
    Click(settingsScene->manualBox->position);
    Slider* slider = settingsScene->volumeSlider;
    PointAt({slider->start.x + (slider->end.x - slider->start.x) * 0.3f, slider->position.y});
    Button(true);
    Frame();
    Button(false);
    Frames(2);
    Click(settingsScene->exitButton->position);

    std::vector<std::string> problems;
    std::ifstream file(SettingsFilePath());
    std::stringstream text;
    text << file.rdbuf();
    KeptSettings kept = ParseSettings(text.str(), problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_TRUE(kept.fullscreen);
    EXPECT_TRUE(kept.manualHidden);
    EXPECT_NEAR(kept.volume, 3.0f, 0.01f);

    // A new run: the defaults, then what the file keeps.
    SetFullscreen(false);
    SetVolume(1.0f);
    manualScene->renderEnabled = true;
    ApplyKeptSettings();
    EXPECT_TRUE(FullscreenFlag);
    EXPECT_EQ(PXL_Window_GetSize().x, PXL_Window_GetMonitorSize().x);
    EXPECT_FALSE(manualScene->renderEnabled);
    EXPECT_FLOAT_EQ(GroupVolume(0), kept.volume);
    EXPECT_FLOAT_EQ(GroupVolume(2), kept.volume);
}

TEST_F(SettingsTest, AFailedWriteIsReportedOnceAndThePlayGoesOn)
{
    // A plain file where the game's folder should be: no folder can be made there, whoever runs the test.
    std::string config = OsConfigFolder();
    std::filesystem::create_directories(config);
    std::filesystem::remove_all(config + "/Tessaro");
    std::ofstream(config + "/Tessaro") << "not a folder";
    OpenSettingsFromMenu();
    testing::internal::CaptureStderr();
    Click(settingsScene->exitButton->position);
    Click(EntryPlace("Settings"));
    Click(settingsScene->exitButton->position);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("could not be kept"), std::string::npos) << err;
    EXPECT_FALSE(settingsScene->active);
    EXPECT_TRUE(mainMenuScene->updateEnabled);
    std::filesystem::remove(config + "/Tessaro");
}

// ---- Through the simulator, with the mouse only ----

// The window pixel of a design offset from the screen's centre.
std::string At(PXL_Vec2 offset, PXL_Vec2 window)
{
    float s = window.y / 1080.0f;
    std::ostringstream pixel;
    pixel << window.x / 2 + offset.x * s << " " << window.y / 2 + offset.y * s;
    return pixel.str();
}

// A press and release at a pixel, starting at a frame.
std::string ClickAt(int frame, const std::string& pixel)
{
    return std::to_string(frame) + " mouse " + pixel + "\n" + std::to_string(frame + 3) + " press left\n" +
           std::to_string(frame + 4) + " release left\n";
}

// Every setting changed from the settings opened at `frame` in the 1280 by 720 window, and closed in full
// screen: the manual hidden, the volume dragged down to a fifth, full screen on, "Exit Settings".
std::string ChangeEverySetting(int frame)
{
    const PXL_Vec2 windowed = {1280, 720};
    std::string lines = ClickAt(frame, At({-650, -150}, windowed));
    lines += std::to_string(frame + 20) + " mouse " + At({-320, 100}, windowed) + "\n";
    lines += std::to_string(frame + 22) + " press left\n";
    lines += std::to_string(frame + 25) + " mouse " + At({-240, 100}, windowed) + "\n";
    lines += std::to_string(frame + 30) + " release left\n";
    lines += ClickAt(frame + 40, At({-650, -300}, windowed));
    lines += ClickAt(frame + 60, At({0, 300}, {1920, 1080}));
    return lines;
}

std::vector<std::string> TraceLines(const std::string& home)
{
    std::ifstream file(home + "/Documents/Tessaro/Brimvale/Trace.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The first update line of a scene after a line, paused or not.
std::string UpdateAfter(const std::vector<std::string>& trace, const std::string& after, const std::string& scene)
{
    auto from = std::find(trace.begin(), trace.end(), after);
    for (auto line = from; line != trace.end(); ++line) {
        if (line->rfind(scene + ": Update", 0) == 0) {
            return *line;
        }
    }
    return "(none after " + after + ")";
}

std::string NewHome(const std::string& name)
{
    std::string home = TempPath(name);
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home + "/Documents");
    return home;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST_F(SettingsTest, SimulatorRunsChangeEverySettingOverTheMenuAndOverTheDeskAndResumeWhatIsBeneath)
{
    OpenMainMenu();
    PXL_Vec2 settingsPixel = PixelOf(EntryPlace("Settings"));
    std::string settingsEntry = std::to_string(settingsPixel.x) + " " + std::to_string(settingsPixel.y);
    PXL_Vec2 startPixel = PixelOf(EntryPlace("Start Game"));
    std::string startEntry = std::to_string(startPixel.x) + " " + std::to_string(startPixel.y);

    // Over the main menu, keeping the settings; then a second run starts with them.
    std::string home = NewHome("settings-sim-menu");
    std::vector<std::string> env = {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config"};
    std::string input = home + "/input.txt";
    std::ofstream(input) << ClickAt(200, settingsEntry) + ChangeEverySetting(240);
    SimResult run = RunProgram(
        SimPath(), {"--frames", "360", "--scene", "MainMenuScene", "--input", input, "--keep-settings"}, env);
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> trace = TraceLines(home);
    EXPECT_EQ(UpdateAfter(trace, "SettingsScene: Load", "MainMenuScene"), "MainMenuScene: Update (Paused)");
    EXPECT_EQ(UpdateAfter(trace, "SettingsScene: Unload", "MainMenuScene"), "MainMenuScene: Update");
    std::vector<std::string> problems;
    KeptSettings kept = ParseSettings(ReadFile(home + "/.config/Tessaro/Brimvale/settings.ini"), problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_TRUE(kept.fullscreen);
    EXPECT_TRUE(kept.manualHidden);
    EXPECT_NEAR(kept.volume, 2.0f, 0.05f);

    std::string shot = home + "/second.json";
    SimResult second = RunProgram(
        SimPath(), {"--frames", "3", "--scene", "MainMenuScene", "--keep-settings", "--describe", "2:" + shot}, env);
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_NE(ReadFile(shot).find("\"window\":[1920,1080]"), std::string::npos) << ReadFile(shot).substr(0, 80);

    // Over the desk's pause menu, without --keep-settings: the file is left alone.
    home = NewHome("settings-sim-desk");
    env = {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config"};
    input = home + "/input.txt";
    std::string script = ClickAt(200, startEntry) + "400 press escape\n402 release escape\n" +
                         ClickAt(430, At({0, 50}, {1280, 720})) + ChangeEverySetting(460) +
                         ClickAt(540, At({0, -150}, {1920, 1080}));
    std::ofstream(input) << script;
    run = RunProgram(SimPath(), {"--frames", "600", "--scene", "MainMenuScene", "--input", input}, env);
    ASSERT_EQ(run.status, 0) << run.err;
    trace = TraceLines(home);
    ASSERT_NE(std::find(trace.begin(), trace.end(), "SettingsScene: Load"), trace.end());
    EXPECT_EQ(UpdateAfter(trace, "SettingsScene: Load", "PauseMenuScene"), "PauseMenuScene: Update (Paused)");
    EXPECT_EQ(UpdateAfter(trace, "SettingsScene: Unload", "PauseMenuScene"), "PauseMenuScene: Update");
    EXPECT_EQ(UpdateAfter(trace, "SettingsScene: Unload", "GameScene"), "GameScene: Update (Paused)");
    EXPECT_EQ(UpdateAfter(trace, "PauseMenuScene: Unload", "GameScene"), "GameScene: Update")
        << "the desk did not resume after \"Resume Game\"";
    EXPECT_FALSE(std::filesystem::exists(home + "/.config/Tessaro/Brimvale/settings.ini"));
}

// What the player hears: the same run twice, once with the volume left at its start and once dragged down to
// half of it; the button cue at the drag's end, and all that follows, plays at half the amplitude.
class SettingsVolumeLongRun : public SettingsTest {};

TEST_F(SettingsVolumeLongRun, DraggingTheVolumeDownPlaysQuieterInTheMix)
{
    OpenMainMenu();
    PXL_Vec2 settingsPixel = PixelOf(EntryPlace("Settings"));
    std::string settingsEntry = std::to_string(settingsPixel.x) + " " + std::to_string(settingsPixel.y);
    const PXL_Vec2 window = {1280, 720};
    // The handle starts at a tenth of the track (volume 1); a twentieth is volume 0.5.
    auto run = [&](float place, const std::string& name) {
        std::string script = ClickAt(200, settingsEntry) + "240 mouse " + At({-320, 100}, window) + "\n" +
                             "242 press left\n245 mouse " + At({-400 + 800 * place, 100}, window) + "\n" +
                             "250 release left\n";
        std::string wav = TempPath("settings-volume-" + name + ".wav");
        SimResult result = RunSim(
            {"--frames", "330", "--clock", "1700000000", "--scene", "MainMenuScene", "--audio-out", wav}, script);
        EXPECT_EQ(result.status, 0) << result.err;
        return audiotest::ReadCapture(wav);
    };
    DecodedAudio kept = run(0.1f, "kept");
    DecodedAudio halved = run(0.05f, "halved");
    const double released = 250.0 / 60.0;
    ASSERT_GT(audiotest::Rms(kept, released, 5.5), 0.001) << "no sound after the drag";
    EXPECT_NEAR(audiotest::Rms(halved, 0, released), audiotest::Rms(kept, 0, released), 1e-6)
        << "the runs differ before the drag";
    EXPECT_NEAR(audiotest::Rms(halved, released, 5.5) / audiotest::Rms(kept, released, 5.5), 0.5, 0.02);
}

// ---- The file on its own ----

std::string Scratch(const std::string& name)
{
    std::string folder = TempPath("settings-" + name);
    std::filesystem::remove_all(folder);
    return folder;
}

TEST(SettingsFile, RoundTripsThroughAMissingFolder)
{
    const KeptSettings cases[] = {
        {},
        {true, false, 0.0f},
        {false, true, 10.0f},
        {true, true, 0.123456789f},
    };
    std::string path = Scratch("round") + "/deep/er/settings.ini";
    for (const KeptSettings& kept : cases) {
        std::string error;
        ASSERT_TRUE(WriteSettingsFile(path, kept, error)) << error;
        testing::internal::CaptureStderr();
        KeptSettings read = ReadSettingsFile(path);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(read.fullscreen, kept.fullscreen);
        EXPECT_EQ(read.manualHidden, kept.manualHidden);
        EXPECT_EQ(read.volume, kept.volume);
    }
    // Nothing but the file is left beside it: the temporary file was renamed over it.
    EXPECT_EQ(OsListFiles(std::filesystem::path(path).parent_path().string()),
              std::vector<std::string>{"settings.ini"});
}

TEST(SettingsFile, MissingFileGivesTheDefaultsQuietly)
{
    testing::internal::CaptureStderr();
    KeptSettings read = ReadSettingsFile(Scratch("missing") + "/settings.ini");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(read.fullscreen);
    EXPECT_FALSE(read.manualHidden);
    EXPECT_EQ(read.volume, 1.0f);
}

// What cannot be read keeps its default, what can is taken; one line says so.
TEST(SettingsFile, DamagedOrHandEditedFilesKeepTheDefaultsForWhatCannotBeRead)
{
    struct Case {
        const char* text;
        KeptSettings expected;
    };
    const Case cases[] = {
        {"fullscreen = yes\nvolume = loud\n", {true, false, 1.0f}},
        {"volume = 11\nhide_manual=1", {false, true, 1.0f}},
        {"volume = nan\n", {}},
        {"volume = -0.5\nfullscreen = 2\n", {}},
        {"\x01\x02\xff\xfe garbage\n\n", {}},
        {"colour = blue\r\nhide_manual = TRUE\r\n", {false, true, 1.0f}},
        {"volume = 0.5abc\n[Brimvale]\nfullscreen\n", {}},
    };
    std::string folder = Scratch("damaged");
    OsCreateDirectory(folder);
    std::string path = folder + "/settings.ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::ofstream(path, std::ios::binary) << c.text;
        testing::internal::CaptureStderr();
        KeptSettings read = ReadSettingsFile(path);
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_NE(err.find(path), std::string::npos) << err;
        EXPECT_EQ(read.fullscreen, c.expected.fullscreen);
        EXPECT_EQ(read.manualHidden, c.expected.manualHidden);
        EXPECT_EQ(read.volume, c.expected.volume);
    }
    // A folder in the file's place cannot be read as one.
    std::filesystem::remove(path);
    std::filesystem::create_directories(path);
    testing::internal::CaptureStderr();
    KeptSettings read = ReadSettingsFile(path);
    EXPECT_NE(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(read.volume, 1.0f);
}

TEST(SettingsFile, AnUnwritableFolderFailsAndLeavesTheOldFile)
{
    std::string folder = Scratch("unwritable");
    std::string path = folder + "/settings.ini";
    std::string error;
    ASSERT_TRUE(WriteSettingsFile(path, {true, false, 2.0f}, error)) << error;
    // The file's place taken by a folder: the new file cannot be renamed over it.
    std::string blocked = folder + "/blocked";
    std::filesystem::create_directories(blocked + "/settings.ini/inside");
    EXPECT_FALSE(WriteSettingsFile(blocked + "/settings.ini", {}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(OsListFiles(blocked), std::vector<std::string>{}) << "the temporary file was left behind";
    // Under a plain file no folder can be made.
    EXPECT_FALSE(WriteSettingsFile(path + "/sub/settings.ini", {}, error));
    EXPECT_NE(error.find("settings.ini"), std::string::npos) << error;
    EXPECT_TRUE(ReadSettingsFile(path).fullscreen) << "the old file is still whole";
}

} // namespace
