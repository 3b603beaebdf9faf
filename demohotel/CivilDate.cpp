#include "demohotel/CivilDate.h"

#include "platform/Calendar.h"

#include <cstdio>

namespace ravelt {

namespace {

// Days since 1 January 1970 of a civil date, and back: the era-based conversion that
// treats March as the first month, so the leap day falls at the end of the year.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

}

std::optional<CivilDate> CivilDate::fromYmd(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return std::nullopt;
    if (day > daysInMonth(year, month))
        return std::nullopt;
    return CivilDate(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)));
}

CivilDate CivilDate::plusDays(std::int64_t n) const
{
    return CivilDate(days_ + n);
}

CivilDate::Ymd CivilDate::ymd() const
{
    const std::int64_t z = days_ + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
    return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

int CivilDate::year() const { return ymd().y; }
int CivilDate::month() const { return ymd().m; }
int CivilDate::day() const { return ymd().d; }

std::string CivilDate::iso() const
{
    Ymd v = ymd();
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", v.y, v.m, v.d);
    return buf;
}

}
