// Reading the screen as a player does: finding pictures and text, the terminal's lines, the countdown.
#pragma once

#include "tools/sim/screen_description.h"

#include <optional>
#include <string>
#include <vector>

// Pictures of one file (under Assets), in drawing order.
std::vector<const ScreenPicture*> PicturesOf(const ScreenDescription& screen, const std::string& file);
const ScreenPicture* FirstPictureOf(const ScreenDescription& screen, const std::string& file);

// Runs of text that contain `text`.
std::vector<const ScreenText*> TextsContaining(const ScreenDescription& screen, const std::string& text);

// Where a player would click to hit the words `text` (the middle of their first appearance).
std::optional<PXL_Vec2> TextCentre(const ScreenDescription& screen, const std::string& text);

// The colour a status lamp's bulb ("Interactables/Light_Bulb.png") shows.
enum class LampColour { Dark, White, Green, Red, Other };
LampColour LampShown(const ScreenPicture& bulb);
// The lamps whose centres lie in the window-pixel box, left to right (then top to bottom).
std::vector<const ScreenPicture*> LampsIn(const ScreenDescription& screen, float left, float top, float right,
                                          float bottom);

// Pictures grouped into rows: pictures of `file` whose centres share a y (within `tolerance` pixels), each
// row left to right, rows top to bottom.
std::vector<std::vector<const ScreenPicture*>> RowsOf(const ScreenDescription& screen, const std::string& file,
                                                      float tolerance = 3.0f);

// The topmost thing drawn at a point: true when nothing but the desk's surface is there, so a press there
// grabs the desk.
bool BareDeskAt(const ScreenDescription& screen, float x, float y);

// What the green terminal on the desk shows, when it is in view.
struct TerminalReading {
    bool visible = false;
    std::string header; // "Today is Tuesday March 3rd", or empty before the date is known
    std::string date;   // the header after "Today is "
    // The rows as shown, top to bottom, without the cursor.
    std::vector<std::string> rows;
    // The rows joined where the terminal wrapped a line onto the next row.
    std::vector<std::string> lines;
    std::vector<size_t> firstRows; // of each line, the row it starts on
    // The lines that are orders ("/> ...").
    std::vector<std::string> Orders() const;
    // The orders not among those already read, each read order standing for one line. A full last row of an
    // order can look as if the line below carried on from it, so a read order followed by more rows is the
    // same order with the next line joined on where the row ended (a new order always starts a row of its own).
    std::vector<std::string> OrdersBeyond(const std::vector<std::string>& read) const;
    float centreX = 0, centreY = 0; // the terminal's screen
};

TerminalReading ReadTerminal(const ScreenDescription& screen);

// The countdown as shown ("04:59:983"), or empty while it is not shown.
std::string ReadCountdown(const ScreenDescription& screen);
// The countdown in seconds, or a negative number when it cannot be read.
double CountdownSeconds(const std::string& shown);

// The newspaper at the end of a shift: 1 for the win page, 0 for the loss page, -1 while none is shown.
int NewspaperShown(const ScreenDescription& screen);
