#pragma once
#include "platform/Value.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ravelt {

class Recordset;
class StoreConnection;
class StoreLocation;

// One field of a table definition being created.
struct FieldDef {
    std::string name;
    FieldType type = FieldType::Text;
    int size = 0;  // characters for text fields; informative for the others
};

// A table definition being created: fields in order, then appended to the database.
struct TableDef {
    std::string name;
    std::vector<FieldDef> fields;
    void append(FieldDef f) { fields.push_back(std::move(f)); }
};

// An open store of the suite. Opened by its .mdb name in a working folder; behind it is
// the SQLite file of storePath(), or the store's schema on the server the folder names
// (see StoreLocation). Statements are written in the suite's
// dialect (see SqlDialect.h) and run as written. Text fields compare without regard to
// letter case. A missing store, table or field raises a DbError that names it.
class Database {
public:
    // Opens an existing store, shared and read-write. A missing file, or one that is not
    // a store, raises DbError naming it; nothing is created.
    static std::unique_ptr<Database> OpenDatabase(const std::string& mdbName,
                                                  const std::filesystem::path& folder = std::filesystem::current_path());
    static std::unique_ptr<Database> OpenDatabase(const StoreLocation& where, const std::string& mdbName);
    // Creates a new, empty store; the locale string is accepted as the suite writes it
    // and has no further meaning here. An existing file raises DbError and is left alone.
    static std::unique_ptr<Database> CreateDatabase(const std::string& mdbName, const std::string& locale,
                                                    const std::filesystem::path& folder = std::filesystem::current_path());
    // The same where the store's place is given. On a server the schema is made in a
    // transaction left open (inTransaction()), so that a store copied there appears whole
    // or not at all: the caller commits it.
    static std::unique_ptr<Database> CreateDatabase(const StoreLocation& where, const std::string& mdbName);
    // The same on a server, where a store already there is dropped first inside that open
    // transaction: until the caller commits, every other connection still sees the old
    // store whole, and a rollback keeps it. For SQLite files it raises DbError.
    static std::unique_ptr<Database> ReplaceDatabase(const StoreLocation& where, const std::string& mdbName);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // A dynaset over a table name or over SQL text. Type 2 (dynaset) is the only one.
    std::unique_ptr<Recordset> OpenRecordset(const std::string& source, int type = 2);

    // Runs a statement that returns no rows (dialect SQL).
    void Execute(const std::string& sql);

    // The first record of the table, in the store's own order, that meets the condition
    // (dialect SQL) and whose field holds a value the field's declared numeric type cannot
    // hold: what a record reads as unreadable (a text that is not a number, a blob, a
    // number out of the type's range). It comes as a dynaset of that one record, with
    // every field, so the caller can name the record. Null when every value reads, and
    // for a text field or one without a declared type, which hold anything. One query
    // over the table, so a report can check what it will sum before summing it.
    std::unique_ptr<Recordset> FindUnreadable(const std::string& table, const std::string& field, const std::string& where);

    static TableDef CreateTableDef(const std::string& name) { return TableDef{name, {}}; }
    static FieldDef CreateField(const std::string& name, FieldType type, int size = 0) { return FieldDef{name, type, size}; }
    // Creates the table in the store, with the declared types the program reads back
    // as field types (TEXT columns compare without regard to letter case).
    void AppendTableDef(const TableDef& def);

    // Every table of the store with its fields, in the order the store lists them.
    std::vector<TableDef> TableDefs();
    // The names of the store's indexes.
    std::vector<std::string> IndexNames();

    // A transaction holds the store for writing against every other connection from
    // BeginTrans on (another one's BeginTrans waits a bounded time, then fails as
    // Locked), as a write of the suite's engine holds its file.
    void BeginTrans();
    void CommitTrans();
    void Rollback();

    void Close();

    const std::string& name() const { return name_; }
    const std::filesystem::path& folder() const { return folder_; }
    // True when the store is a schema on a server.
    bool onServer() const { return !server_.empty(); }
    bool inTransaction() const { return inTransaction_; }

    // Internal to the storage layer: the engine behind the store, and the failure of an
    // operation on it: "Archivio <name>[ (server <host:port/db>)]: <what> [sql]".
    StoreConnection& connection();
    [[noreturn]] void fail(const std::string& what, const std::string& sql = {}) const;
    // How the store is named at the start of its messages: "Archivio Fatture.mdb: ".
    std::string label() const;
    // How many statements this connection has prepared: a figure for benchmarks.
    long statementsPrepared() const;

private:
    enum class Opening { Open, Create, Replace };
    static std::unique_ptr<Database> onServer(const StoreLocation& where, const std::string& mdbName, Opening how);
    Database(std::unique_ptr<StoreConnection> connection, std::string name, std::filesystem::path folder, std::string server);

    std::unique_ptr<StoreConnection> connection_;
    std::string name_;
    std::filesystem::path folder_;
    std::string server_;  // the server's label; "" for a SQLite file
    bool inTransaction_ = false;
};

}
