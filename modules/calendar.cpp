#include "modules/calendar.h"

#include "engine/random.h"
#include "platform/os.h"

#include <cstdlib>

const char* const MonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};
const char* const WeekdayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

namespace {

constexpr int32_t September = 8;
constexpr int32_t October = 9;

template <size_t N> const char* NameAt(const char* const (&table)[N], int32_t index)
{
    return index >= 0 && static_cast<size_t>(index) < N ? table[index] : "";
}

template <size_t N> int32_t IndexOf(const char* const (&table)[N], const std::string& word)
{
    for (size_t i = 0; i < N; ++i) {
        if (word == table[i]) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

// The leading decimal digits of a word; 0 when there are none. Stops short of overflow.
int32_t LeadingNumber(const std::string& word)
{
    int32_t value = 0;
    for (char c : word) {
        if (c < '0' || c > '9' || value > 99999999) {
            break;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

void GenerateDate(CalendarDate& date)
{
    std::srand(static_cast<unsigned>(OsCalendarTime()));
    date.month = GameRand() % 12;
    date.weekday = GameRand() % 7;
    date.day = GameRand() % 31 + 1;
    // The plant does not open on that day.
    if (date.month == September && date.day == 11) {
        date.month = October;
    }
}

const char* OrdinalSuffix(int32_t day)
{
    if (day >= 10 && day <= 19) {
        return "th";
    }
    switch (day % 10) {
    case 1:
        return "st";
    case 2:
        return "nd";
    case 3:
        return "rd";
    default:
        return "th";
    }
}

std::string FormatDate(const CalendarDate& date)
{
    return std::string(NameAt(WeekdayNames, date.weekday)) + " " + NameAt(MonthNames, date.month) + " " +
           std::to_string(date.day) + OrdinalSuffix(date.day);
}

CalendarDate ParseDate(const std::string& text)
{
    size_t firstBlank = text.find(' ');
    std::string weekdayWord = text.substr(0, firstBlank);
    std::string monthWord;
    std::string dayWord;
    if (firstBlank != std::string::npos) {
        size_t secondBlank = text.find(' ', firstBlank + 1);
        monthWord = text.substr(firstBlank + 1,
                                secondBlank == std::string::npos ? std::string::npos : secondBlank - firstBlank - 1);
        if (secondBlank != std::string::npos) {
            dayWord = text.substr(secondBlank + 1);
        }
    }
    CalendarDate date;
    date.month = IndexOf(MonthNames, monthWord);
    date.weekday = IndexOf(WeekdayNames, weekdayWord);
    date.day = LeadingNumber(dayWord);
    return date;
}
