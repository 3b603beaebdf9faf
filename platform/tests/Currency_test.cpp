#include "platform/Currency.h"
#include "platform/Value.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <stdexcept>

using namespace ravelt;

namespace {

constexpr std::int64_t Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t Min = std::numeric_limits<std::int64_t>::min();

}

TEST(CurrencyFormat, ItalianPatternWithRounding)
{
    struct Case {
        std::int64_t units;
        int decimals;
        bool grouping;
        const char* expected;
    } cases[] = {
        {0, 2, true, "0,00"},
        {12345600, 2, true, "1.234,56"},
        {-5000, 2, true, "-0,50"},
        {50, 2, true, "0,01"},      // half a cent rounds away from zero
        {-50, 2, true, "-0,01"},
        {49, 2, true, "0,00"},
        {-49, 2, true, "0,00"},     // no minus sign on a value that shows as zero
        {10000000000000, 2, true, "1.000.000.000,00"},
        {12345678, 0, true, "1.235"},
        {12345678, 0, false, "1235"},
        // The whole range of the type formats exactly, the smallest amount (whose magnitude
        // does not fit a signed 64-bit number) and the rounding of the largest ones included.
        {Max, 4, true, "922.337.203.685.477,5807"},
        {Max, 2, true, "922.337.203.685.477,58"},
        {Max, 0, true, "922.337.203.685.478"},
        {Max, 0, false, "922337203685478"},
        {Min, 4, true, "-922.337.203.685.477,5808"},
        {Min, 2, true, "-922.337.203.685.477,58"},
        {Min, 0, false, "-922337203685478"},
        {Min + 1, 4, false, "-922337203685477,5807"},
        {Max - 49, 2, true, "922.337.203.685.477,58"},   // ...7,5758 rounds up to ,58
        {Max - 58, 2, true, "922.337.203.685.477,57"},   // ...7,5749 stays at ,57
        {9999999999999950, 2, true, "1.000.000.000.000,00"},  // the rounding carries into the whole part
        {-9999999999999950, 2, true, "-1.000.000.000.000,00"},
        {-9999999999999949, 2, true, "-999.999.999.999,99"},
        {10000, 2, true, "1,00"},
        {-1, 4, true, "-0,0001"},
        {-1, 2, true, "0,00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Currency::fromUnits(c.units).format(c.decimals, c.grouping), c.expected) << c.units << " with " << c.decimals;
}

TEST(CurrencyParse, DecimalTextWithPointOrComma)
{
    EXPECT_EQ(Currency::parse("12.5"), Currency::fromUnits(125000));
    EXPECT_EQ(Currency::parse("-0,25"), Currency::fromUnits(-2500));
    EXPECT_EQ(Currency::parse("1.23456"), Currency::fromUnits(12346));
    EXPECT_EQ(Currency::parse(""), std::nullopt);
    EXPECT_EQ(Currency::parse("1.2.3"), std::nullopt);
    EXPECT_EQ(Currency::parse("abc"), std::nullopt);
}

TEST(CurrencyFromDouble, RecoversStoredDecimals)
{
    EXPECT_EQ(Currency::fromDouble(0.1).units(), 1000);
    EXPECT_EQ(Currency::fromDouble(123456789.1234).units(), 1234567891234);
    Currency sum;
    for (int i = 0; i < 1000; ++i)
        sum += Currency::fromDouble(0.01);
    EXPECT_EQ(sum, Currency::fromWhole(10));
}

TEST(leadingNumber, ReadsTheLeadingNumericPart)
{
    struct Case {
        const char* text;
        double expected;
    } cases[] = {{"12abc", 12}, {"abc", 0}, {" 3.5x", 3.5}, {"1,5", 1}, {"-7", -7}, {"0004", 4}, {"1 2 3", 123}, {"", 0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.expected) << c.text;
}


// Sums, differences and negations that leave the range throw instead of wrapping round;
// the ones that reach its ends exactly do not.
TEST(CurrencyArithmetic, CheckedAtBothEnds)
{
    using C = Currency;
    const C one = C::fromUnits(1);
    struct Case {
        const char* what;
        std::function<C()> op;
        std::optional<std::int64_t> units;  // nullopt: throws std::overflow_error
    } cases[] = {
        {"max + 1", [&] { return C::fromUnits(Max) + one; }, std::nullopt},
        {"max + 0", [&] { return C::fromUnits(Max) + C(); }, Max},
        {"max - 1 + 1", [&] { return C::fromUnits(Max - 1) + one; }, Max},
        {"min - 1", [&] { return C::fromUnits(Min) - one; }, std::nullopt},
        {"min + 1 - 1", [&] { return C::fromUnits(Min + 1) - one; }, Min},
        {"min + max", [&] { return C::fromUnits(Min) + C::fromUnits(Max); }, -1},
        {"max - min", [&] { return C::fromUnits(Max) - C::fromUnits(Min); }, std::nullopt},
        {"0 - min", [&] { return C() - C::fromUnits(Min); }, std::nullopt},
        {"-min", [&] { return -C::fromUnits(Min); }, std::nullopt},
        {"-(min + 1)", [&] { return -C::fromUnits(Min + 1); }, Max},
        {"-max", [&] { return -C::fromUnits(Max); }, Min + 1},
        {"max += 1", [&] { C c = C::fromUnits(Max); c += one; return c; }, std::nullopt},
        {"min -= 1", [&] { C c = C::fromUnits(Min); c -= one; return c; }, std::nullopt},
        {"largest whole", [] { return C::fromWhole(922337203685477); }, 9223372036854770000},
        {"whole beyond", [] { return C::fromWhole(922337203685478); }, std::nullopt},
        {"smallest whole", [] { return C::fromWhole(-922337203685477); }, -9223372036854770000},
        {"whole below", [] { return C::fromWhole(-922337203685478); }, std::nullopt},
        {"double 1e300", [] { return C::fromDouble(1e300); }, std::nullopt},
        {"double -1e300", [] { return C::fromDouble(-1e300); }, std::nullopt},
        {"double infinity", [] { return C::fromDouble(std::numeric_limits<double>::infinity()); }, std::nullopt},
        {"double NaN", [] { return C::fromDouble(std::numeric_limits<double>::quiet_NaN()); }, std::nullopt},
        {"double 2^63 units", [] { return C::fromDouble(922337203685477.5808); }, std::nullopt},
        // The nearest double is ...477,625, whose product with 10000 rounds to -2^63 exactly.
        {"double -2^63 units", [] { return C::fromDouble(-922337203685477.5808); }, Min},
        {"double of hundreds of billions", [] { return C::fromDouble(123456789012.3456); }, 1234567890123456},
    };
    for (const auto& c : cases) {
        if (c.units) {
            EXPECT_EQ(c.op().units(), *c.units) << c.what;
        } else {
            EXPECT_THROW(c.op(), std::overflow_error) << c.what;
        }
    }
}

TEST(CurrencyParse, OverTheWholeRange)
{
    struct Case {
        const char* text;
        std::optional<std::int64_t> units;
    } cases[] = {
        {"922337203685477.5807", Max},
        {"922337203685477.5808", std::nullopt},
        {"-922337203685477.5808", Min},
        {"-922337203685477.58085", std::nullopt},  // rounds to one unit beyond
        {"922337203685477.58074", Max},
        {"922337203685478", std::nullopt},
        {"99999999999999999999999999", std::nullopt},
        {"0.00005", 1},
        {"-0.00004", 0},
    };
    for (const auto& c : cases) {
        auto v = Currency::parse(c.text);
        if (c.units) {
            ASSERT_TRUE(v) << c.text;
            EXPECT_EQ(v->units(), *c.units) << c.text;
        } else {
            EXPECT_EQ(v, std::nullopt) << c.text;
        }
    }
}
