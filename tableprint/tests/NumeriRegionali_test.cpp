#include "tableprint/NumeriRegionali.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

TEST(NumeroIniziale, LeadingNumber)
{
    struct Caso {
        const char* testo;
        double atteso;
    } casi[] = {
        {"12", 12}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"  3.5x", 3.5}, {"1 2 3", 123}, {"\t-4\n", -4},
        {"0,50", 0.5}, {"-0,25", -0.25}, {"1,5,3", 1.5}, {"1.5,3", 1.5}, {"2E3", 2000}, {"2e-1x", 0.2},
        {"3E", 3}, {"&HFF", 255}, {"&O17", 15}, {"&HZ", 0}, {"+7", 7}, {"-", 0}, {"31/12/2024", 31},
    };
    for (const auto& c : casi)
        EXPECT_DOUBLE_EQ(NumeroIniziale(c.testo), c.atteso) << c.testo;
}

TEST(LeggiNumeroRegionale, WholeTextOnly)
{
    struct Caso {
        const char* testo;
        std::optional<std::int64_t> unita;
    } casi[] = {
        {"12", 120000}, {" 12,5 ", 125000}, {"-0,25", -2500}, {"1.234,56", 12345600}, {"1.234.567", 12345670000},
        {"0,00005", 1}, {"0,00004", 0}, {",5", 5000}, {"12abc", std::nullopt}, {"", std::nullopt}, {"   ", std::nullopt},
        {"12.5", std::nullopt}, {"1.23", std::nullopt}, {"12,", std::nullopt}, {"1,2,3", std::nullopt}, {"-", std::nullopt},
        {"31/12/2024", std::nullopt},
    };
    for (const auto& c : casi) {
        auto v = LeggiNumeroRegionale(c.testo);
        ASSERT_EQ(v.has_value(), c.unita.has_value()) << c.testo;
        if (v) {
            EXPECT_EQ(v->units(), *c.unita) << c.testo;
        }
    }
}

TEST(TestoRegionale, ValuesAsTheReportShowsThem)
{
    EXPECT_EQ(TestoRegionale(Value()), "");
    EXPECT_EQ(TestoRegionale(Value(-12)), "-12");
    EXPECT_EQ(TestoRegionale(Value(3.25)), "3,25");
    EXPECT_EQ(TestoRegionale(Value(Currency::fromUnits(12500))), "1,25");
    EXPECT_EQ(TestoRegionale(Value(Currency::fromWhole(3))), "3");
    EXPECT_EQ(TestoRegionale(Value("a.b,c")), "a.b,c");
}

TEST(FormaGenerale, NoGroupingNoTrailingZeros)
{
    EXPECT_EQ(FormaGenerale(Currency::fromWhole(1234)), "1234");
    EXPECT_EQ(FormaGenerale(Currency::fromUnits(125000)), "12,5");
    EXPECT_EQ(FormaGenerale(Currency::fromUnits(-2500)), "-0,25");
    EXPECT_EQ(FormaGenerale(Currency::fromUnits(1)), "0,0001");
}

TEST(DividiEFormatta, TwoDecimalsHalfAwayFromZero)
{
    const Currency uno = Currency::fromWhole(1);
    EXPECT_EQ(DividiEFormatta(Currency::fromUnits(125000), uno), "12,50");
    EXPECT_EQ(DividiEFormatta(Currency::fromUnits(19362700), Currency::fromUnits(19362700)), "1,00");
    EXPECT_EQ(DividiEFormatta(Currency::fromWhole(100000), Currency::fromUnits(19362700)), "51,65");
    EXPECT_EQ(DividiEFormatta(Currency::fromUnits(50), uno), "0,01");
    EXPECT_EQ(DividiEFormatta(Currency::fromUnits(-50), uno), "-0,01");
    EXPECT_EQ(DividiEFormatta(Currency::fromUnits(-49), uno), "0,00");
    EXPECT_EQ(DividiEFormatta(Currency::fromWhole(12345), uno), "12345,00");
    EXPECT_EQ(DividiEFormatta(uno, Currency()), std::nullopt);
}

}
