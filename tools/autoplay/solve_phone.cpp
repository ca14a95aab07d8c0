// The telephone: read today's month off the terminal's header, find the employee on call in that month in the
// phone book (the lines the book on the desk shows), and dial the four digits on the phone's pad. A wrong
// number lights the red lamp and clears the pad; the right one the green lamp.
#include "modules/module_tables.h"
#include "tools/autoplay/solver.h"

#include <array>
#include <cmath>
#include <optional>
#include <sstream>

namespace {

const char* const Phone = "Modules/Phone/Phone.png";
const char* const Key = "Interactables/Button_Phone-Sheet.png";
const char* const KeyFont = "Fonts/OxygenMono_Font_Texture.png";
const std::array<std::string, 12> Months = {"January", "February", "March",     "April",   "May",      "June",
                                            "July",    "August",   "September", "October", "November", "December"};

// The month of a date as the header gives it ("Tuesday March 3rd"), or -1.
int MonthOf(const std::string& date)
{
    std::istringstream words(date);
    std::string weekday, month;
    words >> weekday >> month;
    for (size_t m = 0; m < Months.size(); ++m) {
        if (Months[m] == month) {
            return static_cast<int>(m);
        }
    }
    return -1;
}

// Reads the book as a player does: an on-call line names its first and last month ("On call Aug - Nov") or
// one month alone ("On call Dec"); a date the book cannot place rings the line for "No date".
std::optional<std::string> NumberFromTheBook(int month)
{
    for (const phone_table::Listing& line : phone_table::PhoneBook) {
        const std::string duty(line.duty);
        if (month < 0) {
            if (duty.find("No date") != std::string::npos) {
                return std::string(line.number);
            }
            continue;
        }
        if (duty.find("On call") == std::string::npos) {
            continue;
        }
        int first = -1, last = -1;
        for (size_t m = 0; m < Months.size(); ++m) {
            if (duty.find(Months[m].substr(0, 3)) != std::string::npos) {
                first = first < 0 ? static_cast<int>(m) : first;
                last = static_cast<int>(m);
            }
        }
        if (first >= 0 && month >= first && month <= last) {
            return std::string(line.number);
        }
    }
    return std::nullopt;
}

// The pad as shown: where each digit's key is, and the phone's lamp.
struct Pad {
    std::array<std::optional<PXL_Vec2>, 10> keys;
    LampColour lamp = LampColour::Other;
};

std::optional<Pad> ReadPad(const ScreenDescription& screen)
{
    const ScreenPicture* phone = FirstPictureOf(screen, Phone);
    if (phone == nullptr) {
        return std::nullopt;
    }
    Pad pad;
    const std::vector<const ScreenPicture*> keys = PicturesOf(screen, Key);
    for (const ScreenText& text : screen.texts) {
        if (text.font != KeyFont || text.text.size() != 1 || text.text[0] < '0' || text.text[0] > '9' ||
            !phone->Contains(text.x, text.y)) {
            continue;
        }
        // The digit is printed on its key.
        for (const ScreenPicture* key : keys) {
            if (key->Contains(text.x, text.y)) {
                pad.keys[static_cast<size_t>(text.text[0] - '0')] = PXL_Vec2{key->x, key->y};
            }
        }
    }
    for (const auto& key : pad.keys) {
        if (!key) {
            return std::nullopt;
        }
    }
    const auto lamps = LampsIn(screen, phone->x - phone->width / 2, phone->y, phone->x + phone->width / 2,
                               phone->y + phone->height / 2);
    pad.lamp = lamps.empty() ? LampColour::Other : LampShown(*lamps.front());
    return pad;
}

class PhoneSolver : public Solver {
public:
    PhoneSolver() : Solver("Phone", "Call another plant employee") {}

    void Solve(Desk& desk) override
    {
        const std::optional<std::string> number = NumberFromTheBook(MonthOf(desk.date));
        if (!number) {
            throw StuckError("the phone book has nobody on call for \"" + desk.date + "\"");
        }
        if (Dial(desk, *number) != LampColour::Green) {
            throw StuckError("the phone did not take " + *number + " for \"" + desk.date + "\"");
        }
    }

    bool GiveWrongAnswer(Desk& desk) override
    {
        const std::optional<std::string> right = NumberFromTheBook(MonthOf(desk.date));
        // Another line of the book, as a player who misread the month or the line would ring.
        for (const phone_table::Listing& line : phone_table::PhoneBook) {
            if (!right || line.number.back() != right->back()) {
                Dial(desk, std::string(line.number));
                return true;
            }
        }
        return false;
    }

private:
    static LampColour Dial(Desk& desk, const std::string& number)
    {
        desk.camera.ShowPicture(Phone);
        std::optional<Pad> pad = ReadPad(desk.screen());
        if (!pad) {
            throw StuckError("the phone's keys and their digits are not in view");
        }
        for (char digit : number) {
            const PXL_Vec2 key = *pad->keys[static_cast<size_t>(digit - '0')];
            desk.hand().Click(key.x, key.y);
        }
        LampColour shown = LampColour::Other;
        desk.player.WaitFor("the phone's lamp after dialling " + number, 60, [&](const ScreenDescription& screen) {
            std::optional<Pad> now = ReadPad(screen);
            shown = now ? now->lamp : LampColour::Other;
            return shown == LampColour::Green || shown == LampColour::Red;
        });
        return shown;
    }
};

} // namespace

BRIMVALE_SOLVER(PhoneSolver);
