#include "terminal/terminal.h"

#include "audio/audio_cues.h"
#include "flow/events.h"
#include "interaction/buttons.h"
#include "render/nine_slice.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

#include <algorithm>
#include <cmath>

namespace {

const PXL_Color Black = {0, 0, 0, 1};
const PXL_Color Green = {0, 1, 0, 1};
const PXL_Color Grey = {0.5f, 0.5f, 0.5f, 1};
// Two pixels of the bezel's picture, at the 3.75 units a pixel that panels are drawn at; the ring covers the
// screen's rim from one pixel outside it to seven over it.
constexpr float BackingInset = 7.5f;

} // namespace

Terminal::Terminal(PXL_Vec2 position, PXL_Vec2 size) : position(position), size(size) {}

Terminal::~Terminal()
{
    RemoveButtons();
    // Buttons not shown yet are live controls too; left behind they would sit on the screen for good.
    for (TerminalEntry& entry : queue) {
        RemoveInteractable(entry.button);
    }
}

void Terminal::RemoveButtons()
{
    for (TerminalButton* button : buttons) {
        RemoveInteractable(button);
    }
    buttons.clear();
}

float Terminal::GlyphAdvance() const
{
    return glyphSize.x * 7.0f / 12.0f;
}

int Terminal::TextRows() const
{
    return static_cast<int>(std::floor((size.y + textOrigin.y) / glyphSize.y)) - 1;
}

int Terminal::WrapWidth() const
{
    return static_cast<int>(std::floor((size.x - 2.0f * textOrigin.x) / GlyphAdvance() + 1.0f));
}

PXL_Vec2 Terminal::LabelCentre(int row, size_t labelLength) const
{
    float x =
        position.x - size.x / 2.0f + textOrigin.x + GlyphAdvance() * (static_cast<float>(labelLength) - 1.0f) / 2.0f;
    float y = position.y + size.y / 2.0f + textOrigin.y - static_cast<float>(row) * glyphSize.y;
    return {x, y};
}

size_t Terminal::VisibleLineCount() const
{
    size_t rows = static_cast<size_t>(std::max(TextRows(), 0));
    return std::min(rows, lines.size());
}

Terminal& Terminal::Add(TerminalEntryKind kind, std::string text, float milliseconds)
{
    TerminalEntry entry;
    entry.kind = kind;
    entry.text = std::move(text);
    entry.milliseconds = milliseconds;
    entry.newline = kind != TerminalEntryKind::Text;
    queue.push_back(std::move(entry));
    return *this;
}

Terminal& Terminal::AddLine(std::string text)
{
    return Add(TerminalEntryKind::Line, std::move(text), 0.0f);
}

Terminal& Terminal::AddText(std::string text)
{
    return Add(TerminalEntryKind::Text, std::move(text), 0.0f);
}

// A pause of 0, a speed of 0 and an event without a name do nothing of their own: each shows as a blank line,
// as an empty line does.
Terminal& Terminal::AddDelay(float milliseconds)
{
    return milliseconds == 0.0f ? AddLine("") : Add(TerminalEntryKind::Delay, "", milliseconds);
}

Terminal& Terminal::AddClear(float milliseconds)
{
    return Add(TerminalEntryKind::Clear, "", milliseconds);
}

Terminal& Terminal::AddEvent(std::string name)
{
    return name.empty() ? AddLine("") : Add(TerminalEntryKind::Event, std::move(name), 0.0f);
}

Terminal& Terminal::AddSpeed(float millisecondsPerCharacter)
{
    return millisecondsPerCharacter == 0.0f ? AddLine("") : Add(TerminalEntryKind::Speed, "", millisecondsPerCharacter);
}

Terminal& Terminal::AddButton(std::string label, void (*onClick)())
{
    PXL_Vec2 buttonSize = {GlyphAdvance() * static_cast<float>(label.size()), glyphSize.y};
    TerminalButton* button = new TerminalButton(label, buttonSize, onClick);
    // Until its line is typed the button has no place on the screen: it takes no clicks.
    button->enabled = false;
    Add(TerminalEntryKind::Button, std::move(label), 0.0f);
    queue.back().button = button;
    return *this;
}

bool Terminal::ButtonPlace(const TerminalButton& button, PXL_Vec2& centre) const
{
    size_t count = lines.size();
    size_t firstVisible = count - VisibleLineCount();
    auto match = std::find(lines.begin(), lines.end(), button.label);
    size_t i = match != lines.end() ? static_cast<size_t>(match - lines.begin()) + 1 : count;
    if (i <= firstVisible) {
        return false;
    }
    centre = LabelCentre(static_cast<int>(i - 1 - firstVisible), button.label.size());
    return true;
}

void Terminal::PlaceButtons()
{
    // By index: a click handler may queue more entries, but the shown buttons stay as they are.
    for (size_t b = 0; b < buttons.size(); ++b) {
        TerminalButton* button = buttons[b];
        PXL_Vec2 centre;
        if (ButtonPlace(*button, centre)) {
            button->MoveTo(centre);
        } else {
            button->hidden = true;
            button->MoveTo({0.0f, 0.0f});
        }
    }
}

void Terminal::StartLineBeforeWord(const std::string& remaining)
{
    const std::string& last = lines.back();
    // A new line only helps when something is on this one.
    if (last.empty() || remaining.empty()) {
        return;
    }
    size_t width = static_cast<size_t>(std::max(WrapWidth(), 0));
    size_t length = last.size();
    size_t blank = remaining.find(' ', 1);
    bool breakLine;
    if (blank != std::string::npos) {
        // The word being typed runs up to the blank; count the part of it already on the line as well.
        size_t typed = 0;
        if (remaining[0] != ' ') {
            while (typed < length && last[length - 1 - typed] != ' ') {
                ++typed;
            }
        }
        size_t word = remaining[0] == ' ' ? blank - 1 : typed + blank;
        // A word wider than the whole line cannot be helped by moving it: it is broken where the line is full.
        breakLine = word > width ? length > width : blank + length > width;
    } else if (remaining[0] == ' ') {
        breakLine = remaining.size() + length > width;
    } else {
        breakLine = length > width;
    }
    if (breakLine) {
        lines.emplace_back();
    }
}

void Terminal::PlayFrontEntry(float dt)
{
    timer += dt;
    TerminalEntry& entry = queue.front();
    switch (entry.kind) {
    case TerminalEntryKind::Event:
        Broadcast(entry.text, "");
        queue.erase(queue.begin());
        return;
    case TerminalEntryKind::Clear:
        if (timer > entry.milliseconds / 1000.0f) {
            timer = 0.0f;
            queue.erase(queue.begin());
            lines.assign(1, std::string());
        }
        return;
    case TerminalEntryKind::Speed:
        typeDelay = entry.milliseconds;
        queue.erase(queue.begin());
        return;
    case TerminalEntryKind::Delay:
        if (timer > entry.milliseconds / 1000.0f) {
            timer = 0.0f;
            queue.erase(queue.begin());
        }
        return;
    case TerminalEntryKind::Button:
    case TerminalEntryKind::Line:
    case TerminalEntryKind::Text:
        break;
    }
    if (entry.newline) {
        if (!lines.back().empty()) {
            lines.emplace_back();
        }
        entry.newline = false;
    }
    if (entry.kind == TerminalEntryKind::Button) {
        if (lines.size() == 1 && lines[0].empty()) {
            lines.clear();
        }
        lines.push_back(entry.text);
        // On its line from the frame it shows: drawn there at once, and clickable only there.
        TerminalButton* button = entry.button;
        PXL_Vec2 centre;
        if (ButtonPlace(*button, centre)) {
            button->SetTransform(centre, button->size);
        }
        button->enabled = true;
        buttons.push_back(button);
        queue.erase(queue.begin());
        return;
    }
    if (typeDelay == 0.0f) {
        lines.back() += entry.text;
        queue.erase(queue.begin());
        return;
    }
    if (entry.text.empty()) {
        lines.emplace_back();
        queue.erase(queue.begin());
        return;
    }
    cursorShown = true;
    if (timer > typeDelay / 1000.0f) {
        PlayCue(CueTerminalTick);
        timer = 0.0f;
        StartLineBeforeWord(entry.text);
        // A blank that would begin a line is not typed.
        if (entry.text[0] == ' ' && lines.back().empty()) {
            entry.text.erase(0, 1);
        }
        if (!entry.text.empty()) {
            lines.back() += entry.text[0];
            entry.text.erase(0, 1);
        }
        if (entry.text.empty()) {
            queue.erase(queue.begin());
        }
    }
}

void Terminal::Update(float dt)
{
    // A frozen frame: nothing types and the cursor does not blink.
    if (dt == 0.0f) {
        return;
    }
    blinkTimer += dt;
    if (blinkTimer > blinkPeriod / 1000.0f) {
        blinkTimer = 0.0f;
        cursorShown = !cursorShown;
    }
    PlaceButtons();
    std::string line;
    if (appendedLines.Take(line)) {
        AddLine(std::move(line));
    }
    if (!queue.empty()) {
        PlayFrontEntry(dt);
    }
}

void Terminal::Render()
{
    DrawTint = Black;
    DrawAlpha = 1.0f;
    // The glass's black backing stays under the bezel's ring: at the full size its square corners would show
    // outside the ring's rounded ones.
    PXL_Vec2 backing = {size.x - 2.0f * BackingInset, size.y - 2.0f * BackingInset};
    DrawTexture(nullptr, &position, &backing, PXL_FILTER_LINEAR, 0.0f);
    DrawNineSlice(position, size, PanelScreen1, 5.0f, false);

    float left = position.x - size.x / 2.0f;
    float top = position.y + size.y / 2.0f;
    DrawTint = Green;
    size_t first = lines.size() - VisibleLineCount();
    std::string window;
    for (size_t i = first; i < lines.size(); ++i) {
        if (i > first) {
            window += '\n';
        }
        window += lines[i];
    }
    DrawText(fontSheet, window, {left + textOrigin.x, top + textOrigin.y}, glyphSize, false, true);
    DrawText(fontSheet, header, {left + headerOrigin.x, top + headerOrigin.y}, glyphSize, false, true);

    int lastRow = std::min(static_cast<int>(lines.size()) - 1, TextRows() - 1);
    PXL_Vec2 cursor = {left + textOrigin.x + GlyphAdvance() * static_cast<float>(lines.back().size()),
                       top + textOrigin.y - static_cast<float>(lastRow) * glyphSize.y};
    DrawText(fontSheet, cursorShown ? "}" : "~", cursor, glyphSize, false, cursorShown);

    for (TerminalButton* button : buttons) {
        if (button->hidden) {
            continue;
        }
        DrawTint = button->hovered ? Grey : Green;
        DrawAlpha = 1.0f;
        PXL_Vec2 underline = {button->position.x, button->position.y - (button->size.y / 2.0f + 5.0f)};
        PXL_Vec2 scale = {button->size.x, 5.0f};
        DrawTexture(nullptr, &underline, &scale, PXL_FILTER_LINEAR, 0.0f);
    }
}
