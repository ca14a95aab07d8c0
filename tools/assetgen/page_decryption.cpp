// Manual page 6: decryption. The machine as it stands on the desk showing the first message of its pool, the
// rule, and the code book: each symbol as the screen draws it (the symbol font, green on black) beside its
// word, straight from the machine's own table.
#include "manual_page.h"
#include "modules/module_tables.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace art {

namespace {

constexpr double SymbolFactor = 5.0, MessageFactor = 2.4; // the fonts' glyph spacing, as the game sets it
const Colour ScreenGreen{0, 1, 0, 1};

// The code-book word a message must be answered by: its first word, in reading order, that is in the book.
const decryption_table::CodeWord* FirstCodeWord(std::string_view message)
{
    std::istringstream words{std::string(message)};
    for (std::string word; words >> word;)
        for (const decryption_table::CodeWord& entry : decryption_table::CodeBook)
            if (entry.word == word)
                return &entry;
    return nullptr;
}

// One symbol on a patch of the machine's black screen, as the player sees it there.
void SymbolTile(const Page& page, const Sheet& symbols, const Sheet& glow, char key, double x, double y, double size)
{
    FillRoundedRect(page.cr(), x - size / 2, y - size / 2, size, size, 6, SolidBlack);
    DrawSheetText(page.cr(), symbols, SymbolFactor, std::string(1, key), x, y, size * 0.8, ScreenGreen, &glow, true);
}

bool DecryptionPage(const std::string& assets, const std::string& out)
{
    using namespace decryption_table;
    Page page(assets, 6);
    cairo_t* cr = page.cr();
    double y = page.Title("6", "Decryption");
    page.Text("Ordered to DECRYPT SECRET PASSPHRASES? The black screen shows a message, and under it three "
              "symbols, each above a round button.",
              60, y + 10, PageW - 120, 23);

    // The machine with the first message of its pool: the answer and two other symbols.
    const Sheet& base = page.Load(Asset::PanelModuleBase, 4, 4);
    const Sheet& bezel = page.Load(Asset::PanelScreen1, 4, 4);
    const Sheet& button = page.Load(Asset::Button2Sheet, 3, 1);
    const Sheet& bulb = page.Load(Asset::LightBulb);
    const Sheet& letters = page.Load(Asset::FontIBM3270Sheet, 16, 6);
    const Sheet& symbols = page.Load(Asset::FontSymbolsSheet, 16, 6);
    const Sheet& glow = page.Load(Asset::TerminalGlow);
    const std::string_view example = Messages[0];
    const CodeWord* answer = FirstCodeWord(example);
    std::string shown = {CodeBook[5].key, answer ? answer->key : CodeBook[0].key, CodeBook[7].key};
    const double mx = -2000, my = 100, screenW = 600, screenH = 300;
    View v = page.Diagram(235, 410, mx, my - 50, 0.5);
    v.Nine(base, mx, my - 50, screenW + 100, screenH + 200, 0);
    v.Rect(mx, my, screenW, screenH, SolidBlack);
    v.Frame(bulb, 0, mx + screenW / 2 - 50, my - (screenH / 2 + 75), 120, 120, LampOffTint);
    v.Text(letters, MessageFactor, std::string(example), mx - screenW / 2 + MessageInsetX,
           my + screenH / 2 - MessageInsetTop, MessageGlyphSize, ScreenGreen, &glow);
    v.Text(symbols, SymbolFactor, {shown[0], ' ', shown[1], ' ', shown[2]}, mx, my - screenH / 3, 75, ScreenGreen,
           &glow, true);
    for (int i = 0; i < ChoiceCount; ++i)
        v.Frame(button, 0, mx - 125 + 125 * i, my - screenH / 2 - 62.5, 75, 75, NoColour);
    v.Nine(bezel, mx, my, screenW, screenH, 5);
    // The answer's symbol and the button under it, ringed.
    SetColour(cr, PageWarn);
    cairo_set_line_width(cr, 4);
    Circle(cr, v.X(mx), v.Y(my - screenH / 3), v.S(48));
    cairo_stroke(cr);
    Circle(cr, v.X(mx), v.Y(my - screenH / 2 - 62.5), v.S(52));
    cairo_stroke(cr);

    const double tx = 440, tw = PageW - tx - 55;
    double ty = page.Text("Here: \"the\" is not in the code book, \"" + std::string(answer ? answer->word : "") +
                              "\" is. So press the button under its symbol, ringed red.",
                          tx, 310, tw, 21);
    page.Text("Whole words only, exactly as written: \"completely\" is not \"complete\".", tx, ty + 14, tw, 21, PageInk,
              PageSansBold);

    y = page.RuleBox("THE RULE",
                     "Find the first word of the message that is in the code book; press the button under its "
                     "symbol.",
                     560, PageWarn);

    // The code book, three by three, in the words' alphabetical order so a word is quick to find.
    std::vector<CodeWord> book(CodeBook.begin(), CodeBook.end());
    std::sort(book.begin(), book.end(), [](const CodeWord& a, const CodeWord& b) { return a.word < b.word; });
    UseFont(cr, PageSansBold, 21);
    DrawLine(cr, "CODE BOOK", 60, y + 4, Align::Left, PageAccent);
    const double cellW = (PageW - 120) / 3, cellH = 66, top = y + 16;
    for (size_t i = 0; i < book.size(); ++i) {
        const double cx = 60 + (i % 3) * cellW, cy = top + (i / 3) * cellH;
        RoundedRect(cr, cx + 4, cy + 4, cellW - 8, cellH - 8, 8);
        SetColour(cr, WithAlpha(PageAccent, (i / 3 + i % 3) % 2 ? 0.05 : 0.12));
        cairo_fill(cr);
        SymbolTile(page, symbols, glow, book[i].key, cx + 44, cy + cellH / 2, 52);
        UseFont(cr, PageSansBold, 26);
        DrawLine(cr, std::string(book[i].word), cx + 86, cy + cellH / 2 + 9, Align::Left, PageInk);
    }
    page.Text("Lamp GREEN: decrypted. RED: wrong; a NEW message comes up.", 60, top + 3 * cellH + 30, PageW - 120, 21);
    page.Footer();
    return page.Save(out + "/06_Decryption.png");
}

const bool registered = RegisterManualPage(DecryptionPage);

} // namespace

} // namespace art
