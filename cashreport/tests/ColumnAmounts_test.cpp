#include "cashreport/CashReportRequest.h"
#include "cashreport/PeriodColumnAmounts.h"
#include "cashreport/StatementColumnAmounts.h"
#include "cashreport/tests/EngineAndPath.h"
#include "cashreport/tests/HandFixture.h"
#include "platform/Database.h"
#include "testing/EngineFolder.h"

#include <gtest/gtest.h>
#include <memory>

using namespace ravelt;
using namespace ravelt::testing;

namespace {

// Both ways of computing the amounts, over the hand-made fixture, on each engine the
// binary covers.
class HandFixtureAmounts : public ::testing::TestWithParam<EngineAndPath> {
protected:
    void SetUp() override
    {
        createHandFixture(dir.path(), "");
        fatture = Database::OpenDatabase("Fatture.mdb", dir.path());
        dettaglio = Database::OpenDatabase("Dettaglio.mdb", dir.path());
    }

    std::unique_ptr<ColumnAmounts> amounts(const AmountsSelection& s)
    {
        std::vector<int> headed(std::begin(HeadedColumns), std::end(HeadedColumns));
        if (std::get<1>(GetParam()) == AmountsPath::Statements)
            return std::make_unique<StatementColumnAmounts>(*fatture, *dettaglio, s, D1, D3);
        return std::make_unique<PeriodColumnAmounts>(*fatture, *dettaglio, s, D1, D3, headed);
    }

    EngineFolder dir{std::get<0>(GetParam())};
    std::unique_ptr<Database> fatture, dettaglio;
};

// Every type, counter and option against the amounts worked out by hand in the fixture:
// each cell, the day's total of the columns, and the period's.
class CalcolaColonnaGiorno : public HandFixtureAmounts {};
class CalcolaPresenze : public HandFixtureAmounts {};

TEST_P(CalcolaColonnaGiorno, EveryTypeCounterAndOptionAsWorkedOutByHand)
{
    for (const HandVariant& v : handVariants()) {
        SCOPED_TRACE(v.name);
        auto a = amounts(AmountsSelection{v.type, v.contatore, 1, v.optionR});
        Totali periodo{};
        std::int64_t periodTotal = 0;
        for (const std::string& g : {D1, D2, D3}) {
            Totali giorno{};
            std::int64_t dayTotal = 0;
            for (int n : HeadedColumns) {
                a->CalcolaColonnaGiorno(n, g, giorno, periodo);
                auto it = v.cents.find({g, n});
                std::int64_t cents = it == v.cents.end() ? 0 : it->second;
                EXPECT_EQ(giorno[n], Currency::fromUnits(cents * 100)) << g << " column " << n;
                dayTotal += cents;
            }
            EXPECT_EQ(giorno[totali::Totale], Currency::fromUnits(dayTotal * 100)) << g;
            periodTotal += dayTotal;
        }
        EXPECT_EQ(periodo[totali::Totale], Currency::fromUnits(periodTotal * 100));
        for (int n : {4, 5, 9})
            EXPECT_EQ(periodo[n], Currency()) << "column " << n << " is not asked for";
    }
}

TEST_P(CalcolaPresenze, SumsTheDaysCounts)
{
    auto a = amounts(AmountsSelection{});
    struct Case {
        std::string g;
        int presenze, presenzeNC;
    } cases[] = {{D1, 42, 25}, {D2, 1234, 0}, {D3, 0, 0}};
    Totali periodo{};
    for (const auto& c : cases) {
        Totali giorno{};
        a->CalcolaPresenze(c.g, giorno, periodo);
        EXPECT_EQ(giorno[totali::Presenze], Currency::fromWhole(c.presenze)) << c.g;
        EXPECT_EQ(giorno[totali::PresenzeNC], Currency::fromWhole(c.presenzeNC)) << c.g;
        EXPECT_EQ(giorno[totali::Totale], Currency()) << "counts are not money";
    }
    EXPECT_EQ(periodo[totali::Presenze], Currency::fromWhole(1276));
    EXPECT_EQ(periodo[totali::PresenzeNC], Currency::fromWhole(25));
}

INSTANTIATE_TEST_SUITE_P(Engines, CalcolaColonnaGiorno, ::testing::ValuesIn(enginesAndPaths()), engineAndPathName);
INSTANTIATE_TEST_SUITE_P(Engines, CalcolaPresenze, ::testing::ValuesIn(enginesAndPaths()), engineAndPathName);

}
