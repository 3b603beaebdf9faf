#include "platform/StoreMigration.h"

#include "demohotel/DemoHotel.h"
#include "platform/BulkInsert.h"
#include "platform/Currency.h"
#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "platform/SqlQuote.h"
#include "platform/StoreCatalog.h"
#include "platform/StoreLocation.h"
#include "platform/StoreSchema.h"
#include "testing/PgTestServer.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace ravelt;
using ravelt::testing::PgTestServer;
using ravelt::testing::TempFolder;

namespace {

// An amount in ten-thousandths written as the server writes a sum of numeric(19,4).
std::string fourDecimals(std::int64_t units)
{
    const unsigned long long a = units < 0 ? 0ULL - static_cast<unsigned long long>(units) : static_cast<unsigned long long>(units);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%s%llu.%04llu", units < 0 ? "-" : "", a / 10000, a % 10000);
    return buf;
}

// Every record of every table of a store as the program reads it, each value with its
// kind (Null, whole number, floating, amount, text) and its text, sorted: the same
// multiset on both engines means every value came across exactly, whatever order the
// engine gives the records in.
std::vector<std::string> records(const StoreLocation& where, const std::string& store)
{
    auto db = Database::OpenDatabase(where, store);
    std::vector<std::string> out;
    for (const auto& t : db->TableDefs()) {
        auto rs = db->OpenRecordset("SELECT * FROM " + sqlIdentifier(t.name));
        for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
            std::string line = t.name;
            for (int c = 0; c < rs->fieldCount(); ++c)
                line += "|" + rs->fieldName(c) + "=" + std::to_string(rs->Fields(c).raw().index()) + ":" + rs->Fields(c).toText();
            out.push_back(line);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

// A working folder of SQLite files and a fresh database of the test server to copy it to.
class Migration : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pg().available()) << pg().whyUnavailable();
        useFreshDatabase();
    }

    // Points server() and psql() at a new empty database of the test server.
    void useFreshDatabase()
    {
        conninfo = pg().newDatabase();
        const std::string label = serverLabelOf(conninfo);
        database = label.substr(label.rfind('/') + 1);
    }

    static PgTestServer& pg() { return PgTestServer::instance(); }
    StoreLocation files() const { return StoreLocation::files(folder.path()); }
    StoreLocation server() const { return StoreLocation::server(conninfo, serverFolder.path()); }
    std::string psql(const std::string& sql) { return pg().psql(database, sql); }

    // A demo hotel of the given size in the folder's files.
    void demo(int days, int rooms)
    {
        DemoOptions o;
        o.days = days;
        o.rooms = rooms;
        o.seed = 11;
        createDemoHotel(files(), o);
    }

    // Runs a statement on one store of the folder's files.
    void onFile(const std::string& store, const std::string& sql) const
    {
        auto db = Database::OpenDatabase(files(), store);
        db->Execute(sql);
    }

    std::vector<std::string> storesOnServer() const
    {
        std::vector<std::string> there;
        for (const auto& s : knownStores())
            if (storeExists(server(), s))
                there.push_back(s);
        return there;
    }

    TempFolder folder, serverFolder;
    std::string conninfo, database;
};

// A store of another program, with a value of every type, Nulls, accents and the euro sign.
void importedStore(const StoreLocation& where)
{
    auto db = Database::CreateDatabase(where, "Importato.mdb");
    TableDef t = Database::CreateTableDef("Movimenti");
    t.append(Database::CreateField("Causale", FieldType::Text, 12));
    t.append(Database::CreateField("Importo", FieldType::Currency));
    t.append(Database::CreateField("Quantita", FieldType::Long));
    t.append(Database::CreateField("Peso", FieldType::Double));
    t.append(Database::CreateField("Piano", FieldType::Integer));
    db->AppendTableDef(t);
    BulkInsert rows(*db, "Movimenti", {"Causale", "Importo", "Quantita", "Peso", "Piano"});
    rows.insert({Value("Città"), Value(Currency::fromUnits(12345678)), Value(7), Value(0.1), Value(-3)});
    rows.insert({Value(), Value(Currency::fromUnits(-1)), Value(), Value(1e300), Value()});
    rows.insert({Value("ÀÉÎ õ ü €"), Value(), Value(2147483647), Value(-2.5), Value(32767)});
    rows.insert({Value(""), Value(Currency::fromUnits(1234567890123456LL)), Value(-2147483647 - 1), Value(5e-324), Value(0)});
}

}

// A demo hotel with more payments than one page of reading, and a store of another
// program: every row reaches the server, every amount to the ten-thousandth, Nulls as
// Nulls, accented text byte for byte, read back by psql and by the program alike; the
// known stores get their indexes, the other store its declared types.
TEST_F(Migration, CopiesEveryStoreWithItsValuesExactly)
{
    demo(150, 60);
    importedStore(files());
    {
        auto db = Database::OpenDatabase(files(), "Fatture.mdb");
        auto rs = db->OpenRecordset("SELECT count(*) FROM Incassi");
        ASSERT_GT(rs->Fields(0).toInt(), 5000) << "the payments no longer span several pages of reading";
    }
    MigrationSummary summary;
    migrateStores(folder.path(), server(), false, summary);

    std::vector<std::string> expected = knownStores();
    expected.push_back("Importato.mdb");
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> copied;
    for (const auto& c : summary.copied) {
        copied.push_back(c.store);
        EXPECT_FALSE(c.replaced) << c.store;
    }
    EXPECT_EQ(copied, expected);

    for (const auto& store : expected) {
        const auto here = records(files(), store);
        EXPECT_EQ(records(server(), store), here) << store;
        const auto c = std::find_if(summary.copied.begin(), summary.copied.end(), [&](const StoreCopy& s) { return s.store == store; });
        ASSERT_NE(c, summary.copied.end()) << store;
        EXPECT_EQ(c->rows, static_cast<long>(here.size())) << store;
    }

    auto fatture = Database::OpenDatabase(files(), "Fatture.mdb");
    auto sums = fatture->OpenRecordset("SELECT count(*), sum(CurrencyUnits(Importo)), sum(Importo IS NULL), sum(Nota IS NULL), "
                                       "sum(Importo < 0) FROM Incassi");
    ASSERT_GT(sums->Fields(2).toInt(), 0) << "the demo has no Null amount to copy";
    ASSERT_GT(sums->Fields(4).toInt(), 0) << "the demo has no negative amount to copy";
    EXPECT_EQ(psql("SELECT count(*), sum(\"Importo\"), count(*) FILTER (WHERE \"Importo\" IS NULL), "
                   "count(*) FILTER (WHERE \"Nota\" IS NULL), count(*) FILTER (WHERE \"Importo\" < 0) FROM fatture.\"Incassi\""),
              sums->Fields(0).toText() + "|" + fourDecimals(sums->Fields(1).toInt()) + "|" + sums->Fields(2).toText() + "|" +
                  sums->Fields(3).toText() + "|" + sums->Fields(4).toText() + "\n");
    EXPECT_EQ(psql("SELECT \"RagioneSociale\" FROM anagraficahotels.\"AnagraficaHotels\" WHERE \"Numero\" = 1"),
              "Hotel Bellavista e Caffè Rossi & C. s.n.c.\n");
    EXPECT_EQ(psql("SELECT \"Causale\", \"Importo\", \"Peso\" FROM importato.\"Movimenti\" WHERE \"Piano\" = 32767"),
              "ÀÉÎ õ ü €||-2.5\n");
    EXPECT_EQ(psql("SELECT sum(\"Importo\") FROM importato.\"Movimenti\""), "123456790246.9133\n");
    EXPECT_EQ(psql("SELECT count(*) FROM pg_indexes WHERE schemaname = 'fatture'"), "6\n");

    auto imported = Database::OpenDatabase(server(), "Importato.mdb")->TableDefs();
    auto source = Database::OpenDatabase(files(), "Importato.mdb")->TableDefs();
    ASSERT_EQ(imported.size(), 1u);
    ASSERT_EQ(imported[0].fields.size(), source[0].fields.size());
    for (std::size_t i = 0; i < source[0].fields.size(); ++i) {
        EXPECT_EQ(imported[0].fields[i].name, source[0].fields[i].name);
        EXPECT_EQ(imported[0].fields[i].type, source[0].fields[i].type) << source[0].fields[i].name;
        EXPECT_EQ(imported[0].fields[i].size, source[0].fields[i].size) << source[0].fields[i].name;
    }
}

// A server that holds one of the stores is refused with that store named, and nothing
// is copied; asked to replace, the copy replaces that store whole and creates the others.
TEST_F(Migration, RefusesAServerHoldingAStoreUnlessToldToReplaceIt)
{
    demo(5, 10);
    {
        auto db = Database::CreateDatabase(server(), "Contatori.mdb");
        createStoreTables(*db);
        BulkInsert(*db, "Contatori", {"NumeroHotel", "LungPagComp", "LungPagNoComp"}).insert({Value(9), Value(1), Value(1)});
        db->CommitTrans();
    }
    MigrationSummary summary;
    try {
        migrateStores(folder.path(), server(), false, summary);
        FAIL() << "copied over a store the server held";
    } catch (const DbError& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("contiene già Contatori.mdb:"), std::string::npos) << m;
        EXPECT_NE(m.find(serverLabelOf(conninfo)), std::string::npos) << m;
    }
    EXPECT_EQ(summary.present, std::vector<std::string>{"Contatori.mdb"});
    EXPECT_TRUE(summary.copied.empty());
    EXPECT_EQ(storesOnServer(), std::vector<std::string>{"Contatori.mdb"});
    EXPECT_EQ(psql("SELECT \"NumeroHotel\" FROM contatori.\"Contatori\" ORDER BY 1"), "9\n");

    migrateStores(folder.path(), server(), true, summary);
    EXPECT_EQ(storesOnServer().size(), knownStores().size());
    for (const auto& c : summary.copied)
        EXPECT_EQ(c.replaced, c.store == "Contatori.mdb") << c.store;
    EXPECT_EQ(psql("SELECT \"NumeroHotel\" FROM contatori.\"Contatori\" ORDER BY 1"), "1\n2\n");
}

// A replacement that fails in the middle of a store (the server refuses a text that is not
// UTF-8) leaves that store on the server as it was and the stores after it untouched;
// the stores replaced before it keep their new copy, and the message says which.
TEST_F(Migration, AFailedReplacementLeavesTheStoreAsItWas)
{
    demo(20, 20);
    MigrationSummary summary;
    migrateStores(folder.path(), server(), false, summary);
    const std::string before = psql("SELECT count(*), sum(\"Importo\") FROM fatture.\"Incassi\"");

    onFile("Contatori.mdb", "UPDATE Contatori SET LungPagComp = 99 WHERE NumeroHotel = 1");
    onFile("Stampanti.mdb", "UPDATE Stampanti SET Destinazione = 'Nuova' WHERE Numero = 1");
    onFile("Fatture.mdb", "UPDATE Incassi SET Importo = Importo + 1");
    onFile("Fatture.mdb", "INSERT INTO Incassi (TipoDocumento, NDocumento, Nota) VALUES ('FATTURA', 1, CAST(X'FF41' AS TEXT))");
    try {
        migrateStores(folder.path(), server(), true, summary);
        FAIL() << "the server took a text that is not UTF-8";
    } catch (const DbError& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("Archivio Fatture.mdb"), std::string::npos) << m;
        EXPECT_NE(m.find("tabella Incassi, record"), std::string::npos) << m;
        EXPECT_NE(m.find("Contatori.mdb, Dettaglio.mdb erano già stati sostituiti"), std::string::npos) << m;
    }
    EXPECT_EQ(psql("SELECT count(*), sum(\"Importo\") FROM fatture.\"Incassi\""), before);
    EXPECT_EQ(psql("SELECT \"LungPagComp\" FROM contatori.\"Contatori\" WHERE \"NumeroHotel\" = 1"), "99\n");
    EXPECT_EQ(psql("SELECT \"Destinazione\" FROM stampanti.\"Stampanti\" WHERE \"Numero\" = 1"), "Laser Ufficio\n");
    std::vector<std::string> kept;
    for (const auto& c : summary.copied)
        kept.push_back(c.store);
    EXPECT_EQ(kept, (std::vector<std::string>{"AnagraficaHotels.mdb", "CodiciVari.mdb", "ColonneRavelt.mdb", "Contatori.mdb",
                                              "Dettaglio.mdb"}));
}

// A value that would not come across as it is stops a first copy, named with its place;
// the stores already created are taken away again, so the server holds none of them.
TEST_F(Migration, AValueThatWouldChangeStopsTheCopyAndLeavesTheServerAsItWas)
{
    struct Case {
        const char* what;
        const char* sql;  // on Fatture.mdb
        const char* words;
    } cases[] = {
        {"a text in an amount", "UPDATE Incassi SET Importo = 'abc' WHERE rowid = 7",
         "tabella Incassi, record 7: il campo Importo contiene \"abc\", che non è un numero"},
        {"a NUL byte in a text", "UPDATE Incassi SET Nota = CAST(X'410042' AS TEXT) WHERE rowid = 3",
         "tabella Incassi, record 3: il campo Nota contiene un carattere nullo"},
        {"a text the server refuses", "UPDATE DatiFattura SET Annullato = CAST(X'C3' AS TEXT) WHERE rowid = 2",
         "(tabella DatiFattura, record 2)"},
    };
    demo(3, 10);
    for (const auto& c : cases) {
        useFreshDatabase();
        TempFolder copy;
        for (const auto& e : std::filesystem::directory_iterator(folder.path()))
            std::filesystem::copy(e.path(), copy.path() / e.path().filename());
        Database::OpenDatabase(StoreLocation::files(copy.path()), "Fatture.mdb")->Execute(c.sql);
        MigrationSummary summary;
        try {
            migrateStores(copy.path(), server(), false, summary);
            ADD_FAILURE() << c.what << " was copied";
        } catch (const DbError& e) {
            EXPECT_NE(std::string(e.what()).find(c.words), std::string::npos) << c.what << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find("il server è rimasto com'era"), std::string::npos) << c.what << ": " << e.what();
        }
        EXPECT_TRUE(summary.copied.empty()) << c.what;
        EXPECT_EQ(storesOnServer(), std::vector<std::string>{}) << c.what;
    }
}

// What cannot be copied as a whole is refused before the server is written.
TEST_F(Migration, AFolderThatCannotBeCopiedIsRefusedBeforeTheServerIsWritten)
{
    struct Case {
        const char* what;
        std::function<void(const std::filesystem::path&)> prepare;
        const char* words;
    } cases[] = {
        {"no store", [](const std::filesystem::path&) {}, "non contiene archivi da copiare"},
        {"a file that is not a store",
         [](const std::filesystem::path& f) {
             DemoOptions o;
             o.days = 2;
             createDemoHotel(StoreLocation::files(f), o);
             std::FILE* out = std::fopen((f / "Rotto.sqlite").c_str(), "wb");
             std::fputs("non sono un archivio, ma un file di testo qualsiasi", out);
             std::fclose(out);
         },
         "Rotto.mdb"},
        {"two stores in one schema",
         [](const std::filesystem::path& f) {
             createStore(StoreLocation::files(f), "Fatture.mdb");
             Database::CreateDatabase(StoreLocation::files(f), "FATTURE.mdb");
         },
         "stesso schema fatture"},
    };
    for (const auto& c : cases) {
        TempFolder source;
        c.prepare(source.path());
        MigrationSummary summary;
        try {
            migrateStores(source.path(), server(), false, summary);
            ADD_FAILURE() << c.what << " was copied";
        } catch (const std::exception& e) {
            EXPECT_NE(std::string(e.what()).find(c.words), std::string::npos) << c.what << ": " << e.what();
        }
        EXPECT_EQ(psql("SELECT count(*) FROM pg_namespace WHERE nspname NOT LIKE 'pg\\_%' AND nspname NOT IN "
                       "('public', 'information_schema')"),
                  "0\n")
            << c.what;
    }
}

// A store taken away goes whole, on either engine: the file with the journal SQLite
// left beside it, or the schema with its tables. One that is not there is no error, and
// the other stores stay.
TEST_F(Migration, DropStoreTakesAStoreAwayWhole)
{
    for (const StoreLocation& where : {files(), server()}) {
        createStore(where, "Fatture.mdb");
        createStore(where, "Dettaglio.mdb");
    }
    folder.write("Fatture.sqlite-journal", "resto di una scrittura interrotta");
    for (const StoreLocation& where : {files(), server()}) {
        dropStore(where, "Fatture.mdb");
        EXPECT_NO_THROW(dropStore(where, "Fatture.mdb")) << where.onServer();
        EXPECT_FALSE(storeExists(where, "Fatture.mdb")) << where.onServer();
        EXPECT_TRUE(storeExists(where, "Dettaglio.mdb")) << where.onServer();
    }
    EXPECT_EQ(ravelt::testing::fileNames(folder.path()), std::vector<std::string>{"Dettaglio.sqlite"});
    EXPECT_EQ(psql("SELECT count(*) FROM pg_tables WHERE schemaname = 'fatture'"), "0\n");
}
