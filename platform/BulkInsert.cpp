#include "platform/BulkInsert.h"

#include "platform/Database.h"
#include "platform/DbError.h"

#include <sqlite3.h>

namespace ravelt {

namespace {

// The same binding a dynaset uses when it writes a record (Recordset.cpp): whole
// amounts as integers, amounts with a fraction as floating values, Null as Null.
void bindOne(sqlite3_stmt* st, int index, const Value& v)
{
    const auto& raw = v.raw();
    if (auto p = std::get_if<std::int64_t>(&raw))
        sqlite3_bind_int64(st, index, *p);
    else if (auto p = std::get_if<double>(&raw))
        sqlite3_bind_double(st, index, *p);
    else if (auto p = std::get_if<Currency>(&raw)) {
        if (p->units() % Currency::Scale == 0)
            sqlite3_bind_int64(st, index, p->units() / Currency::Scale);
        else
            sqlite3_bind_double(st, index, p->toDouble());
    } else if (auto p = std::get_if<std::string>(&raw))
        sqlite3_bind_text(st, index, p->data(), static_cast<int>(p->size()), SQLITE_TRANSIENT);
    else
        sqlite3_bind_null(st, index);
}

}

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
    st_ = db_.prepare(sql_);
}

BulkInsert::~BulkInsert()
{
    sqlite3_finalize(st_);
}

void BulkInsert::insert(std::span<const Value> row)
{
    if (row.size() != columns_)
        db_.fail("tabella " + table_ + ": riga di " + std::to_string(row.size()) + " valori invece di " +
                     std::to_string(columns_),
                 sql_);
    for (std::size_t i = 0; i < row.size(); ++i)
        bindOne(st_, static_cast<int>(i) + 1, row[i]);
    int rc = sqlite3_step(st_);
    std::string reason = rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(db_.handle());
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
    if (rc != SQLITE_DONE)
        db_.fail("tabella " + table_ + ": riga non scritta: " + reason, sql_);
    ++rows_;
}

}
