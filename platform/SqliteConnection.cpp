#include "platform/SqliteConnection.h"

#include "platform/DbError.h"
#include "platform/DbOverflowError.h"
#include "platform/PlainText.h"
#include "platform/SqlDialect.h"
#include "platform/SqlQuote.h"
#include "platform/SqliteBinding.h"
#include "platform/StoredValue.h"
#include "platform/StoreCatalog.h"

#include <sqlite3.h>

namespace ravelt {

namespace {

// The words and the kind of a failed engine call. The kind comes from the result code
// (extended codes are on: the primary code is the low byte). A few failures share the
// generic SQLITE_ERROR code and differ only by the engine's message: a missing table,
// field or function, and a whole-number sum that left 64 bits. For those the message is
// the only sign the engine gives, so they are told apart here and nowhere else.
struct EngineFault {
    DbError::Kind kind;
    std::string words;
};

EngineFault classify(int code, const std::string& engineMessage)
{
    switch (code & 0xff) {
    case SQLITE_NOTADB: return {DbError::Kind::NotAStore, "il file non è un archivio"};
    case SQLITE_CORRUPT: return {DbError::Kind::Corrupt, "archivio danneggiato"};
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return {DbError::Kind::Locked, "archivio in uso da un'altra postazione (bloccato)"};
    case SQLITE_READONLY: return {DbError::Kind::ReadOnly, "archivio in sola lettura"};
    case SQLITE_ERROR: {
        auto after = [&](const char* prefix) -> std::string {
            std::string p = prefix;
            return engineMessage.rfind(p, 0) == 0 ? engineMessage.substr(p.size()) : std::string();
        };
        if (engineMessage == "integer overflow")
            return {DbError::Kind::Overflow, "somma fuori dall'intervallo dei numeri interi a 64 bit"};
        if (auto t = after("no such table: "); !t.empty())
            return {DbError::Kind::Other, "tabella inesistente: " + t};
        if (auto c = after("no such column: "); !c.empty())
            return {DbError::Kind::Other, "campo inesistente: " + c};
        if (auto f = after("no such function: "); !f.empty())
            return {DbError::Kind::Other, "funzione sconosciuta: " + f};
        break;
    }
    default: break;
    }
    return {DbError::Kind::Other, engineMessage};
}

class SqliteStatement : public StoreStatement {
public:
    SqliteStatement(const SqliteConnection& c, sqlite3_stmt* st, std::string shown) : c_(c), st_(st), shown_(std::move(shown))
    {
        const int n = sqlite3_column_count(st_);
        for (int i = 0; i < n; ++i) {
            const char* decl = sqlite3_column_decltype(st_, i);
            columns_.push_back({sqlite3_column_name(st_, i), decl ? decl : ""});
            declared_.push_back(decl != nullptr);
        }
    }
    ~SqliteStatement() override { sqlite3_finalize(st_); }

    void bind(int index, const Value& v) override { bindValue(st_, index, v); }

    bool step(const std::string& context) override
    {
        const int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW) {
            row_ = true;
            return true;
        }
        row_ = false;
        if (rc == SQLITE_DONE)
            return false;
        const std::string err = sqlite3_errmsg(sqlite3_db_handle(st_));
        sqlite3_reset(st_);
        c_.fail(rc, err, shown_, context);
    }

    void reset() override
    {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
        row_ = false;
    }

    const std::vector<ResultColumn>& columns() const override { return columns_; }

    FieldType fieldType(int column) const override
    {
        return fieldTypeOf(declared_[column] ? columns_[column].declared.c_str() : nullptr,
                           row_ ? sqlite3_column_type(st_, column) : SQLITE_NULL);
    }

    Value read(int column, FieldType type, bool declared, const std::string& field) const override
    {
        return readValue(sqlite3_column_value(st_, column), type, declared, field);
    }

    Value raw(int column) const override
    {
        switch (sqlite3_column_type(st_, column)) {
        case SQLITE_INTEGER: return Value(static_cast<std::int64_t>(sqlite3_column_int64(st_, column)));
        case SQLITE_FLOAT: return Value(sqlite3_column_double(st_, column));
        case SQLITE_NULL: return Value();
        default: return Value(std::string(reinterpret_cast<const char*>(sqlite3_column_text(st_, column))));
        }
    }

private:
    const SqliteConnection& c_;
    sqlite3_stmt* st_;
    std::string shown_;
    std::vector<ResultColumn> columns_;
    std::vector<bool> declared_;
    bool row_ = false;
};


}

void SqliteConnection::raise(int code, const std::string& engineMessage, const std::string& prefix, const std::string& sql,
                             const std::string& context)
{
    const EngineFault fault = classify(code, engineMessage);
    raiseStoreFailure(fault.kind, fault.words, prefix, sql, context);
}

void SqliteConnection::fail(int code, const std::string& engineMessage, const std::string& sql, const std::string& context) const
{
    raise(code, engineMessage, label_, sql, context);
}

SqliteConnection::SqliteConnection(const std::filesystem::path& folder, const std::string& mdbName, bool create, std::string label)
    : folder_(folder), name_(mdbName), label_(std::move(label))
{
    const auto path = storePath(folder, mdbName);
    const int flags = create ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READWRITE;
    int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string msg = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        raise(rc, msg, create ? "Archivio " + mdbName + " non creato: " : label_);
    }
    sqlite3_busy_timeout(db_, 5000);
    sqlite3_extended_result_codes(db_, 1);
    registerDialectFunctions(db_);
    try {
        // Reading the schema proves the file is a store and not something else; a new one
        // gets its header written at once, so the file is a store from now on.
        run(create ? "PRAGMA user_version = 1" : "SELECT count(*) FROM sqlite_master");
    } catch (...) {
        close();
        throw;
    }
}

SqliteConnection::SqliteConnection(std::string label) : label_(std::move(label))
{
    if (int rc = sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE, nullptr); rc != SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        raise(rc, "out of memory", label_);
    }
    sqlite3_extended_result_codes(db_, 1);
    registerDialectFunctions(db_);
}

SqliteConnection::~SqliteConnection()
{
    close();
}

void SqliteConnection::run(const std::string& sql)
{
    char* err = nullptr;
    if (int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err); rc != SQLITE_OK) {
        std::string msg = err ? err : sqlite3_errmsg(db_);
        sqlite3_free(err);
        fail(rc, msg, sql);
    }
}

std::string SqliteConnection::attachStore(const std::string& mdbName)
{
    std::string key = lowerAscii(mdbName);
    if (key == lowerAscii(name_))
        return "main";
    if (auto it = attached_.find(key); it != attached_.end())
        return it->second;
    if (!std::filesystem::is_regular_file(storePath(folder_, mdbName)))
        throw DbError(label_ + "archivio collegato " + mdbName + " non trovato (" + storePath(folder_, mdbName).string() + ")");
    std::string schema = "ext" + std::to_string(attached_.size() + 1);
    sqlite3_stmt* st = nullptr;
    std::string sql = "ATTACH DATABASE ?1 AS " + schema;
    if (int prc = sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr); prc != SQLITE_OK)
        fail(prc, sqlite3_errmsg(db_), {}, "archivio collegato " + mdbName);
    std::string p = storePath(folder_, mdbName).string();
    sqlite3_bind_text(st, 1, p.c_str(), -1, SQLITE_TRANSIENT);
    int rc = sqlite3_step(st);
    const std::string err = rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(db_);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        fail(rc, err, {}, "archivio collegato " + mdbName);
    attached_[key] = schema;
    return schema;
}

std::unique_ptr<StoreStatement> SqliteConnection::prepare(const std::string& dialectSql, const std::string& shown)
{
    if (!db_)
        throw DbError(label_ + "archivio chiuso [" + dialectSql + "]");
    std::string sql = translateDialect(dialectSql, [this](const std::string& f) { return attachStore(f); });
    sqlite3_stmt* st = nullptr;
    if (int rc = sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr); rc != SQLITE_OK)
        fail(rc, sqlite3_errmsg(db_), dialectSql);
    ++prepared_;
    return std::make_unique<SqliteStatement>(*this, st, shown.empty() ? dialectSql : shown);
}

std::unique_ptr<StoreStatement> SqliteConnection::prepareCriteria(const std::string& sqliteSql)
{
    return prepare(sqliteSql);
}

void SqliteConnection::begin()
{
    run("BEGIN IMMEDIATE");
}

void SqliteConnection::commit()
{
    run("COMMIT");
}

void SqliteConnection::rollback()
{
    if (db_)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteConnection::close()
{
    if (!db_)
        return;
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

void SqliteConnection::createTable(const TableDef& def)
{
    std::string sql = "CREATE TABLE " + sqlIdentifier(def.name) + " (";
    for (size_t i = 0; i < def.fields.size(); ++i) {
        const FieldDef& f = def.fields[i];
        if (i)
            sql += ", ";
        sql += sqlIdentifier(f.name) + " " + declaredTypeName(f.type);
        if (f.type == FieldType::Text)
            sql += (f.size > 0 ? "(" + std::to_string(f.size) + ")" : std::string()) + " COLLATE NOCASE";
    }
    sql += ")";
    auto st = prepare(sql);
    st->step();
}

std::vector<TableDef> SqliteConnection::tableDefs()
{
    std::vector<TableDef> defs;
    auto tables = prepare("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid");
    while (tables->step())
        defs.push_back(TableDef{tables->raw(0).toText(), {}});
    for (auto& def : defs) {
        auto info = prepare("SELECT name, type FROM pragma_table_info(" + sqlTextLiteral(def.name) + ") ORDER BY cid");
        while (info->step()) {
            // A column without a declared type holds anything: it is text.
            def.append(fieldDefOf(info->raw(0).toText(), info->raw(1).toText(), FieldType::Text));
        }
    }
    return defs;
}

std::vector<std::string> SqliteConnection::indexNames()
{
    std::vector<std::string> names;
    auto st = prepare("SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name");
    while (st->step())
        names.push_back(st->raw(0).toText());
    return names;
}

std::string SqliteConnection::findUnreadable(const std::string& table, const std::string& field, const std::string& where)
{
    auto probe = prepare("SELECT " + sqlIdentifier(field) + " FROM " + sqlIdentifier(table) + " LIMIT 0");
    const std::string decl = probe->columns().at(0).declared;
    const FieldType type = fieldTypeOf(decl.c_str(), SQLITE_NULL);
    probe.reset();
    if (decl.empty() || type == FieldType::Text)
        return {};
    const std::string sql = "SELECT rowid FROM " + sqlIdentifier(table) + " WHERE (" + where + ") AND ravelt_unreadable(" +
                            sqlIdentifier(field) + ", " + std::to_string(static_cast<int>(type)) + ") ORDER BY rowid LIMIT 1";
    auto st = prepare(sql);
    if (!st->step())
        return {};
    return "SELECT * FROM " + sqlIdentifier(table) + " WHERE rowid = " + st->raw(0).toText();
}

}
