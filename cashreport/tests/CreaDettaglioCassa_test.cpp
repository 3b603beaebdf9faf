#include "cashreport/CreaDettaglioCassa.h"
#include "cashreport/tests/GoldenFile.h"
#include "cashreport/tests/HandFixture.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/StoreCatalog.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;
using namespace ravelt::testing;

namespace {

const FixedClock TheClock(DateTime{2024, 3, 15, 9, 5, 42});

class CreaDettaglioCassa : public ::testing::TestWithParam<AmountsPath> {
protected:
    void SetUp() override { createHandFixture(dir.path(), "rK"); }

    CashReportRequest request(const std::string& from, const std::string& to, const std::string& type, std::int16_t counter = 0)
    {
        CashReportRequest r;
        r.folder = dir.path();
        r.startDate = from;
        r.endDate = to;
        r.documentType = type;
        r.ContatoreScelto = counter;
        r.PCLocal = 3;
        r.clock = &TheClock;
        r.path = GetParam();
        return r;
    }

    std::string report() const { return dir.read("FD3"); }

    TempFolder dir;
};

std::string pathName(const ::testing::TestParamInfo<AmountsPath>& info)
{
    return info.param == AmountsPath::Statements ? "Statements" : "Period";
}

// Whole report files of the hand-made fixture, whose cells are worked out in
// HandFixture.cpp. The period runs over 28/02 and 29/02/2024 into March; the first
// golden has option R off (the support code holds a lower-case r only).
TEST_P(CreaDettaglioCassa, WholeReportsMatchTheirGoldenFiles)
{
    struct Case {
        const char* golden;
        const char* from;
        const char* to;
        const char* type;
        std::int16_t counter;
        const char* code;
        long days;
    } cases[] = {
        {"tutti_c0.golden", "28/02/2024", "01/03/2024", "Tutti", 0, "rK", 3},
        {"tutti_c5_r.golden", "28/02/2024", "01/03/2024", "Tutti", 5, "KR", 3},
        {"ricevute_one_day.golden", "29/02/2024", "29/02/2024", "Ricevute", 0, "", 1},
        {"start_after_end.golden", "02/03/2024", "01/03/2024", "Fatture", 0, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        setSupportCode(dir.path(), c.code);
        CashReportResult result = ravelt::CreaDettaglioCassa(request(c.from, c.to, c.type, c.counter));
        EXPECT_TRUE(matchesGolden(report(), c.golden));
        EXPECT_EQ(result.reportPath, dir / "FD3");
        EXPECT_EQ(result.days, c.days);
        EXPECT_EQ(result.CodiceAssistenza, std::optional<std::string>(c.code));
    }
}

TEST_P(CreaDettaglioCassa, HandsBackTheHeadingsAndTheHotel)
{
    CashReportResult result = ravelt::CreaDettaglioCassa(request("28/02/2024", "28/02/2024", "Tutti"));
    const std::array<std::string, 11> headings = {"", "Contanti", "  Carte di credito", "Bonifico", "", "", "Esterni",
                                                  "Città", "D'Agenzia", "", "Grandi"};
    EXPECT_EQ(result.IntestazioniColonne, headings);
    EXPECT_EQ(result.NomeHotel, "Hôtel L'Étoile");
    EXPECT_GT(result.queries, 0);
}

TEST_P(CreaDettaglioCassa, ReportsProgressForEachDayAndHeadedColumn)
{
    std::vector<std::string> seen;
    CashReportRequest r = request("29/02/2024", "01/03/2024", "Tutti");
    r.progress = [&](const std::string& text) { seen.push_back(text); };
    ravelt::CreaDettaglioCassa(r);
    ASSERT_EQ(seen.size(), 14u);
    EXPECT_EQ(seen.front(), "29/02/2024 Contanti");
    EXPECT_EQ(seen[1], "29/02/2024   Carte di credito");
    EXPECT_EQ(seen[7], "01/03/2024 Contanti");
    EXPECT_EQ(seen.back(), "01/03/2024 Grandi");
}

// Without a record for the hotel the first line is empty and the support code the
// caller had decides option R.
TEST_P(CreaDettaglioCassa, NoHotelRecord)
{
    {
        auto db = Database::OpenDatabase("AnagraficaHotels.mdb", dir.path());
        db->Execute("Delete From AnagraficaHotels Where Numero = 1");
    }
    for (const char* code : {"", "R"}) {
        CashReportRequest r = request("28/02/2024", "28/02/2024", "Ricevute");
        r.CodiceAssistenza = code;
        CashReportResult result = ravelt::CreaDettaglioCassa(r);
        EXPECT_FALSE(result.CodiceAssistenza);
        EXPECT_EQ(result.NomeHotel, "");
        std::string bytes = report();
        EXPECT_EQ(bytes.substr(0, 2), "\r\n");
        // Ricevute on 28/02: R1's 40,00 in Bonifico without R, R2's 25,00 in two columns with it.
        EXPECT_NE(bytes.find(std::string(*code ? "     25,00" : "     40,00")), std::string::npos) << code;
    }
}

TEST_P(CreaDettaglioCassa, NoHeadedColumn)
{
    {
        auto db = Database::OpenDatabase("ColonneRavelt.mdb", dir.path());
        db->Execute("Delete From ColonneRavelt");
    }
    ravelt::CreaDettaglioCassa(request("28/02/2024", "28/02/2024", "Tutti"));
    std::string bytes = report();
    const std::string bar = "\xB3";
    std::string blankColumns;
    for (int n = 0; n < 10; ++n)
        blankColumns += std::string(10, ' ') + bar;
    EXPECT_NE(bytes.find(bar + "Data Rif. " + bar + blankColumns + " TOTALE   " + bar), std::string::npos);
    EXPECT_NE(bytes.find(bar + "28/02/2024" + bar + blankColumns + "      0,00" + bar + "  42" + bar + "  25" + bar), std::string::npos);
    std::string zeros;
    for (int n = 0; n < 11; ++n)
        zeros += "      0,00" + bar;
    EXPECT_NE(bytes.find(bar + std::string(10, ' ') + bar + zeros + "  42" + bar + "  25" + bar), std::string::npos);
}

// A failed run raises the error with its source and leaves the previous report alone.
TEST_P(CreaDettaglioCassa, FailuresLeaveThePreviousReport)
{
    dir.write("FD3", "previous report\r\n");
    struct Case {
        const char* what;
        const char* from;
        const char* to;
        const char* type;
        const char* inDescription;
    } cases[] = {
        {"start not a date", "31/04/2024", "01/05/2024", "Tutti", "31/04/2024"},
        {"end not a date", "01/02/2023", "29/02/2023", "Tutti", "29/02/2023"},
        {"empty start", "", "01/05/2024", "Tutti", "iniziale"},
        {"short form", "1/3/2024", "01/03/2024", "Tutti", "1/3/2024"},
        {"unknown type", "28/02/2024", "01/03/2024", "Note", "Note"},
        {"type of another letter case", "28/02/2024", "01/03/2024", "tutti", "tutti"},
    };
    for (const auto& c : cases) {
        try {
            ravelt::CreaDettaglioCassa(request(c.from, c.to, c.type));
            ADD_FAILURE() << c.what << ": no error";
        } catch (const CashReportError& e) {
            EXPECT_EQ(e.source(), "Dettaglio forme di incasso") << c.what;
            EXPECT_NE(e.description().find(c.inDescription), std::string::npos) << c.what << ": " << e.description();
        }
        EXPECT_EQ(report(), "previous report\r\n") << c.what;
    }
}

// A store, table or field missing from the working folder fails the run with a message
// that names it; the failures after the report's first lines were written leave the
// previous report and no temporary file behind either.
TEST_P(CreaDettaglioCassa, MissingStoresTablesAndFieldsLeaveThePreviousReport)
{
    struct Case {
        const char* what;
        const char* store;
        const char* statement;  // run on the store; null: the store's file is removed
        const char* inDescription;
    } cases[] = {
        {"registry removed", "AnagraficaHotels.mdb", nullptr, "AnagraficaHotels.mdb"},
        {"column store removed", "ColonneRavelt.mdb", nullptr, "ColonneRavelt.mdb"},
        {"counts table dropped", "Dettaglio.mdb", "Drop Table Dettaglio", "Dettaglio"},
        {"amount field dropped", "Fatture.mdb", "Alter Table Incassi Drop Column Importo", "Importo"},
        {"document field dropped", "Fatture.mdb", "Alter Table DatiFattura Drop Column RiepAcc", "RiepAcc"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        createHandFixture(folder.path(), "");
        if (c.statement)
            Database::OpenDatabase(c.store, folder.path())->Execute(c.statement);
        else
            std::filesystem::remove(storePath(folder.path(), c.store));
        folder.write("FD3", "previous report\r\n");
        CashReportRequest r = request("28/02/2024", "01/03/2024", "Tutti");
        r.folder = folder.path();
        try {
            ravelt::CreaDettaglioCassa(r);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const CashReportError& e) {
            EXPECT_NE(e.description().find(c.inDescription), std::string::npos) << c.what << ": " << e.description();
            EXPECT_NE(std::string(e.what()).find("Dettaglio forme di incasso"), std::string::npos) << c.what;
        }
        EXPECT_EQ(folder.read("FD3"), "previous report\r\n") << c.what;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            EXPECT_EQ(entry.path().filename().string().find(".FD3.tmp"), std::string::npos) << c.what << ": left " << entry.path();
    }
}

INSTANTIATE_TEST_SUITE_P(BothPaths, CreaDettaglioCassa, ::testing::Values(AmountsPath::Statements, AmountsPath::Period), pathName);

}
