// Small helpers for the audio tests: fixture sound files, a scratch folder, and measuring a capture.
#pragma once

#include "platform/fmod.h"
#include "platform/fmod_audio_file.h"
#include "platform/fmod_wav_writer.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace audiotest {

inline std::filesystem::path ScratchFolder(const std::string& name)
{
    auto folder = std::filesystem::temp_directory_path() / ("brimvale-audio-" + name + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// A sine tone at 48 kHz, 16-bit, with 2 ms fades so that its ends do not click.
inline void WriteTone(const std::filesystem::path& path, double seconds, double frequency = 440.0,
                      double amplitude = 0.5, int channels = 1)
{
    WavWriter writer;
    ASSERT_TRUE(writer.Open(path.string(), FmodLayerMixRate, channels));
    size_t frames = static_cast<size_t>(seconds * FmodLayerMixRate);
    std::vector<float> samples(frames * channels);
    for (size_t i = 0; i < frames; ++i) {
        double fade = std::min({1.0, i / 96.0, (frames - 1 - i) / 96.0});
        float value = static_cast<float>(amplitude * fade * std::sin(2 * M_PI * frequency * i / FmodLayerMixRate));
        for (int c = 0; c < channels; ++c) {
            samples[i * channels + c] = value;
        }
    }
    writer.Append(samples.data(), frames);
    ASSERT_TRUE(writer.Finish());
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes)
{
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    ASSERT_NE(file, nullptr);
    if (!bytes.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    }
    std::fclose(file);
}

inline DecodedAudio ReadCapture(const std::filesystem::path& path)
{
    DecodedAudio audio;
    EXPECT_EQ(LoadAudioFile(path.string(), audio), FMOD_OK) << path;
    return audio;
}

// Root mean square over a time span of the capture, both sides together.
inline double Rms(const DecodedAudio& audio, double from, double to)
{
    size_t first = std::min(audio.FrameCount(), static_cast<size_t>(from * audio.sampleRate));
    size_t last = std::min(audio.FrameCount(), static_cast<size_t>(to * audio.sampleRate));
    if (last <= first) {
        return 0.0;
    }
    double sum = 0;
    for (size_t i = first * audio.channels; i < last * audio.channels; ++i) {
        sum += double(audio.samples[i]) * audio.samples[i];
    }
    return std::sqrt(sum / double((last - first) * audio.channels));
}

inline double Peak(const DecodedAudio& audio, double from, double to)
{
    size_t first = std::min(audio.FrameCount(), static_cast<size_t>(from * audio.sampleRate));
    size_t last = std::min(audio.FrameCount(), static_cast<size_t>(to * audio.sampleRate));
    double peak = 0;
    for (size_t i = first * audio.channels; i < last * audio.channels; ++i) {
        peak = std::max(peak, double(std::fabs(audio.samples[i])));
    }
    return peak;
}

// Seconds from the start of the capture to its last sample above the threshold.
inline double AudibleUntil(const DecodedAudio& audio, double threshold = 0.01)
{
    for (size_t i = audio.samples.size(); i-- > 0;) {
        if (std::fabs(audio.samples[i]) > threshold) {
            return double(i / audio.channels) / audio.sampleRate;
        }
    }
    return 0.0;
}

} // namespace audiotest
