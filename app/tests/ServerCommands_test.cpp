#include "platform/AtomicFile.h"
#include "platform/StoreLocation.h"
#include "testing/PgTestServer.h"
#include "testing/TempFolder.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace fs = std::filesystem;
using ravelt::serverLabelOf;
using ravelt::testing::PgTestServer;
using ravelt::testing::TempFolder;

namespace {

struct Outcome {
    int status;
    std::string out;  // standard output
    std::string all;  // standard output, then standard error
};

std::string shellQuoted(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string capture(const std::string& cmd, int& status)
{
    std::string text;
    FILE* p = popen(cmd.c_str(), "r");
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
        text.append(buf.data(), n);
    const int s = pclose(p);
    status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    return text;
}

// Runs the program in 'folder' as a script would, without a terminal, the server named
// only by the arguments or by 'env' (assignments such as RAVELT_DATABASE='...').
Outcome run(const fs::path& folder, const std::string& args, const std::string& env = "")
{
    TempFolder errors;
    const fs::path err = errors / "err";
    Outcome r{-1, {}, {}};
    r.out = capture("cd " + shellQuoted(folder.string()) + " && env -u RAVELT_PASSWORD -u RAVELT_DATABASE PCLocal=3 " + env +
                        " '" RAVELT_EXE "' " + args + " < /dev/null 2> " + shellQuoted(err.string()),
                    r.status);
    r.all = r.out + errors.read("err");
    return r;
}

// The counts a demo's summary line tells, without the folder's name and the time taken.
std::string demoCounts(const std::string& out)
{
    const size_t from = out.find(": "), to = out.find(';');
    return from == std::string::npos || to == std::string::npos ? "" : out.substr(from, to - from);
}


const char* const Demo = "--days 40 --from 01/01/2024 --rooms 20 --seed 5";

// The report periods, types and counters compared between two folders.
const char* const Reports[] = {
    "report --from 01/01/2024 --to 09/02/2024",
    "report --from 03/01/2024 --to 20/01/2024 --type Fatture --counter 1",
    "report --from 01/01/2024 --to 31/01/2024 --type Ricevute --counter 2",
};

// A report file without its title lines, which carry the minute the report was made:
// two runs a moment apart may fall in different minutes.
std::string withoutTitles(const std::string& report)
{
    std::string out;
    std::size_t from = 0;
    while (from < report.size()) {
        std::size_t end = report.find('\n', from);
        end = end == std::string::npos ? report.size() : end + 1;
        const std::string line = report.substr(from, end - from);
        if (line.find("Dettaglio incassi dal") == std::string::npos)
            out += line;
        from = end;
    }
    return out;
}

// Each report of Reports in both folders, byte for byte the same (the second folder's
// commands run with 'envB' too).
void expectSameReports(const fs::path& a, const fs::path& b, const std::string& envB = {})
{
    for (const char* args : Reports) {
        const Outcome ra = run(a, args), rb = run(b, args, envB);
        ASSERT_EQ(ra.status, 0) << args << ": " << ra.all;
        ASSERT_EQ(rb.status, 0) << args << ": " << rb.all;
        const std::string fa = ravelt::readFileBytes(a / "FD3"), fb = ravelt::readFileBytes(b / "FD3");
        EXPECT_GT(fa.size(), 1000u) << args;
        EXPECT_NE(fa.find("Dettaglio incassi dal"), std::string::npos) << args;
        EXPECT_TRUE(withoutTitles(fa) == withoutTitles(fb)) << args << ": the reports differ";
    }
}

class ServerCommands : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pg().available()) << pg().whyUnavailable(); }
    static PgTestServer& pg() { return PgTestServer::instance(); }
    // The name psql takes for the database of a connection string.
    static std::string nameOf(const std::string& conninfo)
    {
        const std::string label = serverLabelOf(conninfo);
        return label.substr(label.rfind('/') + 1);
    }
    std::string schemasOn(const std::string& conninfo)
    {
        return pg().psql(nameOf(conninfo), "SELECT count(*) FROM pg_namespace WHERE nspname NOT LIKE 'pg\\_%' AND "
                                           "nspname NOT IN ('public', 'information_schema', 'ravelt')");
    }
    TempFolder root;
};

}

// A demo made on the server gives the same reports as the same demo in files, read
// through the Database.txt the demo wrote.
TEST_F(ServerCommands, ADemoOnTheServerReportsAsTheSameDemoInFiles)
{
    const std::string conninfo = pg().newDatabase();
    const Outcome files = run(root.path(), std::string("demo files ") + Demo);
    const Outcome server = run(root.path(), std::string("demo server ") + Demo + " --database " + shellQuoted(conninfo));
    ASSERT_EQ(files.status, 0) << files.all;
    ASSERT_EQ(server.status, 0) << server.all;
    EXPECT_EQ(demoCounts(server.out), demoCounts(files.out)) << server.out;
    EXPECT_EQ(root.read("server/Database.txt"), conninfo + "\n");
    EXPECT_FALSE(fs::exists(root / "server/Fatture.sqlite"));
    expectSameReports(root / "files", root / "server");
}

// The stores copied by migrate give the same reports as the files they came from; the
// output tells each store and the total, and the folder is left using its files.
TEST_F(ServerCommands, MigratedStoresReportAsTheirFiles)
{
    const std::string conninfo = pg().newDatabase();
    ASSERT_EQ(run(root.path(), std::string("demo files ") + Demo).status, 0);
    const Outcome r = run(root / "files", "migrate --to " + shellQuoted(conninfo));
    ASSERT_EQ(r.status, 0) << r.all;
    EXPECT_EQ(r.all, r.out) << "nothing on the error stream";
    EXPECT_FALSE(fs::exists(root / "files/Database.txt"));

    long rows = 0;
    int stores = 0;
    size_t at = 0;
    for (size_t end; (end = r.out.find('\n', at)) != std::string::npos; at = end + 1) {
        const std::string line = r.out.substr(at, end - at);
        long tables = 0, n = 0;
        char store[64] = {};
        if (std::sscanf(line.c_str(), "%63[^:]: %ld %*s %ld righe", store, &tables, &n) == 3 && std::string(store).ends_with(".mdb")) {
            ++stores;
            rows += n;
        }
    }
    EXPECT_EQ(stores, 7) << r.out;
    EXPECT_NE(r.out.find("Copiati sul server " + serverLabelOf(conninfo) + ": 7 archivi, 9 tabelle, " + std::to_string(rows) +
                         " righe\n"),
              std::string::npos)
        << r.out;

    fs::create_directory(root / "server");
    for (const auto& e : fs::directory_iterator(root / "files"))
        if (e.path().extension() != ".sqlite")
            fs::copy(e.path(), root / "server" / e.path().filename());
    root.write("server/Database.txt", conninfo + "\n");
    expectSameReports(root / "files", root / "server");
}

// With RAVELT_DATABASE set, a demo's stores go to its server (the folder would look for
// them there) and the folder names no server of its own; its reports, made with the
// variable set, are those of the same demo in files. --database naming another server
// is refused before anything is written.
TEST_F(ServerCommands, TheDemoFollowsTheVariableAndRefusesAnotherServer)
{
    const std::string conninfo = pg().newDatabase(), other = pg().newDatabase();
    const std::string variable = "RAVELT_DATABASE=" + shellQuoted(conninfo);
    const Outcome r = run(root.path(), std::string("demo v ") + Demo, variable);
    ASSERT_EQ(r.status, 0) << r.all;
    EXPECT_FALSE(fs::exists(root / "v/Database.txt"));
    EXPECT_FALSE(fs::exists(root / "v/Fatture.sqlite"));
    EXPECT_EQ(schemasOn(conninfo), "7\n");
    ASSERT_EQ(run(root.path(), std::string("demo files ") + Demo).status, 0);
    expectSameReports(root / "files", root / "v", variable);

    const Outcome refused = run(root.path(), "demo w --days 3 --rooms 3 --database " + shellQuoted(other), variable);
    EXPECT_EQ(refused.status, 2) << refused.all;
    EXPECT_NE(refused.all.find("--database indica un server diverso da quello di RAVELT_DATABASE"), std::string::npos)
        << refused.all;
    EXPECT_FALSE(fs::exists(root / "w"));
    EXPECT_EQ(schemasOn(other), "0\n");
}

// A role with a password, given in the connection string: what the commands write,
// done or refused, names the server as host:port/database and never the password.
TEST_F(ServerCommands, ThePasswordNeverReachesTheOutput)
{
    const std::string password = "Segreto-Pw77";
    const std::string database = nameOf(pg().newDatabase());
    pg().createRole("cassiere", password);
    pg().psql(database, "GRANT CREATE ON DATABASE " + database + " TO cassiere");
    const std::string conninfo = pg().conninfo(database, "cassiere", password);
    const std::string label = serverLabelOf(conninfo);
    ASSERT_EQ(run(root.path(), "demo files --days 3 --rooms 3").status, 0);

    struct Step {
        const char* what;
        const char* folder;
        std::string args;
        int status;
        std::string words;
    } steps[] = {
        {"demo", "", "demo server --days 3 --rooms 3 --database " + shellQuoted(conninfo), 0, "Cartella demo server: "},
        {"report through Database.txt", "server", "report --from 01/01/2026 --to 03/01/2026", 0, "Report scritto"},
        {"demo on a server that holds it", "", "demo altro --days 3 --database " + shellQuoted(conninfo), 1,
         "Il server " + label + " contiene già AnagraficaHotels.mdb"},
        {"migrate refused", "files", "migrate --to " + shellQuoted(conninfo), 1,
         "Il server " + label + " contiene già AnagraficaHotels.mdb"},
        {"migrate replacing", "files", "migrate --to " + shellQuoted(conninfo) + " --replace", 0, "Copiati sul server " + label},
        {"wrong password", "files", "migrate --to " + shellQuoted(pg().conninfo(database, "cassiere", password + "x")), 1,
         "accesso al server negato"},
        {"unreadable connection string", "files", "migrate --to " + shellQuoted(conninfo + " " + password), 1,
         "stringa di connessione non valida"},
    };
    for (const auto& s : steps) {
        const Outcome r = run(root / s.folder, s.args);
        EXPECT_EQ(r.status, s.status) << s.what << ": " << r.all;
        EXPECT_NE(r.all.find(s.words), std::string::npos) << s.what << ": " << r.all;
        EXPECT_EQ(r.all.find(password), std::string::npos) << s.what << ": " << r.all;
    }
    struct stat st {};
    ASSERT_EQ(::stat((root / "server/Database.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}
