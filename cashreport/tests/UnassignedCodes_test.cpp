#include "cashreport/CreaDettaglioCassa.h"
#include "cashreport/tests/HandFixture.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/StoreSchema.h"
#include "testing/EngineFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace ravelt;
using namespace ravelt::testing;

namespace {

const FixedClock TheClock(DateTime{2024, 3, 15, 9, 5, 0});

// One line for each code of the list, as a test reads it most easily.
std::vector<std::string> lines(const std::vector<UnassignedCode>& codes)
{
    std::vector<std::string> out;
    for (const auto& c : codes)
        out.push_back(std::string(c.external ? "E " : "P ") + c.code + " [" + c.description + "] " + std::to_string(c.payments) + "+" +
                      std::to_string(c.entries) + " " + c.amount.format());
    return out;
}

class UnassignedCodes : public ::testing::TestWithParam<Engine> {};

// The payments of the hand-made fixture that the report shows nowhere (HandFixture.cpp):
// AL is only in column 5, which has no row of hotel 1 and so no heading; XZ is in no
// column, with p4 of the ordinary invoice F1 added and p25 of the marked invoice N1
// taken off; the external entry e2 reads code 12 from its note, which no column holds.
// p3 and p4 are invoices of counter 5, e2 an entry of counter 7. Descriptions come from
// the hotel's forms of payment (Tipo 4), the code compared without regard to case, an
// external entry's code as a number.
TEST_P(UnassignedCodes, ListsWhatTheReportShowsNowhere)
{
    EngineFolder folder(GetParam());
    createHandFixture(folder.path(), "rK");
    createStore(folder.path(), "CodiciVari.mdb");
    Database::OpenDatabase("CodiciVari.mdb", folder.path())
        ->Execute("Insert Into CodiciVari Values (1, 'AL', 'Non forma', 3), (2, 'XZ', 'Altro hotel', 4), (1, 'AL', 'Altro', 4), "
                  "(1, 'xz', 'Buono', 4), (1, '012', 'Prelievo', 4)");
    const std::vector<std::string> payments = {"P AL [Altro] 1+0 30,00", "P XZ [Buono] 2+0 5,00"};
    const std::string external = "E 12 [Prelievo] 0+1 9,99";
    struct Case {
        const char* type;
        std::int16_t counter;
        const char* code;
        std::vector<std::string> expected;
    } cases[] = {
        {"Tutti", 0, "rK", {payments[0], payments[1], external}},
        {"Tutti", 0, "KR", {payments[0], payments[1], external}},
        {"Tutti", 5, "rK", payments},
        {"Fatture", 0, "rK", {payments[0], payments[1], external}},
        {"Ricevute", 0, "rK", {external}},
        {"Ricevute", 5, "rK", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + ", counter " + std::to_string(c.counter) + ", support code " + c.code);
        setSupportCode(folder.path(), c.code);
        CashReportRequest r;
        r.folder = folder.path();
        r.startDate = "28/02/2024";
        r.endDate = "01/03/2024";
        r.documentType = c.type;
        r.ContatoreScelto = c.counter;
        r.PCLocal = 1;
        r.clock = &TheClock;
        EXPECT_EQ(lines(CreaDettaglioCassa(r).unassigned), c.expected);
    }

    // A payment of code "012" on the ordinary invoice F1: the entry noted "12ab" goes
    // with it, as a column holding "012" would gather both.
    setSupportCode(folder.path(), "rK");
    Database::OpenDatabase("Fatture.mdb", folder.path())->Execute("Insert Into Incassi Values ('Fattura n.', 1, '20240228', 5, '012', 1.00, '')");
    CashReportRequest r;
    r.folder = folder.path();
    r.startDate = "28/02/2024";
    r.endDate = "01/03/2024";
    r.documentType = "Tutti";
    r.PCLocal = 1;
    r.clock = &TheClock;
    EXPECT_EQ(lines(CreaDettaglioCassa(r).unassigned),
              (std::vector<std::string>{"P 012 [Prelievo] 1+1 10,99", payments[0], payments[1]}));
}

// The list as the operator reads it: a heading, then each code with its description,
// count and amount in the report's format; nothing at all for an empty list.
TEST(UnassignedText, OneLineForEachCode)
{
    std::vector<UnassignedCode> codes = {{false, "09", "Addebito in conto agenzia", 12, 1, Currency::fromUnits(12345600)},
                                         {false, "", "", 1, 0, Currency::fromUnits(-50000)},
                                         {true, "12", "", 0, 2, Currency::fromUnits(99900)}};
    EXPECT_EQ(unassignedText(codes), "Incassi del periodo che non sono in nessuna colonna (né nel totale):\n"
                                     "  09 Addebito in conto agenzia: 12 pagamenti, 1 voce esterna, 1.234,56\n"
                                     "  (senza codice): 1 pagamento, -5,00\n"
                                     "  esterni, codice 12: 2 voci esterne, 9,99\n");
    EXPECT_EQ(unassignedText({}), "");
}

INSTANTIATE_TEST_SUITE_P(Engines, UnassignedCodes, ::testing::ValuesIn(enginesUnderTest()), engineParamName);

}
