// The shift's date: suffixes, the text form and its parser, and the draw with its September rule.
#include "engine/random.h"
#include "modules/calendar.h"
#include "platform/os.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <map>

namespace {

TEST(CalendarTest, OrdinalSuffixes)
{
    const std::map<int32_t, std::string> expected = {
        {1, "st"},  {2, "nd"},  {3, "rd"},  {4, "th"},  {10, "th"}, {11, "th"}, {12, "th"}, {13, "th"},
        {19, "th"}, {20, "th"}, {21, "st"}, {22, "nd"}, {23, "rd"}, {24, "th"}, {30, "th"}, {31, "st"}};
    for (const auto& [day, suffix] : expected) {
        EXPECT_EQ(OrdinalSuffix(day), suffix) << day;
    }
}

TEST(CalendarTest, FormatThenParseGivesBackEveryDateTheDrawCanMake)
{
    EXPECT_EQ(FormatDate({2, 4, 21}), "Thursday March 21st");
    EXPECT_EQ(FormatDate({11, 0, 2}), "Sunday December 2nd");
    for (int32_t month = 0; month < 12; ++month) {
        for (int32_t weekday = 0; weekday < 7; ++weekday) {
            for (int32_t day = 1; day <= 31; ++day) {
                CalendarDate date{month, weekday, day};
                std::string text = FormatDate(date);
                CalendarDate back = ParseDate(text);
                ASSERT_EQ(back.month, month) << text;
                ASSERT_EQ(back.weekday, weekday) << text;
                ASSERT_EQ(back.day, day) << text;
            }
        }
    }
}

TEST(CalendarTest, TextItDidNotMakeGivesMinusOneOrDayZero)
{
    struct Case {
        const char* text;
        CalendarDate expected;
    };
    for (const Case& c : {Case{"Funday Smarch 5th", {-1, -1, 5}}, Case{"monday May 3rd", {4, -1, 3}},
                          Case{"Monday May th", {4, 1, 0}}, Case{"Monday May", {4, 1, 0}}, Case{"Monday", {-1, 1, 0}},
                          Case{"", {-1, -1, 0}}, Case{"Friday June 99999999999999th", {5, 5, 999999999}}}) {
        CalendarDate date = ParseDate(c.text);
        EXPECT_EQ(date.month, c.expected.month) << '"' << c.text << '"';
        EXPECT_EQ(date.weekday, c.expected.weekday) << '"' << c.text << '"';
        EXPECT_EQ(date.day, c.expected.day) << '"' << c.text << '"';
    }
    // Out of range names format as empty words.
    EXPECT_EQ(FormatDate({12, -1, 4}), "  4th");
}

TEST(CalendarTest, TheDrawReseedsFromTheClockAndNeverFallsOnSeptemberEleventh)
{
    const std::time_t start = 1700000000;
    OsSetSimulatedClock(start);
    CalendarDate first;
    GenerateDate(first);
    int afterwards = GameRand();
    CalendarDate again;
    GenerateDate(again);
    // Same second, same date; and rand() goes on from the calendar's seeding.
    EXPECT_EQ(FormatDate(first), FormatDate(again));
    EXPECT_EQ(GameRand(), afterwards);
    std::srand(static_cast<unsigned>(start));
    int month = GameRand() % 12;
    int weekday = GameRand() % 7;
    int day = GameRand() % 31 + 1;
    EXPECT_EQ(first.weekday, weekday);
    EXPECT_EQ(first.day, day);
    EXPECT_EQ(first.month, month == 8 && day == 11 ? 9 : month);

    std::map<int32_t, int> octoberDays;
    int draws = 200000;
    for (int i = 0; i < draws; ++i) {
        OsAdvanceSimulatedClock(1.0);
        CalendarDate date;
        GenerateDate(date);
        ASSERT_GE(date.month, 0);
        ASSERT_LE(date.month, 11);
        ASSERT_GE(date.weekday, 0);
        ASSERT_LE(date.weekday, 6);
        ASSERT_GE(date.day, 1);
        ASSERT_LE(date.day, 31);
        ASSERT_FALSE(date.month == 8 && date.day == 11) << "drawn at " << start + i + 1;
        if (date.month == 9) {
            ++octoberDays[date.day];
        }
    }
    // October 11th takes September 11th's share as well.
    double usual = 0.0;
    for (const auto& [day, count] : octoberDays) {
        if (day != 11) {
            usual += count / 30.0;
        }
    }
    EXPECT_NEAR(octoberDays[11] / usual, 2.0, 0.3);
    OsSetSimulatedClock(std::time(nullptr));
}

TEST(CalendarTest, TheCalendarModuleIsNamedAndHoldsADate)
{
    CalendarModule calendar("Calendar", {100, 100});
    EXPECT_EQ(calendar.name, "Calendar");
    EXPECT_FALSE(calendar.active);
    GenerateDate(calendar.date);
    EXPECT_FALSE(FormatDate(calendar.date).empty());
}

} // namespace
