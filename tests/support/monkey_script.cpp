#include "support/monkey_script.h"

#include <algorithm>
#include <iterator>
#include <sstream>

namespace {

// SplitMix64: small, and exactly the same sequence everywhere, unlike the standard distributions.
struct MonkeyRandom {
    uint64_t state;

    uint64_t Next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A whole number from low to high, both included.
    long Between(long low, long high) { return low + static_cast<long>(Next() % uint64_t(high - low + 1)); }
};

class MonkeyWriter {
public:
    MonkeyWriter(uint64_t seed, uint64_t first, uint64_t end, int width, int height)
        : random{seed}, end(end), width(width), height(height), frame(first)
    {
    }

    std::string Write()
    {
        while (frame < end) {
            Act(random.Between(0, 99));
        }
        return script.str();
    }

private:
    void Act(long roll)
    {
        if (roll < 35) {
            Move(random.Between(0, width - 1), random.Between(0, height - 1));
        } else if (roll < 43) {
            // Beyond any edge, as far as a window's width away.
            Move(random.Between(-width, 2L * width),
                 random.Between(0, 1) ? random.Between(-height, -1) : random.Between(height, 2L * height));
        } else if (roll < 58) {
            Click(random.Between(0, 9) == 0 ? (random.Between(0, 1) ? "right" : "middle") : "left");
        } else if (roll < 70) {
            Drag();
        } else if (roll < 79) {
            // Escape a third of the time: it pauses the desk and resumes it again.
            static const char* const keys[] = {"space", "return", "tab", "backspace", "a",       "q",
                                               "z",     "0",      "7",   "shift",     "control", "alt"};
            Click(random.Between(0, 2) == 0 ? "escape" : keys[random.Between(0, long(std::size(keys)) - 1)]);
        } else if (roll < 81) {
            // Away and back, half the time resuming the paused desk at once, as a player would.
            Line("focus lost");
            Wait(random.Between(1, 90));
            Line("focus gained");
            if (random.Between(0, 1) == 0) {
                Wait(random.Between(5, 30));
                Click("escape");
            }
        } else if (roll < 85) {
            Resize();
        } else {
            Wait(roll < 95 ? random.Between(1, 20) : random.Between(60, 400));
        }
        Wait(random.Between(0, 4));
    }

    void Move(long x, long y) { Line("mouse " + std::to_string(x) + " " + std::to_string(y)); }

    void Click(const std::string& key)
    {
        Line("press " + key);
        Wait(random.Between(0, 8));
        Line("release " + key);
    }

    // A press, a few steps in one direction, and a release, as a hand pans the desk or carries a key.
    void Drag()
    {
        long x = random.Between(0, width - 1);
        long y = random.Between(0, height - 1);
        Move(x, y);
        Wait(random.Between(0, 2));
        Line("press left");
        long dx = random.Between(-60, 60);
        long dy = random.Between(-40, 40);
        for (long step = random.Between(2, 25); step > 0; --step) {
            x += dx + random.Between(-5, 5);
            y += dy + random.Between(-5, 5);
            Move(x, y);
            Wait(random.Between(1, 3));
        }
        Line("release left");
    }

    void Resize()
    {
        struct Size {
            int width, height;
        };
        static const Size sizes[] = {{1, 1},       {320, 200},   {800, 600}, {1280, 720}, {1366, 768},
                                     {1920, 1080}, {2560, 1080}, {16384, 1}, {1, 16384},  {640, 1400}};
        long pick = random.Between(0, long(std::size(sizes)));
        if (pick == long(std::size(sizes))) {
            width = int(random.Between(1, 4000));
            height = int(random.Between(1, 3000));
        } else {
            width = sizes[pick].width;
            height = sizes[pick].height;
        }
        Line("resize " + std::to_string(width) + " " + std::to_string(height));
    }

    void Wait(long frames) { frame += uint64_t(frames); }

    void Line(const std::string& event)
    {
        if (frame < end) {
            script << frame << ' ' << event << '\n';
        }
    }

    MonkeyRandom random;
    uint64_t end;
    int width;
    int height;
    uint64_t frame;
    std::ostringstream script;
};

} // namespace

std::string MonkeyScript(uint64_t seed, uint64_t first, uint64_t end, int width, int height)
{
    return MonkeyWriter(seed, first, end, width, height).Write();
}
