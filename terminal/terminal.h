// The green-on-black console: plays back a queue of entries as a typewriter.
#pragma once

#include "flow/events.h"
#include "platform/pxl.h"

#include <cstddef>
#include <string>
#include <vector>

class TerminalButton;

// What a queued entry does when it reaches the front.
enum class TerminalEntryKind {
    Line,   // types its text on a line of its own
    Text,   // types its text on at the end of the current line
    Delay,  // waits
    Clear,  // waits, then empties the screen
    Event,  // broadcasts the event named by its text
    Speed,  // sets the typing delay
    Button, // shows its button, labelled with its text, on a line of its own
};

struct TerminalEntry {
    TerminalEntryKind kind = TerminalEntryKind::Line;
    std::string text;
    float milliseconds = 0.0f; // Delay and Clear: the wait; Speed: the delay per character
    bool newline = false;      // a new line is still to be started before the text (once)
    TerminalButton* button = nullptr;
};

class Terminal {
public:
    Terminal(PXL_Vec2 position, PXL_Vec2 size);
    // Removes its buttons from the interaction system: those shown and those still waiting in the queue.
    ~Terminal();
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    Terminal& AddLine(std::string text);
    Terminal& AddText(std::string text);
    Terminal& AddDelay(float milliseconds);
    Terminal& AddClear(float milliseconds);
    Terminal& AddEvent(std::string name);
    Terminal& AddSpeed(float millisecondsPerCharacter);
    Terminal& AddButton(std::string label, void (*onClick)());

    void Update(float dt);
    void Render();

    // Removes every shown button from the interaction system and forgets them.
    void RemoveButtons();

    float GlyphAdvance() const;
    int TextRows() const;
    int WrapWidth() const;
    // Where a label of this many characters is centred on a row of the text window (0 at the top).
    PXL_Vec2 LabelCentre(int row, size_t labelLength) const;

    float typeDelay = 30.0f;
    PXL_Vec2 textOrigin{40, -40};
    PXL_Vec2 headerOrigin{40, -40};
    PXL_Vec2 glyphSize{30, 30};
    unsigned fontSheet = 7;
    bool cursorShown = true;
    float blinkTimer = 0.0f;
    float blinkPeriod = 500.0f;
    std::vector<std::string> lines{std::string()};
    std::string header;
    std::vector<TerminalEntry> queue;
    std::vector<TerminalButton*> buttons;
    PXL_Vec2 position;
    PXL_Vec2 size;
    float timer = 0.0f;
    // Lines sent with "terminal_append_line": each typed once, though several sent together stay live longer.
    EventInbox appendedLines{"terminal_append_line"};

private:
    Terminal& Add(TerminalEntryKind kind, std::string text, float milliseconds);
    void PlaceButtons();
    // Where a shown button's label lies in the text window; false once its line has scrolled out.
    bool ButtonPlace(const TerminalButton& button, PXL_Vec2& centre) const;
    void PlayFrontEntry(float dt);
    void StartLineBeforeWord(const std::string& remaining);
    size_t VisibleLineCount() const;
};

// Appends a script file's entries to the terminal's queue. False when the file is missing, unreadable or empty:
// the player then misses what it says, so that is said on standard error, naming the file.
bool ReadTerminalScript(Terminal& terminal, const char* path);
