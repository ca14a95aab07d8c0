// Moving along the desk as a player does: grab bare desk and drag it sideways, look for a machine by its
// pictures, and remember how far each machine lies from the terminal.
#pragma once

#include "tools/autoplay/player.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

class DeskCamera {
public:
    explicit DeskCamera(Player& player) : player(player) { Reset(); }

    // Drags the desk so that what is shown moves `dx` window pixels to the right (negative: to the left), in
    // as many strokes as it takes, each started on bare desk.
    void PanBy(float dx);

    // Finds a machine: `locate` returns the window x of the machine's landmark when it is in view. Pans until
    // it is, then brings that x to the middle of the window. Returns the landmark's x afterwards; throws
    // StuckError when the desk has been searched without finding it.
    float Show(const std::string& machine, const std::function<std::optional<float>(const ScreenDescription&)>& locate);
    // The same for a machine known by one of its pictures (a file under Assets).
    float ShowPicture(const std::string& file);

    // Back to the terminal, so its lines can be read.
    void ShowTerminal();

    // How far the desk has been dragged since the start of the shift (window pixels, positive: to the right).
    float Offset() const { return offset; }
    // A new shift starts with the camera at the terminal.
    void Reset();

private:
    bool Stroke(float dx);

    Player& player;
    float offset = 0;
    std::map<std::string, float> remembered; // machine -> offset at which it was centred
};
