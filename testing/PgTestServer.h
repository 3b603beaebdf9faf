#pragma once
#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <vector>

namespace ravelt::testing {

// A private PostgreSQL 15 server for the tests of one process.
//
// The server lives in a fresh folder under the temp folder: its cluster (data/), its log
// (server.log) and its Unix socket, with no TCP port at all, so any number of test
// processes run side by side (ctest -j) without meeting: each socket lies in its own
// folder, even though every server uses the port number 5432. The cluster is made for
// speed, not safety (fsync, synchronous_commit and full_page_writes off).
//
// PostgreSQL refuses to run as root, and the tests and CI run as root. So when this
// process is root the server's own programs (initdb, pg_ctl, and through it postgres)
// run as the unprivileged "postgres" user through runuser, and the folder is handed to
// that user; otherwise they run as the current user. psql always runs as the current
// user: the socket's permissions let anyone connect, and root can enter the folder.
// The programs are taken from Debian's /usr/lib/postgresql/15/bin, or from the folder
// RAVELT_PG_BINDIR names.
//
// The role "ravelt" is the superuser and connects without a password. Every other
// role must give its password (scram-sha-256), which is what the tests of a wrong
// password need.
//
// The server starts on the first call of instance(); when the process exits it is
// stopped (immediate mode) and its folder removed. Should the process die without
// running its exit code (a crash, a kill by the test runner), a small watcher started
// with the server notices within a second and does the same.
//
// A test that needs the server fails, with the reason, when it is not there:
//     auto& pg = PgTestServer::instance();
//     ASSERT_TRUE(pg.available()) << pg.whyUnavailable();
//     std::string db = pg.newDatabase();
class PgTestServer {
public:
    // The server of this process, started on first call.
    static PgTestServer& instance();
    ~PgTestServer();
    PgTestServer(const PgTestServer&) = delete;
    PgTestServer& operator=(const PgTestServer&) = delete;

    // Whether the server was made and started; when not, whyUnavailable() names the
    // command that failed and what it wrote on its error output.
    bool available() const;
    std::string whyUnavailable() const;

    // Creates a new empty database with a name unique in this process (t1, t2, ...) and
    // returns the libpq connection string for it, as the role ravelt. Throws
    // std::runtime_error when the server is unavailable or refuses.
    std::string newDatabase();

    // The libpq connection string for a database of this server, as the role ravelt:
    // "host=SOCKET_FOLDER port=PORT user=ravelt dbname=NAME". Stays valid across
    // stop() and start().
    std::string conninfo(const std::string& dbname) const;
    // The same for another role, with the password it gives (none when empty).
    std::string conninfo(const std::string& dbname, const std::string& user, const std::string& password) const;

    // Runs SQL (any number of statements, psql's meta-commands too) through psql as
    // the role ravelt on the database, stopping at the first error, and returns what
    // psql printed: one row a line, the columns separated by '|', no headers. Throws
    // std::runtime_error with psql's error output when any statement fails. Tests use it
    // to see what reached the server independently of the program.
    std::string psql(const std::string& dbname, const std::string& sql);

    // Creates a role that may log in with the given password.
    void createRole(const std::string& role, const std::string& password);

    // Stops the server (fast mode: sessions are ended, as when an administrator stops
    // it) and starts it again, in the same folder on the same socket. Throw
    // std::runtime_error when pg_ctl fails.
    void stop();
    void start();

    const std::filesystem::path& socketFolder() const { return folder_; }
    int port() const { return port_; }

private:
    PgTestServer();
    void make();
    void startServer();
    // The command line of a server program: as it is, or run as the user postgres.
    std::vector<std::string> asServer(std::vector<std::string> argv) const;
    std::string serverLogTail() const;

    std::filesystem::path folder_;
    std::filesystem::path data_;
    std::filesystem::path binDir_;
    int port_ = 5432;
    bool asPostgres_ = false;
    uid_t postgresUid_ = 0;
    gid_t postgresGid_ = 0;
    std::string dropTo_;  // runuser (or setpriv) when the programs run as postgres
    pid_t owner_ = 0;     // the process that made the server: only it stops the server
    bool made_ = false;   // the folder exists (and is removed at exit)
    std::string why_;

    std::mutex mutex_;
    int nextDatabase_ = 1;
    std::atomic<int> nextScript_{1};
};

}
