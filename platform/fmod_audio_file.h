// Reading sound files for the audio layer: WAV and Ogg Vorbis, into float samples.
#pragma once

#include "platform/fmod.h"

#include <string>
#include <vector>

struct DecodedAudio {
    int sampleRate = 0;
    int channels = 0;           // 1 or 2
    std::vector<float> samples; // interleaved, -1..1

    size_t FrameCount() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
};

// The longest sound the layer loads, in frames (ten minutes at 48 kHz).
constexpr size_t MaxDecodedFrames = 10ull * 60 * 48000;

// Reads a WAV (PCM 8/16/24/32-bit, float 32/64-bit, plain or extensible header) or an Ogg Vorbis file, told
// apart by their first bytes. A WAV whose data ends early keeps what is there.
FMOD_RESULT LoadAudioFile(const std::string& path, DecodedAudio& audio);
FMOD_RESULT DecodeAudioMemory(const std::vector<unsigned char>& bytes, DecodedAudio& audio);
