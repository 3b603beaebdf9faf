#include "cashreport/CalendarDate.h"

#include "platform/Calendar.h"

#include <cstdio>

namespace ravelt {

std::optional<CalendarDate> CalendarDate::parse(std::string_view text)
{
    if (text.size() != 10 || text[2] != '/' || text[5] != '/')
        return std::nullopt;
    auto number = [&](size_t from, size_t count) -> int {
        int v = 0;
        for (size_t k = from; k < from + count; ++k) {
            if (text[k] < '0' || text[k] > '9')
                return -1;
            v = v * 10 + (text[k] - '0');
        }
        return v;
    };
    CalendarDate d{number(6, 4), number(3, 2), number(0, 2)};
    if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > daysInMonth(d.year, d.month))
        return std::nullopt;
    return d;
}

CalendarDate CalendarDate::next() const
{
    CalendarDate d = *this;
    if (++d.day > daysInMonth(d.year, d.month)) {
        d.day = 1;
        if (++d.month > 12) {
            d.month = 1;
            ++d.year;
        }
    }
    return d;
}

std::string CalendarDate::text() const
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", day, month, year);
    return buf;
}

std::string CalendarDate::iso() const
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", year, month, day);
    return buf;
}

}
