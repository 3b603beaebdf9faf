#include "testing/PgTestServer.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <pwd.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace ravelt::testing {

namespace {

// Where the PostgreSQL 15 programs are unless RAVELT_PG_BINDIR names another folder.
const char* const defaultBinDir = "/usr/lib/postgresql/15/bin";
// The role the cluster is made with: its superuser, trusted on the socket.
const char* const superuser = "ravelt";

// What one run of a program gave. 'failure' says why it did not run or did not finish
// (then 'code' is -1); otherwise 'code' is its exit code.
struct Run {
    int code = -1;
    std::string out;
    std::string err;
    std::string failure;
    bool ok() const { return failure.empty() && code == 0; }
};

// An argument as a shell would need it, so that the commands in the messages can be
// copied to a terminal and tried by hand.
std::string shellWord(const std::string& a)
{
    if (!a.empty() && a.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-./=:,+@%") ==
                          std::string::npos)
        return a;
    std::string q = "'";
    for (char c : a)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string commandLine(const std::vector<std::string>& argv)
{
    std::string s;
    for (const auto& a : argv)
        s += (s.empty() ? "" : " ") + shellWord(a);
    return s;
}

std::string trimmed(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") + 1 - b);
}

// "`command` exited with code N:" and what it said (its error output, or its standard
// output when that is all it wrote): the message of a failed step.
std::string describe(const std::vector<std::string>& argv, const Run& r)
{
    std::string s = "`" + commandLine(argv) + "` ";
    s += r.failure.empty() ? "exited with code " + std::to_string(r.code) : r.failure;
    std::string said = trimmed(r.err);
    if (said.empty())
        said = trimmed(r.out);
    return said.empty() ? s + " and wrote nothing" : s + ":\n" + said;
}

// This process's environment without the PG... variables, which libpq and the server
// programs read: a PGHOST, PGOPTIONS or PGPASSWORD set around the tests would send them
// elsewhere or change what they do. PGPASSFILE names a file that never exists, so a
// ~/.pgpass of the person running the tests supplies no password either.
std::vector<std::string> childEnvironment(const std::filesystem::path& folder)
{
    std::vector<std::string> env;
    for (char** e = environ; e && *e; ++e)
        if (std::strncmp(*e, "PG", 2) != 0)
            env.emplace_back(*e);
    env.push_back("PGPASSFILE=" + (folder / "no-password-file").string());
    return env;
}

void readSome(int fd, std::string& into, bool& open)
{
    char buf[4096];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0) {
            into.append(buf, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            open = false;
        return;
    }
}

// Runs a program (argv[0] a full path) in the folder 'cwd' with the environment 'env',
// its standard input empty, and collects its standard output and error output. It is
// stopped (SIGTERM, then SIGKILL) after 'limit'. The child gets no other open file of
// this process and the default signal handling; with 'newSession' it also starts a
// session of its own, away from the terminal and its Ctrl-C.
// Returns when the program has exited, even when a program it started in the background
// still holds the pipes: what is in them by then is taken and the rest ignored.
// posix_spawn rather than QProcess: this also runs from the exit handlers, after the
// QCoreApplication of the test's main is gone.
Run run(const std::vector<std::string>& argv, const std::filesystem::path& cwd, const std::vector<std::string>& env,
        std::chrono::seconds limit, bool newSession = false)
{
    Run r;
    int outPipe[2], errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0) {
        r.failure = std::string("could not run: pipe: ") + std::strerror(errno);
        return r;
    }
    if (::pipe2(errPipe, O_CLOEXEC) != 0) {
        r.failure = std::string("could not run: pipe: ") + std::strerror(errno);
        ::close(outPipe[0]);
        ::close(outPipe[1]);
        return r;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());

    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int s : {SIGPIPE, SIGINT, SIGTERM, SIGQUIT, SIGHUP, SIGCHLD, SIGUSR1, SIGUSR2})
        sigaddset(&defaults, s);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (newSession)
        flags |= POSIX_SPAWN_SETSID;
    posix_spawnattr_setflags(&attr, flags);

    std::vector<char*> cargv, cenv;
    for (const auto& a : argv)
        cargv.push_back(const_cast<char*>(a.c_str()));
    cargv.push_back(nullptr);
    for (const auto& e : env)
        cenv.push_back(const_cast<char*>(e.c_str()));
    cenv.push_back(nullptr);

    pid_t pid = -1;
    int spawnError = ::posix_spawn(&pid, argv[0].c_str(), &actions, &attr, cargv.data(), cenv.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (spawnError != 0) {
        ::close(outPipe[0]);
        ::close(errPipe[0]);
        r.failure = std::string("could not run: ") + std::strerror(spawnError);
        return r;
    }
    ::fcntl(outPipe[0], F_SETFL, O_NONBLOCK);
    ::fcntl(errPipe[0], F_SETFL, O_NONBLOCK);

    bool outOpen = true, errOpen = true;
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        pollfd fds[2];
        int n = 0;
        if (outOpen)
            fds[n++] = {outPipe[0], POLLIN, 0};
        if (errOpen)
            fds[n++] = {errPipe[0], POLLIN, 0};
        ::poll(fds, static_cast<nfds_t>(n), n > 0 ? 50 : 5);
        if (outOpen)
            readSome(outPipe[0], r.out, outOpen);
        if (errOpen)
            readSome(errPipe[0], r.err, errOpen);
        pid_t w = ::waitpid(pid, &status, WNOHANG);
        if (w == pid) {
            if (outOpen)
                readSome(outPipe[0], r.out, outOpen);
            if (errOpen)
                readSome(errPipe[0], r.err, errOpen);
            if (WIFEXITED(status))
                r.code = WEXITSTATUS(status);
            else
                r.failure = "was killed by signal " + std::to_string(WTERMSIG(status));
            break;
        }
        if (w < 0 && errno != EINTR) {
            r.failure = std::string("could not be waited for: ") + std::strerror(errno);
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGTERM);
            for (int i = 0; i < 60 && ::waitpid(pid, &status, WNOHANG) == 0; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (::kill(pid, 0) == 0) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
            }
            r.failure = "did not finish within " + std::to_string(limit.count()) + " seconds";
            break;
        }
    }
    ::close(outPipe[0]);
    ::close(errPipe[0]);
    return r;
}

bool executable(const std::filesystem::path& p)
{
    return ::access(p.c_str(), X_OK) == 0;
}

// A program in the folders of PATH, then in the given folders; empty when nowhere.
std::filesystem::path findProgram(const std::string& name, std::vector<std::string> also)
{
    std::vector<std::string> dirs;
    if (const char* path = std::getenv("PATH")) {
        std::stringstream s(path);
        std::string d;
        while (std::getline(s, d, ':'))
            if (!d.empty())
                dirs.push_back(d);
    }
    dirs.insert(dirs.end(), also.begin(), also.end());
    for (const auto& d : dirs)
        if (executable(std::filesystem::path(d) / name))
            return std::filesystem::path(d) / name;
    return {};
}

// Whether the user uid (primary group gid) can pass through every folder above 'p'
// (those folders are not this process's to change, unlike 'p' itself).
bool reachableBy(const std::filesystem::path& p, uid_t uid, gid_t gid)
{
    for (std::filesystem::path d = p; d != d.parent_path(); d = d.parent_path()) {
        struct stat st {};
        if (::stat(d.c_str(), &st) != 0)
            return false;
        mode_t need = st.st_uid == uid ? S_IXUSR : st.st_gid == gid ? S_IXGRP : S_IXOTH;
        if ((st.st_mode & need) == 0)
            return false;
    }
    return true;
}

// A value of a libpq connection string, quoted when it has to be.
std::string conninfoValue(const std::string& v)
{
    if (!v.empty() && v.find_first_of(" \t\r\n'\\") == std::string::npos)
        return v;
    std::string q = "'";
    for (char c : v) {
        if (c == '\'' || c == '\\')
            q += '\\';
        q += c;
    }
    return q + "'";
}

// A string as a quoted value of postgresql.conf.
std::string configValue(const std::string& v)
{
    std::string q = "'";
    for (char c : v)
        q += c == '\'' ? std::string("''") : c == '\\' ? std::string("\\\\") : std::string(1, c);
    return q + "'";
}

std::string sqlIdentifier(const std::string& name)
{
    std::string q = "\"";
    for (char c : name)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

std::string sqlLiteral(const std::string& text)
{
    std::string q = "'";
    for (char c : text)
        q += c == '\'' ? std::string("''") : std::string(1, c);
    return q + "'";
}

void writeFile(const std::filesystem::path& p, const std::string& text, std::ios::openmode mode)
{
    std::ofstream out(p, std::ios::binary | mode);
    out << text;
    out.close();
    if (!out)
        throw std::runtime_error("could not write " + p.string());
}

const std::chrono::seconds commandLimit(120);

}

PgTestServer& PgTestServer::instance()
{
    static PgTestServer server;
    return server;
}

PgTestServer::PgTestServer() : owner_(::getpid())
{
    try {
        make();
    } catch (const std::exception& e) {
        why_ = std::string("the private PostgreSQL server of the tests could not be started: ") + e.what();
    }
}

// Finds the programs, makes the folder and the cluster in it, and starts the server;
// throws with the reason at the first step that fails.
void PgTestServer::make()
{
    const char* chosen = std::getenv("RAVELT_PG_BINDIR");
    binDir_ = chosen && *chosen ? chosen : defaultBinDir;
    for (const char* program : {"initdb", "pg_ctl", "postgres", "psql"})
        if (!executable(binDir_ / program))
            throw std::runtime_error(
                (binDir_ / program).string() + " is missing: PostgreSQL 15's programs are not installed there (the " +
                "Debian package postgresql-15, which scripts/install-deps.sh installs; RAVELT_PG_BINDIR may name " +
                "another folder holding initdb, pg_ctl, postgres and psql)");

    asPostgres_ = ::geteuid() == 0;
    if (asPostgres_) {
        struct passwd* pw = ::getpwnam("postgres");
        if (!pw)
            throw std::runtime_error("this process runs as root, which PostgreSQL refuses, and there is no user "
                                     "\"postgres\" to run the server as (the package postgresql-15 makes it)");
        postgresUid_ = pw->pw_uid;
        postgresGid_ = pw->pw_gid;
        dropTo_ = findProgram("runuser", {"/usr/sbin", "/sbin"}).string();
        if (dropTo_.empty())
            dropTo_ = findProgram("setpriv", {"/usr/bin", "/bin"}).string();
        if (dropTo_.empty())
            throw std::runtime_error("this process runs as root, which PostgreSQL refuses, and neither runuser nor "
                                     "setpriv (package util-linux) is there to run the server as the user postgres");
    }

    // The socket's path must fit in a Unix socket address (107 bytes) and, as root, the
    // user postgres must be able to get to the folder: otherwise /tmp, which always can.
    std::filesystem::path base = std::filesystem::temp_directory_path();
    const std::string leaf = "ravelt-pg-XXXXXX";
    if ((base / leaf / ".s.PGSQL.5432").string().size() > 100 ||
        (asPostgres_ && !reachableBy(base, postgresUid_, postgresGid_)))
        base = "/tmp";
    std::string pattern = (base / leaf).string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("could not make a folder " + pattern + ": " + std::strerror(errno));
    folder_ = pattern;
    data_ = folder_ / "data";
    made_ = true;
    if (asPostgres_ && ::chown(folder_.c_str(), postgresUid_, postgresGid_) != 0)
        throw std::runtime_error("could not give " + folder_.string() + " to the user postgres: " + std::strerror(errno));

    // The watcher: a shell in a session of its own that outlives this process and, once
    // this process is gone while its folder is still there (it died without its exit
    // handlers), stops the server and removes the folder. It polls once a second.
    {
        std::vector<std::string> stop = asServer({(binDir_ / "pg_ctl").string(), "-D", data_.string(), "-m",
                                                  "immediate", "-w", "-s", "stop"});
        std::vector<std::string> argv = {"/bin/sh", "-c",
                                         "owner=$1 folder=$2; shift 2\n"
                                         "(\n"
                                         "  while kill -0 \"$owner\" 2>/dev/null && [ -d \"$folder\" ]; do sleep 1; done\n"
                                         "  if [ -d \"$folder\" ]; then \"$@\"; rm -rf \"$folder\"; fi\n"
                                         ") </dev/null >/dev/null 2>&1 &\n",
                                         "pg-test-watcher", std::to_string(owner_), folder_.string()};
        argv.insert(argv.end(), stop.begin(), stop.end());
        Run r = run(argv, "/", childEnvironment(folder_), commandLimit, true);
        if (!r.ok())
            throw std::runtime_error("could not start the watcher of the server: " + describe(argv, r));
    }

    // The plain C locale with UTF-8 text, as the README asks of a hotel's database: its
    // text then folds letter case in ASCII only, as the SQLite stores do. No sync to
    // disk: the cluster is thrown away with the process.
    const std::vector<std::string> initdb = asServer({(binDir_ / "initdb").string(), "-D", data_.string(), "-U", superuser,
                                                      "--auth=trust", "-E", "UTF8", "--no-locale", "--no-sync"});
    if (Run r = run(initdb, folder_, childEnvironment(folder_), commandLimit); !r.ok())
        throw std::runtime_error(describe(initdb, r));

    writeFile(data_ / "postgresql.conf",
              "\n# The test fixture's server: reached only through its Unix socket, in its own folder;\n"
              "# fast rather than safe, for it is thrown away with the test process.\n"
              "listen_addresses = ''\n"
              "unix_socket_directories = " +
                  configValue(folder_.string()) + "\nport = " + std::to_string(port_) +
                  "\n"
                  "fsync = off\n"
                  "synchronous_commit = off\n"
                  "full_page_writes = off\n"
                  "max_connections = 100\n",
              std::ios::app);
    writeFile(data_ / "pg_hba.conf",
              "# The superuser ravelt connects without a password; every other role gives its own.\n"
              "local all ravelt trust\n"
              "local all all scram-sha-256\n",
              std::ios::trunc);

    startServer();
}

// pg_ctl start, waiting until the server accepts connections; throws with pg_ctl's
// words and the end of the server's log when it does not start.
void PgTestServer::startServer()
{
    std::vector<std::string> argv = {(binDir_ / "pg_ctl").string(), "-D", data_.string(), "-l",
                                     (folder_ / "server.log").string(), "-w", "-t", "60", "-s", "start"};
    argv = asServer(argv);
    Run r = run(argv, folder_, childEnvironment(folder_), commandLimit);
    if (!r.ok())
        throw std::runtime_error(describe(argv, r) + "\nthe server's log ends with:\n" + serverLogTail());
}

std::vector<std::string> PgTestServer::asServer(std::vector<std::string> argv) const
{
    if (!asPostgres_)
        return argv;
    if (std::filesystem::path(dropTo_).filename() == "setpriv")
        argv.insert(argv.begin(), {dropTo_, "--reuid=" + std::to_string(postgresUid_),
                                   "--regid=" + std::to_string(postgresGid_), "--init-groups", "--"});
    else
        argv.insert(argv.begin(), {dropTo_, "-u", "postgres", "--"});
    return argv;
}

// The last lines of the server's log, for the messages of a server that would not start.
std::string PgTestServer::serverLogTail() const
{
    std::ifstream in(folder_ / "server.log", std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    std::string tail;
    for (size_t i = lines.size() > 30 ? lines.size() - 30 : 0; i < lines.size(); ++i)
        tail += lines[i] + "\n";
    return tail.empty() ? "(nothing)\n" : tail;
}

// At exit, in the process that made it only (a forked child that exits must not take
// the server away from its parent): the server is stopped at once, with no checkpoint,
// and the folder removed.
PgTestServer::~PgTestServer()
{
    if (!made_ || ::getpid() != owner_)
        return;
    if (std::filesystem::exists(data_ / "postmaster.pid")) {
        std::vector<std::string> argv = {(binDir_ / "pg_ctl").string(), "-D", data_.string(), "-m", "immediate",
                                         "-w", "-s", "stop"};
        run(asServer(argv), folder_, childEnvironment(folder_), commandLimit);
    }
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

bool PgTestServer::available() const
{
    return why_.empty();
}

std::string PgTestServer::whyUnavailable() const
{
    return why_;
}

std::string PgTestServer::conninfo(const std::string& dbname) const
{
    return conninfo(dbname, superuser, "");
}

std::string PgTestServer::conninfo(const std::string& dbname, const std::string& user, const std::string& password) const
{
    std::string s = "host=" + conninfoValue(folder_.string()) + " port=" + std::to_string(port_) +
                    " user=" + conninfoValue(user) + " dbname=" + conninfoValue(dbname);
    if (!password.empty())
        s += " password=" + conninfoValue(password);
    return s;
}

std::string PgTestServer::newDatabase()
{
    if (!available())
        throw std::runtime_error(why_);
    std::string name;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        name = "t" + std::to_string(nextDatabase_++);
    }
    psql("postgres", "CREATE DATABASE " + name);
    return conninfo(name);
}

// The SQL goes to psql in a file of the server's folder rather than through -c, so
// that it may hold several statements and meta-commands and ON_ERROR_STOP applies.
std::string PgTestServer::psql(const std::string& dbname, const std::string& sql)
{
    if (!available())
        throw std::runtime_error(why_);
    std::filesystem::path script = folder_ / ("script-" + std::to_string(nextScript_++) + ".sql");
    writeFile(script, sql, std::ios::trunc);
    std::vector<std::string> argv = {(binDir_ / "psql").string(), "-X", "-q", "-A", "-t", "-v", "ON_ERROR_STOP=1",
                                     "-d", conninfo(dbname), "-f", script.string()};
    Run r = run(argv, folder_, childEnvironment(folder_), commandLimit);
    std::error_code ec;
    std::filesystem::remove(script, ec);
    if (!r.ok()) {
        std::string shown = sql.size() > 500 ? sql.substr(0, 500) + "..." : sql;
        throw std::runtime_error("psql on the database " + dbname + " failed running\n" + shown + "\n" +
                                 describe(argv, r));
    }
    return r.out;
}

void PgTestServer::createRole(const std::string& role, const std::string& password)
{
    psql("postgres", "CREATE ROLE " + sqlIdentifier(role) + " LOGIN PASSWORD " + sqlLiteral(password));
}

void PgTestServer::stop()
{
    if (!available())
        throw std::runtime_error(why_);
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> argv = {(binDir_ / "pg_ctl").string(), "-D", data_.string(), "-m", "fast", "-w",
                                     "-t", "60", "-s", "stop"};
    argv = asServer(argv);
    Run r = run(argv, folder_, childEnvironment(folder_), commandLimit);
    if (!r.ok())
        throw std::runtime_error("the test server did not stop: " + describe(argv, r));
}

void PgTestServer::start()
{
    if (!available())
        throw std::runtime_error(why_);
    std::lock_guard<std::mutex> lock(mutex_);
    startServer();
}

}
