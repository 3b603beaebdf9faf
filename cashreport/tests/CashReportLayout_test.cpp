#include "cashreport/CashReportLayout.h"
#include "cashreport/tests/GoldenFile.h"

#include <functional>
#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::visibleBytes;

namespace {

Currency amount(const char* text)
{
    return *Currency::parse(text);
}

// Money cells: Italian grouping and decimals, right-aligned in 10, widened when longer.
TEST(moneyCell, FormatsAlignsAndWidens)
{
    struct Case {
        const char* amount;
        const char* cell;
    } cases[] = {
        {"0", "      0,00"},
        {"0.5", "      0,50"},
        {"-0.5", "     -0,50"},
        {"1234.56", "  1.234,56"},
        {"999999.99", "999.999,99"},       // the widest that fits
        {"1000000", "1.000.000,00"},        // a year's total: the cell grows
        {"-99999.99", "-99.999,99"},
        {"-100000", "-100.000,00"},
        {"123456789.01", "123.456.789,01"},
        {"0.005", "      0,01"},            // four decimals kept, shown rounded half away from zero
        {"-0.005", "     -0,01"},
        {"0.0049", "      0,00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CashReportLayout::moneyCell(amount(c.amount)), c.cell) << c.amount;
}

TEST(dayCountCell, GroupedRightAlignedInFour)
{
    struct Case {
        int count;
        const char* day;
        const char* total;
    } cases[] = {
        {0, "   0", "   0"}, {7, "   7", "   7"}, {999, " 999", " 999"},
        {1000, "1.000", "1000"},    // a day count of 1000 widens its cell; the total is not grouped
        {9999, "9.999", "9999"}, {10000, "10.000", "10000"}, {-3, "  -3", "  -3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CashReportLayout::dayCountCell(Currency::fromWhole(c.count)), c.day) << c.count;
        EXPECT_EQ(CashReportLayout::totalCountCell(Currency::fromWhole(c.count)), c.total) << c.count;
    }
}

TEST(headingCell, FirstTenCharactersTrimmedLeftAligned)
{
    struct Case {
        const char* heading;
        const char* cell;  // code page 1252 bytes
    } cases[] = {
        {"Contanti", "Contanti  "},
        {"Carte di credito", "Carte di c"},
        {"  Carte di credito", "Carte di  "},   // cut first, then trimmed
        {"   POS   ", "POS       "},
        {"1234567890", "1234567890"},
        {"", "          "},
        {"          ", "          "},
        {"Città", "Citt\xE0     "},              // one byte per character in the file
        {"Caffè e più", "Caff\xE8 e pi"},
        {"D'Agenzia", "D'Agenzia "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(visibleBytes(CashReportLayout::headingCell(c.heading)), visibleBytes(c.cell)) << c.heading;
}

TEST(titleLine, DatesAsTypedBetweenTodayAndTheTime)
{
    std::string title = CashReportLayout::titleLine(DateTime{2024, 3, 5, 7, 4, 59}, "28/02/2024", "01/03/2024");
    EXPECT_EQ(title, "05/03/2024" + std::string(38, ' ') + "Dettaglio incassi dal 28/02/2024 al 01/03/2024" +
                         std::string(37, ' ') + "07:04");
    EXPECT_EQ(title.size(), 136u);
}

TEST(topRule, FramesAndWidths)
{
    struct Case {
        const char* what;
        std::string line;
        char left, joint, right;
    } cases[] = {
        {"top", CashReportLayout::topRule(), '\xDA', '\xC2', '\xBF'},
        {"separator", CashReportLayout::separator(), '\xC3', '\xC5', '\xB4'},
        {"bottom", CashReportLayout::bottomRule(), '\xC0', '\xC1', '\xD9'},
    };
    // The joints sit after the day column, each money column and the first count column.
    const std::size_t joints[] = {11, 22, 33, 44, 55, 66, 77, 88, 99, 110, 121, 132, 137};
    for (const auto& c : cases) {
        ASSERT_EQ(c.line.size(), 143u) << c.what;
        EXPECT_EQ(c.line.front(), c.left) << c.what;
        EXPECT_EQ(c.line.back(), c.right) << c.what;
        std::string expected = c.line;
        for (std::size_t i = 1; i + 1 < expected.size(); ++i)
            expected[i] = '\xC4';
        for (std::size_t j : joints)
            expected[j] = c.joint;
        EXPECT_EQ(visibleBytes(c.line), visibleBytes(expected)) << c.what;
    }
}

TEST(dayLine, BlankCellsForColumnsWithoutHeading)
{
    std::array<std::string, 11> headings;
    headings[2] = "Carte";
    headings[10] = "  ";  // blanks are a heading: the column is computed, its heading cell blank
    Totali giorno{};
    giorno[2] = amount("12.5");
    giorno[10] = amount("-3");
    giorno[totali::Totale] = amount("9.5");
    giorno[totali::Presenze] = Currency::fromWhole(1500);
    const std::string bar = "\xB3";
    const std::string blank = std::string(10, ' ') + bar;
    std::string expected = bar + "01/03/2024" + bar + blank + "     12,50" + bar + blank + blank + blank + blank + blank + blank +
                           blank + "     -3,00" + bar + "      9,50" + bar + "1.500" + bar + "   0" + bar;
    EXPECT_EQ(visibleBytes(CashReportLayout::dayLine("01/03/2024", giorno, headings)), visibleBytes(expected));
    EXPECT_EQ(CashReportLayout::headingsLine(headings).size(), 143u);
}

TEST(totalsLine, EveryColumnEvenWithoutHeading)
{
    Totali periodo{};
    periodo[1] = amount("1350000");
    periodo[totali::Totale] = amount("1350000");
    periodo[totali::Presenze] = Currency::fromWhole(12345);
    const std::string bar = "\xB3";
    std::string expected = bar + std::string(10, ' ') + bar + "1.350.000,00" + bar;
    for (int n = 2; n <= 10; ++n)
        expected += "      0,00" + bar;
    expected += "1.350.000,00" + bar + "12345" + bar + "   0" + bar;
    EXPECT_EQ(visibleBytes(CashReportLayout::totalsLine(periodo)), visibleBytes(expected));
    EXPECT_EQ(CashReportLayout::totalsLine(Totali{}).size(), 143u);
}

// Each column takes the width of its longest cell over the day lines and the totals
// line, never less than the standard; a column without heading shows blanks on the
// days, so only its period amount counts; the day column never changes.
TEST(widthsFor, TheLongestCellOfEachColumn)
{
    using W = CashReportLayout::Widths;
    const W standard = {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 4, 4};
    std::array<std::string, 11> headings;
    headings[1] = "Contanti";
    headings[3] = "Carte";
    struct Case {
        const char* what;
        std::function<void(std::vector<Totali>&, Totali&)> fill;
        W expected;
    } cases[] = {
        {"nothing", [](auto&, auto&) {}, standard},
        {"the widest that fits", [](auto& g, auto& p) { g[0][1] = amount("999999.99"); g[0][12] = Currency::fromWhole(999); p[12] = Currency::fromWhole(9999); },
         standard},
        {"a day amount", [](auto& g, auto&) { g[1][1] = amount("123456789012.34"); },
         {10, 18, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 4, 4}},
        {"a negative day amount", [](auto& g, auto&) { g[0][3] = amount("-100000"); }, {10, 10, 10, 11, 10, 10, 10, 10, 10, 10, 10, 10, 4, 4}},
        {"a day amount under no heading", [](auto& g, auto&) { g[0][2] = amount("123456789012.34"); }, standard},
        {"a period amount under no heading", [](auto&, auto& p) { p[2] = amount("1000000"); }, {10, 10, 12, 10, 10, 10, 10, 10, 10, 10, 10, 10, 4, 4}},
        {"the total", [](auto& g, auto& p) { g[0][11] = amount("1000000"); p[11] = amount("-1000000"); }, {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 13, 4, 4}},
        {"a day count grouped", [](auto& g, auto&) { g[0][12] = Currency::fromWhole(1000); }, {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 5, 4}},
        {"a period count ungrouped", [](auto&, auto& p) { p[13] = Currency::fromWhole(123456); }, {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 4, 6}},
        {"the extremes of the type", [](auto& g, auto& p) { g[1][1] = Currency::min(); p[13] = Currency::max(); },
         {10, 23, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 4, 15}},
    };
    for (const auto& c : cases) {
        std::vector<Totali> giorni(2, Totali{});
        Totali periodo{};
        c.fill(giorni, periodo);
        EXPECT_EQ(CashReportLayout::widthsFor(giorni, periodo, headings), c.expected) << c.what;
    }
    EXPECT_EQ(CashReportLayout::standardWidths(), standard);
}

// At any widths, the rules, the headings, a day and the totals have the same length and
// their joints in the same places; cells keep their alignment in the wider columns.
TEST(tableLines, AlignedAtWiderWidths)
{
    const CashReportLayout::Widths w = {10, 12, 10, 10, 10, 10, 10, 10, 10, 10, 10, 15, 6, 4};
    std::array<std::string, 11> headings;
    headings[1] = "Contanti";
    Totali giorno{}, periodo{};
    giorno[1] = amount("1234567.5");
    giorno[totali::Totale] = amount("1234567.5");
    giorno[totali::Presenze] = Currency::fromWhole(12);
    periodo = giorno;
    const std::string bar = "\xB3";
    const std::string lines[] = {
        CashReportLayout::topRule(w), CashReportLayout::headingsLine(headings, w), CashReportLayout::separator(w),
        CashReportLayout::dayLine("01/03/2024", giorno, headings, w), CashReportLayout::totalsLine(periodo, w),
        CashReportLayout::bottomRule(w)};
    const std::size_t joints[] = {0, 11, 24, 35, 46, 57, 68, 79, 90, 101, 112, 123, 139, 146, 151};
    for (const auto& line : lines) {
        ASSERT_EQ(line.size(), 152u) << visibleBytes(line);
        for (std::size_t j : joints)
            EXPECT_NE(std::string("\xB3\xC2\xC5\xC1\xDA\xBF\xC3\xB4\xC0\xD9").find(line[j]), std::string::npos)
                << visibleBytes(line) << " at " << j;
    }
    EXPECT_EQ(lines[1].substr(12, 13), "Contanti    " + bar);
    EXPECT_EQ(lines[1].substr(124, 28), " TOTALE        " + bar + "PRES  " + bar + "CAM." + bar);
    EXPECT_EQ(lines[3].substr(0, 25), bar + "01/03/2024" + bar + "1.234.567,50" + bar);
    EXPECT_EQ(lines[3].substr(124), "   1.234.567,50" + bar + "    12" + bar + "   0" + bar);
    EXPECT_EQ(lines[4].substr(0, 12), bar + std::string(10, ' ') + bar);
}

}
