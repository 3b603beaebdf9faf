#include "platform/BulkInsert.h"
#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "platform/StoreLocation.h"
#include "platform/StoreSchema.h"
#include "testing/PgTestServer.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

using namespace ravelt;
using ravelt::testing::PgTestServer;
using ravelt::testing::TempFolder;

namespace {

const std::vector<std::string> Notes = {
    "FATTURA N.", "Fattura n.", " 12abc", "1 2.5x", "abc", "", "àèì ÀÈÌ", "-3.5", ".5", "09", "9", "CC", "0009 Agenzia", "+7,5",
    " - 5", "1.2.3", "+", ".", "\t7\t8", "5.", "-", "++3", "3e2",
};

// The same small store, Prove.mdb, with one table of the notes above, on both engines: a
// SQLite file in one folder and a schema on the test server for another.
class BothEngines : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto& pg = PgTestServer::instance();
        ASSERT_TRUE(pg.available()) << pg.whyUnavailable();
        conninfo = pg.newDatabase();
        server = std::make_unique<StoreLocation>(StoreLocation::server(conninfo, serverDir.path()));
        for (const StoreLocation& where : {StoreLocation::files(fileDir.path()), *server}) {
            auto db = Database::CreateDatabase(where, "Prove.mdb");
            TableDef t = Database::CreateTableDef("Righe");
            t.append(Database::CreateField("Id", FieldType::Long));
            t.append(Database::CreateField("Nota", FieldType::Text, 50));
            t.append(Database::CreateField("Importo", FieldType::Currency));
            t.append(Database::CreateField("Valore", FieldType::Double));
            t.append(Database::CreateField("N", FieldType::Integer));
            db->AppendTableDef(t);
            BulkInsert rows(*db, "Righe", {"Id", "Nota", "Importo", "Valore", "N"});
            for (std::size_t i = 0; i < Notes.size(); ++i)
                rows.insert({Value(static_cast<int>(i)), Value(Notes[i]), Value(Currency::fromUnits(static_cast<std::int64_t>(i) * 12345 - 50000)),
                             Value(static_cast<double>(i) / 3), Value(static_cast<int>(i % 3))});
            rows.insert({Value(99), Value(), Value(), Value(), Value()});
            if (db->inTransaction())
                db->CommitTrans();
        }
    }

    std::unique_ptr<Database> open(bool onServer) const
    {
        return Database::OpenDatabase(onServer ? *server : StoreLocation::files(fileDir.path()), "Prove.mdb");
    }

    // Every record of a statement on one engine, as Values in their text form.
    std::vector<std::string> rows(bool onServer, const std::string& sql) const
    {
        auto db = open(onServer);
        auto rs = db->OpenRecordset(sql);
        std::vector<std::string> out;
        for (; !rs->EOF_(); rs->MoveNext()) {
            std::string line;
            for (int c = 0; c < rs->fieldCount(); ++c) {
                const Value& v = rs->Fields(c);
                line += (c ? "|" : "") + (v.isNull() ? std::string("<Null>") : v.toText());
            }
            out.push_back(line);
        }
        return out;
    }

    TempFolder fileDir, serverDir;
    std::string conninfo;
    std::unique_ptr<StoreLocation> server;
};

}

// The dialect's functions give the same values on the server as on SQLite, Null for Null.
TEST_F(BothEngines, TheDialectsFunctionsGiveWhatTheyGiveOnSqlite)
{
    const char* expressions[] = {
        "Left(Nota, 3)", "Right(Nota, 2)", "Mid(Nota, 2, 3)", "Mid(Nota, 3)", "Mid(Nota, 0, 2)", "Left(Nota, 0)",
        "Val(Nota)", "Val(Left(Nota, 4))", "Instr(Nota, 'a')", "Instr(3, Nota, 'A')", "Instr(Nota, '')", "Len(Nota)",
        "UCase(Nota)", "LCase(Nota)", "Left(Nota, 3) = 'fat'", "Mid(Nota, 2, 4) = 'ATTU'", "Val(Nota) = 9",
        "Cast(Val(Left(Nota, 4)) As Numeric) In (Select Nota From Righe)",
    };
    for (const char* e : expressions) {
        const std::string sql = std::string("Select Id, ") + e + " As R From Righe Order By Id";
        EXPECT_EQ(rows(true, sql), rows(false, sql)) << e;
    }
}

// Text compares and sorts without regard to letter case, as SQLite's NOCASE does: letters
// folded in ASCII only, then byte by byte; searches, joins and sorting give the same
// records in the same order.
TEST_F(BothEngines, TextComparesAndSortsAsOnSqlite)
{
    const char* statements[] = {
        "Select Id From Righe Where Nota = 'fattura n.' Order By Id",
        "Select Id From Righe Where Nota = 'àèì àèì' Order By Id",
        "Select Id From Righe Where Nota > 'b' Order By Id",
        "Select Id, Nota From Righe Where Id < 99 Order By Nota, Id",
        "Select Count(*) From Righe Where Nota In ('cc', 'ABC')",
        "Select a.Id, b.Id From Righe As a, Righe As b Where a.Nota = b.Nota And a.Id < b.Id",
    };
    for (const char* s : statements)
        EXPECT_EQ(rows(true, s), rows(false, s)) << s;
    EXPECT_EQ(rows(true, "Select Id From Righe Where Nota = 'fattura n.' Order By Id"), (std::vector<std::string>{"0", "1"}));
}

// Amounts come to the program as its fixed-point currency, exact to the ten-thousandth at
// both ends of its range, and sums of them are whole ten-thousandths.
TEST_F(BothEngines, AmountsReachTheProgramExactly)
{
    // The largest amounts with a fraction a SQLite store keeps exact (fifteen digits), and
    // whole amounts at the ends of the range.
    const Currency extremes[] = {Currency::fromUnits(999999999999999), Currency::fromUnits(-999999999999999),
                                 Currency::fromWhole(922337203685477), Currency::fromUnits(1)};
    for (bool onServer : {false, true}) {
        auto db = open(onServer);
        BulkInsert rows(*db, "Righe", {"Id", "Importo"});
        for (int i = 0; i < 4; ++i)
            rows.insert({Value(200 + i), Value(extremes[i])});
    }
    for (bool onServer : {false, true}) {
        auto db = open(onServer);
        auto rs = db->OpenRecordset("Select Importo From Righe Where Id >= 200 Order By Id");
        for (int i = 0; i < 4; ++i, rs->MoveNext()) {
            ASSERT_TRUE(rs->Fields(0).isCurrency()) << onServer;
            EXPECT_EQ(rs->Fields(0).toCurrency().units(), extremes[i].units()) << onServer << " " << i;
        }
    }
    const std::string sum = "Select Sum(CurrencyUnits(Importo)) As U From Righe Where Id < 99";
    EXPECT_EQ(rows(true, sum), rows(false, sum));
    // Beyond 64 bits a sum is an overflow on either engine, never a rounded figure.
    for (bool onServer : {false, true}) {
        auto db = open(onServer);
        BulkInsert(*db, "Righe", {"Id", "Importo"}).insert({Value(300), Value(Currency::max())});
        BulkInsert(*db, "Righe", {"Id", "Importo"}).insert({Value(301), Value(Currency::max())});
        EXPECT_THROW(db->OpenRecordset("Select Sum(CurrencyUnits(Importo)) From Righe Where Id In (300, 301)"), DbError) << onServer;
    }
}

// A table of another store is reached with  In 'File.mdb'  on the server as on files.
TEST_F(BothEngines, ATableOfAnotherStoreIsReachedByItsFileName)
{
    for (const StoreLocation& where : {StoreLocation::files(fileDir.path()), *server}) {
        auto db = Database::CreateDatabase(where, "Altro.mdb");
        TableDef t = Database::CreateTableDef("Sigle");
        t.append(Database::CreateField("Sigla", FieldType::Text, 6));
        db->AppendTableDef(t);
        BulkInsert(*db, "Sigle", {"Sigla"}).insert({Value("CC")});
        if (db->inTransaction())
            db->CommitTrans();
    }
    const std::string sql = "Select Id From Righe Where Nota In (Select Sigla From Sigle In 'Altro.mdb')";
    EXPECT_EQ(rows(true, sql), (std::vector<std::string>{"11"}));
    EXPECT_EQ(rows(false, sql), rows(true, sql));
}

// Criteria of FindFirst and FindNext pick the same records on the server.
TEST_F(BothEngines, CriteriaFindTheSameRecords)
{
    const char* criteria[] = {"Left(Nota, 3) = 'fat'", "Val(Nota) > 1", "Importo < 0 And N = 1", "Nota Is Null", "Nota = '09'"};
    for (const char* c : criteria) {
        std::vector<long> found[2];
        for (bool onServer : {false, true}) {
            auto db = open(onServer);
            auto rs = db->OpenRecordset("Righe");
            for (rs->FindFirst(c); !rs->NoMatch(); rs->FindNext(c))
                found[onServer].push_back(rs->Fields("Id").toInt());
        }
        EXPECT_EQ(found[0], found[1]) << c;
        EXPECT_FALSE(found[1].empty()) << c;
    }
}

// Adding, changing and deleting through a table dynaset, each written at once; a record
// another workstation deleted meanwhile is told, not passed over.
TEST_F(BothEngines, RecordsAreAddedChangedAndDeleted)
{
    for (bool onServer : {false, true}) {
        auto db = open(onServer);
        auto rs = db->OpenRecordset("Righe");
        rs->AddNew();
        rs->SetField("Id", Value(500));
        rs->SetField("Nota", Value("Caffè"));
        rs->SetField("Importo", Value(Currency::fromUnits(12345)));
        rs->Update();
        rs->FindFirst("Id = 500");
        rs->Edit();
        rs->SetField("Nota", Value("Caffè Rossi"));
        rs->Update();
        rs->Edit();
        rs->SetField("Importo", Value(Currency::fromUnits(-1)));
        rs->Update();
        rs->FindFirst("Id = 0");
        rs->Delete();

        auto other = open(onServer);
        other->Execute("Delete From Righe Where Id = 1");
        rs->FindFirst("Id = 1");
        rs->Edit();
        rs->SetField("Nota", Value("x"));
        EXPECT_THROW(rs->Update(), DbError) << onServer;
    }
    const std::string sql = "Select Id, Nota, Importo From Righe Where Id In (0, 1, 500) Order By Id";
    EXPECT_EQ(rows(true, sql), (std::vector<std::string>{"500|Caffè Rossi|-0.0001"}));
    EXPECT_EQ(rows(false, sql), rows(true, sql));
}

// A workstation that wants to write while another holds the store waits a bounded time,
// then gets SQLite's words; once the other is done it writes.
TEST_F(BothEngines, AWriterWaitsABoundedTimeForAnotherThenIsToldTheStoreIsInUse)
{
    for (bool onServer : {false, true}) {
        auto first = open(onServer);
        auto second = open(onServer);
        first->BeginTrans();
        first->Execute("Update Righe Set N = 5 Where Id = 2");
        const auto start = std::chrono::steady_clock::now();
        try {
            second->BeginTrans();
            second->Execute("Update Righe Set N = 6 Where Id = 2");
            FAIL() << "the second writer was not held back, server " << onServer;
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::Locked) << e.what();
            EXPECT_NE(std::string(e.what()).find("archivio in uso da un'altra postazione (bloccato)"), std::string::npos) << e.what();
        }
        const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_GT(waited, 3.0) << onServer;
        EXPECT_LT(waited, 30.0) << onServer;
        second->Rollback();
        first->CommitTrans();
        second->BeginTrans();
        second->Execute("Update Righe Set N = 6 Where Id = 2");
        second->CommitTrans();
    }
    EXPECT_EQ(rows(true, "Select N From Righe Where Id = 2"), (std::vector<std::string>{"6"}));
}

// A failed statement spoils a transaction on the server: its COMMIT is a failure, never
// a write done.
TEST_F(BothEngines, ACommitAfterAFailureOnTheServerIsAFailure)
{
    auto db = open(true);
    db->BeginTrans();
    db->Execute("Update Righe Set N = 2 Where Id = 3");
    EXPECT_THROW(db->Execute("Update Righe Set Manca = 1"), DbError);
    EXPECT_THROW(db->CommitTrans(), DbError);
    EXPECT_EQ(rows(true, "Select N From Righe Where Id = 3"), (std::vector<std::string>{"0"}));
}

// What goes wrong on a server is told naming the server and the store; the password in
// the connection string never reaches a message.
TEST_F(BothEngines, FailuresNameTheServerAndTheStoreButNeverThePassword)
{
    auto& pg = PgTestServer::instance();
    pg.createRole("ospite", "Segreta99");
    const std::string socket = pg.socketFolder().string();
    struct Case {
        std::string conninfo;
        std::string mdb;
        std::string words;
    } cases[] = {
        {"host=" + socket + "/nessuno port=5432 user=ravelt dbname=x", "Prove.mdb", "server non raggiungibile"},
        {"host=" + socket + " port=" + std::to_string(pg.port()) + " user=ospite password=Sbagliata1 dbname=postgres", "Prove.mdb",
         "accesso al server negato"},
        {"host=" + socket + " port=" + std::to_string(pg.port()) + " user=ravelt password=Segreta99 dbname=nonce", "Prove.mdb",
         "database inesistente sul server"},
        {conninfo + " password=Segreta99", "Mancante.mdb", "archivio non trovato sul server (schema mancante)"},
    };
    for (const auto& c : cases) {
        try {
            Database::OpenDatabase(StoreLocation::server(c.conninfo, serverDir.path()), c.mdb);
            FAIL() << c.conninfo;
        } catch (const DbError& e) {
            const std::string m = e.what();
            EXPECT_NE(m.find("Archivio " + c.mdb + " (server "), std::string::npos) << m;
            EXPECT_NE(m.find(c.words), std::string::npos) << m;
            EXPECT_EQ(m.find("Segreta99"), std::string::npos) << m;
            EXPECT_EQ(m.find("Sbagliata1"), std::string::npos) << m;
        }
    }
    auto db = open(true);
    struct Missing {
        const char* sql;
        const char* words;
    } missing[] = {
        {"Select * From Assente", "tabella inesistente: assente"},
        {"Select Assente From Righe", "campo inesistente: assente"},
    };
    for (const auto& m : missing) {
        try {
            db->OpenRecordset(m.sql);
            FAIL() << m.sql;
        } catch (const DbError& e) {
            EXPECT_NE(std::string(e.what()).find(m.words), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(m.sql), std::string::npos) << e.what();
        }
    }
}

// A connection the server drops in the middle of a run is told as such at the next
// statement, and nothing is read as if it were an empty result.
TEST_F(BothEngines, AConnectionDroppedInTheMiddleIsTold)
{
    auto db = open(true);
    EXPECT_EQ(db->OpenRecordset("Select Count(*) From Righe")->Fields(0).toInt(), static_cast<int64_t>(Notes.size() + 1));
    auto& pg = PgTestServer::instance();
    const std::string name = conninfo.substr(conninfo.rfind('=') + 1);
    pg.psql(name, "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = current_database() AND pid <> pg_backend_pid()");
    try {
        db->OpenRecordset("Select Count(*) From Righe");
        FAIL() << "a dropped connection read as a result";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("connessione al server interrotta"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("Archivio Prove.mdb (server "), std::string::npos) << e.what();
    }
}

namespace {

// The README's lines that make the roles of a report-only workstation and of the column
// setup, for the database named, with the passwords given.
std::string readmeRoles(const std::string& database)
{
    const std::string data = RAVELT_TEST_DATA;  // <source>/platform/tests/data, which need not exist
    std::ifstream in(data.substr(0, data.rfind("/platform/")) + "/README.md");
    std::stringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    const auto from = text.find("CREATE ROLE cassa");
    const auto last = text.find("GRANT INSERT, UPDATE, DELETE ON colonneravelt");
    if (from == std::string::npos || last == std::string::npos)
        return {};
    std::string sql = text.substr(from, text.find('\n', last) - from);
    for (auto [word, by] : {std::pair<std::string, std::string>{"DATABASE hotel", "DATABASE " + database}, {"'…'", "'Parola77'"}})
        for (auto at = sql.find(word); at != std::string::npos; at = sql.find(word, at + by.size()))
            sql.replace(at, word.size(), by);
    return sql;
}

}

// The README's GRANT lines give a report-only workstation what reading every store takes,
// and the column setup what writing the column store takes, and no more.
TEST_F(BothEngines, TheReadmesRolesReadTheStoresAndOnlyTheColumnSetupWrites)
{
    for (const auto& store : knownStores())
        createStore(*server, store);
    auto& pg = PgTestServer::instance();
    const std::string database = conninfo.substr(conninfo.rfind('=') + 1);
    const std::string roles = readmeRoles(database);
    ASSERT_NE(roles.find("GRANT SELECT"), std::string::npos) << "the README has lost its GRANT lines";
    pg.psql(database, roles);

    auto as = [&](const std::string& role) { return StoreLocation::server(pg.conninfo(database, role, "Parola77"), serverDir.path()); };
    for (const auto& store : knownStores()) {
        auto db = Database::OpenDatabase(as("cassa"), store);
        for (const auto& table : db->TableDefs())
            EXPECT_NO_THROW(db->OpenRecordset(table.name)) << store << " " << table.name;
    }
    auto fatture = Database::OpenDatabase(as("cassa"), "Fatture.mdb");
    EXPECT_NO_THROW(fatture->OpenRecordset(
        "Select Sum(CurrencyUnits(Importo)) From Incassi Where Left(TipoDocumento, 3) = 'Fat' And "
        "Val(Left(Nota, 4)) In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb')"));

    auto columnRow = [](Database& db) {
        db.BeginTrans();
        auto rs = db.OpenRecordset("ColonneRavelt");
        rs->AddNew();
        rs->SetField("NumeroHotel", Value(1));
        rs->SetField("NumeroColonna", Value(1));
        rs->SetField("Sigla", Value("01"));
        rs->Update();
        db.CommitTrans();
    };
    auto reader = Database::OpenDatabase(as("cassa"), "ColonneRavelt.mdb");
    try {
        columnRow(*reader);
        FAIL() << "a report-only role wrote the column store";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::ReadOnly) << e.what();
        EXPECT_NE(std::string(e.what()).find("permesso negato sul server"), std::string::npos) << e.what();
    }
    auto setup = Database::OpenDatabase(as("direzione"), "ColonneRavelt.mdb");
    EXPECT_NO_THROW(columnRow(*setup));
    EXPECT_EQ(pg.psql(database, "SELECT count(*) FROM colonneravelt.\"ColonneRavelt\""), "1\n");
}
