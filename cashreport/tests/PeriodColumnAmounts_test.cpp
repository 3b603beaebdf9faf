#include "cashreport/CreaDettaglioCassa.h"
#include "cashreport/tests/GoldenFile.h"
#include "cashreport/tests/HandFixture.h"
#include "cashreport/tests/RandomFixture.h"
#include "demohotel/DemoHotel.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "testing/EngineFolder.h"

#include <gtest/gtest.h>
#include <optional>
#include <tuple>

using namespace ravelt;
using namespace ravelt::testing;

namespace {

const FixedClock TheClock(DateTime{2024, 3, 15, 9, 5, 0});

// The report file of one run, by the chosen path.
std::string reportBytes(const std::filesystem::path& folder, const std::string& type, std::int16_t counter, AmountsPath path,
                        CashReportResult* result = nullptr, const char* from = "27/02/2024", const char* to = "04/03/2024")
{
    CashReportRequest r;
    r.folder = folder;
    r.startDate = from;
    r.endDate = to;
    r.documentType = type;
    r.ContatoreScelto = counter;
    r.PCLocal = 1;
    r.clock = &TheClock;
    r.path = path;
    CashReportResult res = CreaDettaglioCassa(r);
    if (result)
        *result = res;
    return readFileBytes(res.reportPath);
}

// The random folders of one block of seeds, on one engine. The folders are compared in
// blocks, each a test of its own, so that on a server, where every run opens its stores
// anew, each block keeps within a test's time limit and the blocks run side by side.
using EngineAndSeeds = std::tuple<Engine, int>;
constexpr int SeedBlocks = 5;
constexpr int SeedsPerBlock = 5;

class RandomFolders : public ::testing::TestWithParam<EngineAndSeeds> {};

std::string engineAndSeedsName(const ::testing::TestParamInfo<EngineAndSeeds>& info)
{
    const int first = std::get<1>(info.param) * SeedsPerBlock + 1;
    return engineName(std::get<0>(info.param)) + "_Seeds" + std::to_string(first) + "to" + std::to_string(first + SeedsPerBlock - 1);
}

// The set-based path against the statements, over many random folders: the same report
// byte for byte for every type, counter and option R. On an engine other than the SQLite
// files the report must also be, byte for byte, the one the same folder gives on the
// files, so that the engine changes nothing a report shows.
TEST_P(RandomFolders, PeriodGivesTheSameReportAsTheStatements)
{
    const Engine engine = std::get<0>(GetParam());
    const std::uint64_t firstSeed = std::get<1>(GetParam()) * SeedsPerBlock + 1;
    long nonZeroTotals = 0;
    for (std::uint64_t seed = firstSeed; seed < firstSeed + SeedsPerBlock; ++seed) {
        EngineFolder dir(engine);
        createRandomFixture(dir.path(), seed);
        std::optional<EngineFolder> files;
        if (engine != Engine::Sqlite) {
            files.emplace(Engine::Sqlite);
            createRandomFixture(files->path(), seed);
        }
        for (const char* code : {"", "R"}) {
            setSupportCode(dir.path(), code);
            if (files)
                setSupportCode(files->path(), code);
            for (const char* type : {"Tutti", "Fatture", "Ricevute"}) {
                for (std::int16_t counter : {0, 1, 2}) {
                    SCOPED_TRACE("seed " + std::to_string(seed) + ", " + type + ", counter " + std::to_string(counter) +
                                 (*code ? ", R" : ", no R"));
                    std::string statements = reportBytes(dir.path(), type, counter, AmountsPath::Statements);
                    CashReportResult fast;
                    std::string period = reportBytes(dir.path(), type, counter, AmountsPath::Period, &fast);
                    if (statements != period) {
                        ADD_FAILURE() << "the two paths differ:\n"
                                      << "statements:\n" << visibleBytes(statements) << "\nperiod:\n" << visibleBytes(period);
                        return;
                    }
                    if (files) {
                        std::string onFiles = reportBytes(files->path(), type, counter, AmountsPath::Period);
                        if (period != onFiles) {
                            ADD_FAILURE() << "the engine changes the report:\n" << engineName(engine) << ":\n" << visibleBytes(period)
                                          << "\nSQLite files:\n" << visibleBytes(onFiles);
                            return;
                        }
                    }
                    // The totals line: a folder whose totals are all zero proves little.
                    std::size_t totals = period.rfind("\r\n\xB3", period.size() - 4);
                    std::string line = period.substr(totals, period.find("\r\n", totals + 2) - totals);
                    if (line.find_first_of("123456789") != std::string::npos)
                        ++nonZeroTotals;
                }
            }
        }
    }
    EXPECT_GT(nonZeroTotals, SeedsPerBlock * 18 / 2) << "the random folders should mostly give amounts";
}

INSTANTIATE_TEST_SUITE_P(Engines, RandomFolders,
                         ::testing::Combine(::testing::ValuesIn(enginesUnderTest()), ::testing::Range(0, SeedBlocks)),
                         engineAndSeedsName);

// The two paths compared on each engine the binary covers.
class PeriodColumnAmountsTest : public ::testing::TestWithParam<Engine> {};

// The same over a small demo hotel, whose first day holds every case the report tells
// apart, for a period over the end of January: every type, each of its counters and
// every counter, with and without option R; and, on an engine other than the SQLite
// files, the same report as the demo on the files.
TEST_P(PeriodColumnAmountsTest, SameReportAsTheStatementsOnADemoFolder)
{
    EngineFolder dir(GetParam());
    DemoOptions options;
    options.days = 40;
    options.fromYear = 2026;
    options.fromMonth = 1;
    options.fromDay = 25;
    options.rooms = 40;
    createDemoHotel(dir.path(), options);
    std::optional<EngineFolder> files;
    if (GetParam() != Engine::Sqlite) {
        files.emplace(Engine::Sqlite);
        createDemoHotel(files->path(), options);
    }
    long nonZeroDays = 0;
    for (const char* code : {"AB", "ABR"}) {
        setSupportCode(dir.path(), code);
        if (files)
            setSupportCode(files->path(), code);
        for (const char* type : {"Tutti", "Fatture", "Ricevute"}) {
            for (std::int16_t counter : {0, 1, 2, 4}) {
                SCOPED_TRACE(std::string(type) + ", counter " + std::to_string(counter) + ", support code " + code);
                CashReportResult slow, fast;
                std::string statements = reportBytes(dir.path(), type, counter, AmountsPath::Statements, &slow, "25/01/2026", "10/02/2026");
                std::string period = reportBytes(dir.path(), type, counter, AmountsPath::Period, &fast, "25/01/2026", "10/02/2026");
                ASSERT_EQ(visibleBytes(statements), visibleBytes(period));
                if (files) {
                    ASSERT_EQ(visibleBytes(period), visibleBytes(reportBytes(files->path(), type, counter, AmountsPath::Period, nullptr,
                                                                             "25/01/2026", "10/02/2026")))
                        << "the engine changes the report";
                }
                EXPECT_EQ(fast.days, 17);
                EXPECT_LT(fast.queries, slow.queries);
                std::size_t from = 0;
                for (std::size_t end; (end = period.find("\r\n", from)) != std::string::npos; from = end + 2) {
                    std::string line = period.substr(from, end - from);
                    if (line.size() > 12 && line.substr(1, 10).find("/2026") == 5 &&
                        line.substr(12).find_first_of("123456789") != std::string::npos)
                        ++nonZeroDays;
                }
            }
        }
    }
    EXPECT_GT(nonZeroDays, 200) << "the demo's days should carry amounts";
}

INSTANTIATE_TEST_SUITE_P(Engines, PeriodColumnAmountsTest, ::testing::ValuesIn(enginesUnderTest()), engineParamName);

}
