#include "platform/fmod_audio_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <vorbis/vorbisfile.h>

namespace {

uint32_t Read32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}
uint16_t Read16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

constexpr uint16_t WavePcm = 1;
constexpr uint16_t WaveFloat = 3;
constexpr uint16_t WaveExtensible = 0xFFFE;

// Every sample handed on lies in -1..1: a file holding inf, NaN or 1e38 would otherwise reach the mixer.
float Clamped(double value)
{
    return std::isnan(value) ? 0.0f : static_cast<float>(std::clamp(value, -1.0, 1.0));
}

float SampleAt(const unsigned char* p, uint16_t format, uint16_t bits)
{
    if (format == WaveFloat) {
        if (bits == 32) {
            uint32_t raw = Read32(p);
            float value;
            std::memcpy(&value, &raw, 4);
            return Clamped(value);
        }
        uint64_t raw = Read32(p) | (uint64_t(Read32(p + 4)) << 32);
        double value;
        std::memcpy(&value, &raw, 8);
        return Clamped(value);
    }
    switch (bits) {
    case 8:
        return (static_cast<int>(p[0]) - 128) / 128.0f;
    case 16:
        return static_cast<int16_t>(Read16(p)) / 32768.0f;
    case 24: {
        int32_t value = static_cast<int32_t>((p[0] << 8) | (p[1] << 16) | (uint32_t(p[2]) << 24)) >> 8;
        return value / 8388608.0f;
    }
    default:
        return static_cast<float>(static_cast<int32_t>(Read32(p)) / 2147483648.0);
    }
}

FMOD_RESULT DecodeWav(const std::vector<unsigned char>& bytes, DecodedAudio& audio)
{
    const unsigned char* data = bytes.data();
    size_t size = bytes.size();
    if (size < 12 || std::memcmp(data + 8, "WAVE", 4) != 0) {
        return FMOD_ERR_FORMAT;
    }
    uint16_t format = 0, channels = 0, bits = 0;
    uint32_t rate = 0;
    bool haveFormat = false;
    const unsigned char* samples = nullptr;
    size_t sampleBytes = 0;
    size_t at = 12;
    while (at + 8 <= size) {
        uint32_t chunkSize = Read32(data + at + 4);
        const unsigned char* body = data + at + 8;
        size_t available = size - (at + 8);
        if (std::memcmp(data + at, "fmt ", 4) == 0) {
            if (chunkSize < 16 || available < 16) {
                return FMOD_ERR_FILE_BAD;
            }
            format = Read16(body);
            channels = Read16(body + 2);
            rate = Read32(body + 4);
            bits = Read16(body + 14);
            if (format == WaveExtensible) {
                if (chunkSize < 40 || available < 40) {
                    return FMOD_ERR_FILE_BAD;
                }
                format = Read16(body + 24); // the first two bytes of the sub-format GUID
            }
            haveFormat = true;
        } else if (std::memcmp(data + at, "data", 4) == 0) {
            samples = body;
            sampleBytes = chunkSize < available ? chunkSize : available;
            break;
        }
        if (chunkSize > available) {
            break;
        }
        at += 8 + size_t(chunkSize) + (chunkSize & 1);
    }
    if (!haveFormat || !samples) {
        return FMOD_ERR_FILE_BAD;
    }
    bool pcm = format == WavePcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
    bool floating = format == WaveFloat && (bits == 32 || bits == 64);
    if (!(pcm || floating) || channels < 1 || channels > 2 || rate < 1000 || rate > 384000) {
        return FMOD_ERR_FORMAT;
    }
    size_t frameBytes = size_t(channels) * (bits / 8);
    size_t frames = sampleBytes / frameBytes;
    if (frames == 0) {
        return FMOD_ERR_FILE_BAD;
    }
    if (frames > MaxDecodedFrames) {
        return FMOD_ERR_TOO_LONG;
    }
    audio.sampleRate = static_cast<int>(rate);
    audio.channels = channels;
    audio.samples.resize(frames * channels);
    size_t step = bits / 8;
    for (size_t i = 0; i < frames * channels; ++i) {
        audio.samples[i] = SampleAt(samples + i * step, format, bits);
    }
    return FMOD_OK;
}

// libvorbisfile reads from memory through these callbacks.
struct MemoryReader {
    const std::vector<unsigned char>* bytes;
    size_t at = 0;
};

size_t ReadMemory(void* into, size_t size, size_t count, void* source)
{
    auto* reader = static_cast<MemoryReader*>(source);
    size_t wanted = size * count;
    size_t left = reader->bytes->size() - reader->at;
    size_t taken = std::min(wanted, left);
    if (taken > 0) {
        std::memcpy(into, reader->bytes->data() + reader->at, taken);
    }
    reader->at += taken;
    return size == 0 ? 0 : taken / size;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence)
{
    auto* reader = static_cast<MemoryReader*>(source);
    ogg_int64_t base = whence == SEEK_SET   ? 0
                       : whence == SEEK_CUR ? static_cast<ogg_int64_t>(reader->at)
                                            : static_cast<ogg_int64_t>(reader->bytes->size());
    ogg_int64_t target = base + offset;
    if (target < 0 || target > static_cast<ogg_int64_t>(reader->bytes->size())) {
        return -1;
    }
    reader->at = static_cast<size_t>(target);
    return 0;
}

long TellMemory(void* source)
{
    return static_cast<long>(static_cast<MemoryReader*>(source)->at);
}

// Ogg Vorbis through the reference decoder (fuzzed by its own project); the single-header decoder it
// replaces overflowed its heap on a crafted comment list.
FMOD_RESULT DecodeVorbis(const std::vector<unsigned char>& bytes, DecodedAudio& audio)
{
    MemoryReader reader{&bytes};
    OggVorbis_File file;
    const ov_callbacks callbacks = {ReadMemory, SeekMemory, nullptr, TellMemory};
    if (ov_open_callbacks(&reader, &file, nullptr, 0, callbacks) != 0) {
        return FMOD_ERR_FILE_BAD;
    }
    const vorbis_info* info = ov_info(&file, -1);
    if (info == nullptr || info->channels < 1 || info->channels > 2 || info->rate < 1000 || info->rate > 384000) {
        ov_clear(&file);
        return FMOD_ERR_FORMAT;
    }
    audio.sampleRate = static_cast<int>(info->rate);
    audio.channels = info->channels;
    audio.samples.clear();
    FMOD_RESULT result = FMOD_OK;
    for (;;) {
        float** channels = nullptr;
        int section = 0;
        long frames = ov_read_float(&file, &channels, 4096, &section);
        if (frames == OV_HOLE) {
            continue; // a gap in the stream: the decoder picks up after it
        }
        if (frames <= 0) {
            break;
        }
        // A chained stream may change its channel count; only the first section's layout is kept.
        const vorbis_info* now = ov_info(&file, section);
        if (now == nullptr || now->channels != audio.channels) {
            result = FMOD_ERR_FORMAT;
            break;
        }
        for (long i = 0; i < frames; ++i) {
            for (int c = 0; c < audio.channels; ++c) {
                audio.samples.push_back(Clamped(channels[c][i]));
            }
        }
        if (audio.FrameCount() > MaxDecodedFrames) {
            result = FMOD_ERR_TOO_LONG;
            break;
        }
    }
    ov_clear(&file);
    if (result == FMOD_OK && audio.samples.empty()) {
        result = FMOD_ERR_FILE_BAD;
    }
    return result;
}

} // namespace

FMOD_RESULT DecodeAudioMemory(const std::vector<unsigned char>& bytes, DecodedAudio& audio)
{
    audio = DecodedAudio{};
    FMOD_RESULT result = FMOD_ERR_FORMAT;
    if (bytes.size() >= 4 && std::memcmp(bytes.data(), "RIFF", 4) == 0) {
        result = DecodeWav(bytes, audio);
    } else if (bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0) {
        result = DecodeVorbis(bytes, audio);
    }
    if (result != FMOD_OK) {
        audio = DecodedAudio{};
    }
    return result;
}

FMOD_RESULT LoadAudioFile(const std::string& path, DecodedAudio& audio)
{
    audio = DecodedAudio{};
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return FMOD_ERR_FILE_NOTFOUND;
    }
    if (!S_ISREG(info.st_mode)) {
        return FMOD_ERR_FILE_BAD;
    }
    // Ten minutes of 64-bit stereo float is the most a file of ours can need.
    if (static_cast<uint64_t>(info.st_size) > MaxDecodedFrames * 16 + 1024 * 1024) {
        return FMOD_ERR_TOO_LONG;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return FMOD_ERR_FILE_NOTFOUND;
    }
    std::vector<unsigned char> bytes(static_cast<size_t>(info.st_size));
    size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), file);
    bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    if (readFailed) {
        return FMOD_ERR_FILE_BAD;
    }
    bytes.resize(got);
    return DecodeAudioMemory(bytes, audio);
}
