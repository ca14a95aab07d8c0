#include "tools/autoplay/screen_reading.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const char* const DeskSurface = "Desk/Desk_body_v2.png";
const char* const HeaderStart = "Today is ";

bool IsCursor(const std::string& text)
{
    return text == "}" || text == "~";
}

std::string FirstWord(const std::string& row)
{
    size_t blank = row.find(' ');
    return blank == std::string::npos ? row : row.substr(0, blank);
}

bool InsideBox(const ScreenPicture& box, float x, float y)
{
    return std::fabs(x - box.x) <= box.width / 2 && std::fabs(y - box.y) <= box.height / 2;
}

} // namespace

std::vector<const ScreenPicture*> PicturesOf(const ScreenDescription& screen, const std::string& file)
{
    std::vector<const ScreenPicture*> found;
    for (const ScreenPicture& picture : screen.pictures) {
        if (picture.file == file) {
            found.push_back(&picture);
        }
    }
    return found;
}

const ScreenPicture* FirstPictureOf(const ScreenDescription& screen, const std::string& file)
{
    for (const ScreenPicture& picture : screen.pictures) {
        if (picture.file == file) {
            return &picture;
        }
    }
    return nullptr;
}

std::vector<const ScreenText*> TextsContaining(const ScreenDescription& screen, const std::string& text)
{
    std::vector<const ScreenText*> found;
    for (const ScreenText& run : screen.texts) {
        if (run.text.find(text) != std::string::npos) {
            found.push_back(&run);
        }
    }
    return found;
}

std::optional<PXL_Vec2> TextCentre(const ScreenDescription& screen, const std::string& text)
{
    for (const ScreenText& run : screen.texts) {
        size_t at = run.text.find(text);
        if (at != std::string::npos && !text.empty()) {
            float first = run.CharacterX(at);
            float last = run.CharacterX(at + text.size() - 1);
            return PXL_Vec2{(first + last) / 2, run.y};
        }
    }
    return std::nullopt;
}

LampColour LampShown(const ScreenPicture& bulb)
{
    const PXL_Color& c = bulb.tint;
    auto is = [&](float r, float g, float b) {
        return std::fabs(c.r - r) < 0.05f && std::fabs(c.g - g) < 0.05f && std::fabs(c.b - b) < 0.05f;
    };
    if (is(0, 0, 0)) {
        return LampColour::Dark;
    }
    if (is(1, 1, 1)) {
        return LampColour::White;
    }
    if (is(0, 1, 0)) {
        return LampColour::Green;
    }
    if (is(1, 0, 0)) {
        return LampColour::Red;
    }
    return LampColour::Other;
}

std::vector<const ScreenPicture*> LampsIn(const ScreenDescription& screen, float left, float top, float right,
                                          float bottom)
{
    std::vector<const ScreenPicture*> lamps;
    for (const ScreenPicture& picture : screen.pictures) {
        if (picture.file == "Interactables/Light_Bulb.png" && picture.x >= left && picture.x <= right &&
            picture.y >= top && picture.y <= bottom) {
            lamps.push_back(&picture);
        }
    }
    std::stable_sort(lamps.begin(), lamps.end(), [](const ScreenPicture* a, const ScreenPicture* b) {
        return std::fabs(a->y - b->y) > 3.0f ? a->y < b->y : a->x < b->x;
    });
    return lamps;
}

std::vector<std::vector<const ScreenPicture*>> RowsOf(const ScreenDescription& screen, const std::string& file,
                                                      float tolerance)
{
    std::vector<std::vector<const ScreenPicture*>> rows;
    for (const ScreenPicture* picture : PicturesOf(screen, file)) {
        auto row = std::find_if(rows.begin(), rows.end(), [&](const std::vector<const ScreenPicture*>& existing) {
            return std::fabs(existing.front()->y - picture->y) <= tolerance;
        });
        if (row == rows.end()) {
            rows.push_back({picture});
        } else {
            row->push_back(picture);
        }
    }
    for (auto& row : rows) {
        std::sort(row.begin(), row.end(), [](const ScreenPicture* a, const ScreenPicture* b) { return a->x < b->x; });
    }
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.front()->y < b.front()->y; });
    return rows;
}

bool BareDeskAt(const ScreenDescription& screen, float x, float y)
{
    for (const ScreenText& run : screen.texts) {
        if (x >= run.left && x <= run.right && y >= run.top && y <= run.bottom) {
            return false;
        }
    }
    for (auto picture = screen.pictures.rbegin(); picture != screen.pictures.rend(); ++picture) {
        if (picture->Contains(x, y)) {
            return picture->file == DeskSurface;
        }
    }
    return false;
}

std::vector<std::string> TerminalReading::Orders() const
{
    std::vector<std::string> orders;
    for (const std::string& line : lines) {
        if (line.rfind("/> ", 0) == 0) {
            orders.push_back(line);
        }
    }
    return orders;
}

std::vector<std::string> TerminalReading::OrdersBeyond(const std::vector<std::string>& read) const
{
    std::vector<std::string> unread = read;
    std::vector<std::string> orders;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("/> ", 0) != 0) {
            continue;
        }
        // The line cut after each of its rows: one of them is the order as it was read.
        std::vector<std::string> cuts;
        size_t end = i + 1 < firstRows.size() ? firstRows[i + 1] : rows.size();
        for (size_t row = firstRows[i]; row < end; ++row) {
            cuts.push_back(cuts.empty() ? rows[row] : cuts.back() + " " + rows[row]);
        }
        auto known = std::find_if(unread.begin(), unread.end(), [&](const std::string& seen) {
            return std::find(cuts.begin(), cuts.end(), seen) != cuts.end();
        });
        if (known != unread.end()) {
            unread.erase(known);
        } else {
            orders.push_back(lines[i]);
        }
    }
    return orders;
}

TerminalReading ReadTerminal(const ScreenDescription& screen)
{
    TerminalReading reading;
    const ScreenText* header = nullptr;
    for (const ScreenText& run : screen.texts) {
        if (run.text.rfind(HeaderStart, 0) == 0) {
            header = &run;
            break;
        }
    }
    if (header == nullptr) {
        return reading;
    }
    // The terminal's screen is the smallest plain black panel behind its header.
    const ScreenPicture* box = nullptr;
    for (const ScreenPicture& picture : screen.pictures) {
        bool black = picture.tint.r == 0 && picture.tint.g == 0 && picture.tint.b == 0;
        if (picture.file.empty() && black && picture.order < header->order &&
            InsideBox(picture, header->x, header->y) &&
            (box == nullptr || picture.width * picture.height < box->width * box->height)) {
            box = &picture;
        }
    }
    if (box == nullptr) {
        return reading;
    }
    float left = box->x - box->width / 2;
    float right = box->x + box->width / 2;
    float top = box->y - box->height / 2;
    float bottom = box->y + box->height / 2;
    // Only a terminal wholly in view can be read line by line.
    reading.visible = left >= 0 && right <= static_cast<float>(screen.windowWidth) && top >= 0 &&
                      bottom <= static_cast<float>(screen.windowHeight);
    reading.centreX = box->x;
    reading.centreY = box->y;
    reading.header = header->text;
    while (!reading.header.empty() && reading.header.back() == ' ') {
        reading.header.pop_back();
    }
    reading.date = reading.header.substr(std::string(HeaderStart).size());

    std::vector<const ScreenText*> rows;
    for (const ScreenText& run : screen.texts) {
        if (&run == header || run.font != header->font || std::fabs(run.glyphHeight - header->glyphHeight) > 0.01f ||
            !(run.y > header->y + 0.5f) || run.y > bottom || run.x < left || run.x > right || IsCursor(run.text)) {
            continue;
        }
        rows.push_back(&run);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const ScreenText* a, const ScreenText* b) { return a->y < b->y; });
    for (const ScreenText* row : rows) {
        reading.rows.push_back(row->text);
    }

    // A row that starts with a word the row above had no room for carries on the row above's line.
    float margin = header->x - left;
    float advance = header->advance > 0 ? header->advance : header->glyphWidth;
    auto width = static_cast<size_t>(std::floor((box->width - 2 * margin) / advance + 1));
    for (size_t i = 0; i < reading.rows.size(); ++i) {
        const std::string& row = reading.rows[i];
        bool carriesOn = i > 0 && row.rfind("/> ", 0) != 0 && !row.empty() && !reading.rows[i - 1].empty() &&
                         reading.rows[i - 1].size() + 1 + FirstWord(row).size() > width;
        if (carriesOn && !reading.lines.empty()) {
            reading.lines.back() += " " + row;
        } else {
            reading.lines.push_back(row);
            reading.firstRows.push_back(i);
        }
    }
    return reading;
}

std::string ReadCountdown(const ScreenDescription& screen)
{
    for (const ScreenText& run : screen.texts) {
        if (run.font == "Fonts/TickingTimebomb.png") {
            return run.text;
        }
    }
    return std::string();
}

double CountdownSeconds(const std::string& shown)
{
    int minutes = 0, seconds = 0, milliseconds = 0;
    char first = 0, second = 0;
    if (std::sscanf(shown.c_str(), "%d%c%d%c%d", &minutes, &first, &seconds, &second, &milliseconds) != 5) {
        return -1;
    }
    return minutes * 60.0 + seconds + milliseconds / 1000.0;
}

int NewspaperShown(const ScreenDescription& screen)
{
    for (const ScreenPicture& picture : screen.pictures) {
        if (picture.file == "Newspaper/Newspaper_Win.png") {
            return 1;
        }
        if (picture.file == "Newspaper/Newspaper_Lose.png") {
            return 0;
        }
    }
    return -1;
}
