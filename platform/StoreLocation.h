#pragma once
#include <filesystem>
#include <string>

namespace ravelt {

class Environment;

// Where the stores of a working folder live. A folder uses a PostgreSQL server when the
// environment variable RAVELT_DATABASE holds a connection string (libpq's key=value
// words or a postgresql:// address), or else when the first line of the folder's file
// Database.txt does; the variable wins. Otherwise its stores are the SQLite files in the
// folder. The per-workstation files (report file, settings, print definitions) stay in
// the folder either way.
class StoreLocation {
public:
    // The stores as SQLite files of the folder.
    static StoreLocation files(const std::filesystem::path& folder);
    // The stores as schemas on the server the connection string names; the folder still
    // holds the workstation's files.
    static StoreLocation server(const std::string& conninfo, const std::filesystem::path& folder);
    // The folder's own choice, as above, with the process's environment. A Database.txt
    // whose first line is blank names no server; one that cannot be read raises
    // std::runtime_error naming it.
    static StoreLocation of(const std::filesystem::path& folder);
    static StoreLocation of(const std::filesystem::path& folder, const Environment& env);

    bool onServer() const { return !conninfo_.empty(); }
    const std::filesystem::path& folder() const { return folder_; }
    const std::string& conninfo() const { return conninfo_; }
    // The server as messages name it: "host:port/database", never the password nor any
    // other word of the connection string; "" for files.
    std::string serverLabel() const;

private:
    std::filesystem::path folder_;
    std::string conninfo_;
};

// The file of a working folder that names its server.
inline constexpr const char* DatabaseFileName = "Database.txt";
// The variable that names the server for every folder of the process.
inline constexpr const char* DatabaseVariable = "RAVELT_DATABASE";

// Writes the folder's Database.txt naming a server, as a new file whose first line is
// the connection string. A string holding a password gives a file readable by its owner
// only, from the moment it exists, as of() requires of it; any other has the usual
// permissions. Raises std::invalid_argument for a string that is blank, spans lines or
// cannot be read as a connection string, std::runtime_error naming the file when it is
// there already or cannot be written whole (nothing is then left behind).
void writeDatabaseFile(const std::filesystem::path& folder, const std::string& conninfo);

// The server as messages name it, from a connection string: host (or socket folder),
// port and database, as libpq would take them from the string and its defaults;
// nothing else, so that a password in the string never reaches a message. A string that
// cannot be read gives "(stringa di connessione non valida)".
std::string serverLabelOf(const std::string& conninfo);

// The schema of a store on the server: its .mdb name without the extension, in lower
// case ("Fatture.mdb" is fatture).
std::string schemaOf(const std::string& mdbName);

}
