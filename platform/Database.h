#pragma once
#include "platform/Value.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace ravelt {

class Recordset;

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

// An open store of the suite. Opened by its .mdb name in a working folder; the file
// behind it is the SQLite file of storePath(). Statements are written in the suite's
// dialect (see SqlDialect.h) and run as written. Text fields compare without regard to
// letter case. A missing store, table or field raises a DbError that names it.
class Database {
public:
    // Opens an existing store, shared and read-write. A missing file, or one that is not
    // a store, raises DbError naming it; nothing is created.
    static std::unique_ptr<Database> OpenDatabase(const std::string& mdbName,
                                                  const std::filesystem::path& folder = std::filesystem::current_path());
    // Creates a new, empty store; the locale string is accepted as the suite writes it
    // and has no further meaning here. An existing file raises DbError and is left alone.
    static std::unique_ptr<Database> CreateDatabase(const std::string& mdbName, const std::string& locale,
                                                    const std::filesystem::path& folder = std::filesystem::current_path());

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

    void BeginTrans();
    void CommitTrans();
    void Rollback();

    void Close();

    const std::string& name() const { return name_; }
    const std::filesystem::path& folder() const { return folder_; }

    // Internal to the storage layer: a prepared statement for dialect SQL, with the
    // stores it names attached. Errors name this store and the statement.
    sqlite3_stmt* prepare(const std::string& dialectSql);
    sqlite3* handle() const { return db_; }
    [[noreturn]] void fail(const std::string& what, const std::string& sql = {}) const;
    // The DbError of an engine call on this store that returned the result code with the
    // message: "Archivio <name>: [context: ]<words> [sql]", its kind from the code
    // (DbOverflowError for a sum beyond 64 bits). Take the message before finalizing.
    [[noreturn]] void failEngine(int code, const std::string& engineMessage, const std::string& sql = {},
                                 const std::string& context = {}) const;
    // The same for a call made before a store is open: the prefix starts the message.
    [[noreturn]] static void raiseEngineError(int code, const std::string& engineMessage, const std::string& prefix,
                                              const std::string& sql = {});
    // How many statements this connection has prepared: a figure for benchmarks.
    long statementsPrepared() const { return statementsPrepared_; }

private:
    Database(sqlite3* db, std::string name, std::filesystem::path folder);
    std::string attachStore(const std::string& mdbName);

    sqlite3* db_ = nullptr;
    std::string name_;
    std::filesystem::path folder_;
    std::map<std::string, std::string> attached_;  // lower-case file name -> schema
    bool inTransaction_ = false;
    long statementsPrepared_ = 0;
};

}
