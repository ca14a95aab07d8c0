#include "tools/autoplay/desk_camera.h"

#include "tools/autoplay/screen_reading.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float Margin = 30.0f;
const char* const Terminal = "terminal";

} // namespace

void DeskCamera::Reset()
{
    offset = 0;
    remembered.clear();
    remembered[Terminal] = 0;
}

bool DeskCamera::Stroke(float dx)
{
    const ScreenDescription& screen = player.Screen();
    float width = static_cast<float>(screen.windowWidth);
    float height = static_cast<float>(screen.windowHeight);
    float low = dx > 0 ? Margin : Margin - dx;
    float high = dx > 0 ? width - Margin - dx : width - Margin;
    // Rows across the middle of the desk first: the manual lies along the bottom, the alarm band at the top.
    for (float row : {0.55f, 0.65f, 0.45f, 0.75f, 0.35f, 0.25f, 0.82f}) {
        float y = row * height;
        for (float x = low; x <= high; x += 24.0f) {
            if (BareDeskAt(screen, x, y) && BareDeskAt(screen, x + dx, y)) {
                player.TheHand().Drag(x, y, x + dx, y, std::clamp(static_cast<int>(std::fabs(dx) / 60.0f), 6, 20));
                offset += dx;
                return true;
            }
        }
    }
    return false;
}

void DeskCamera::PanBy(float dx)
{
    float width = static_cast<float>(player.Screen().windowWidth);
    float longest = width - 3 * Margin;
    int failures = 0;
    while (std::fabs(dx) > 1.0f) {
        float stroke = std::clamp(dx, -longest, longest);
        if (Stroke(stroke)) {
            dx -= stroke;
            failures = 0;
            continue;
        }
        // No bare desk for so long a stroke: try a shorter one, then give up.
        longest /= 2;
        if (++failures > 4) {
            throw StuckError("no bare desk to grab for a pan of " + std::to_string(static_cast<int>(dx)) + " pixels");
        }
    }
}

float DeskCamera::Show(const std::string& machine,
                       const std::function<std::optional<float>(const ScreenDescription&)>& locate)
{
    float width = static_cast<float>(player.Screen().windowWidth);
    auto centre = [&](float x) {
        if (std::fabs(width / 2 - x) > 0.05f * width) {
            PanBy(width / 2 - x);
        }
        remembered[machine] = offset;
        std::optional<float> now = locate(player.Screen());
        return now ? *now : width / 2;
    };
    if (std::optional<float> seen = locate(player.Screen())) {
        return centre(*seen);
    }
    auto found = remembered.find(machine);
    if (found != remembered.end()) {
        PanBy(found->second - offset);
        if (std::optional<float> seen = locate(player.Screen())) {
            return centre(*seen);
        }
    }
    // Search outward from the terminal, one window at a time with some overlap, left side first.
    float step = 0.8f * width;
    for (int i = 1; i <= 8; ++i) {
        float target = (i % 2 == 1 ? 1.0f : -1.0f) * step * static_cast<float>((i + 1) / 2);
        PanBy(target - offset);
        if (std::optional<float> seen = locate(player.Screen())) {
            return centre(*seen);
        }
    }
    throw StuckError("searched the desk for " + machine + " without finding it");
}

float DeskCamera::ShowPicture(const std::string& file)
{
    return Show(file, [&](const ScreenDescription& screen) -> std::optional<float> {
        const ScreenPicture* picture = FirstPictureOf(screen, file);
        if (picture == nullptr) {
            return std::nullopt;
        }
        return picture->x;
    });
}

void DeskCamera::ShowTerminal()
{
    Show(Terminal, [](const ScreenDescription& screen) -> std::optional<float> {
        TerminalReading reading = ReadTerminal(screen);
        if (reading.header.empty()) {
            return std::nullopt;
        }
        return reading.centreX;
    });
}
