#pragma once
#include <array>
#include <cstdint>

namespace ravelt {

// The months' lengths of a common year, indexed as the program counts months, 1 to 12
// (index 0 unused): the program-wide month table starts as this, and the date checks
// then write February's length for the year they check.
inline constexpr std::array<std::int16_t, 13> CommonYearMonthLengths{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// The Gregorian leap-year rule, with its century rule (1900 common, 2000 leap), for the
// days the program itself walks and makes. The check of typed dates keeps the suite's
// own rule (every fourth year), so that it agrees with the rest of the suite.
constexpr bool isGregorianLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// The length of a month of the Gregorian calendar, month 1 to 12.
constexpr int daysInMonth(int year, int month)
{
    return month == 2 && isGregorianLeapYear(year) ? 29 : CommonYearMonthLengths[static_cast<std::size_t>(month)];
}

}
