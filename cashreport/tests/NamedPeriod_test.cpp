#include "cashreport/NamedPeriod.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

// Each name counted from days at the turns of months and years, a leap day among them.
TEST(NamedPeriod, CountsFromTheDayAcrossMonthAndYearEnds)
{
    struct Case {
        const char* name;
        CalendarDate today;
        const char* first;
        const char* last;
    } cases[] = {
        {"yesterday", {2026, 3, 1}, "28/02/2026", "28/02/2026"},
        {"yesterday", {2024, 3, 1}, "29/02/2024", "29/02/2024"},
        {"yesterday", {2027, 1, 1}, "31/12/2026", "31/12/2026"},
        {"yesterday", {2026, 5, 17}, "16/05/2026", "16/05/2026"},
        {"today", {2026, 12, 31}, "31/12/2026", "31/12/2026"},
        {"this-month", {2026, 2, 1}, "01/02/2026", "01/02/2026"},
        {"this-month", {2026, 2, 28}, "01/02/2026", "28/02/2026"},
        {"last-month", {2026, 1, 15}, "01/12/2025", "31/12/2025"},
        {"last-month", {2024, 3, 31}, "01/02/2024", "29/02/2024"},
        {"last-month", {2026, 5, 1}, "01/04/2026", "30/04/2026"},
        {"this-year", {2026, 1, 1}, "01/01/2026", "01/01/2026"},
        {"this-year", {2026, 7, 4}, "01/01/2026", "04/07/2026"},
        {"last-year", {2026, 1, 1}, "01/01/2025", "31/12/2025"},
    };
    for (const auto& c : cases) {
        const auto period = namedPeriod(c.name, c.today);
        ASSERT_TRUE(period) << c.name;
        EXPECT_EQ(period->first.text(), c.first) << c.name << " from " << c.today.text();
        EXPECT_EQ(period->second.text(), c.last) << c.name << " from " << c.today.text();
    }
    for (const char* unknown : {"", "Yesterday", "last-week", "yesterday "})
        EXPECT_FALSE(namedPeriod(unknown, {2026, 1, 1})) << '"' << unknown << '"';
}

}
