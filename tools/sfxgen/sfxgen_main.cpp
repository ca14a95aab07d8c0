// Writes every recording the game's sound cues play into <folder>/<cue name>/, as 48 kHz 16-bit WAV files.
// Deterministic: the same files on every run. Files of an earlier run that are no longer made are removed.
#include "platform/fmod_wav_writer.h"
#include "sounds.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <Assets/SFX folder>\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    std::map<std::string, std::set<std::string>> made;
    for (const sfx::Recording& recording : sfx::AllRecordings()) {
        fs::path folder = root / recording.folder;
        std::error_code error;
        fs::create_directories(folder, error);
        if (error) {
            std::fprintf(stderr, "sfxgen: cannot create %s: %s\n", folder.c_str(), error.message().c_str());
            return 1;
        }
        bool stereo = !recording.right.empty();
        std::vector<float> samples;
        if (stereo) {
            samples.resize(recording.left.size() * 2);
            for (size_t i = 0; i < recording.left.size(); ++i) {
                samples[2 * i] = recording.left[i];
                samples[2 * i + 1] = recording.right[i];
            }
        } else {
            samples = recording.left;
        }
        WavWriter writer;
        fs::path path = folder / recording.file;
        if (!writer.Open(path.string(), sfx::Rate, stereo ? 2 : 1)) {
            std::fprintf(stderr, "sfxgen: cannot write %s\n", path.c_str());
            return 1;
        }
        writer.Append(samples.data(), recording.left.size());
        if (!writer.Finish()) {
            std::fprintf(stderr, "sfxgen: cannot write %s\n", path.c_str());
            return 1;
        }
        made[recording.folder].insert(recording.file);
    }
    for (const auto& [folder, files] : made) {
        for (const auto& entry : fs::directory_iterator(root / folder)) {
            if (entry.is_regular_file() && !files.count(entry.path().filename().string())) {
                fs::remove(entry.path());
            }
        }
    }
    return 0;
}
