// The sound system: its error line, its four groups, its records, and a run without a sound device.
#include "audio/sound_system.h"
#include "audio_test_support.h"
#include "engine/system.h"

#include <gtest/gtest.h>

using namespace audiotest;

namespace {

class SoundSystemRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = ScratchFolder("soundsystem");
        FmodLayerSetOutput(FmodLayerOutput::Silent);
        FmodLayerSetMixStep(1.0 / 60.0);
    }
    void TearDown() override
    {
        if (soundFmodSystem) {
            SoundSystem.exit();
        }
        FmodLayerSetOutput(FmodLayerOutput::Device);
        FmodLayerSetDeviceName(nullptr);
        FmodLayerSetMixStep(0);
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path folder;
};

TEST(SoundSystemErrorLine, FailuresPrintTheirCodeAndTextAndSuccessIsQuiet)
{
    struct Case {
        FMOD_RESULT result;
        const char* line;
    };
    const Case cases[] = {
        {FMOD_OK, ""},
        {FMOD_ERR_FILE_NOTFOUND, "There was an error in the audio system: (10) File not found.\n"},
        {FMOD_ERR_INVALID_HANDLE,
         "There was an error in the audio system: (1) The object handle is null, was released, or belongs to a "
         "channel that has finished or was taken.\n"},
        {static_cast<FMOD_RESULT>(500), "There was an error in the audio system: (500) Unknown error.\n"},
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStdout();
        bool ok = SoundCheck(c.result);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.line);
        EXPECT_EQ(ok, c.result == FMOD_OK);
        EXPECT_EQ(soundLastResult, c.result);
    }
}

TEST_F(SoundSystemRun, InitMakesFourGroupsAtFullVolumeAndExitLetsGoOfEverything)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    ASSERT_TRUE(SoundSystem.init());
    ASSERT_EQ(soundChannelGroups.size(), 4u);
    int32_t expectedKey = 0;
    for (auto& [key, group] : soundChannelGroups) {
        EXPECT_EQ(key, expectedKey++);
        float volume = 0;
        FMOD_BOOL paused = 1;
        EXPECT_EQ(FMOD_ChannelGroup_GetVolume(group, &volume), FMOD_OK);
        EXPECT_EQ(FMOD_ChannelGroup_GetPaused(group, &paused), FMOD_OK);
        EXPECT_FLOAT_EQ(volume, 1.0f);
        EXPECT_FALSE(paused);
    }
    WriteTone(folder / "tone.wav", 0.1);
    SoundRecord* good = CreateSound((folder / "tone.wav").string());
    SoundRecord* missing = CreateSound((folder / "missing.wav").string());
    EXPECT_NE(good->sound, nullptr);
    EXPECT_EQ(missing->sound, nullptr);
    EXPECT_EQ(missing->path, (folder / "missing.wav").string());
    EXPECT_EQ(missing->channel, nullptr);
    EXPECT_FLOAT_EQ(missing->volume, 1.0f);
    EXPECT_FLOAT_EQ(missing->pitch, 1.0f);
    EXPECT_EQ(missing->loopCount, 0);
    ASSERT_EQ(soundRecords.size(), 2u);
    EXPECT_EQ(soundRecords[0].get(), good);
    for (int frame = 0; frame < 10; ++frame) {
        SoundSystem.update(1.0f / 60.0f);
    }
    SoundSystem.exit();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Sound file \"" + (folder / "missing.wav").string() + "\" cannot be played: (10) File not found.\n")
        << "named once, where it loads";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(soundFmodSystem, nullptr);
    EXPECT_TRUE(soundRecords.empty());
    EXPECT_TRUE(soundChannelGroups.empty());
}

TEST_F(SoundSystemRun, WithoutADeviceTheWholeRunPrintsOneLine)
{
    FmodLayerSetOutput(FmodLayerOutput::Device);
    FmodLayerSetDeviceName("Brimvale test: no such device");
    WriteTone(folder / "tone.wav", 0.05);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    ASSERT_TRUE(SoundSystem.init());
    SoundRecord* record = CreateSound((folder / "tone.wav").string());
    for (int frame = 0; frame < 600; ++frame) {
        if (frame % 10 == 0) {
            SoundCheck(
                FMOD_System_PlaySound(soundFmodSystem, record->sound, soundChannelGroups[2], 0, &record->channel));
        }
        SoundSystem.update(1.0f / 60.0f);
    }
    SoundSystem.exit();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "There was an error in the audio system: (7) No sound output device could be opened; sound is mixed "
              "silently.\n");
}

} // namespace
