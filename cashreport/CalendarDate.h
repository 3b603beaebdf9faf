#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace ravelt {

// A day of the Gregorian calendar, as the report run walks its period.
struct CalendarDate {
    int year = 2000, month = 1, day = 1;

    // Reads a date as the main window's date fields hold it once they are expanded:
    // exactly "dd/mm/yyyy", two-digit day and month, four-digit year, a real day of the
    // calendar. Anything else (blanks, other separators, 31/04, 29/02 of a common year)
    // gives nullopt. The run builds the day's yyyymmdd key from fixed character
    // positions of this text, so a shorter form must not get through.
    static std::optional<CalendarDate> parse(std::string_view text);

    // The day after: month and year ends, and 29 February in leap years.
    CalendarDate next() const;

    std::string text() const;  // dd/mm/yyyy
    std::string iso() const;   // yyyymmdd, as the stores keep dates

    auto operator<=>(const CalendarDate&) const = default;
};

}
