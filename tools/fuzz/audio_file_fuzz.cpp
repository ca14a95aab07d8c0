// libFuzzer target: any bytes as a sound file (WAV or Ogg Vorbis, told apart by their first bytes). The reader
// must refuse or decode them without crashing, and what it decodes must be usable by the mixer.
#include "platform/fmod_audio_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<unsigned char> bytes(data, data + size);
    DecodedAudio audio;
    if (DecodeAudioMemory(bytes, audio) == FMOD_OK) {
        if (audio.channels < 1 || audio.channels > 2 || audio.sampleRate < 1000 ||
            audio.samples.size() % static_cast<size_t>(audio.channels) != 0) {
            std::abort();
        }
        for (float sample : audio.samples) {
            if (!(sample >= -1.0f && sample <= 1.0f)) {
                std::abort();
            }
        }
    }
    return 0;
}
