#pragma once
#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/DbOverflowError.h"
#include "platform/Value.h"

#include <memory>
#include <string>
#include <vector>

namespace ravelt {

// Internal to the storage layer: what a Database asks of the engine behind it, the
// SQLite file or the PostgreSQL server. Statements come in the suite's dialect and each
// engine translates them; values go in and come out as the program's Values, read by the
// one rule of readValue, so that a record reads the same from either engine.
//
// Every failure raises DbError (or DbOverflowError) whose message starts with the
// store's label, "Archivio Fatture.mdb: ", and names the statement.

// Raises a failure of either engine, told apart by kind:
// "<prefix>[context: ]<words> [sql]", a DbOverflowError for a computation beyond 64 bits.
[[noreturn]] inline void raiseStoreFailure(DbError::Kind kind, const std::string& words, const std::string& prefix,
                                           const std::string& sql, const std::string& context)
{
    std::string msg = prefix + (context.empty() ? std::string() : context + ": ") + words;
    if (!sql.empty())
        msg += " [" + sql + "]";
    if (kind == DbError::Kind::Overflow)
        throw DbOverflowError(msg);
    throw DbError(msg, kind);
}

// One result column: its name and its declared type as the store declares it ("TEXT(20)",
// "CURRENCY", "SMALLINT", ...); empty for a computed column, which has none.
struct ResultColumn {
    std::string name;
    std::string declared;
};

class StoreStatement {
public:
    virtual ~StoreStatement() = default;
    // Binds a parameter, counted from 1, the way every write of the storage layer stores
    // a value (see bindValue).
    virtual void bind(int index, const Value& v) = 0;
    // Runs the statement at the first call after it was prepared or reset, then moves
    // from row to row: true while there is a current row. A failure's message puts the
    // context, when given, before the engine's words.
    virtual bool step(const std::string& context = {}) = 0;
    // Makes the statement ready to run again; bindings are cleared.
    virtual void reset() = 0;
    virtual const std::vector<ResultColumn>& columns() const = 0;
    // The field type of a column: its declared type, or for a computed column the type of
    // its value in the current row (with no current row, as for a Null).
    virtual FieldType fieldType(int column) const = 0;
    // The current row's value as a field of the type (readValue's rule).
    virtual Value read(int column, FieldType type, bool declared, const std::string& field) const = 0;
    // The current row's value as the engine holds it, for row identities.
    virtual Value raw(int column) const = 0;
};

class StoreConnection {
public:
    virtual ~StoreConnection() = default;
    // A statement of the dialect; its failures quote 'shown' (the dialect text when empty).
    virtual std::unique_ptr<StoreStatement> prepare(const std::string& dialectSql, const std::string& shown = {}) = 0;
    // A statement that evaluates a criteria expression over one record bound as
    // parameters: "SELECT (criteria) FROM (SELECT ?1 [COLLATE NOCASE] AS f1, ...)". It
    // is SQLite's own text: either engine evaluates criteria as SQLite does.
    virtual std::unique_ptr<StoreStatement> prepareCriteria(const std::string& sqliteSql) = 0;
    // The column that names a record of a table for changing it ("rowid", "ctid"), and
    // the parameter that compares with it.
    virtual std::string rowIdColumn() const = 0;
    virtual std::string rowIdParameter(int index) const = 0;
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual void close() = 0;
    // The CREATE TABLE statement (in the engine's own SQL) and anything after it.
    virtual void createTable(const TableDef& def) = 0;
    // Every table of the store with its fields and their declared types.
    virtual std::vector<TableDef> tableDefs() = 0;
    // The names of the store's indexes, as the store keeps them.
    virtual std::vector<std::string> indexNames() = 0;
    // The first record of the table meeting the condition whose field holds a value its
    // type cannot hold, as a dialect SELECT of that record; empty when none.
    virtual std::string findUnreadable(const std::string& table, const std::string& field, const std::string& where) = 0;
    virtual long statementsPrepared() const = 0;
};

}
