#include "platform/Currency.h"
#include "platform/Value.h"

#include <gtest/gtest.h>

using namespace ravelt;

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
    };
    for (const auto& c : cases)
        EXPECT_EQ(Currency::fromUnits(c.units).format(c.decimals, c.grouping), c.expected) << c.units;
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
