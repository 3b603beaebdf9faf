#pragma once
#include "platform/StoreConnection.h"

#include <filesystem>
#include <map>

struct sqlite3;

namespace ravelt {

// A store as a SQLite file: the suite's dialect translated by translateDialect, the
// stores named with  In 'File.mdb'  attached from the same folder, and the dialect's
// functions registered on the connection. Internal to the storage layer.
class SqliteConnection : public StoreConnection {
public:
    // Opens the store's file (create: makes a new one). 'label' starts every message.
    SqliteConnection(const std::filesystem::path& folder, const std::string& mdbName, bool create, std::string label);
    // A connection to no file, for evaluating expressions: criteria over records read
    // from another engine.
    explicit SqliteConnection(std::string label);
    ~SqliteConnection() override;

    std::unique_ptr<StoreStatement> prepare(const std::string& dialectSql, const std::string& shown = {}) override;
    std::unique_ptr<StoreStatement> prepareCriteria(const std::string& sqliteSql) override;
    std::string rowIdColumn() const override { return "rowid"; }
    std::string rowIdParameter(int index) const override { return "?" + std::to_string(index); }
    void begin() override;
    void commit() override;
    void rollback() override;
    void close() override;
    void createTable(const TableDef& def) override;
    std::vector<TableDef> tableDefs() override;
    std::vector<std::string> indexNames() override;
    std::string findUnreadable(const std::string& table, const std::string& field, const std::string& where) override;
    long statementsPrepared() const override { return prepared_; }

    // The DbError of an engine call that returned the result code with the message:
    // "<prefix>[context: ]<words> [sql]", its kind from the code (DbOverflowError for a
    // sum beyond 64 bits).
    [[noreturn]] static void raise(int code, const std::string& engineMessage, const std::string& prefix,
                                   const std::string& sql = {}, const std::string& context = {});
    [[noreturn]] void fail(int code, const std::string& engineMessage, const std::string& sql = {},
                           const std::string& context = {}) const;
    sqlite3* handle() const { return db_; }

private:
    void run(const std::string& sql);
    std::string attachStore(const std::string& mdbName);

    sqlite3* db_ = nullptr;
    std::filesystem::path folder_;
    std::string name_;
    std::string label_;
    std::map<std::string, std::string> attached_;  // lower-case file name -> schema
    long prepared_ = 0;
};

}
