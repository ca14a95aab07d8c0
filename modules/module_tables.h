// The facts each machine and its manual page share: the game includes this header, and so does the picture
// generator that draws the manual, so the book can never disagree with the desk. Plain constexpr data only,
// with no game headers, so tools/assetgen can include it as it is.
//
// One section per machine, each in a namespace of its own; add yours at the end.
#pragma once

#include "engine/asset_table.h"

#include <array>
#include <string_view>

// ---- Reactor temperature: hold the needle in the safe band until the lamps have counted the time. ----
namespace reactor_table {

// Needle degrees; the needle turns clockwise for a hotter core.
constexpr float StartTemperature = -75.0f;
constexpr float TemperatureLimit = 80.0f; // the needle stops at -80 and +80
constexpr float SafeLow = -45.0f;         // the band includes both ends
constexpr float SafeHigh = 45.0f;
constexpr float RequiredStableSeconds = 6.0f;
constexpr int LampCount = 10; // each lamp stands for RequiredStableSeconds / LampCount in the band
constexpr float HeatPerSecond = 100.0f;
// Cooling per second is CoolBase + |CoolSwing x sin(seconds gathered)|: between 50 and 150.
constexpr float CoolBase = 50.0f;
constexpr float CoolSwing = 100.0f;
constexpr float PenaltyFactor = 3.0f; // seconds of gathered time lost per second outside the band
constexpr float LowestStableSeconds = -1.0f;
constexpr float SettlePerSecond = 30.0f; // once the time is gathered the core returns to 0 by itself
constexpr float SettledWithin = 1.0f;

} // namespace reactor_table

// ---- Decryption: press the symbol of the first code-book word of the message. ----
namespace decryption_table {

struct CodeWord {
    char key;              // the character drawn in the symbol font
    std::string_view word; // the plain word the manual pairs it with
    std::string_view look; // what the symbol looks like, for the manual and for anyone describing it
};

// In key order.
constexpr std::array<CodeWord, 9> CodeBook = {{
    {'a', "this", "ringed sun"},
    {'b', "reactor", "triangle over a bar"},
    {'c', "complete", "trident"},
    {'d', "false", "hourglass"},
    {'e', "free", "spiral"},
    {'f', "very", "crossed diamond"},
    {'g', "left", "crescent moon"},
    {'h', "state", "lightning"},
    {'i', "must", "eye"},
}};

// In the order the pool is filled; a line feed has a blank on each side.
constexpr std::array<std::string_view, 11> Messages = {
    "the reactor is fine",
    "the big machine must come \n back online",
    "remember to read your manual \n very carefully",
    "don't forget to clean out \n the reactor core at the \n end of your shift",
    "fun fact: 82% of reactor \n meltdowns are completely \n harmless",
    "you have 10 minutes left \n until reactor meltdown",
    "if this is your first day, \n please complete the survey \n on your way out",
    "before panicking about a \n potential reactor meltdown, \n make sure it is real",
    "if you have triggered a \n meltdown, keep it to \n yourself, we are all very \n busy",
    "the Wavulon 3000 is a state \n of the art piece of \n machinery (citation needed)",
    "letting a reactor meltdown \n continue will be very \n expensive, so please \n do not do that",
};

constexpr int ChoiceCount = 3; // symbols on screen, one above each button

// Where the message is typed on the 600 by 300 screen: the bezel covers about 26 units of each edge, and the
// widest line (27 letters) must fit between them. The inset is to the first letter's centre.
constexpr float MessageInsetX = 56.0f;
constexpr float MessageInsetTop = 50.0f;
constexpr float MessageGlyphSize = 32.0f;
constexpr unsigned ShuffleSeed = 5489u;

} // namespace decryption_table

// ---- Wavulon 3000: press the three buttons in the order that belongs to the wave on its screen. ----
namespace wavulon_table {

constexpr int ButtonCount = 3; // numbered 0, 1, 2 from left to right on the machine
constexpr int PatternCount = 3;

// Row p: the buttons to press, in order, while wave picture p is shown.
constexpr std::array<int, PatternCount* ButtonCount> Patterns = {
    0, 2, 1, // Minigame1_wavelengths1
    2, 0, 1, // Minigame1_wavelengths2
    1, 2, 0, // Minigame1_wavelengths3
};

// Picture p of the wave screen; the manual shows the same files.
constexpr std::array<Asset, PatternCount> WavePictures = {Asset::WaveSine, Asset::WaveSquare, Asset::WaveSaw};

// What each picture shows, for the manual and for anyone describing the screen.
constexpr std::array<std::string_view, PatternCount> WaveLooks = {"sine", "square", "saw"};

} // namespace wavulon_table

// ---- Targeting: steer the marker to the grid point of the code on the code display, then fire. ----
namespace targeting_table {

// The radar screen is a grid of 5 columns by 3 rows; its points run from column 0 (left edge) to 5 (right
// edge) and from row 0 (bottom edge) to 3 (top edge).
constexpr int GridColumns = 5;
constexpr int GridRows = 3;

struct Code {
    std::string_view text; // as the code display shows it
    int column;
    int row;
};

// By code index; the code's goal point is the grid point beside it.
constexpr std::array<Code, 5> Codes = {{
    {"KD4T7H", 1, 2},
    {"Z2HX9F", 3, 0},
    {"KD46W2", 4, 3},
    {"R8QJ5P", 5, 1},
    {"R8QJLC", 3, 2},
}};

// A shot hits when the marker is closer than this to the goal point (world units).
constexpr float HitRadius = 30.0f;

} // namespace targeting_table

// ---- Phone: dial the employee on call this month; the phone book on the desk lists who that is. ----
namespace phone_table {

constexpr int DigitCount = 4; // every number in the book has four digits

// One line of the phone book. On-call lines name the months they cover (0 = January .. 11 = December);
// the others have firstMonth -1 and are in the book to be read past.
struct Listing {
    int firstMonth;
    int lastMonth;
    std::string_view name;
    std::string_view duty; // what the book says beside the name
    std::string_view number;
};

// Every line of the phone book, top to bottom as it is typed.
constexpr std::array<Listing, 9> PhoneBook = {{
    {0, 2, "D. Hallorann", "On call Jan - Mar", "2741"},
    {-1, -1, "Canteen", "Ext. for orders", "3355"},
    {3, 4, "R. Okafor", "On call Apr - May", "5183"},
    {-1, -1, "E. Ives", "Health physics", "4470"},
    {5, 6, "M. Lindqvist", "On call Jun - Jul", "3962"},
    {-1, -1, "Gate security", "Day and night", "9110"},
    {7, 10, "P. Ferreira", "On call Aug - Nov", "8305"},
    {11, 11, "T. Nakamura", "On call Dec", "6417"},
    {-1, -1, "Switchboard", "No date? Ring here", "1000"},
}};

// The number the phone expects when it has no date to go by: the switchboard's.
constexpr std::string_view FallbackNumber = "1000";

// The number to dial in a month; a month outside 0..11 gives the fallback.
constexpr std::string_view PhoneNumberTable(int month)
{
    for (const Listing& line : PhoneBook) {
        if (line.firstMonth >= 0 && month >= line.firstMonth && month <= line.lastMonth) {
            return line.number;
        }
    }
    return FallbackNumber;
}

} // namespace phone_table
