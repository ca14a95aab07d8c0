// Decryption: a message in green letters over three symbols, each above a button. The manual's code book
// pairs symbols with words: find the first word of the message that is in the code book and press the button
// under its symbol. A wrong press brings a new message and a red lamp; the right one a green lamp and a blank
// screen.
#include "modules/module_tables.h"
#include "tools/autoplay/solver.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

namespace {

const char* const SymbolFont = "Fonts/Symbols.png";
const char* const MessageFont = "Fonts/IBM3270Regular.png";
const char* const Button = "Interactables/Button_2-Sheet.png";

struct Puzzle {
    std::string message;           // the lines top to bottom, joined with blanks
    std::vector<char> symbols;     // left to right
    std::vector<PXL_Vec2> buttons; // the button under each symbol
    const ScreenText* symbolRow = nullptr;
};

std::optional<Puzzle> ReadPuzzle(const ScreenDescription& screen)
{
    const ScreenText* row = nullptr;
    for (const ScreenText& text : screen.texts) {
        if (text.font == SymbolFont && text.glow) {
            row = &text;
        }
    }
    if (row == nullptr) {
        return std::nullopt;
    }
    Puzzle puzzle;
    puzzle.symbolRow = row;
    const float reach = row->glyphHeight * 4.5f; // the screen is eight symbols wide, four high
    std::vector<const ScreenText*> lines;
    for (const ScreenText& text : screen.texts) {
        if (text.font == MessageFont && text.glow && text.y < row->y && text.y > row->y - reach &&
            text.left > row->x - reach && text.left < row->x) {
            lines.push_back(&text);
        }
    }
    std::sort(lines.begin(), lines.end(), [](const ScreenText* a, const ScreenText* b) { return a->y < b->y; });
    for (const ScreenText* line : lines) {
        puzzle.message += line->text + " ";
    }
    std::vector<const ScreenPicture*> buttons = PicturesOf(screen, Button);
    for (size_t i = 0; i < row->text.size(); ++i) {
        if (row->text[i] == ' ') {
            continue;
        }
        const float x = row->CharacterX(i);
        const ScreenPicture* best = nullptr;
        for (const ScreenPicture* button : buttons) {
            if (button->y > row->y && button->y < row->y + 2 * row->glyphHeight &&
                (best == nullptr || std::fabs(button->x - x) < std::fabs(best->x - x))) {
                best = button;
            }
        }
        if (best == nullptr) {
            return std::nullopt;
        }
        puzzle.symbols.push_back(row->text[i]);
        puzzle.buttons.push_back({best->x, best->y});
    }
    return puzzle;
}

// The manual's rule: the first word of the message that the code book lists.
std::optional<char> Answer(const std::string& message)
{
    std::istringstream words(message);
    for (std::string word; words >> word;) {
        for (const auto& entry : decryption_table::CodeBook) {
            if (entry.word == word) {
                return entry.key;
            }
        }
    }
    return std::nullopt;
}

class DecryptionSolver : public Solver {
public:
    DecryptionSolver() : Solver("Decryption", "Secret passphrases urgently need decrypting") {}

    void Solve(Desk& desk) override { Press(desk, true); }
    bool GiveWrongAnswer(Desk& desk) override
    {
        Press(desk, false);
        return true;
    }

private:
    static void Press(Desk& desk, bool right)
    {
        desk.camera.Show("Decryption", [](const ScreenDescription& screen) -> std::optional<float> {
            auto puzzle = ReadPuzzle(screen);
            if (!puzzle) {
                return std::nullopt;
            }
            return puzzle->symbolRow->x;
        });
        std::optional<Puzzle> puzzle = ReadPuzzle(desk.screen());
        if (!puzzle) {
            throw StuckError("the decryption screen shows no puzzle");
        }
        std::optional<char> answer = Answer(puzzle->message);
        if (!answer) {
            throw StuckError("no code-book word in the message \"" + puzzle->message + "\"");
        }
        size_t pick = puzzle->symbols.size();
        for (size_t i = 0; i < puzzle->symbols.size(); ++i) {
            if ((puzzle->symbols[i] == *answer) == right) {
                pick = i;
                break;
            }
        }
        if (pick == puzzle->symbols.size()) {
            throw StuckError("the answer's symbol is not among the three shown");
        }
        const std::string before = puzzle->message;
        desk.hand().Click(puzzle->buttons[pick].x, puzzle->buttons[pick].y);
        // Right: the screen goes blank. Wrong: another message comes.
        desk.player.WaitFor(right ? "the decryption screen to go blank" : "a new decryption message", 2 * 60,
                            [&](const ScreenDescription& screen) {
                                auto now = ReadPuzzle(screen);
                                return right ? !now.has_value() : now.has_value() && now->message != before;
                            });
    }
};

} // namespace

BRIMVALE_SOLVER(DecryptionSolver);
