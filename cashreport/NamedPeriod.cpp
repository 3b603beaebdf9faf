#include "cashreport/NamedPeriod.h"

namespace ravelt {

namespace {

bool leap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysIn(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leap(year) ? 29 : days[month - 1];
}

// The day before: the last of the previous month on the first, 31 December on 1 January.
CalendarDate previous(CalendarDate d)
{
    if (d.day > 1)
        return {d.year, d.month, d.day - 1};
    if (d.month > 1)
        return {d.year, d.month - 1, daysIn(d.year, d.month - 1)};
    return {d.year - 1, 12, 31};
}

}

const char* namedPeriodNames()
{
    return "yesterday|today|this-month|last-month|this-year|last-year";
}

std::optional<std::pair<CalendarDate, CalendarDate>> namedPeriod(const std::string& name, CalendarDate today)
{
    if (name == "yesterday")
        return std::pair{previous(today), previous(today)};
    if (name == "today")
        return std::pair{today, today};
    if (name == "this-month")
        return std::pair{CalendarDate{today.year, today.month, 1}, today};
    if (name == "last-month") {
        const CalendarDate last = previous(CalendarDate{today.year, today.month, 1});
        return std::pair{CalendarDate{last.year, last.month, 1}, last};
    }
    if (name == "this-year")
        return std::pair{CalendarDate{today.year, 1, 1}, today};
    if (name == "last-year")
        return std::pair{CalendarDate{today.year - 1, 1, 1}, CalendarDate{today.year - 1, 12, 31}};
    return std::nullopt;
}

}
