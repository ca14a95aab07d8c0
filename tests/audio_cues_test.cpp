// The cues: which recording and pitch a play takes, folders that are missing or hold one file, the folder
// listing, and every cue of the game's own recordings heard in the mix.
#include "audio/audio_cue_table.h"
#include "audio/audio_cues.h"
#include "audio/desk_ambience.h"
#include "audio_test_support.h"
#include "engine/random.h"
#include "engine/system.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace audiotest;

namespace {

class AudioCues : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = ScratchFolder("cues");
        capturePath = folder / "capture.wav";
        FmodLayerSetOutput(FmodLayerOutput::Silent);
        FmodLayerSetMixStep(1.0 / 60.0);
        savedSfxFolder = audioSfxFolder;
        audioSfxFolder = (folder / "SFX").string() + "/";
    }

    void TearDown() override
    {
        Stop();
        audioSfxFolder = savedSfxFolder;
        FmodLayerSetOutput(FmodLayerOutput::Device);
        FmodLayerSetMixStep(0);
        std::filesystem::remove_all(folder);
    }

    // Recordings for a cue folder: distinct tones, so that a play can be told by its sound too.
    void Recordings(const std::string& cue, int count, double seconds = 0.1)
    {
        std::filesystem::create_directories(folder / "SFX" / cue);
        for (int i = 0; i < count; ++i) {
            WriteTone(folder / "SFX" / cue / ("take" + std::to_string(i) + ".wav"), seconds, 300.0 + 100 * i);
        }
    }

    void Start()
    {
        ASSERT_EQ(FmodLayerCaptureToWav(capturePath.string().c_str()), FMOD_OK);
        ASSERT_TRUE(SoundSystem.init());
        ASSERT_TRUE(AudioSystem.init());
        started = true;
    }

    void Stop()
    {
        if (started) {
            AudioSystem.exit();
            SoundSystem.exit();
            started = false;
        }
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            SoundSystem.update(1.0f / 60.0f);
        }
    }

    // The one record of the cue that has played, or null.
    static SoundRecord* PlayedRecord(AudioCue* cue)
    {
        SoundRecord* played = nullptr;
        for (SoundRecord* record : cue->sounds) {
            if (record->channel) {
                EXPECT_EQ(played, nullptr) << "more than one recording played";
                played = record;
            }
        }
        return played;
    }

    std::filesystem::path folder;
    std::filesystem::path capturePath;
    std::string savedSfxFolder;
    bool started = false;
};

TEST_F(AudioCues, PitchStaysWithinEachCuesRange)
{
    struct Case {
        uint32_t id;
        const char* name;
        float low, high;
    };
    const Case cases[] = {
        {CueKeycap, "interactables/keycap", 0.9f, 1.1f},
        {CueTerminalTick, "terminal/tick", 0.8f, 1.2f},
        {CueAlarm, "alarm", 0.98f, 1.02f},
        {CueCompletedCorrect, "completed_correct", 1.0f, 1.0f},
        {CueCompletedIncorrect, "completed_incorrect", 1.0f, 1.0f},
    };
    for (const Case& c : cases) {
        Recordings(c.name, 3);
    }
    Start();
    std::srand(77);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AudioCue* cue = FindAudioCue(c.id);
        ASSERT_NE(cue, nullptr);
        ASSERT_EQ(cue->sounds.size(), 3u);
        float lowest = 2, highest = 0;
        for (int play = 0; play < 300; ++play) {
            ASSERT_TRUE(PlayCue(c.id));
            for (SoundRecord* record : cue->sounds) {
                if (!record->channel) {
                    continue;
                }
                float pitch = 0;
                if (FMOD_Channel_GetPitch(record->channel, &pitch) == FMOD_OK) {
                    EXPECT_FLOAT_EQ(pitch, record->pitch);
                }
            }
            for (SoundRecord* record : cue->sounds) {
                lowest = std::min(lowest, record->pitch);
                highest = std::max(highest, record->pitch);
            }
            Frames(1);
        }
        EXPECT_GE(lowest, c.low);
        EXPECT_LE(highest, c.high);
        // Drawn across the whole range, not stuck near the middle.
        float reach = (c.high - c.low) * 0.4f;
        EXPECT_LE(lowest, 1.0f - reach);
        EXPECT_GE(highest, 1.0f + reach);
    }
}

TEST_F(AudioCues, PlayDrawsThePitchFirstAndThenTheRecording)
{
    Recordings("interactables/keycap", 4);
    Recordings("interactables/button", 1);
    Start();
    for (unsigned seed : {1u, 2u, 99u, 12345u}) {
        SCOPED_TRACE(seed);
        std::srand(seed);
        int pitchDraw = GameRand();
        int recordingDraw = GameRand();
        int afterwards = GameRand();
        std::srand(seed);
        AudioCue* cue = FindAudioCue(CueKeycap);
        for (SoundRecord* record : cue->sounds) {
            record->channel = nullptr;
        }
        ASSERT_TRUE(PlayCue(CueKeycap));
        EXPECT_EQ(GameRand(), afterwards);
        SoundRecord* played = PlayedRecord(cue);
        ASSERT_NE(played, nullptr);
        EXPECT_EQ(played, cue->sounds[recordingDraw % 4]);
        EXPECT_FLOAT_EQ(played->pitch, static_cast<float>(1.0 + (-0.1 + 0.2 * (pitchDraw / double(GameRandMax)))));
        float volume = 0;
        ASSERT_EQ(FMOD_Channel_GetVolume(played->channel, &volume), FMOD_OK);
        EXPECT_FLOAT_EQ(volume, 3.0f);

        // With one recording there is no draw for it: the pitch takes the first value and the file is fixed.
        std::srand(seed);
        AudioCue* single = FindAudioCue(CueButton);
        ASSERT_TRUE(PlayCue(CueButton));
        EXPECT_EQ(GameRand(), recordingDraw);
        EXPECT_FLOAT_EQ(single->sounds[0]->pitch,
                        static_cast<float>(1.0 + (-0.1 + 0.2 * (pitchDraw / double(GameRandMax)))));
        Frames(10);
    }
}

TEST_F(AudioCues, OneFileFolderAlwaysPlaysThatFile)
{
    Recordings("drawer", 1);
    Start();
    AudioCue* cue = FindAudioCue(CueDrawer);
    ASSERT_EQ(cue->sounds.size(), 1u);
    for (int play = 0; play < 20; ++play) {
        FMOD_CHANNEL* previous = cue->sounds[0]->channel;
        ASSERT_TRUE(PlayCue(CueDrawer));
        EXPECT_NE(cue->sounds[0]->channel, nullptr);
        EXPECT_NE(cue->sounds[0]->channel, previous);
        float pitch = cue->sounds[0]->pitch;
        EXPECT_GE(pitch, 0.9f);
        EXPECT_LE(pitch, 1.1f);
        Frames(1);
    }
}

TEST_F(AudioCues, MissingFolderGivesACueThatPlaysNothingAndUnknownIdsAreRefused)
{
    Recordings("interactables/keycap", 1);
    testing::internal::CaptureStdout();
    Start();
    AudioCue* phone = FindAudioCue(CuePhone);
    ASSERT_NE(phone, nullptr);
    EXPECT_TRUE(phone->sounds.empty());
    EXPECT_TRUE(PlayCue(CuePhone));
    EXPECT_TRUE(PlayCue(CueAmbienceSafe));
    for (uint32_t id : {18u, 99u, 0xFFFFFFFFu}) {
        std::srand(5);
        int next = std::rand();
        std::srand(5);
        EXPECT_FALSE(PlayCue(id)) << id;
        EXPECT_EQ(std::rand(), next) << "an unknown id draws nothing";
    }
    Frames(30);
    Stop();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    DecodedAudio mix = ReadCapture(capturePath);
    EXPECT_LT(Peak(mix, 0, 1), 1e-4);
}

// What the sound system says at load about cues it cannot play: a folder missing as a whole is one line naming
// it, however many cues it would hold; a cue whose own folder is there but holds nothing is named.
TEST_F(AudioCues, ASilentCueIsSaidOnceForItsMissingFolderOrItsEmptyOne)
{
    struct Case {
        const char* leftOut; // the folder under SFX/ left out, "" for SFX/ itself
        const char* emptied; // a cue folder that is there but empty, or ""
        std::vector<std::string> lines;
    };
    const std::string sfx = (folder / "SFX").string() + "/";
    const std::vector<Case> cases = {
        {"", "", {"Sound folder " + sfx + " is missing; the cues it would hold stay silent"}},
        {"interactables",
         "",
         {"Sound folder " + sfx + "interactables/ is missing; the cues it would hold stay silent"}},
        {"terminal",
         "manual/page",
         {"Sound cue \"manual/page\" has no recording it can play in " + sfx + "manual/page/; it stays silent",
          "Sound folder " + sfx + "terminal/ is missing; the cues it would hold stay silent"}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(folder / "SFX");
        if (*c.leftOut != '\0') {
            for (const AudioCueRow& row : AudioCueTable()) {
                std::string name = row.name;
                if (name.rfind(c.leftOut, 0) != 0 && name != c.emptied) {
                    Recordings(name, 1, 0.05);
                }
            }
        }
        if (*c.emptied != '\0') {
            std::filesystem::create_directories(folder / "SFX" / c.emptied);
        }
        testing::internal::CaptureStderr();
        Start();
        Stop();
        std::string said = testing::internal::GetCapturedStderr();
        std::string expected;
        for (const std::string& line : c.lines) {
            expected += line + "\n";
        }
        EXPECT_EQ(said, expected) << "left out: " << c.leftOut;
    }
}

TEST_F(AudioCues, AnUnreadableRecordingIsNamedOnceAtLoadAndTheCuePlaysItsOthers)
{
    Recordings("machines", 1, 0.3);
    WriteBytes(folder / "SFX" / "machines" / "broken.wav", {'R', 'I', 'F', 'F', 1, 2});
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Start();
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(PlayCue(CueMachines));
        Frames(1);
    }
    Frames(10);
    Stop();
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "no line at each play";
    const std::string named = "Sound file \"" + (folder / "SFX" / "machines" / "broken.wav").string() +
                              "\" cannot be played: (12) Unsupported file or audio format.\n";
    size_t first = said.find(named);
    EXPECT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find(named, first + 1), std::string::npos) << said;
    DecodedAudio mix = ReadCapture(capturePath);
    EXPECT_GT(Peak(mix, 0, 0.5), 0.01) << "the good recording still plays";
}

TEST_F(AudioCues, PlayedCueIsHeardAndAPausedGroupPlaysNone)
{
    Recordings("interactables/switch", 2, 0.2);
    Start();
    ASSERT_TRUE(PlayCue(CueSwitch));
    Frames(30);
    ASSERT_EQ(FMOD_ChannelGroup_SetPaused(soundChannelGroups[2], 1), FMOD_OK);
    for (SoundRecord* record : FindAudioCue(CueSwitch)->sounds) {
        record->channel = nullptr;
    }
    ASSERT_TRUE(PlayCue(CueSwitch));
    EXPECT_EQ(PlayedRecord(FindAudioCue(CueSwitch)), nullptr);
    Frames(30);
    Stop();
    DecodedAudio mix = ReadCapture(capturePath);
    // A 0.5 tone at the cue's 0.4 has an RMS near 0.14.
    EXPECT_NEAR(Rms(mix, 0.03, 0.19), 0.5 * 0.4 / std::sqrt(2.0), 0.01);
    EXPECT_LT(Peak(mix, 0.25, 1.0), 1e-4);
}

// The desk's ambience: the hum rises over half a second to its cue's volume and loops on, stands silent while
// the desk is paused, the strained reactor comes and goes with the alarm, and the unload stops both.
TEST_F(AudioCues, DeskAmbienceFadesInLoopsPausesAndFollowsTheAlarm)
{
    Recordings("ambience/safe", 1, 0.2);
    Recordings("ambience/unsafe", 1, 0.2);
    Start();
    StartDeskAmbience();
    auto desk = [&](int frames, float dt, bool alarm) {
        for (int i = 0; i < frames; ++i) {
            UpdateDeskAmbience(dt, alarm, 1.0f);
            Frames(1);
        }
    };
    desk(15, 1.0f / 60.0f, false);
    EXPECT_NEAR(DeskAmbienceLevel(false), 0.5f, 0.01f) << "half way up after a quarter of a second";
    desk(45, 1.0f / 60.0f, false); // to 1 s
    EXPECT_FLOAT_EQ(DeskAmbienceLevel(false), 1.0f);
    EXPECT_EQ(DeskAmbienceLevel(true), 0.0f);
    desk(30, 0.0f, false);        // paused, to 1.5 s
    desk(60, 1.0f / 60.0f, true); // to 2.5 s
    EXPECT_FLOAT_EQ(DeskAmbienceLevel(true), 1.0f);
    desk(60, 1.0f / 60.0f, false); // to 3.5 s
    EXPECT_EQ(DeskAmbienceLevel(true), 0.0f) << "faded out with the alarm";
    StopDeskAmbience();
    EXPECT_EQ(DeskAmbienceLevel(false), 0.0f);
    Frames(30); // to 4 s
    Stop();
    DecodedAudio mix = ReadCapture(capturePath);
    // A 0.5 tone looped at the cue's 0.5 has an RMS near 0.18, well past the 0.2 s recording.
    EXPECT_NEAR(Rms(mix, 0.6, 1.0), 0.5 * 0.5 / std::sqrt(2.0), 0.01);
    EXPECT_LT(Rms(mix, 0.0, 0.1), Rms(mix, 0.6, 1.0) / 3) << "the hum rises from silence";
    EXPECT_LT(Peak(mix, 1.02, 1.48), 1e-4) << "silent while the desk is paused";
    EXPECT_NEAR(Rms(mix, 1.6, 2.4), 0.5 * 0.5 / std::sqrt(2.0), 0.01) << "and on again after the pause";
    EXPECT_LT(Peak(mix, 3.55, 4.0), 1e-4) << "stopped with the desk";
}

TEST_F(AudioCues, ListFolderKeepsEveryFileInNameOrderAndSkipsFolders)
{
    auto listed = folder / "listed";
    std::filesystem::create_directories(listed / "subfolder");
    for (const char* name : {"b.ogg", "A.wav", "c.txt", "noextension", "1.WAV"}) {
        WriteBytes(listed / name, {'x'});
    }
    EXPECT_EQ(ListFolder(listed.string() + "/"),
              (std::vector<std::string>{"1.WAV", "A.wav", "b.ogg", "c.txt", "noextension"}));
    EXPECT_TRUE(ListFolder((folder / "absent").string() + "/").empty());
}

TEST(AudioCuesOggVorbis, OggVorbisRecordingDecodes)
{
    auto folder = ScratchFolder("ogg");
    std::string command =
        "sox -n -r 44100 -c 2 '" + (folder / "tone.ogg").string() + "' synth 0.3 sine 440 vol 0.5 2>/dev/null";
    if (std::system(command.c_str()) != 0) {
        std::filesystem::remove_all(folder);
        GTEST_SKIP() << "sox cannot write Ogg Vorbis here";
    }
    DecodedAudio audio;
    ASSERT_EQ(LoadAudioFile((folder / "tone.ogg").string(), audio), FMOD_OK);
    EXPECT_EQ(audio.sampleRate, 44100);
    EXPECT_EQ(audio.channels, 2);
    EXPECT_NEAR(double(audio.FrameCount()) / 44100, 0.3, 0.01);
    EXPECT_NEAR(Rms(audio, 0.05, 0.25), 0.5 / std::sqrt(2.0), 0.02);

    // Damaged copies: cut short, or with bytes overwritten in the headers and in the audio. Each decodes what
    // it can or is refused, and every sample it gives lies in -1..1.
    std::ifstream in(folder / "tone.ogg", std::ios::binary);
    std::vector<unsigned char> whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t cut : {whole.size() / 2, size_t(200), size_t(60)}) {
        std::vector<unsigned char> shorter(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        DecodedAudio damaged;
        DecodeAudioMemory(shorter, damaged);
        for (float sample : damaged.samples) {
            ASSERT_TRUE(sample >= -1.0f && sample <= 1.0f) << cut;
        }
    }
    for (size_t at = 30; at < whole.size(); at += 97) {
        std::vector<unsigned char> scribbled = whole;
        for (size_t i = at; i < std::min(at + 8, scribbled.size()); ++i) {
            scribbled[i] = static_cast<unsigned char>(scribbled[i] ^ 0xA5);
        }
        DecodedAudio damaged;
        DecodeAudioMemory(scribbled, damaged);
        for (float sample : damaged.samples) {
            ASSERT_TRUE(sample >= -1.0f && sample <= 1.0f) << at;
        }
    }
    std::filesystem::remove_all(folder);
}

// The game's own recordings, made at build time into ./Assets/SFX/ beside the tests: every cue, played alone at
// the normal volumes, must be heard, and none may clip.
TEST(AudioCuesAssets, EveryCueIsAudibleInTheMix)
{
    ASSERT_TRUE(std::filesystem::is_directory("./Assets/SFX")) << "run from the build folder, after the build";
    const std::string capturePath = "audio-every-cue.wav";
    FmodLayerSetOutput(FmodLayerOutput::Silent);
    FmodLayerSetMixStep(1.0 / 60.0);
    ASSERT_EQ(FmodLayerCaptureToWav(capturePath.c_str()), FMOD_OK);
    testing::internal::CaptureStdout();
    ASSERT_TRUE(SoundSystem.init());
    ASSERT_TRUE(AudioSystem.init());
    struct Span {
        const char* name;
        double from, to;
    };
    std::vector<Span> spans;
    double now = 0;
    auto run = [&](double seconds) {
        for (int frames = static_cast<int>(std::lround(seconds * 60)); frames > 0; --frames) {
            SoundSystem.update(1.0f / 60.0f);
        }
        now += std::lround(seconds * 60) / 60.0;
    };
    std::srand(3);
    for (const AudioCueRow& row : AudioCueTable()) {
        AudioCue* cue = FindAudioCue(row.id);
        ASSERT_NE(cue, nullptr);
        EXPECT_FALSE(cue->sounds.empty()) << row.name;
        for (SoundRecord* record : cue->sounds) {
            EXPECT_NE(record->sound, nullptr) << record->path;
            record->channel = nullptr;
        }
        ASSERT_TRUE(PlayCue(row.id));
        SoundRecord* played = nullptr;
        for (SoundRecord* record : cue->sounds) {
            played = record->channel ? record : played;
        }
        ASSERT_NE(played, nullptr) << row.name;
        unsigned int length = 0;
        ASSERT_EQ(FMOD_Sound_GetLength(played->sound, &length, FMOD_TIMEUNIT_MS), FMOD_OK);
        // A loop plays past its end, over the seam.
        double seconds = row.loopCount < 0 ? length / 1000.0 + 1.0 : length / 1000.0 / played->pitch;
        spans.push_back({row.name, now, now + seconds});
        run(seconds + 0.05);
        if (row.loopCount < 0) {
            ASSERT_EQ(FMOD_Channel_Stop(played->channel), FMOD_OK);
        }
        run(0.25);
    }
    AudioSystem.exit();
    SoundSystem.exit();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    FmodLayerSetOutput(FmodLayerOutput::Device);
    FmodLayerSetMixStep(0);

    DecodedAudio mix = ReadCapture(capturePath);
    for (const Span& span : spans) {
        double rms = Rms(mix, span.from, span.to);
        double peak = Peak(mix, span.from, span.to);
        std::printf("%-28s at %6.2f s for %5.2f s: RMS %6.1f dBFS, peak %6.1f dBFS\n", span.name, span.from,
                    span.to - span.from, 20 * std::log10(std::max(rms, 1e-9)), 20 * std::log10(std::max(peak, 1e-9)));
        EXPECT_GT(rms, 0.001) << span.name << ": quieter than -60 dBFS";
        EXPECT_GT(peak, 0.006) << span.name;
        EXPECT_LT(peak, 0.99) << span.name << ": clips at the normal volume";
    }
}

} // namespace
