#include "cashreport/CreaDettaglioCassa.h"
#include "cashreport/tests/EngineAndPath.h"
#include "cashreport/tests/GoldenFile.h"
#include "cashreport/tests/HandFixture.h"
#include "platform/Clock.h"
#include "platform/AtomicFile.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "testing/EngineFolder.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>
#include <cctype>
#include <optional>
#include <vector>

using namespace ravelt;
using namespace ravelt::testing;

namespace {

const FixedClock TheClock(DateTime{2024, 3, 15, 9, 5, 42});

// The report of the hand-made fixture by each path, on each engine the binary covers.
class CreaDettaglioCassa : public ::testing::TestWithParam<EngineAndPath> {
protected:
    void SetUp() override { createHandFixture(dir.path(), "rK"); }

    Engine engine() const { return std::get<0>(GetParam()); }

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
        r.path = std::get<1>(GetParam());
        return r;
    }

    std::string report() const { return dir.read("FD3"); }

    EngineFolder dir{engine()};
};

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
        {"tutti_one_day_fits.golden", "28/02/2024", "28/02/2024", "Tutti", 0, "rK", 1},  // every cell at its standard width
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
        std::vector<const char*> statements;  // run on the store; none: the store's file is removed
        const char* inDescription;
    } cases[] = {
        {"registry removed", "AnagraficaHotels.mdb", {}, "AnagraficaHotels.mdb"},
        {"column store removed", "ColonneRavelt.mdb", {}, "ColonneRavelt.mdb"},
        {"counts table dropped", "Dettaglio.mdb", {"Drop Table Dettaglio"}, "Dettaglio"},
        // A field an index holds goes with the index, as in a store of another program's
        // making, which has none of ours; the run cannot make the index again.
        {"amount field dropped", "Fatture.mdb", {"Drop Index Incassi_Giorno", "Alter Table Incassi Drop Column Importo"}, "Importo"},
        {"document field dropped", "Fatture.mdb", {"Drop Index DatiFattura_Documento", "Alter Table DatiFattura Drop Column RiepAcc"},
         "RiepAcc"},
    };
    for (const auto& c : cases) {
        EngineFolder folder(engine());
        createHandFixture(folder.path(), "");
        if (c.statements.empty())
            folder.removeStore(c.store);
        for (const char* statement : c.statements)
            Database::OpenDatabase(c.store, folder.path())->Execute(statement);
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

// The outcome of one run over a folder: the description of the error, or the report.
struct Outcome {
    bool failed = false;
    std::string text;
};

Outcome runOver(const std::filesystem::path& folder, AmountsPath path, std::int16_t counter = 0, const char* from = "28/02/2024",
                const char* to = "01/03/2024")
{
    CashReportRequest r;
    r.folder = folder;
    r.startDate = from;
    r.endDate = to;
    r.documentType = "Tutti";
    r.ContatoreScelto = counter;
    r.PCLocal = 3;
    r.clock = &TheClock;
    r.path = path;
    try {
        ravelt::CreaDettaglioCassa(r);
    } catch (const CashReportError& e) {
        return {true, e.description()};
    }
    return {false, {}};
}

// Statements run on a store of the hand-made fixture; first, when given, the counts'
// table made again with Valore of another type, as another program might declare it.
struct Change {
    const char* store;
    std::vector<std::string> statements;
    std::optional<FieldType> valoreDeclaredAs = std::nullopt;
};

// The table is declared through the store's own definitions rather than a CREATE TABLE
// statement, whose types and collations each engine spells its own way; its rows are
// copied over by statements the suite's dialect gives both engines alike.
void declareValore(Database& db, FieldType type)
{
    db.Execute("Alter Table Dettaglio Rename To Vecchio");
    TableDef def = Database::CreateTableDef("Dettaglio");
    def.append(Database::CreateField("DataInserimento", FieldType::Text, 8));
    def.append(Database::CreateField("Tipo", FieldType::Text, 20));
    def.append(Database::CreateField("Dettaglio", FieldType::Text, 20));
    def.append(Database::CreateField("Valore", type));
    db.AppendTableDef(def);
    db.Execute("Insert Into Dettaglio Select * From Vecchio");
    db.Execute("Drop Table Vecchio");
}

void apply(const std::filesystem::path& folder, const Change& change)
{
    auto db = Database::OpenDatabase(change.store, folder);
    if (change.valoreDeclaredAs)
        declareValore(*db, *change.valoreDeclaredAs);
    for (const auto& sql : change.statements)
        db->Execute(sql);
}

#if !RAVELT_TEST_SERVER
// The values of the next two tests are ones only a SQLite file can hold: a text or a blob
// in an amount, a number beyond its field's integer type. A typed column of the server
// refuses them when they are written, so the server binary builds the file without them.

// An amount or a count its field cannot hold stops the run, by either path with the same
// message, naming the store, the table, the document or row and the value, and the
// previous report stays.
TEST(CreaDettaglioCassaValues, UnreadableValuesStopBothPathsAlike)
{
    struct Case {
        const char* what;
        Change change;
        std::vector<const char*> named;
    } cases[] = {
        {"external entry as text", {"Fatture.mdb", {"Update Incassi Set Importo = 'abc' Where Nota = '0004 cassa'"}},
         {"Archivio Fatture.mdb, tabella Incassi, documento ESTERNI 0 del 28/02/2024: il campo Importo contiene \"abc\", che non "
          "è un numero"}},
        {"payment in the Italian format",
         {"Fatture.mdb", {"Update Incassi Set Importo = '1.234,56' Where NDocumento = 1 and Sigla = 'CA' and Importo = 100"}},
         {"tabella Incassi, documento Fattura n. 1 del 28/02/2024", "\"1.234,56\"", "non è un numero"}},
        {"marked document's payment empty", {"Fatture.mdb", {"Update Incassi Set Importo = '' Where NDocumento = 3"}},
         {"documento Fattura n. 3 del 28/02/2024", "Importo contiene \"\""}},
        {"payment as a blob", {"Fatture.mdb", {"Update Incassi Set Importo = X'00FF' Where NDocumento = 4 and Sigla = 'CA'"}},
         {"documento Fattura n. 4 del 29/02/2024", "un dato binario di 2 byte"}},
        {"payment beyond the currency", {"Fatture.mdb", {"Update Incassi Set Importo = 1e300 Where NDocumento = 11"}},
         {"documento Fattura n. 11 del 01/03/2024", "1e+300", "fuori dall'intervallo della valuta"}},
        {"payment of a document in no column", {"Fatture.mdb", {"Update Incassi Set Importo = 'x' Where Sigla = 'XZ'"}},
         {"documento Fattura n. 1 del 28/02/2024", "\"x\""}},
        {"presences beyond 32 bits", {"Dettaglio.mdb", {"Update Dettaglio Set Valore = 1000000000000000 Where Valore = 40"}},
         {"Archivio Dettaglio.mdb, tabella Dettaglio, riga Presenze Generale del 28/02/2024: il campo Valore contiene "
          "1000000000000000, fuori dall'intervallo di un intero a 32 bit"}},
        {"second count as text",
         {"Dettaglio.mdb", {"Update Dettaglio Set Valore = 'venti' Where Tipo = 'PresenzeNC' and Dettaglio = 'Generale'"}},
         {"riga PresenzeNC Generale del 28/02/2024", "\"venti\", che non è un numero"}},
        {"presences beyond a SMALLINT",
         {"Dettaglio.mdb", {"Update Dettaglio Set Valore = 70000 Where Valore = 1234"}, FieldType::Integer},
         {"riga Presenze Generale del 29/02/2024", "70000, fuori dall'intervallo di un intero a 16 bit"}},
        {"the first in the store's order", {"Fatture.mdb", {"Update Incassi Set Importo = 'b' Where NDocumento = 13 and Sigla = 'CH'",
                                                            "Update Incassi Set Importo = 'a' Where NDocumento = 4 and Sigla = 'CA'"}},
         {"documento Fattura n. 4 del 29/02/2024", "\"a\""}},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        createHandFixture(folder.path(), "rK");
        apply(folder.path(), c.change);
        folder.write("FD3", "previous report\r\n");
        Outcome statements = runOver(folder.path(), AmountsPath::Statements);
        Outcome period = runOver(folder.path(), AmountsPath::Period);
        ASSERT_TRUE(statements.failed) << c.what << ": the statements made a report";
        ASSERT_TRUE(period.failed) << c.what << ": the set-based path made a report";
        EXPECT_EQ(statements.text, period.text) << c.what;
        for (const char* part : c.named)
            EXPECT_NE(period.text.find(part), std::string::npos) << c.what << ": " << period.text;
        EXPECT_EQ(folder.read("FD3"), "previous report\r\n") << c.what;
    }
}

// What the report cannot sum stops it; what it does not sum does not: other days, other
// counters, other kinds of count.
TEST(CreaDettaglioCassaValues, ValuesTheReportDoesNotSumDoNotStopIt)
{
    struct Case {
        const char* what;
        Change change;
        std::int16_t counter;
        const char* code;
        const char* golden;
    } cases[] = {
        {"a payment of another day",
         {"Fatture.mdb", {"Insert Into Incassi Values ('Fattura n.', 1, '20240302', 5, 'CA', 'abc', '')"}}, 0, "rK",
         "tutti_c0.golden"},
        {"a payment of another counter", {"Fatture.mdb", {"Update Incassi Set Importo = 'abc' Where NDocumento = 2"}}, 5, "KR",
         "tutti_c5_r.golden"},
        {"a count of another kind",
         {"Dettaglio.mdb", {"Insert Into Dettaglio Values ('20240228', 'Arrivi', 'Generale', 'abc')",
                            "Insert Into Dettaglio Values ('20240228', 'Presenze', 'Piano2', 1000000000000000)"}},
         0, "rK", "tutti_c0.golden"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        createHandFixture(folder.path(), c.code);
        apply(folder.path(), c.change);
        for (AmountsPath path : {AmountsPath::Statements, AmountsPath::Period}) {
            Outcome o = runOver(folder.path(), path, c.counter);
            EXPECT_FALSE(o.failed) << c.what << ": " << o.text;
            EXPECT_TRUE(matchesGolden(folder.read("FD3"), c.golden)) << c.what;
        }
    }
}

#endif

// The tests of values the report sums that run on each engine the binary covers.
class CreaDettaglioCassaOnEngine : public ::testing::TestWithParam<Engine> {};

// Amounts and counts that each fit but whose sums do not: the run stops, by either path
// with the same message, and the previous report stays.
TEST_P(CreaDettaglioCassaOnEngine, SumsOutOfTheCurrencyRangeStopBothPathsAlike)
{
    const std::string amounts = "La somma degli importi di Incassi (Fatture.mdb) esce dall'intervallo della valuta "
                                "(da -922.337.203.685.477,5808 a 922.337.203.685.477,5807)";
    const std::string counts = "La somma dei valori di Dettaglio (Dettaglio.mdb) esce dall'intervallo della valuta "
                               "(da -922.337.203.685.477,5808 a 922.337.203.685.477,5807)";
    struct Case {
        const char* what;
        Change change;
        std::string description;
    } cases[] = {
        {"two payments of one day and code",
         {"Fatture.mdb", {"Update Incassi Set Importo = 500000000000000 Where NDocumento = 1 and Sigla = 'CA' and Importo = 100",
                          "Insert Into Incassi Values ('Fattura n.', 1, '20240228', 5, 'CA', 500000000000000, '')"}},
         amounts},
        {"a day's columns in its total",
         {"Fatture.mdb", {"Update Incassi Set Importo = 500000000000000 Where NDocumento = 1 and Sigla = 'CA' and Importo = 100"}},
         amounts},
        {"the days of the period",
         {"Fatture.mdb", {"Update Incassi Set Importo = 400000000000000 Where NDocumento = 1 and Sigla = 'CA' and Importo = 100",
                          "Update Incassi Set Importo = 400000000000000 Where NDocumento = 4 and Sigla = 'CA'"}},
         amounts},
        {"a day's presences",
         {"Dettaglio.mdb", {"Update Dettaglio Set Valore = 1e15 Where Valore = 40"}, FieldType::Double}, counts},
    };
    for (const auto& c : cases) {
        EngineFolder folder(GetParam());
        createHandFixture(folder.path(), "rK");
        apply(folder.path(), c.change);
        folder.write("FD3", "previous report\r\n");
        for (AmountsPath path : {AmountsPath::Statements, AmountsPath::Period}) {
            Outcome o = runOver(folder.path(), path);
            EXPECT_TRUE(o.failed) << c.what;
            EXPECT_EQ(o.text, c.description) << c.what;
        }
        EXPECT_EQ(folder.read("FD3"), "previous report\r\n") << c.what;
    }
}

// The lines of a report, split at CR LF.
std::vector<std::string> linesOf(const std::string& bytes)
{
    std::vector<std::string> lines;
    for (std::size_t from = 0, at; (at = bytes.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(bytes.substr(from, at - from));
    return lines;
}

// An amount of hundreds of billions on one day: its column, and the total's, widen on
// every line, so every table line has the same length and the frame's joints stand in
// the same places; the day column and the title keep their widths.
// A store of invoices made before the period's pass had its indexes gets them at the
// first run, with its records as they were and the same report; a store another
// workstation holds in a transaction is read without them, and gets them at a later run.
TEST_P(CreaDettaglioCassaOnEngine, AStoreWithoutThePassIndexesGetsThemAndKeepsItsRecords)
{
    const std::vector<std::string> passIndexes = {"datifattura_documento", "incassi_giorno"};
    auto indexes = [](const std::filesystem::path& folder) {
        std::vector<std::string> found;
        for (std::string name : Database::OpenDatabase("Fatture.mdb", folder)->IndexNames()) {
            for (char& ch : name)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            if (name == "datifattura_documento" || name == "incassi_giorno")
                found.push_back(name);
        }
        return found;
    };
    auto records = [](const std::filesystem::path& folder) {
        auto db = Database::OpenDatabase("Fatture.mdb", folder);
        std::string all;
        for (const char* table : {"Select * From DatiFattura Order By NDocumento, TipoDocumento, DataEmissione, Contatore, RiepAcc",
                                  "Select * From Incassi Order By NDocumento, TipoDocumento, DataEmissione, Sigla, Importo, Nota"}) {
            auto rs = db->OpenRecordset(table);
            for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext())
                for (int k = 0; k < rs->fieldCount(); ++k)
                    all += (rs->Fields(k).isNull() ? std::string("Null") : rs->Fields(k).toText()) + (k + 1 < rs->fieldCount() ? "|" : "\n");
        }
        return all;
    };

    EngineFolder folder(GetParam());
    createHandFixture(folder.path(), "rK");
    ASSERT_EQ(indexes(folder.path()), passIndexes) << "a new store has the pass's indexes";
    ASSERT_FALSE(runOver(folder.path(), AmountsPath::Period).failed);
    const std::string expected = folder.read("FD3");
    const std::string before = records(folder.path());

    {
        auto db = Database::OpenDatabase("Fatture.mdb", folder.path());
        db->Execute("Drop Index DatiFattura_Documento");
        db->Execute("Drop Index Incassi_Giorno");
    }
    {
        auto holder = Database::OpenDatabase("Fatture.mdb", folder.path());
        holder->BeginTrans();
        Outcome held = runOver(folder.path(), AmountsPath::Period);
        holder->Rollback();
        ASSERT_FALSE(held.failed) << held.text;
        EXPECT_EQ(visibleBytes(folder.read("FD3")), visibleBytes(expected));
        EXPECT_TRUE(indexes(folder.path()).empty());
    }
    Outcome o = runOver(folder.path(), AmountsPath::Period);
    ASSERT_FALSE(o.failed) << o.text;
    EXPECT_EQ(visibleBytes(folder.read("FD3")), visibleBytes(expected));
    EXPECT_EQ(indexes(folder.path()), passIndexes);
    EXPECT_EQ(records(folder.path()), before);
}

TEST_P(CreaDettaglioCassaOnEngine, AWideCellWidensItsWholeColumn)
{
    EngineFolder folder(GetParam());
    createHandFixture(folder.path(), "rK");
    apply(folder.path(), {"Fatture.mdb", {"Insert Into Incassi Values ('Fattura n.', 1, '20240228', 5, 'CA', 500000000000.00, '')"}});
    Outcome statements = runOver(folder.path(), AmountsPath::Statements);
    ASSERT_FALSE(statements.failed) << statements.text;
    const std::string bytes = folder.read("FD3");
    Outcome period = runOver(folder.path(), AmountsPath::Period);
    ASSERT_FALSE(period.failed) << period.text;
    EXPECT_EQ(visibleBytes(folder.read("FD3")), visibleBytes(bytes)) << "the two paths differ";

    const auto lines = linesOf(bytes);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[1], linesOf(readFileBytes(std::string(RAVELT_TEST_DATA) + "/tutti_c0.golden"))[1]) << "the title line";
    // The inner widths, read from the top rule: columns 1 and 2 hold 500.000.000.100,00
    // and 500.000.000.150,50 (18), the total 1.000.000.000.208,50 (20), column 10 the
    // 1.500.000,00 of 29/02 (12), PRES its 1.234 (5); the rest keep their 10 and 4.
    const std::string& top = lines[2];
    std::vector<std::size_t> joints;
    for (std::size_t i = 0; i < top.size(); ++i)
        if (top[i] != '\xC4')
            joints.push_back(i);
    std::vector<std::size_t> widths;
    for (std::size_t k = 1; k < joints.size(); ++k)
        widths.push_back(joints[k] - joints[k - 1] - 1);
    EXPECT_EQ(widths, (std::vector<std::size_t>{10, 18, 18, 10, 10, 10, 10, 10, 10, 10, 12, 20, 5, 4}));

    const std::string frame = "\xB3\xC2\xC5\xC1\xDA\xBF\xC3\xB4\xC0\xD9";
    for (std::size_t n = 2; n + 1 < lines.size(); ++n) {
        SCOPED_TRACE("line " + std::to_string(n + 1) + ": " + visibleBytes(lines[n]));
        ASSERT_EQ(lines[n].size(), top.size());
        std::vector<std::size_t> at;
        for (std::size_t i = 0; i < lines[n].size(); ++i)
            if (frame.find(lines[n][i]) != std::string::npos)
                at.push_back(i);
        EXPECT_EQ(at, joints);
    }
    EXPECT_EQ(lines[5].substr(0, 12), "\xB3" "28/02/2024\xB3");
    EXPECT_NE(lines[5].find("\xB3" "500.000.000.100,00\xB3" "500.000.000.150,50\xB3"), std::string::npos) << visibleBytes(lines[5]);
    EXPECT_NE(lines[9].find("\xB3" "1.000.001.350.598,85\xB3"), std::string::npos) << visibleBytes(lines[9]);
    EXPECT_EQ(lines[11], "");
}

INSTANTIATE_TEST_SUITE_P(Engines, CreaDettaglioCassa, ::testing::ValuesIn(enginesAndPaths()), engineAndPathName);
INSTANTIATE_TEST_SUITE_P(Engines, CreaDettaglioCassaOnEngine, ::testing::ValuesIn(enginesUnderTest()), engineParamName);

}
