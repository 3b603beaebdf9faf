#include "platform/BulkInsert.h"

#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/StoreConnection.h"

namespace ravelt {

BulkInsert::BulkInsert(Database& db, const std::string& table, const std::vector<std::string>& columns)
    : db_(db), table_(table), columns_(columns.size())
{
    if (columns.empty())
        db_.fail("nessun campo da scrivere nella tabella " + table);
    std::string names, marks;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        names += (i ? ", " : "") + columns[i];
        marks += i ? ", ?" : "?";
    }
    sql_ = "INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")";
    st_ = db_.connection().prepare(sql_);
}

BulkInsert::~BulkInsert() = default;

void BulkInsert::insert(std::span<const Value> row)
{
    if (row.size() != columns_)
        db_.fail("tabella " + table_ + ": riga di " + std::to_string(row.size()) + " valori invece di " +
                     std::to_string(columns_),
                 sql_);
    st_->reset();
    for (std::size_t i = 0; i < row.size(); ++i)
        st_->bind(static_cast<int>(i) + 1, row[i]);
    st_->step("tabella " + table_ + ": riga non scritta");
    ++rows_;
}

}
