#include "platform/StoreLocation.h"

#include "platform/AtomicFile.h"
#include "platform/Environment.h"
#include "platform/PlainText.h"
#include "platform/TextLines.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <libpq-fe.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace ravelt {

namespace {

// The value libpq takes for one keyword of a connection string, with its defaults
// (environment variables included) where the string leaves it out; "" when none.
struct ConnWords {
    std::string host, port, dbname, password;
    bool valid = false;
};

ConnWords parseConninfo(const std::string& conninfo)
{
    ConnWords w;
    char* err = nullptr;
    PQconninfoOption* opts = PQconninfoParse(conninfo.c_str(), &err);
    if (!opts) {
        PQfreemem(err);
        return w;
    }
    w.valid = true;
    for (PQconninfoOption* o = opts; o->keyword; ++o) {
        const std::string key = o->keyword;
        const std::string val = o->val ? o->val : "";
        if (key == "host" || (key == "hostaddr" && w.host.empty()))
            w.host = val;
        else if (key == "port")
            w.port = val;
        else if (key == "dbname")
            w.dbname = val;
        else if (key == "password")
            w.password = val;
    }
    PQconninfoFree(opts);
    PQconninfoOption* defaults = PQconndefaults();
    for (PQconninfoOption* o = defaults; o && o->keyword; ++o) {
        const std::string key = o->keyword;
        const std::string val = o->val ? o->val : "";
        if (key == "host" && w.host.empty())
            w.host = val;
        else if (key == "port" && w.port.empty())
            w.port = val;
        else if (key == "dbname" && w.dbname.empty())
            w.dbname = val;
    }
    PQconninfoFree(defaults);
    if (w.host.empty())
        w.host = "localhost";
    if (w.port.empty())
        w.port = "5432";
    return w;
}

}

StoreLocation StoreLocation::files(const std::filesystem::path& folder)
{
    StoreLocation l;
    l.folder_ = folder;
    return l;
}

StoreLocation StoreLocation::server(const std::string& conninfo, const std::filesystem::path& folder)
{
    StoreLocation l;
    l.folder_ = folder;
    l.conninfo_ = conninfo;
    return l;
}

StoreLocation StoreLocation::of(const std::filesystem::path& folder)
{
    return of(folder, SystemEnvironment());
}

// The variable first, then the folder's file. The file may name a password: then it must
// be readable by its owner only, as the mail settings are, or it is refused, so that a
// password left readable by everyone is told instead of used.
StoreLocation StoreLocation::of(const std::filesystem::path& folder, const Environment& env)
{
    if (auto v = env.get(DatabaseVariable); v && !trimBlanks(*v).empty())
        return server(trimBlanks(*v), folder);
    const std::filesystem::path file = folder / DatabaseFileName;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return files(folder);
    std::string bytes;
    try {
        bytes = readFileBytes(file);
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string(DatabaseFileName) + " non leggibile: " + e.what());
    }
    const auto lines = splitLines(bytes);
    const std::string conninfo = lines.empty() ? std::string() : trimBlanks(lines.front());
    if (conninfo.empty())
        return files(folder);
    const ConnWords w = parseConninfo(conninfo);
    if (!w.valid)
        throw std::runtime_error(std::string(DatabaseFileName) + ": la prima riga non è una stringa di connessione valida");
    struct stat st {};
    if (!w.password.empty() && ::stat(file.c_str(), &st) == 0 && (st.st_mode & 077) != 0)
        throw std::runtime_error(std::string(DatabaseFileName) +
                                 " contiene una password ma possono leggerlo anche altri utenti: "
                                 "lo si renda leggibile solo dal suo proprietario (chmod 600 " + DatabaseFileName + ")");
    return server(conninfo, folder);
}

void writeDatabaseFile(const std::filesystem::path& folder, const std::string& conninfo)
{
    const std::string line = trimBlanks(conninfo);
    if (line.empty())
        throw std::invalid_argument("La stringa di connessione del server è vuota");
    if (line.find_first_of("\r\n") != std::string::npos)
        throw std::invalid_argument("La stringa di connessione del server va su più righe");
    const ConnWords w = parseConninfo(line);
    if (!w.valid)
        throw std::invalid_argument("La stringa di connessione del server non è valida");
    const std::filesystem::path file = folder / DatabaseFileName;
    const mode_t mode = w.password.empty() ? 0666 : 0600;
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        throw std::runtime_error("Impossibile scrivere " + file.string() + ": " + std::strerror(errno));
    const std::string bytes = line + "\n";
    const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    const int writeErrno = errno;
    if (::close(fd) != 0 || !written) {
        ::unlink(file.c_str());
        throw std::runtime_error("Impossibile scrivere " + file.string() + ": " + std::strerror(written ? errno : writeErrno));
    }
}

std::string StoreLocation::serverLabel() const
{
    return onServer() ? serverLabelOf(conninfo_) : std::string();
}

std::string serverLabelOf(const std::string& conninfo)
{
    const ConnWords w = parseConninfo(conninfo);
    if (!w.valid)
        return "(stringa di connessione non valida)";
    return w.host + ":" + w.port + "/" + w.dbname;
}

std::string schemaOf(const std::string& mdbName)
{
    std::filesystem::path name(mdbName);
    if (lowerAscii(name.extension().string()) == ".mdb")
        name.replace_extension();
    return lowerAscii(name.string());
}

}
