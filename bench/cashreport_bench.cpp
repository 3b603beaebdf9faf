// Times the cash-detail report over demo hotels of growing size and prints, for each
// run, the wall time of the report, the statements prepared on the stores, the rows the
// column amounts read and the peak memory of the process; and, next to each, one plain
// pass over the same payments on the same engine (the period's payments summed by day
// and code: Select DataEmissione, Sigla, Sum(Importo) From Incassi Where DataEmissione
// between the period's ends Group By DataEmissione, Sigla).
//
//   cashreport_bench [folder] [--database CONNINFO] [--ravelt PROGRAM]
//   cashreport_bench --statement FOLDER STORE SQL   (one statement of the dialect, timed)
//
// The demo folders are made under 'folder' (a new temporary folder when none is given,
// removed at the end): a month of 75 rooms, where the statements are timed too, a year
// and four years of 300 rooms (about 150,000 and 600,000 payments). Every measurement
// runs in a fresh process of this program, so each peak memory figure belongs to that
// measurement alone. With PROGRAM (the ravelt program), the whole `ravelt report`
// process is timed over each folder as well, and the plain pass as a process of the
// sqlite3 tool when it is installed.
//
// With --database the year and the four years are made a second time with their stores
// on that PostgreSQL server (their folders' Database.txt names it; a server that already
// holds a demo's stores is used as it is, with the folder kept from the run that made
// them), and the same measurements are taken there: the same report from either engine.
// A throw-away server: bash scripts/pg-server.sh start DIR prints a CONNINFO.

#include "cashreport/CreaDettaglioCassa.h"
#include "demohotel/DemoHotel.h"
#include "platform/BulkInsert.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/StoreCatalog.h"
#include "platform/StoreLocation.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace ravelt;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long peakKilobytes()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

struct Folder {
    const char* name;
    int days;
    int rooms;
    const char* from;
    const char* to;
    bool onServer = false;
    const char* database = nullptr;  // on the server: a database of its own, made with psql when missing
};

const Folder Folders[] = {
    {"month", 31, 75, "01/01/2026", "31/01/2026"},
    {"year", 365, 300, "01/01/2026", "31/12/2026"},
    {"4years", 1461, 300, "01/01/2026", "31/12/2029"},
};

const Folder ServerFolders[] = {
    {"year-pg", 365, 300, "01/01/2026", "31/12/2026", true},
    {"4years-pg", 1461, 300, "01/01/2026", "31/12/2029", true, "ravelt_bench_4years"},
};

// A dd/mm/yyyy date as the stores keep it, yyyymmdd.
std::string storedDay(const std::string& date)
{
    return date.substr(6, 4) + date.substr(3, 2) + date.substr(0, 2);
}

std::string plainPass(const std::string& from, const std::string& to)
{
    return "Select DataEmissione, Sigla, Sum(Importo) As Totale From Incassi Where DataEmissione >= '" + storedDay(from) +
           "' and DataEmissione <= '" + storedDay(to) + "' Group By DataEmissione, Sigla";
}

// The demo heads six columns; the benchmark heads all ten, the last one gathering every
// form of payment, so each payment counts in two columns.
void headTenColumns(const fs::path& folder)
{
    auto db = Database::OpenDatabase("ColonneRavelt.mdb", folder);
    db->BeginTrans();
    {
        BulkInsert rows(*db, "ColonneRavelt", {"NumeroHotel", "NumeroColonna", "Intestazione", "Sigla", "Descrizione"});
        rows.insert({Value(1), Value(7), Value("AGENZIE"), Value("09"), Value("")});
        rows.insert({Value(1), Value(8), Value("OMAGGI"), Value("10"), Value("")});
        rows.insert({Value(1), Value(9), Value("BANCOMAT"), Value("03"), Value("")});
        for (const char* code : {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10"})
            rows.insert({Value(1), Value(10), Value("TUTTE"), Value(code), Value("")});
    }
    db->CommitTrans();
}

// Child: one report run; prints "ms queries rows days baselineKB peakKB".
int runReport(const fs::path& folder, const std::string& from, const std::string& to, bool statements)
{
    const FixedClock clock(DateTime{2026, 12, 31, 23, 59, 0});
    CashReportRequest r;
    r.folder = folder;
    r.startDate = from;
    r.endDate = to;
    r.documentType = "Tutti";
    r.PCLocal = 1;
    r.clock = &clock;
    r.path = statements ? AmountsPath::Statements : AmountsPath::Period;
    long baseline = peakKilobytes();
    auto start = Clock::now();
    CashReportResult result = CreaDettaglioCassa(r);
    double ms = millisecondsSince(start);
    std::printf("%.1f %ld %ld %ld %ld %ld\n", ms, result.queries, result.rowsRead, result.days, baseline, peakKilobytes());
    return 0;
}

// Child: one plain pass over the period's payments, its rows read to the end; prints
// "ms groups baselineKB peakKB".
int runScan(const fs::path& folder, const std::string& from, const std::string& to)
{
    auto db = Database::OpenDatabase("Fatture.mdb", folder);
    long baseline = peakKilobytes();
    auto start = Clock::now();
    auto rs = db->OpenRecordset(plainPass(from, to));
    long groups = 0;
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext())
        ++groups;
    double ms = millisecondsSince(start);
    std::printf("%.1f %ld %ld %ld\n", ms, groups, baseline, peakKilobytes());
    return 0;
}

// Child, for looking into a plan: runs one statement of the dialect on a store of the
// folder, reading its rows to the end; prints "ms rows".
int runStatement(const fs::path& folder, const std::string& store, const std::string& sql)
{
    auto db = Database::OpenDatabase(store, folder);
    auto start = Clock::now();
    auto rs = db->OpenRecordset(sql);
    long rows = 0;
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext())
        ++rows;
    std::printf("%.1f %ld\n", millisecondsSince(start), rows);
    return 0;
}

// The wall time in milliseconds of a program run to its end, its output thrown away; a
// negative figure when it did not end well.
double timedProcess(const std::vector<std::string>& argv, const fs::path& folder)
{
    auto start = Clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(127);
        int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDOUT_FILENO);
        dup2(devnull, STDERR_FILENO);
        std::vector<std::string> copy = argv;
        std::vector<char*> args;
        for (auto& a : copy)
            args.push_back(a.data());
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    double ms = millisecondsSince(start);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1;
}

double bestOf(int runs, const std::vector<std::string>& argv, const fs::path& folder)
{
    double best = 1e300;
    for (int k = 0; k < runs; ++k) {
        double ms = timedProcess(argv, folder);
        if (ms < 0)
            return -1;
        best = std::min(best, ms);
    }
    return best;
}

// Runs this program again with the arguments and returns what it printed.
std::string child(const std::vector<std::string>& args)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        throw std::runtime_error("pipe");
    pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        std::vector<char*> argv;
        std::string self = fs::read_symlink("/proc/self/exe").string();
        argv.push_back(self.data());
        std::vector<std::string> copy = args;
        for (auto& a : copy)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(self.c_str(), argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    std::string out;
    char buf[256];
    ssize_t n;
    while ((n = read(pipeFds[0], buf, sizeof buf)) > 0)
        out.append(buf, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("measurement failed: " + out);
    return out;
}

struct ReportFigures {
    double ms = 0;
    long queries = 0, rows = 0, days = 0, baselineKb = 0, peakKb = 0;
};

ReportFigures parseReport(const std::string& line)
{
    ReportFigures f;
    std::sscanf(line.c_str(), "%lf %ld %ld %ld %ld %ld", &f.ms, &f.queries, &f.rows, &f.days, &f.baselineKb, &f.peakKb);
    return f;
}

int orchestrate(const fs::path& given, const std::string& conninfo, const std::string& program)
{
    fs::path root = given;
    bool temporary = root.empty();
    if (temporary) {
        std::string pattern = (fs::temp_directory_path() / "cashreport-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        root = pattern;
    }
    std::printf("Cash-detail report over demo hotels (type Tutti, every counter, ten headed columns)\n");
    std::printf("Each report figure is the min / median / max of 5 runs, each in a fresh process.\n\n");

    std::vector<Folder> folders(std::begin(Folders), std::end(Folders));
    if (!conninfo.empty())
        folders.insert(folders.end(), std::begin(ServerFolders), std::end(ServerFolders));
    std::vector<long> payments;
    for (const Folder& f : folders) {
        fs::path dir = root / f.name;
        long count = 0;
        std::string server = conninfo;
        if (f.database) {
            const std::string make = "psql '" + conninfo + "' -qAtc \"SELECT 1 FROM pg_database WHERE datname = '" + f.database +
                                     "'\" | grep -q 1 || psql '" + conninfo + "' -qc 'CREATE DATABASE " + f.database + "'";
            if (std::system(make.c_str()) != 0)
                throw std::runtime_error(std::string("cannot make the database ") + f.database + " with psql");
            server += std::string(" dbname=") + f.database;
        }
        const StoreLocation where = f.onServer ? StoreLocation::server(server, dir) : StoreLocation::files(dir);
        if (!storeExists(where, "Fatture.mdb")) {
            DemoOptions o;
            o.days = f.days;
            o.rooms = f.rooms;
            o.databaseFile = f.onServer;
            auto start = Clock::now();
            DemoSummary s = createDemoHotel(where, o);
            headTenColumns(dir);
            count = s.payments;
            std::printf("made %-9s %ld documents, %ld payments (%ld external), %ld presence rows in %.0f ms\n", f.name, s.documents,
                        s.payments, s.externalEntries, s.presenceRows, millisecondsSince(start));
        } else {
            auto db = Database::OpenDatabase(where, "Fatture.mdb");
            count = db->OpenRecordset("Select Count(*) As N From Incassi")->Fields("N").toInt();
            std::printf("using %-9s %ld payments\n", f.name, count);
        }
        payments.push_back(count);
    }

    std::printf("\n%-9s %-10s %8s %5s %8s %8s %8s %8s %8s %7s %7s %9s %6s\n", "folder", "path", "payments", "days", "min ms", "med ms",
                "max ms", "queries", "rows", "baseMB", "peakMB", "plain ms", "ratio");
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const Folder& f = folders[i];
        fs::path dir = root / f.name;
        double plain = 1e300;
        for (int k = 0; k < 5; ++k) {
            double ms = 0;
            std::sscanf(child({"--scan", dir.string(), f.from, f.to}).c_str(), "%lf", &ms);
            plain = std::min(plain, ms);
        }
        auto print = [&](const char* path, const std::vector<ReportFigures>& runs) {
            std::vector<double> times;
            for (const auto& r : runs)
                times.push_back(r.ms);
            std::sort(times.begin(), times.end());
            const ReportFigures& r = runs.front();
            std::printf("%-9s %-10s %8ld %5ld %8.1f %8.1f %8.1f %8ld %8ld %7.1f %7.1f %9.1f %6.2f\n", f.name, path, payments[i], r.days,
                        times.front(), times[times.size() / 2], times.back(), r.queries, r.rows, r.baselineKb / 1024.0,
                        r.peakKb / 1024.0, plain, times.front() / plain);
        };
        std::vector<ReportFigures> runs;
        for (int k = 0; k < 5; ++k)
            runs.push_back(parseReport(child({"--report", dir.string(), f.from, f.to, "period"})));
        print("period", runs);
        if (i == 0) {
            std::vector<ReportFigures> slow;
            for (int k = 0; k < 3; ++k)
                slow.push_back(parseReport(child({"--report", dir.string(), f.from, f.to, "statements"})));
            print("statements", slow);
        }
    }
    std::printf("\nplain ms: the plain pass, in-process through the storage layer, min of 5; ratio: min ms / plain ms.\n");

    if (!program.empty()) {
        const bool tool = timedProcess({"sqlite3", "-version"}, root) >= 0;
        std::printf("\nWhole processes, min of 5 runs: `ravelt report` over the folder's period%s\n",
                    tool ? "; the plain pass in the sqlite3 tool over the folder's Fatture.sqlite" : "");
        std::printf("%-9s %10s %10s %6s\n", "folder", "report ms", "sqlite3 ms", "ratio");
        for (const Folder& f : folders) {
            fs::path dir = root / f.name;
            double report = bestOf(5, {program, "report", "--from", f.from, "--to", f.to}, dir);
            double plain = -1;
            if (tool && !f.onServer)
                plain = bestOf(5, {"sqlite3", "Fatture.sqlite", plainPass(f.from, f.to)}, dir);
            if (plain > 0)
                std::printf("%-9s %10.1f %10.1f %6.2f\n", f.name, report, plain, report / plain);
            else
                std::printf("%-9s %10.1f %10s %6s\n", f.name, report, "-", "-");
        }
    }

    if (temporary)
        fs::remove_all(root);
    return 0;
}

}

int main(int argc, char** argv)
{
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        if (args.size() == 5 && args[0] == "--report")
            return runReport(args[1], args[2], args[3], args[4] == "statements");
        if (args.size() == 4 && args[0] == "--statement")
            return runStatement(args[1], args[2], args[3]);
        if (args.size() == 4 && args[0] == "--scan")
            return runScan(args[1], args[2], args[3]);
        std::string conninfo, program;
        fs::path folder;
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (args[i] == "--database" && i + 1 < args.size())
                conninfo = args[++i];
            else if (args[i] == "--ravelt" && i + 1 < args.size())
                program = fs::absolute(args[++i]).string();
            else
                folder = args[i];
        }
        return orchestrate(folder, conninfo, program);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cashreport_bench: %s\n", e.what());
        return 1;
    }
}
