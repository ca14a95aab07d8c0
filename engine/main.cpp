#include "engine/engine.h"
#include "platform/os.h"
#include "platform/pxl_control.h"
#include "scenes/settings_file.h"

#include <cstdio>
#include <string>

namespace {

const char* const Usage = "usage: brimvale [--record FILE]\n"
                          "--record FILE writes everything done in the window to FILE, for brimvale-sim --input "
                          "FILE to replay.\n";

} // namespace

int main(int argc, char** argv)
{
    std::string recordPath;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            std::printf("%s", Usage);
            return 0;
        }
        if (option == "--record" && i + 1 < argc) {
            recordPath = argv[++i];
            continue;
        }
        std::fprintf(stderr, "brimvale: %s\n%s",
                     option == "--record" ? "--record needs a file" : ("unknown option " + option).c_str(), Usage);
        return 2;
    }
    // Before the window opens: a recording that cannot be written is said at once, not after a played shift.
    if (!recordPath.empty()) {
        std::string error;
        if (!PxlRecordInput(recordPath, error)) {
            std::fprintf(stderr, "brimvale: %s\n", error.c_str());
            return 2;
        }
    }
    // After the recording is open, so that a relative path names a file in the folder the player started in.
    OsEnterGameDataFolder();
    // The player's own runs keep their settings from one run to the next.
    settingsFileInUse = true;
    EngineOptions options;
    const int status = RunEngine(options);
    PxlStopRecordingInput();
    return status;
}
