#pragma once
#include "platform/Value.h"

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace ravelt {

class Database;
class StoreStatement;

// Writes many rows into one table of an open store through a single prepared
// "INSERT INTO table (columns) VALUES (?, ...)": the statement is prepared once and each
// row is bound, stepped and reset. Values are bound as a dynaset binds them when it
// writes a record, so a row reads back through a Recordset with the same Values (an
// amount without a fraction is stored as a whole number, any other as a floating value,
// which has at most four decimals and so reads back exact).
// The caller brackets the rows with BeginTrans/CommitTrans when it wants speed. The
// object must go away before its Database is closed.
class BulkInsert {
public:
    // A missing table or field raises DbError naming the store and the statement.
    BulkInsert(Database& db, const std::string& table, const std::vector<std::string>& columns);
    ~BulkInsert();
    BulkInsert(const BulkInsert&) = delete;
    BulkInsert& operator=(const BulkInsert&) = delete;

    // Writes one row: one value per column, in the order the columns were given. A row
    // of the wrong length is refused before anything is written; a row the engine
    // refuses raises DbError with the engine's reason.
    void insert(std::span<const Value> row);
    void insert(std::initializer_list<Value> row) { insert(std::span<const Value>(row.begin(), row.size())); }

    long rowsWritten() const { return rows_; }

private:
    Database& db_;
    std::string table_;
    std::string sql_;
    std::size_t columns_ = 0;
    std::unique_ptr<StoreStatement> st_;
    long rows_ = 0;
};

}
