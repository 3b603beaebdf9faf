#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/DbOverflowError.h"
#include "platform/Recordset.h"
#include "platform/StoreCatalog.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

using namespace ravelt;

namespace {

// A small Fatture-like store and a column store beside it.
class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto db = Database::CreateDatabase("Fatture.mdb", ";LANGID=0x0409;CP=1252;COUNTRY=0", dir.path());
        TableDef t = Database::CreateTableDef("Incassi");
        t.append(Database::CreateField("TipoDocumento", FieldType::Text, 20));
        t.append(Database::CreateField("NDocumento", FieldType::Long));
        t.append(Database::CreateField("Sigla", FieldType::Text, 6));
        t.append(Database::CreateField("Importo", FieldType::Currency));
        t.append(Database::CreateField("Nota", FieldType::Text, 50));
        t.append(Database::CreateField("Contatore", FieldType::Integer));
        db->AppendTableDef(t);
        db->Execute("INSERT INTO Incassi VALUES ('Fattura n.', 1, 'CA', 10.1, '0004 cassa', 1)");
        db->Execute("INSERT INTO Incassi VALUES ('fattura N.', 2, 'ca', 0.2, '12ab', 2)");
        db->Execute("INSERT INTO Incassi VALUES ('Ricevuta n.', 3, 'BA', NULL, 'x', 1)");
        db->Execute("INSERT INTO Incassi VALUES ('ESTERNI', 0, 'XX', 0.0001, '0004', 1)");
        db->Close();

        auto col = Database::CreateDatabase("ColonneRavelt.mdb", "", dir.path());
        col->Execute("CREATE TABLE ColonneRavelt (NumeroColonna SMALLINT, Sigla TEXT(6) COLLATE NOCASE)");
        col->Execute("INSERT INTO ColonneRavelt VALUES (1, 'CA'), (2, '04'), (3, 'BA')");
        col->Close();
    }
    ravelt::testing::TempFolder dir;
};

TEST_F(DatabaseTest, StoreNamesMapToSqliteFiles)
{
    EXPECT_EQ(storePath(dir.path(), "Fatture.mdb"), dir.path() / "Fatture.sqlite");
    EXPECT_TRUE(storeExists(dir.path(), "Fatture.mdb"));
    EXPECT_FALSE(storeExists(dir.path(), "Dettaglio.mdb"));
}

TEST_F(DatabaseTest, FieldTypesComeFromDeclaredTypes)
{
    auto db = Database::OpenDatabase("Fatture.mdb", dir.path());
    auto rs = db->OpenRecordset("Incassi");
    EXPECT_EQ(rs->RecordCount(), 4);
    EXPECT_EQ(rs->fieldType("TipoDocumento"), FieldType::Text);
    EXPECT_EQ(rs->fieldType("NDocumento"), FieldType::Long);
    EXPECT_EQ(rs->fieldType("Importo"), FieldType::Currency);
    EXPECT_EQ(rs->fieldType("Contatore"), FieldType::Integer);
    EXPECT_EQ(rs->Fields("importo"), Value(Currency::fromUnits(101000)));
}

TEST_F(DatabaseTest, DialectStatementsRunAsWritten)
{
    auto db = Database::OpenDatabase("Fatture.mdb", dir.path());
    struct Case {
        const char* sql;
        long count;
    } cases[] = {
        // Text compares without regard to letter case, in conditions and subqueries.
        {"Select * From Incassi Where TipoDocumento = 'FATTURA N.'", 2},
        {"Select * From Incassi Where Sigla In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' Where NumeroColonna = 1);", 2},
        {"Select * From Incassi Where Left(TipoDocumento,3) = 'Fat'", 2},
        {"Select * From Incassi Where Left(Left(TipoDocumento,5),3) = 'FAT' and Right(Nota, 5) = 'CASSA'", 1},
        // Val reads the leading number and compares as a number with a text code.
        {"Select Importo From Incassi Where TipoDocumento = 'ESTERNI' and Val(Left(Nota,4)) In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' Where NumeroColonna = 2);", 1},
        {"Select * From Incassi Where Val(Nota) = 12", 1},
        {"Select * From Incassi Where Instr(Nota, 'CASSA') > 0", 1},
        {"Select * From Incassi Where Instr(3, Nota, '0') = 3", 2},
        {"Select * From Incassi Where Importo <> 0", 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db->OpenRecordset(c.sql)->RecordCount(), c.count) << c.sql;
}

TEST_F(DatabaseTest, NullStaysNullAndAmountsAreExact)
{
    auto db = Database::OpenDatabase("Fatture.mdb", dir.path());
    auto rs = db->OpenRecordset("Select Importo From Incassi");
    Currency sum;
    int nulls = 0;
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
        if (rs->Fields("Importo").isNull())
            ++nulls;
        else
            sum += rs->Fields("Importo").toCurrency();
    }
    EXPECT_EQ(nulls, 1);
    EXPECT_EQ(sum, Currency::fromUnits(101000 + 2000 + 1));
}

TEST_F(DatabaseTest, CriteriaSearchesFindWhatSqlFinds)
{
    auto db = Database::OpenDatabase("Fatture.mdb", dir.path());
    const char* criteria[] = {
        "Importo <> 0",
        "TipoDocumento = 'fattura n.' and Contatore = 1",
        "Sigla = 'CA' or Sigla = 'BA'",
        "Val(Left(Nota,4)) = 4",
        "Instr(Nota, 'a') > 0",
        "Importo Is Null",
    };
    for (const char* c : criteria) {
        auto rs = db->OpenRecordset("Incassi");
        std::vector<long long> found;
        for (rs->FindFirst(c); !rs->NoMatch(); rs->FindNext(c))
            found.push_back(rs->Fields("NDocumento").toInt());
        auto sql = db->OpenRecordset(std::string("Select NDocumento From Incassi Where ") + c);
        std::vector<long long> expected;
        for (sql->MoveFirst(); !sql->EOF_(); sql->MoveNext())
            expected.push_back(sql->Fields("NDocumento").toInt());
        EXPECT_EQ(found, expected) << c;
        EXPECT_FALSE(expected.empty()) << c;
    }
}

TEST_F(DatabaseTest, NoMatchLeavesTheCurrentRecord)
{
    auto db = Database::OpenDatabase("Fatture.mdb", dir.path());
    auto rs = db->OpenRecordset("Incassi");
    rs->FindFirst("NDocumento = 3");
    ASSERT_FALSE(rs->NoMatch());
    rs->FindNext("NDocumento = 3");
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_EQ(rs->Fields("NDocumento").toInt(), 3);
}

TEST_F(DatabaseTest, AddNewUpdateDeleteRequery)
{
    auto db = Database::OpenDatabase("ColonneRavelt.mdb", dir.path());
    auto rs = db->OpenRecordset("ColonneRavelt");
    rs->AddNew();
    rs->SetField("NumeroColonna", Value(5));
    rs->SetField("Sigla", Value("AX"));
    rs->Update();
    EXPECT_EQ(rs->RecordCount(), 4);

    auto other = Database::OpenDatabase("ColonneRavelt.mdb", dir.path());
    EXPECT_EQ(other->OpenRecordset("Select * From ColonneRavelt Where Sigla = 'ax'")->RecordCount(), 1);

    rs->FindFirst("Sigla = 'CA'");
    ASSERT_FALSE(rs->NoMatch());
    rs->Delete();
    rs->Requery();
    EXPECT_EQ(rs->RecordCount(), 3);
    rs->FindFirst("Sigla = 'CA'");
    EXPECT_TRUE(rs->NoMatch());

    rs->FindFirst("Sigla = 'AX'");
    rs->Edit();
    rs->SetField("NumeroColonna", Value(6));
    rs->Update();
    EXPECT_EQ(other->OpenRecordset("Select * From ColonneRavelt Where NumeroColonna = 6")->RecordCount(), 1);
}

TEST_F(DatabaseTest, TextLongerThanItsFieldIsRefused)
{
    auto db = Database::OpenDatabase("ColonneRavelt.mdb", dir.path());
    auto rs = db->OpenRecordset("ColonneRavelt");
    rs->AddNew();
    EXPECT_THROW(rs->SetField("Sigla", Value("TOOLONG")), DbError);
    rs->CancelUpdate();
    EXPECT_EQ(rs->RecordCount(), 3);
}

TEST_F(DatabaseTest, ErrorsNameWhatIsMissing)
{
    auto expectError = [](auto fn, const std::string& part) {
        try {
            fn();
            ADD_FAILURE() << "no error for " << part;
        } catch (const DbError& e) {
            EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
        }
    };
    expectError([&] { Database::OpenDatabase("Dettaglio.mdb", dir.path()); }, "Dettaglio.mdb");
    auto db = Database::OpenDatabase("Fatture.mdb", dir.path());
    expectError([&] { db->OpenRecordset("Select * From Nessuna"); }, "Nessuna");
    expectError([&] { db->OpenRecordset("Select Manca From Incassi"); }, "Manca");
    expectError([&] { db->OpenRecordset("Select * From X In 'Altro.mdb'"); }, "Altro.mdb");
    auto rs = db->OpenRecordset("Incassi");
    expectError([&] { rs->Fields("Inesistente"); }, "Inesistente");

    dir.write("Rotto.sqlite", "this is not a database at all, just text........................................................");
    expectError([&] { Database::OpenDatabase("Rotto.mdb", dir.path()); }, "Rotto.mdb");
    EXPECT_EQ(dir.read("Rotto.sqlite").substr(0, 4), "this");
}

// Each failure the engine reports gets its kind from the engine's result code and the
// words that go with it, whatever the engine's own message says: a file that is not a
// store, a damaged store, a store another connection holds, a store that takes no
// writes, a sum beyond 64 bits, and a missing table, which has no code of its own.
TEST_F(DatabaseTest, EngineFailuresAreClassifiedByTheirResultCode)
{
    // Overwrites the store's second page onward with bytes that are no b-tree page.
    auto damage = [this](const std::string& file) {
        std::fstream f(dir / file, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(4096);
        const std::string junk(8192, '\xA5');
        f.write(junk.data(), static_cast<std::streamsize>(junk.size()));
    };
    struct Caso {
        const char* cosa;
        std::function<void()> azione;
        DbError::Kind kind;
        const char* parole;
    };
    std::unique_ptr<Database> tiene, usa;
    const Caso casi[] = {
        {"a text file",
         [&] {
             dir.write("Testo.sqlite", std::string(200, 'x'));
             Database::OpenDatabase("Testo.mdb", dir.path());
         },
         DbError::Kind::NotAStore, "Archivio Testo.mdb: il file non è un archivio"},
        {"a damaged store",
         [&] {
             auto db = Database::CreateDatabase("Guasto.mdb", "", dir.path());
             db->Execute("PRAGMA page_size = 4096");
             db->Execute("CREATE TABLE T (A TEXT)");
             for (int i = 0; i < 200; ++i)
                 db->Execute("INSERT INTO T VALUES ('" + std::string(100, 'a') + "')");
             db->Close();
             damage("Guasto.sqlite");
             Database::OpenDatabase("Guasto.mdb", dir.path())->OpenRecordset("SELECT count(A) FROM T");
         },
         DbError::Kind::Corrupt, "Archivio Guasto.mdb: archivio danneggiato"},
        {"a store another connection is writing",
         [&] {
             // This connection reads inside its transaction, the other takes the write
             // lock: waiting could never end, so the engine answers at once.
             usa = Database::OpenDatabase("Fatture.mdb", dir.path());
             tiene = Database::OpenDatabase("Fatture.mdb", dir.path());
             usa->Execute("BEGIN");
             usa->OpenRecordset("Incassi");
             tiene->BeginTrans();
             usa->Execute("DELETE FROM Incassi");
         },
         DbError::Kind::Locked, "Archivio Fatture.mdb: archivio in uso da un'altra postazione (bloccato)"},
        {"a store that takes no writes",
         [&] {
             auto db = Database::OpenDatabase("Fatture.mdb", dir.path());
             db->Execute("PRAGMA query_only = 1");
             db->Execute("DELETE FROM Incassi");
         },
         DbError::Kind::ReadOnly, "Archivio Fatture.mdb: archivio in sola lettura"},
        {"a sum beyond 64 bits",
         [&] {
             auto db = Database::OpenDatabase("Fatture.mdb", dir.path());
             db->OpenRecordset("SELECT sum(v) FROM (SELECT 9223372036854775807 AS v UNION ALL SELECT 1)");
         },
         DbError::Kind::Overflow, "Archivio Fatture.mdb: somma fuori dall'intervallo dei numeri interi a 64 bit"},
        {"a missing table",
         [&] { Database::OpenDatabase("Fatture.mdb", dir.path())->OpenRecordset("SELECT * FROM Nessuna"); },
         DbError::Kind::Other, "Archivio Fatture.mdb: tabella inesistente: Nessuna"},
    };
    for (const auto& c : casi) {
        try {
            c.azione();
            ADD_FAILURE() << c.cosa << ": no error";
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), c.kind) << c.cosa << ": " << e.what();
            EXPECT_TRUE(std::string(e.what()).starts_with(c.parole)) << c.cosa << ": " << e.what();
            EXPECT_EQ(dynamic_cast<const DbOverflowError*>(&e) != nullptr, c.kind == DbError::Kind::Overflow) << c.cosa;
        }
        tiene.reset();
        usa.reset();
    }
}

TEST_F(DatabaseTest, ApostropheInsideALiteralIsKept)
{
    auto db = Database::OpenDatabase("Fatture.mdb", dir.path());
    db->Execute("INSERT INTO Incassi (TipoDocumento, Nota) VALUES ('ESTERNI', 'l''hotel In ''A.mdb''')");
    EXPECT_EQ(db->OpenRecordset("Select * From Incassi Where Nota = 'L''HOTEL In ''a.mdb'''")->RecordCount(), 1);
}

// The first record, in the store's order, that meets the condition and holds a value
// its field's type cannot hold; none for a text field, none when every value reads.
TEST_F(DatabaseTest, FindUnreadableNamesTheFirstRecordThatCannotBeRead)
{
    auto db = Database::OpenDatabase("Fatture.mdb", dir.path());
    db->Execute("INSERT INTO Incassi VALUES ('Fattura n.', 7, 'CA', 1e300, '', 2)");
    db->Execute("INSERT INTO Incassi VALUES ('Fattura n.', 5, 'CA', 'abc', '', 1)");
    db->Execute("INSERT INTO Incassi VALUES ('Fattura n.', 6, 'CA', X'01', '', 1)");
    db->Execute("INSERT INTO Incassi VALUES ('Fattura n.', 8, 'CA', 12, '', 70000)");
    struct Case {
        const char* field;
        const char* where;
        std::int64_t nDocumento;  // 0: none
    } cases[] = {
        {"Importo", "Contatore = 1", 5},
        {"Importo", "Contatore = 1 and NDocumento <> 5", 6},
        {"Importo", "Contatore = 2", 7},
        {"Importo", "NDocumento < 5", 0},
        {"Importo", "Sigla = 'ca'", 7},  // the condition compares as the stores do
        {"Contatore", "1 = 1", 8},
        {"Sigla", "1 = 1", 0},
        {"Nota", "1 = 1", 0},
    };
    for (const auto& c : cases) {
        auto rs = db->FindUnreadable("Incassi", c.field, c.where);
        if (!c.nDocumento) {
            EXPECT_EQ(rs, nullptr) << c.field << " where " << c.where;
            continue;
        }
        ASSERT_NE(rs, nullptr) << c.field << " where " << c.where;
        ASSERT_EQ(rs->RecordCount(), 1);
        EXPECT_EQ(rs->Fields("NDocumento").toInt(), c.nDocumento) << c.field << " where " << c.where;
        EXPECT_TRUE(rs->Fields(c.field).isUnreadable());
        EXPECT_EQ(rs->Fields("TipoDocumento").toText(), "Fattura n.");
    }
    try {
        db->FindUnreadable("Incassi", "Importo", "Manca = 1");
        ADD_FAILURE() << "a condition on a missing field";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("Manca"), std::string::npos) << e.what();
    }
}

}
