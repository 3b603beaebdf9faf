#include "cashreport/CreaDettaglioCassa.h"
#include "cashreport/tests/GoldenFile.h"
#include "cashreport/tests/HandFixture.h"
#include "cashreport/tests/RandomFixture.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;
using namespace ravelt::testing;

namespace {

const FixedClock TheClock(DateTime{2024, 3, 15, 9, 5, 0});

// The report file of one run, by the chosen path.
std::string reportBytes(const std::filesystem::path& folder, const std::string& type, std::int16_t counter, AmountsPath path,
                        CashReportResult* result = nullptr)
{
    CashReportRequest r;
    r.folder = folder;
    r.startDate = "27/02/2024";
    r.endDate = "04/03/2024";
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

// The set-based path against the statements, over many random folders: the same report
// byte for byte for every type, counter and option R.
TEST(PeriodColumnAmounts, SameReportAsTheStatementsOnRandomFolders)
{
    const int folders = 25;
    long nonZeroTotals = 0;
    for (std::uint64_t seed = 1; seed <= folders; ++seed) {
        TempFolder dir;
        createRandomFixture(dir.path(), seed);
        for (const char* code : {"", "R"}) {
            setSupportCode(dir.path(), code);
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
                    // The totals line: a folder whose totals are all zero proves little.
                    std::size_t totals = period.rfind("\r\n\xB3", period.size() - 4);
                    std::string line = period.substr(totals, period.find("\r\n", totals + 2) - totals);
                    if (line.find_first_of("123456789") != std::string::npos)
                        ++nonZeroTotals;
                }
            }
        }
    }
    EXPECT_GT(nonZeroTotals, folders * 18 / 2) << "the random folders should mostly give amounts";
}

}
