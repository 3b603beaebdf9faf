#include "demohotel/CivilDate.h"

#include <gtest/gtest.h>

using ravelt::CivilDate;

TEST(CivilDateFromYmd, RefusesDaysThatDoNotExist)
{
    struct Case {
        int y, m, d;
        bool valid;
    } cases[] = {
        {2024, 2, 29, true}, {2026, 2, 29, false}, {2000, 2, 29, true}, {1900, 2, 29, false},
        {2026, 4, 30, true}, {2026, 4, 31, false}, {2026, 12, 31, true}, {2026, 13, 1, false},
        {2026, 0, 1, false}, {2026, 1, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CivilDate::fromYmd(c.y, c.m, c.d).has_value(), c.valid) << c.y << "-" << c.m << "-" << c.d;
}

TEST(CivilDatePlusDays, CrossesMonthsYearsAndLeapDays)
{
    struct Case {
        int y, m, d;
        long n;
        const char* iso;
    } cases[] = {
        {2026, 1, 1, 0, "20260101"},   {2026, 2, 28, 1, "20260301"},  {2024, 2, 28, 1, "20240229"},
        {2025, 12, 31, 1, "20260101"}, {2026, 1, 1, -3, "20251229"},  {2026, 1, 1, 365, "20270101"},
        {2024, 1, 1, 366, "20250101"}, {2026, 3, 1, -1, "20260228"},  {1999, 12, 31, 1, "20000101"},
    };
    for (const auto& c : cases) {
        const CivilDate day = CivilDate::fromYmd(c.y, c.m, c.d)->plusDays(c.n);
        EXPECT_EQ(day.iso(), c.iso) << c.y << "-" << c.m << "-" << c.d << " + " << c.n;
    }
    const CivilDate back = CivilDate::fromYmd(2024, 3, 1)->plusDays(-1);
    EXPECT_EQ(back.year(), 2024);
    EXPECT_EQ(back.month(), 2);
    EXPECT_EQ(back.day(), 29);
}
