// Writing 16-bit PCM WAV files bit by bit: the header's sizes are filled in when the file is finished.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

class WavWriter {
public:
    WavWriter() = default;
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;
    ~WavWriter() { Finish(); }

    bool Open(const std::string& path, int sampleRate, int channels)
    {
        Finish();
        file_ = std::fopen(path.c_str(), "wb");
        if (!file_) {
            return false;
        }
        channels_ = channels;
        frames_ = 0;
        WriteHeader(sampleRate);
        failed_ = std::ferror(file_) != 0;
        return !failed_;
    }

    bool IsOpen() const { return file_ != nullptr; }

    // Interleaved float samples; anything beyond -1..1 is clipped, never wrapped.
    void Append(const float* samples, size_t frames)
    {
        if (!file_) {
            return;
        }
        unsigned char block[4096];
        size_t total = frames * static_cast<size_t>(channels_);
        size_t done = 0;
        while (done < total) {
            size_t count = std::min(total - done, sizeof(block) / 2);
            for (size_t i = 0; i < count; ++i) {
                int16_t value = ToPcm16(samples[done + i]);
                block[2 * i] = static_cast<unsigned char>(value & 0xFF);
                block[2 * i + 1] = static_cast<unsigned char>((value >> 8) & 0xFF);
            }
            if (std::fwrite(block, 2, count, file_) != count) {
                failed_ = true;
            }
            done += count;
        }
        frames_ += frames;
    }

    // Fills in the sizes and closes the file. False when any write failed.
    bool Finish()
    {
        if (!file_) {
            return !failed_;
        }
        uint64_t dataBytes = frames_ * static_cast<uint64_t>(channels_) * 2;
        uint32_t data32 = dataBytes > 0xFFFFFFF0ull ? 0xFFFFFFF0u : static_cast<uint32_t>(dataBytes);
        std::fseek(file_, 4, SEEK_SET);
        Put32(36 + data32);
        std::fseek(file_, 40, SEEK_SET);
        Put32(data32);
        if (std::ferror(file_)) {
            failed_ = true;
        }
        if (std::fclose(file_) != 0) {
            failed_ = true;
        }
        file_ = nullptr;
        return !failed_;
    }

    uint64_t FramesWritten() const { return frames_; }

    static int16_t ToPcm16(float sample)
    {
        if (!(sample == sample)) {
            return 0;
        }
        float scaled = std::round(sample * 32767.0f);
        scaled = std::clamp(scaled, -32768.0f, 32767.0f);
        return static_cast<int16_t>(scaled);
    }

private:
    void Put32(uint32_t v)
    {
        unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
        std::fwrite(b, 1, 4, file_);
    }
    void Put16(uint16_t v)
    {
        unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
        std::fwrite(b, 1, 2, file_);
    }
    void WriteHeader(int sampleRate)
    {
        std::fwrite("RIFF", 1, 4, file_);
        Put32(36);
        std::fwrite("WAVEfmt ", 1, 8, file_);
        Put32(16);
        Put16(1);
        Put16(static_cast<uint16_t>(channels_));
        Put32(static_cast<uint32_t>(sampleRate));
        Put32(static_cast<uint32_t>(sampleRate * channels_ * 2));
        Put16(static_cast<uint16_t>(channels_ * 2));
        Put16(16);
        std::fwrite("data", 1, 4, file_);
        Put32(0);
    }

    std::FILE* file_ = nullptr;
    int channels_ = 1;
    uint64_t frames_ = 0;
    bool failed_ = false;
};
