#include "cashreport/CalendarDate.h"

#include "platform/Calendar.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

TEST(CalendarDateParse, OnlyRealDaysInTheFullForm)
{
    struct Case {
        const char* text;
        bool valid;
    } cases[] = {
        {"28/02/2024", true}, {"29/02/2024", true}, {"29/02/2023", false}, {"29/02/2000", true}, {"29/02/1900", false},
        {"31/01/2024", true}, {"31/04/2024", false}, {"30/04/2024", true}, {"00/01/2024", false}, {"32/01/2024", false},
        {"01/00/2024", false}, {"01/13/2024", false}, {"31/12/9999", true}, {"01/01/0000", false},
        {"1/3/2024", false}, {"01/03/24", false}, {"01-03-2024", false}, {" 01/03/2024", false}, {"01/03/2024 ", false},
        {"", false}, {"ab/cd/efgh", false}, {"01/0a/2024", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CalendarDate::parse(c.text).has_value(), c.valid) << c.text;
    auto d = CalendarDate::parse("05/11/2023");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->text(), "05/11/2023");
    EXPECT_EQ(d->iso(), "20231105");
}

TEST(CalendarDateNext, MonthAndYearEndsAndLeapDays)
{
    struct Case {
        const char* day;
        const char* next;
    } cases[] = {
        {"31/01/2024", "01/02/2024"}, {"28/02/2024", "29/02/2024"}, {"29/02/2024", "01/03/2024"},
        {"28/02/2023", "01/03/2023"}, {"28/02/1900", "01/03/1900"}, {"28/02/2000", "29/02/2000"},
        {"30/04/2024", "01/05/2024"}, {"30/06/2024", "01/07/2024"}, {"31/07/2024", "01/08/2024"},
        {"31/12/2023", "01/01/2024"}, {"09/09/2024", "10/09/2024"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CalendarDate::parse(c.day)->next().text(), c.next) << c.day;
}

TEST(CalendarDateNext, AYearHasItsDays)
{
    for (int year : {2023, 2024, 2100}) {
        CalendarDate d{year, 1, 1};
        int days = 0;
        for (; d.year == year; d = d.next())
            ++days;
        EXPECT_EQ(days, isGregorianLeapYear(year) ? 366 : 365) << year;
        EXPECT_EQ(d, (CalendarDate{year + 1, 1, 1}));
    }
}

}
