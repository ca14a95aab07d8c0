// The audio layer itself: results, loading, channels, groups and the silent mix with its capture.
#include "audio_test_support.h"
#include "platform/fmod.h"
#include "platform/fmod_audio_file.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <string>

using namespace audiotest;

namespace {

class AudioLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = ScratchFolder("layer");
        capturePath = folder / "capture.wav";
        FmodLayerSetOutput(FmodLayerOutput::Silent);
        FmodLayerSetDeviceName(nullptr);
        FmodLayerSetMixStep(1.0 / 60.0);
        ASSERT_EQ(FmodLayerCaptureToWav(capturePath.string().c_str()), FMOD_OK);
        ASSERT_EQ(FMOD_System_Create(&system, FMOD_VERSION), FMOD_OK);
        ASSERT_EQ(FMOD_System_Init(system, 32, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
        ASSERT_TRUE(FmodLayerIsSilent());
        ASSERT_EQ(FMOD_System_CreateChannelGroup(system, "music", &group), FMOD_OK);
    }

    void TearDown() override
    {
        if (system) {
            FMOD_System_Release(system);
        }
        FmodLayerCaptureToWav(nullptr);
        FmodLayerSetOutput(FmodLayerOutput::Device);
        FmodLayerSetMixStep(0);
        std::filesystem::remove_all(folder);
    }

    FMOD_SOUND* Tone(const std::string& name, double seconds, double amplitude = 0.5)
    {
        WriteTone(folder / name, seconds, 440.0, amplitude);
        FMOD_SOUND* sound = nullptr;
        EXPECT_EQ(FMOD_System_CreateSound(system, (folder / name).string().c_str(), FMOD_2D, nullptr, &sound), FMOD_OK);
        return sound;
    }

    FMOD_CHANNEL* Play(FMOD_SOUND* sound, int loopCount = 0, float volume = 1.0f)
    {
        FMOD_CHANNEL* channel = nullptr;
        EXPECT_EQ(FMOD_System_PlaySound(system, sound, group, 0, &channel), FMOD_OK);
        EXPECT_EQ(FMOD_Channel_SetVolume(channel, volume), FMOD_OK);
        EXPECT_EQ(FMOD_Channel_SetMode(channel, FMOD_LOOP_NORMAL), FMOD_OK);
        EXPECT_EQ(FMOD_Channel_SetLoopCount(channel, loopCount), FMOD_OK);
        return channel;
    }

    // Ends the run and reads back what was mixed.
    DecodedAudio FinishCapture()
    {
        EXPECT_EQ(FMOD_System_Release(system), FMOD_OK);
        system = nullptr;
        return ReadCapture(capturePath);
    }

    std::filesystem::path folder;
    std::filesystem::path capturePath;
    FMOD_SYSTEM* system = nullptr;
    FMOD_CHANNELGROUP* group = nullptr;
};

TEST(AudioLayerResults, EveryCodeHasItsOwnTextAndUnknownCodesShareOne)
{
    EXPECT_STREQ(FMOD_ErrorString(FMOD_OK), "No errors.");
    std::set<std::string> texts;
    for (int code = 0; code < FMOD_RESULT_COUNT; ++code) {
        std::string text = FMOD_ErrorString(code);
        EXPECT_NE(text, "Unknown error.") << code;
        EXPECT_TRUE(texts.insert(text).second) << "text repeated: " << text;
    }
    for (int code : {-1, int(FMOD_RESULT_COUNT), 81, 1000}) {
        EXPECT_STREQ(FMOD_ErrorString(code), "Unknown error.") << code;
    }
}

TEST(AudioLayerResults, WrongHeaderVersionAndSecondSystemAreRefused)
{
    FMOD_SYSTEM* first = nullptr;
    FMOD_SYSTEM* second = nullptr;
    EXPECT_EQ(FMOD_System_Create(&first, 0x20000), FMOD_ERR_HEADER_MISMATCH);
    EXPECT_EQ(first, nullptr);
    ASSERT_EQ(FMOD_System_Create(&first, FMOD_VERSION), FMOD_OK);
    EXPECT_EQ(FMOD_System_Create(&second, FMOD_VERSION), FMOD_ERR_TOO_MANY_SYSTEMS);
    EXPECT_EQ(FMOD_System_Update(first), FMOD_ERR_UNINITIALIZED);
    EXPECT_EQ(FMOD_System_Release(first), FMOD_OK);
    EXPECT_EQ(FMOD_System_Update(first), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(FMOD_System_Update(nullptr), FMOD_ERR_INVALID_HANDLE);
}

TEST_F(AudioLayer, SoundFilesLoadOrFailWithTheirOwnCode)
{
    auto header = [](uint16_t format, uint16_t channels, uint16_t bits, uint32_t dataBytes, size_t bodyBytes) {
        std::vector<unsigned char> b = {'R', 'I', 'F', 'F', 0,   0,   0,  0, 'W', 'A',
                                        'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0,   0};
        auto put16 = [&](uint16_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); };
        auto put32 = [&](uint32_t v) {
            b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
        };
        put16(format);
        put16(channels);
        put32(22050);
        put32(22050u * channels * bits / 8);
        put16(uint16_t(channels * bits / 8));
        put16(bits);
        b.insert(b.end(), {'d', 'a', 't', 'a'});
        put32(dataBytes);
        for (size_t i = 0; i < bodyBytes; ++i) {
            b.push_back(uint8_t(i * 37));
        }
        return b;
    };
    std::vector<unsigned char> cutHeader = header(1, 1, 16, 0, 0);
    cutHeader.resize(24);
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        FMOD_RESULT expected;
        unsigned int frames;
    };
    std::vector<Case> cases = {
        {"pcm8.wav", header(1, 1, 8, 100, 100), FMOD_OK, 100},
        {"pcm16-stereo.wav", header(1, 2, 16, 400, 400), FMOD_OK, 100},
        {"pcm24.wav", header(1, 1, 24, 300, 300), FMOD_OK, 100},
        {"float.wav", header(3, 1, 32, 400, 0), FMOD_OK, 0}, // body filled below
        {"short-data.wav", header(1, 1, 16, 4000, 200), FMOD_OK, 100},
        {"no-data.wav", header(1, 1, 16, 0, 0), FMOD_ERR_FILE_BAD, 0},
        {"three-channels.wav", header(1, 3, 16, 600, 600), FMOD_ERR_FORMAT, 0},
        {"adpcm.wav", header(2, 1, 4, 100, 100), FMOD_ERR_FORMAT, 0},
        {"cut-header.wav", cutHeader, FMOD_ERR_FILE_BAD, 0},
        {"text.wav", {'h', 'e', 'l', 'l', 'o'}, FMOD_ERR_FORMAT, 0},
        {"empty.wav", {}, FMOD_ERR_FORMAT, 0},
        {"damaged.ogg", {'O', 'g', 'g', 'S', 1, 2, 3, 4, 5, 6, 7, 8}, FMOD_ERR_FILE_BAD, 0},
    };
    for (int i = 0; i < 100; ++i) {
        float value = 0.25f;
        auto* raw = reinterpret_cast<unsigned char*>(&value);
        cases[3].bytes.insert(cases[3].bytes.end(), raw, raw + 4);
    }
    // Float samples beyond -1..1 never reach the mixer: clamped, and NaN is silence.
    {
        const float wild[] = {INFINITY, -INFINITY, NAN, 1e38f, -1e38f, 0.5f};
        std::vector<unsigned char> bytes = header(3, 1, 32, sizeof wild, 0);
        auto* raw = reinterpret_cast<const unsigned char*>(wild);
        bytes.insert(bytes.end(), raw, raw + sizeof wild);
        DecodedAudio audio;
        ASSERT_EQ(DecodeAudioMemory(bytes, audio), FMOD_OK);
        EXPECT_EQ(audio.samples, (std::vector<float>{1.0f, -1.0f, 0.0f, 1.0f, -1.0f, 0.5f}));
    }
    cases[3].frames = 100;
    for (const Case& c : cases) {
        WriteBytes(folder / c.name, c.bytes);
        FMOD_SOUND* sound = reinterpret_cast<FMOD_SOUND*>(1);
        EXPECT_EQ(FMOD_System_CreateSound(system, (folder / c.name).string().c_str(), FMOD_2D, nullptr, &sound),
                  c.expected)
            << c.name;
        if (c.expected == FMOD_OK) {
            unsigned int frames = 0;
            EXPECT_EQ(FMOD_Sound_GetLength(sound, &frames, FMOD_TIMEUNIT_PCM), FMOD_OK);
            EXPECT_EQ(frames, c.frames) << c.name;
        } else {
            EXPECT_EQ(sound, nullptr) << c.name;
        }
    }
    FMOD_SOUND* sound = nullptr;
    EXPECT_EQ(FMOD_System_CreateSound(system, (folder / "missing.wav").string().c_str(), FMOD_2D, nullptr, &sound),
              FMOD_ERR_FILE_NOTFOUND);
    EXPECT_EQ(FMOD_System_CreateSound(system, folder.string().c_str(), FMOD_2D, nullptr, &sound), FMOD_ERR_FILE_BAD);
    FMOD_CHANNEL* channel = nullptr;
    EXPECT_EQ(FMOD_System_PlaySound(system, nullptr, group, 0, &channel), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(channel, nullptr);
}

TEST_F(AudioLayer, PlayedSoundIsMixedIntoTheCaptureAtItsVolume)
{
    FMOD_SOUND* sound = Tone("tone.wav", 0.5, 0.5);
    Play(sound, 0, 0.5f);
    for (int frame = 0; frame < 60; ++frame) {
        ASSERT_EQ(FMOD_System_Update(system), FMOD_OK);
    }
    DecodedAudio mix = FinishCapture();
    EXPECT_EQ(mix.sampleRate, FmodLayerMixRate);
    EXPECT_EQ(mix.channels, 2);
    EXPECT_NEAR(double(mix.FrameCount()) / FmodLayerMixRate, 1.0, 0.001); // sixty updates of 1/60 s
    // A sine of amplitude 0.5 x 0.5 has an RMS of 0.25 / sqrt(2).
    EXPECT_NEAR(Rms(mix, 0.1, 0.4), 0.25 / std::sqrt(2.0), 0.005);
    EXPECT_LT(Rms(mix, 0.6, 1.0), 1e-4);
}

TEST_F(AudioLayer, GroupVolumeReachesAChannelThatIsAlreadyPlaying)
{
    FMOD_CHANNEL* channel = Play(Tone("tone.wav", 0.25), -1);
    ASSERT_EQ(FmodLayerMix(0.5), FMOD_OK);
    ASSERT_EQ(FMOD_ChannelGroup_SetVolume(group, 0.25f), FMOD_OK);
    ASSERT_EQ(FmodLayerMix(0.5), FMOD_OK);
    ASSERT_EQ(FMOD_ChannelGroup_SetVolume(group, 1.8f), FMOD_OK);
    ASSERT_EQ(FmodLayerMix(0.5), FMOD_OK);
    float volume = 0;
    EXPECT_EQ(FMOD_ChannelGroup_GetVolume(group, &volume), FMOD_OK);
    EXPECT_FLOAT_EQ(volume, 1.8f);
    EXPECT_EQ(FMOD_Channel_GetVolume(channel, &volume), FMOD_OK);
    EXPECT_FLOAT_EQ(volume, 1.0f); // the channel keeps its own volume
    DecodedAudio mix = FinishCapture();
    double full = Rms(mix, 0.1, 0.45);
    EXPECT_NEAR(full, 0.5 / std::sqrt(2.0), 0.01);
    EXPECT_NEAR(Rms(mix, 0.6, 0.95) / full, 0.25, 0.01);
    EXPECT_NEAR(Rms(mix, 1.1, 1.45) / full, 1.8, 0.02); // amplified (a 0.9 peak, short of clipping)
}

TEST_F(AudioLayer, LoudMixClipsInsteadOfWrapping)
{
    Play(Tone("tone.wav", 0.5, 0.5), 0, 8.0f);
    ASSERT_EQ(FmodLayerMix(0.4), FMOD_OK);
    DecodedAudio mix = FinishCapture();
    EXPECT_GE(Peak(mix, 0.05, 0.35), 0.999);
    // Wherever the tone is positive the mix must be too: a wrapped sample would flip sign.
    size_t wrong = 0;
    for (size_t i = size_t(0.05 * FmodLayerMixRate); i < size_t(0.35 * FmodLayerMixRate); ++i) {
        double tone = std::sin(2 * M_PI * 440.0 * i / FmodLayerMixRate);
        float left = mix.samples[2 * i];
        if ((tone > 0.2 && left < 0.5f) || (tone < -0.2 && left > -0.5f)) {
            ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0u);
}

TEST_F(AudioLayer, LoopCountDecidesHowOftenASoundPlays)
{
    struct Case {
        FMOD_MODE mode;
        int loopCount;
        double audibleSeconds; // 0: still playing at the end
    };
    const Case cases[] = {
        {FMOD_LOOP_NORMAL, 0, 0.1}, {FMOD_LOOP_NORMAL, 2, 0.3}, {FMOD_LOOP_NORMAL, 99, 0},
        {FMOD_LOOP_NORMAL, -1, 0},  {FMOD_LOOP_OFF, 5, 0.1},
    };
    FMOD_SOUND* sound = Tone("short.wav", 0.1);
    for (const Case& c : cases) {
        ASSERT_EQ(FmodLayerCaptureToWav(capturePath.string().c_str()), FMOD_OK);
        FMOD_CHANNEL* channel = nullptr;
        ASSERT_EQ(FMOD_System_PlaySound(system, sound, group, 0, &channel), FMOD_OK);
        ASSERT_EQ(FMOD_Channel_SetMode(channel, c.mode), FMOD_OK);
        ASSERT_EQ(FMOD_Channel_SetLoopCount(channel, c.loopCount), FMOD_OK);
        ASSERT_EQ(FmodLayerMix(1.0), FMOD_OK);
        FMOD_BOOL playing = 0;
        FMOD_RESULT state = FMOD_Channel_IsPlaying(channel, &playing);
        FMOD_Channel_Stop(channel);
        ASSERT_EQ(FmodLayerCaptureToWav(nullptr), FMOD_OK);
        DecodedAudio mix = ReadCapture(capturePath);
        SCOPED_TRACE("loop count " + std::to_string(c.loopCount));
        if (c.audibleSeconds > 0) {
            EXPECT_NEAR(AudibleUntil(mix), c.audibleSeconds, 0.01);
            EXPECT_EQ(state, FMOD_ERR_INVALID_HANDLE); // finished and reclaimed
        } else {
            EXPECT_GT(AudibleUntil(mix), 0.98);
            EXPECT_EQ(state, FMOD_OK);
            EXPECT_TRUE(playing);
        }
    }
}

TEST_F(AudioLayer, UpdateReclaimsFinishedChannelsAndTheOldestIsTakenWhenAllAreBusy)
{
    FMOD_SOUND* click = Tone("click.wav", 0.05);
    FMOD_CHANNEL* first = Play(click);
    FMOD_BOOL playing = 0;
    ASSERT_EQ(FMOD_Channel_IsPlaying(first, &playing), FMOD_OK);
    EXPECT_TRUE(playing);
    for (int frame = 0; frame < 6; ++frame) {
        FMOD_System_Update(system);
    }
    EXPECT_EQ(FMOD_Channel_IsPlaying(first, &playing), FMOD_ERR_INVALID_HANDLE);

    FMOD_SOUND* loop = Tone("loop.wav", 0.2);
    std::vector<FMOD_CHANNEL*> channels;
    for (int i = 0; i < 32; ++i) {
        channels.push_back(Play(loop, -1, 0.01f));
        FMOD_System_Update(system);
    }
    FMOD_CHANNEL* extra = Play(loop, -1, 0.01f);
    EXPECT_EQ(FMOD_Channel_IsPlaying(channels[0], &playing), FMOD_ERR_INVALID_HANDLE);
    for (int i = 1; i < 32; ++i) {
        EXPECT_EQ(FMOD_Channel_IsPlaying(channels[i], &playing), FMOD_OK) << i;
    }
    EXPECT_EQ(FMOD_Channel_IsPlaying(extra, &playing), FMOD_OK);
    EXPECT_EQ(FMOD_Channel_SetVolume(channels[0], 1.0f), FMOD_ERR_INVALID_HANDLE);
}

TEST_F(AudioLayer, PausedGroupRendersNothingAndResumesWhereItStopped)
{
    FMOD_CHANNEL* channel = Play(Tone("tone.wav", 1.0), 0);
    ASSERT_EQ(FmodLayerMix(0.3), FMOD_OK);
    ASSERT_EQ(FMOD_ChannelGroup_SetPaused(group, 1), FMOD_OK);
    FMOD_BOOL paused = 0;
    ASSERT_EQ(FMOD_ChannelGroup_GetPaused(group, &paused), FMOD_OK);
    EXPECT_TRUE(paused);
    FMOD_CHANNEL* whilePaused = nullptr;
    ASSERT_EQ(FMOD_System_PlaySound(system, Tone("other.wav", 0.2), group, 0, &whilePaused), FMOD_OK);
    ASSERT_EQ(FmodLayerMix(2.0), FMOD_OK); // longer than the sound: a paused channel does not run out
    FMOD_BOOL playing = 0;
    EXPECT_EQ(FMOD_Channel_IsPlaying(channel, &playing), FMOD_OK);
    ASSERT_EQ(FMOD_ChannelGroup_SetPaused(group, 0), FMOD_OK);
    ASSERT_EQ(FMOD_Channel_Stop(whilePaused), FMOD_OK);
    ASSERT_EQ(FmodLayerMix(1.0), FMOD_OK);
    DecodedAudio mix = FinishCapture();
    EXPECT_GT(Rms(mix, 0.05, 0.25), 0.3);
    EXPECT_LT(Peak(mix, 0.32, 2.3), 1e-4);
    EXPECT_GT(Rms(mix, 2.35, 2.95), 0.3); // the rest of the second
    EXPECT_LT(Rms(mix, 3.05, 3.3), 1e-4);
}

TEST_F(AudioLayer, ReleasingASoundStopsItsChannels)
{
    FMOD_SOUND* sound = Tone("tone.wav", 1.0);
    FMOD_CHANNEL* channel = Play(sound, -1);
    ASSERT_EQ(FmodLayerMix(0.2), FMOD_OK);
    ASSERT_EQ(FMOD_Sound_Release(sound), FMOD_OK);
    FMOD_BOOL playing = 0;
    EXPECT_EQ(FMOD_Channel_IsPlaying(channel, &playing), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(FMOD_Sound_Release(sound), FMOD_ERR_INVALID_HANDLE);
    ASSERT_EQ(FmodLayerMix(0.2), FMOD_OK);
    DecodedAudio mix = FinishCapture();
    EXPECT_GT(Rms(mix, 0.05, 0.15), 0.1);
    EXPECT_LT(Rms(mix, 0.25, 0.4), 1e-4);
}

TEST(AudioLayerOutput, WithoutADeviceInitSaysSoOnceAndMixesSilently)
{
    auto folder = ScratchFolder("nodevice");
    for (const char* device : {"Brimvale test: no such device", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(device ? device : "default device");
        FmodLayerSetOutput(FmodLayerOutput::Device);
        FmodLayerSetDeviceName(device);
        FmodLayerSetMixStep(1.0 / 60.0);
        FMOD_SYSTEM* system = nullptr;
        ASSERT_EQ(FMOD_System_Create(&system, FMOD_VERSION), FMOD_OK);
        testing::internal::CaptureStderr();
        testing::internal::CaptureStdout();
        FMOD_RESULT result = FMOD_System_Init(system, 32, FMOD_INIT_NORMAL, nullptr);
        std::string errors = testing::internal::GetCapturedStderr();
        std::string output = testing::internal::GetCapturedStdout();
        EXPECT_EQ(errors, ""); // neither ALSA nor OpenAL Soft may talk on the console
        EXPECT_EQ(output, "");
        if (result == FMOD_OK && !device) {
            EXPECT_FALSE(FmodLayerIsSilent()); // this machine has a sound card
        } else {
            EXPECT_EQ(result, FMOD_ERR_OUTPUT_INIT);
            EXPECT_TRUE(FmodLayerIsSilent());
            WriteTone(folder / "tone.wav", 0.1);
            FMOD_SOUND* sound = nullptr;
            EXPECT_EQ(FMOD_System_CreateSound(system, (folder / "tone.wav").string().c_str(), FMOD_2D, nullptr, &sound),
                      FMOD_OK);
            FMOD_CHANNEL* channel = nullptr;
            EXPECT_EQ(FMOD_System_PlaySound(system, sound, nullptr, 0, &channel), FMOD_OK);
            for (int frame = 0; frame < 30; ++frame) {
                EXPECT_EQ(FMOD_System_Update(system), FMOD_OK);
            }
            FMOD_BOOL playing = 0;
            EXPECT_EQ(FMOD_Channel_IsPlaying(channel, &playing), FMOD_ERR_INVALID_HANDLE); // it ran its course
            EXPECT_EQ(FmodLayerCaptureToWav((folder / "late.wav").string().c_str()), FMOD_OK);
        }
        EXPECT_EQ(FMOD_System_Release(system), FMOD_OK);
    }
    FmodLayerSetDeviceName(nullptr);
    FmodLayerSetMixStep(0);
    std::filesystem::remove_all(folder);
}

TEST(AudioLayerOutput, CaptureFileThatCannotBeCreatedIsReported)
{
    EXPECT_EQ(FmodLayerCaptureToWav("/nonexistent-folder/brimvale/capture.wav"), FMOD_ERR_CAPTURE_FILE);
    EXPECT_EQ(FmodLayerCaptureToWav(nullptr), FMOD_OK);
}

} // namespace
