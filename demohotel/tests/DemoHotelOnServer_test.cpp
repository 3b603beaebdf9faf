#include "demohotel/DemoHotel.h"

#include "platform/AtomicFile.h"
#include "platform/Database.h"
#include "platform/Environment.h"
#include "platform/Recordset.h"
#include "platform/SqlQuote.h"
#include "platform/StoreCatalog.h"
#include "platform/StoreLocation.h"
#include "platform/StoreSchema.h"
#include "testing/PgTestServer.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace ravelt;
using ravelt::testing::PgTestServer;
using ravelt::testing::TempFolder;

namespace {

DemoOptions smallHotel()
{
    DemoOptions o;
    o.days = 12;
    o.rooms = 15;
    o.seed = 4;
    return o;
}

// A fresh database of the test server: its connection string and its name for psql.
struct ServerDatabase {
    std::string conninfo;
    std::string name;
};

ServerDatabase freshDatabase()
{
    const std::string conninfo = PgTestServer::instance().newDatabase();
    const std::string label = serverLabelOf(conninfo);
    return {conninfo, label.substr(label.rfind('/') + 1)};
}

// The known stores the server holds.
std::vector<std::string> storesOn(const std::string& conninfo)
{
    std::vector<std::string> there;
    for (const auto& s : knownStores())
        if (storeExists(StoreLocation::server(conninfo, fs::temp_directory_path()), s))
            there.push_back(s);
    return there;
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    return fs::exists(folder) ? ravelt::testing::fileNames(folder) : std::vector<std::string>{};
}

mode_t permissions(const fs::path& file)
{
    struct stat st {};
    ::stat(file.c_str(), &st);
    return st.st_mode & 0777;
}

class DemoOnServer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(PgTestServer::instance().available()) << PgTestServer::instance().whyUnavailable(); }
};

}

// The demo on a server holds the same rows as the demo in files with the same options,
// every table of every store, and tells the same counts.
TEST_F(DemoOnServer, HoldsWhatTheSameDemoHoldsInFiles)
{
    const ServerDatabase db = freshDatabase();
    TempFolder files, folder;
    const DemoSummary inFiles = createDemoHotel(StoreLocation::files(files.path()), smallHotel());
    const DemoSummary onServer = createDemoHotel(StoreLocation::server(db.conninfo, folder.path()), smallHotel());
    EXPECT_EQ(onServer.documents, inFiles.documents);
    EXPECT_EQ(onServer.payments, inFiles.payments);
    EXPECT_EQ(onServer.externalEntries, inFiles.externalEntries);
    EXPECT_EQ(onServer.presenceRows, inFiles.presenceRows);
    for (const auto& store : knownStores()) {
        auto file = Database::OpenDatabase(StoreLocation::files(files.path()), store);
        for (const auto& table : file->TableDefs()) {
            auto rs = file->OpenRecordset("SELECT count(*) FROM " + sqlIdentifier(table.name));
            EXPECT_EQ(PgTestServer::instance().psql(db.name, "SELECT count(*) FROM " + sqlIdentifier(schemaOf(store)) + "." +
                                                                 sqlIdentifier(table.name)),
                      rs->Fields(0).toText() + "\n")
                << store << " " << table.name;
        }
    }
    EXPECT_FALSE(fs::exists(folder / "Fatture.sqlite"));
    EXPECT_TRUE(fs::exists(folder / "Spedix.ini"));
}

// Asked to, the folder gets Database.txt naming the server: its first line the
// connection string, readable by its owner only when that holds a password, so that
// the folder's own check takes it and the folder finds its stores without the
// environment. Not asked, the folder names no server.
TEST_F(DemoOnServer, DatabaseFileNamesTheServerAndKeepsAPasswordPrivate)
{
    const mode_t mask = ::umask(022);
    ::umask(mask);
    struct Case {
        const char* what;
        std::string extra;  // words added to the connection string
        bool databaseFile;
        mode_t mode;
    } cases[] = {
        {"without a password", "", true, 0666 & ~mask},
        {"with a password", " password='Parola segreta'", true, 0600},
        {"not asked", "", false, 0},
    };
    for (const auto& c : cases) {
        const ServerDatabase db = freshDatabase();
        const std::string conninfo = db.conninfo + c.extra;
        TempFolder folder;
        DemoOptions o = smallHotel();
        o.databaseFile = c.databaseFile;
        createDemoHotel(StoreLocation::server(conninfo, folder.path()), o);
        EXPECT_EQ(storesOn(db.conninfo).size(), knownStores().size()) << c.what;
        if (!c.databaseFile) {
            EXPECT_FALSE(fs::exists(folder / DatabaseFileName)) << c.what;
            continue;
        }
        EXPECT_EQ(readFileBytes(folder / DatabaseFileName), conninfo + "\n") << c.what;
        EXPECT_EQ(permissions(folder / DatabaseFileName), c.mode) << c.what;
        const StoreLocation found = StoreLocation::of(folder.path(), MapEnvironment());
        EXPECT_EQ(found.conninfo(), conninfo) << c.what;
        auto rs = Database::OpenDatabase(found, "AnagraficaHotels.mdb")->OpenRecordset("AnagraficaHotels");
        EXPECT_EQ(rs->RecordCount(), 2) << c.what;
    }
}

// What would keep the demo from being made whole is found before any store is made:
// the folder and the server are left exactly as they were.
TEST_F(DemoOnServer, ARefusedDemoWritesNothing)
{
    struct Case {
        const char* what;
        std::string extra;      // words added to the connection string
        bool storeOnServer;     // the server holds Dettaglio.mdb already
        bool databaseFile;      // the folder holds Database.txt already
        const char* words;
    } cases[] = {
        {"a store on the server", "", true, false, "contiene già Dettaglio.mdb:"},
        {"a folder that names a server", "", false, true, "contiene già Database.txt"},
        {"a connection string on two lines", "\nsslmode=disable", false, false, "su più righe"},
    };
    for (const auto& c : cases) {
        const ServerDatabase db = freshDatabase();
        TempFolder parent;
        const fs::path folder = parent / "hotel";
        if (c.databaseFile) {
            fs::create_directory(folder);
            parent.write("hotel/Database.txt", "host=altrove dbname=hotel\n");
        }
        if (c.storeOnServer)
            createStore(StoreLocation::server(db.conninfo, parent.path()), "Dettaglio.mdb");
        const auto filesBefore = namesIn(folder);
        const auto storesBefore = storesOn(db.conninfo);
        DemoOptions o = smallHotel();
        o.databaseFile = true;
        try {
            createDemoHotel(StoreLocation::server(db.conninfo + c.extra, folder), o);
            ADD_FAILURE() << c.what << ": the demo was made";
        } catch (const std::exception& e) {
            EXPECT_NE(std::string(e.what()).find(c.words), std::string::npos) << c.what << ": " << e.what();
        }
        EXPECT_EQ(namesIn(folder), filesBefore) << c.what;
        EXPECT_EQ(storesOn(db.conninfo), storesBefore) << c.what;
    }
}

// A store the server refuses half-way (here the fifth, stopped by an event trigger)
// takes back the stores made before it and every file: the server and the folder are
// as they were found.
TEST_F(DemoOnServer, AFailureHalfWayTakesBackStoresAndFiles)
{
    const ServerDatabase db = freshDatabase();
    PgTestServer::instance().psql(db.name, R"(
        CREATE FUNCTION rifiuta_colonne() RETURNS event_trigger LANGUAGE plpgsql AS $$
        BEGIN
            IF EXISTS (SELECT 1 FROM pg_event_trigger_ddl_commands() WHERE object_identity = 'colonneravelt') THEN
                RAISE EXCEPTION 'schema colonneravelt rifiutato dalla prova';
            END IF;
        END $$;
        CREATE EVENT TRIGGER rifiuta_colonne ON ddl_command_end WHEN TAG IN ('CREATE SCHEMA') EXECUTE FUNCTION rifiuta_colonne();
    )");
    TempFolder folder;
    folder.write("note.txt", "da non toccare");
    DemoOptions o = smallHotel();
    o.databaseFile = true;
    try {
        createDemoHotel(StoreLocation::server(db.conninfo, folder.path()), o);
        FAIL() << "the demo was made past the refused store";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("rifiutato dalla prova"), std::string::npos) << e.what();
    }
    EXPECT_EQ(storesOn(db.conninfo), std::vector<std::string>{});
    EXPECT_EQ(ravelt::testing::fileNames(folder.path()), std::vector<std::string>{"note.txt"});
}
