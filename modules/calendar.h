// The shift's date: drawn at random when the desk is set up, carried as text by "calendar_date", and read
// back by the modules whose answers depend on it.
#pragma once

#include "modules/module.h"

#include <cstdint>
#include <string>

// The three values are drawn independently: the weekday does not follow from the date, and the 31st may
// fall in any month.
struct CalendarDate {
    int32_t month = 0;   // 0 January .. 11 December
    int32_t weekday = 0; // 0 Sunday .. 6 Saturday
    int32_t day = 1;     // 1..31
};

extern const char* const MonthNames[12];
extern const char* const WeekdayNames[7];

// Re-seeds rand() from the calendar clock, then draws month, weekday and day in that order. Every later draw
// of the shift continues from this seeding.
void GenerateDate(CalendarDate& date);

// "Thursday March 21st". An index outside its table gives an empty name.
std::string FormatDate(const CalendarDate& date);

// "th" for 10 to 19, else by the last digit: "st", "nd", "rd" or "th".
const char* OrdinalSuffix(int32_t day);

// The inverse of FormatDate. A word in neither table gives -1 for that field; a third word that does not
// begin with digits gives day 0.
CalendarDate ParseDate(const std::string& text);

// Holds the date on the desk. It is never initialised, updated or drawn, so it never enters the task pool.
class CalendarModule : public Module {
public:
    CalendarModule(std::string name, PXL_Vec2 position) : Module(std::move(name), position) {}

    CalendarDate date;
};
