#pragma once
#include "platform/StoreConnection.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

typedef struct pg_conn PGconn;

namespace ravelt {

// A store as a schema on a PostgreSQL server, through libpq. Internal to the storage
// layer.
//
// - Text fields are the citext type with the "C" collation: they compare and sort as
//   SQLite's NOCASE does, letters folded to lower case in ASCII only and then byte by
//   byte, so a search, a join or an ORDER BY gives the same records in the same order
//   on either engine. Each field's declared type ("TEXT(20)", "CURRENCY", ...) is kept as
//   the column's comment, so records read with the types they read with from a file.
// - Amounts are numeric(19,4) and come as text: they become the program's fixed-point
//   amounts without passing through floating point.
// - A record is named by its ctid for changing it; every change gives back the new one.
// - A transaction takes an advisory lock on the store at BEGIN, so two workstations
//   writing the same store go one after the other as on SQLite; a lock is waited for at
//   most five seconds, then the wait fails as Locked with SQLite's words.
// - Criteria of FindFirst/FindNext are evaluated by an in-memory SQLite connection over
//   the record's values, so they select exactly the records they select on SQLite.
class SqliteConnection;

class PgConnection : public StoreConnection {
public:
    enum class Mode {
        Open,    // the store's schema must be there
        Create,  // makes the schema (and the program's support) in an open transaction
        Replace, // the same, dropping the schema there first in that same transaction
    };
    PgConnection(const std::string& conninfo, const std::string& mdbName, Mode mode, std::string label);
    ~PgConnection() override;

    // True when the server holds the store's schema.
    static bool storeExists(const std::string& conninfo, const std::string& mdbName);
    // Drops the store's schema with everything in it, in a transaction of its own; a
    // store that is not there is no error.
    static void dropStore(const std::string& conninfo, const std::string& mdbName);

    std::unique_ptr<StoreStatement> prepare(const std::string& dialectSql, const std::string& shown = {}) override;
    std::unique_ptr<StoreStatement> prepareCriteria(const std::string& sqliteSql) override;
    std::string rowIdColumn() const override { return "ctid"; }
    std::string rowIdParameter(int index) const override { return "?" + std::to_string(index) + "::tid"; }
    void begin() override;
    void commit() override;
    void rollback() override;
    void close() override;
    void createTable(const TableDef& def) override;
    std::vector<TableDef> tableDefs() override;
    std::vector<std::string> indexNames() override;
    std::string findUnreadable(const std::string& table, const std::string& field, const std::string& where) override;
    long statementsPrepared() const override { return prepared_; }

    PGconn* handle() const { return conn_; }
    const std::string& label() const { return label_; }
    // The declared type of a result column that is a table's field: its comment, or one
    // told from its server type; "" for a computed column.
    std::string declaredType(unsigned table, int column);

private:
    struct Column {
        std::string declared;
    };
    // Runs statements that return nothing (simple protocol); failures raise.
    void run(const std::string& sql);
    std::string runValue(const std::string& sql);
    // The schema of the citext type, asked of the server when first needed ("" when the
    // server has none yet).
    const std::string& citextSchema();
    void loadCatalog();
    std::optional<std::string> spelling(const std::string& name);

    PGconn* conn_ = nullptr;
    std::string schema_;
    std::string label_;
    std::string citext_;  // the schema of the citext type, once asked
    bool catalogLoaded_ = false;
    std::map<std::string, std::string> names_;                   // lower-case name -> spelling
    std::map<std::pair<unsigned, int>, std::string> declared_;  // (table oid, column) -> declared type
    std::unique_ptr<SqliteConnection> evaluator_;  // evaluates criteria
    long prepared_ = 0;
    bool made_ = false;  // the store was made by this connection and not yet committed
    long statementNumber_ = 0;
};

}
