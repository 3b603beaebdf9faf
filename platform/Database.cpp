#include "platform/Database.h"

#include "platform/DbError.h"
#include "platform/DbOverflowError.h"
#include "platform/Recordset.h"
#include "platform/SqliteBinding.h"
#include "platform/SqlDialect.h"
#include "platform/StoreCatalog.h"
#include "platform/PlainText.h"
#include "platform/SqlQuote.h"

#include <cctype>
#include <fstream>
#include <sqlite3.h>

namespace ravelt {

namespace {

const char* declaredType(FieldType t)
{
    switch (t) {
    case FieldType::Integer: return "SMALLINT";
    case FieldType::Long: return "INTEGER";
    case FieldType::Currency: return "CURRENCY";
    case FieldType::Double: return "DOUBLE";
    case FieldType::Text: return "TEXT";
    }
    return "TEXT";
}

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


}

Database::Database(sqlite3* db, std::string name, std::filesystem::path folder)
    : db_(db), name_(std::move(name)), folder_(std::move(folder))
{
    sqlite3_busy_timeout(db_, 5000);
    sqlite3_extended_result_codes(db_, 1);
    registerDialectFunctions(db_);
}

Database::~Database()
{
    Close();
}

std::unique_ptr<Database> Database::OpenDatabase(const std::string& mdbName, const std::filesystem::path& folder)
{
    auto path = storePath(folder, mdbName);
    if (!storeExists(folder, mdbName))
        throw DbError("Archivio " + mdbName + " non trovato (" + path.string() + ")");
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        std::string msg = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        raiseEngineError(rc, msg, "Archivio " + mdbName + ": ");
    }
    std::unique_ptr<Database> d(new Database(db, mdbName, folder));
    // Reading the schema proves the file is a store and not something else.
    char* err = nullptr;
    if (int erc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &err); erc != SQLITE_OK) {
        std::string msg = err ? err : "";
        sqlite3_free(err);
        raiseEngineError(erc, msg, "Archivio " + mdbName + ": ");
    }
    return d;
}

std::unique_ptr<Database> Database::CreateDatabase(const std::string& mdbName, const std::string&, const std::filesystem::path& folder)
{
    auto path = storePath(folder, mdbName);
    if (storeExists(folder, mdbName))
        throw DbError("Archivio " + mdbName + " esiste già (" + path.string() + ")");
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        std::string msg = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        raiseEngineError(rc, msg, "Archivio " + mdbName + " non creato: ");
    }
    std::unique_ptr<Database> d(new Database(db, mdbName, folder));
    d->Execute("PRAGMA user_version = 1");  // writes the header, so the file is a store at once
    return d;
}

void Database::fail(const std::string& what, const std::string& sql) const
{
    std::string msg = "Archivio " + name_ + ": " + what;
    if (!sql.empty())
        msg += " [" + sql + "]";
    throw DbError(msg);
}

void Database::raiseEngineError(int code, const std::string& engineMessage, const std::string& prefix, const std::string& sql)
{
    const EngineFault fault = classify(code, engineMessage);
    std::string msg = prefix + fault.words;
    if (!sql.empty())
        msg += " [" + sql + "]";
    if (fault.kind == DbError::Kind::Overflow)
        throw DbOverflowError(msg);
    throw DbError(msg, fault.kind);
}

void Database::failEngine(int code, const std::string& engineMessage, const std::string& sql, const std::string& context) const
{
    raiseEngineError(code, engineMessage, "Archivio " + name_ + ": " + (context.empty() ? std::string() : context + ": "), sql);
}

std::string Database::attachStore(const std::string& mdbName)
{
    std::string key = lowerAscii(mdbName);
    if (key == lowerAscii(name_))
        return "main";
    if (auto it = attached_.find(key); it != attached_.end())
        return it->second;
    if (!storeExists(folder_, mdbName))
        fail("archivio collegato " + mdbName + " non trovato (" + storePath(folder_, mdbName).string() + ")");
    std::string schema = "ext" + std::to_string(attached_.size() + 1);
    sqlite3_stmt* st = nullptr;
    std::string sql = "ATTACH DATABASE ?1 AS " + schema;
    if (int prc = sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr); prc != SQLITE_OK)
        failEngine(prc, sqlite3_errmsg(db_), {}, "archivio collegato " + mdbName);
    std::string p = storePath(folder_, mdbName).string();
    sqlite3_bind_text(st, 1, p.c_str(), -1, SQLITE_TRANSIENT);
    int rc = sqlite3_step(st);
    const std::string err = rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(db_);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        failEngine(rc, err, {}, "archivio collegato " + mdbName);
    attached_[key] = schema;
    return schema;
}

sqlite3_stmt* Database::prepare(const std::string& dialectSql)
{
    if (!db_)
        fail("archivio chiuso", dialectSql);
    std::string sql = translateDialect(dialectSql, [this](const std::string& f) { return attachStore(f); });
    sqlite3_stmt* st = nullptr;
    if (int rc = sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr); rc != SQLITE_OK)
        failEngine(rc, sqlite3_errmsg(db_), dialectSql);
    ++statementsPrepared_;
    return st;
}

void Database::Execute(const std::string& sql)
{
    sqlite3_stmt* st = prepare(sql);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    }
    const std::string err = rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(db_);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        failEngine(rc, err, sql);
}

std::unique_ptr<Recordset> Database::FindUnreadable(const std::string& table, const std::string& field, const std::string& where)
{
    sqlite3_stmt* st = prepare("SELECT " + sqlIdentifier(field) + " FROM " + sqlIdentifier(table) + " LIMIT 0");
    const char* decl = sqlite3_column_decltype(st, 0);
    const bool declared = decl && *decl;
    const FieldType type = fieldTypeOf(decl, SQLITE_NULL);
    sqlite3_finalize(st);
    if (!declared || type == FieldType::Text)
        return nullptr;
    const std::string sql = "SELECT rowid FROM " + sqlIdentifier(table) + " WHERE (" + where + ") AND ravelt_unreadable(" +
                            sqlIdentifier(field) + ", " + std::to_string(static_cast<int>(type)) + ") ORDER BY rowid LIMIT 1";
    st = prepare(sql);
    const int rc = sqlite3_step(st);
    const sqlite3_int64 rowid = rc == SQLITE_ROW ? sqlite3_column_int64(st, 0) : 0;
    const bool failed = rc != SQLITE_ROW && rc != SQLITE_DONE;
    const std::string err = failed ? sqlite3_errmsg(db_) : std::string();
    sqlite3_finalize(st);
    if (failed)
        failEngine(rc, err, sql);
    if (rc != SQLITE_ROW)
        return nullptr;
    return OpenRecordset("SELECT * FROM " + sqlIdentifier(table) + " WHERE rowid = " + std::to_string(rowid));
}

std::unique_ptr<Recordset> Database::OpenRecordset(const std::string& source, int type)
{
    if (type != 2)
        fail("tipo di recordset non gestito: " + std::to_string(type));
    return std::make_unique<Recordset>(*this, source);
}

void Database::AppendTableDef(const TableDef& def)
{
    std::string sql = "CREATE TABLE " + sqlIdentifier(def.name) + " (";
    for (size_t i = 0; i < def.fields.size(); ++i) {
        const FieldDef& f = def.fields[i];
        if (i)
            sql += ", ";
        sql += sqlIdentifier(f.name) + " " + declaredType(f.type);
        if (f.type == FieldType::Text)
            sql += (f.size > 0 ? "(" + std::to_string(f.size) + ")" : std::string()) + " COLLATE NOCASE";
    }
    sql += ")";
    Execute(sql);
}

void Database::BeginTrans()
{
    Execute("BEGIN IMMEDIATE");
    inTransaction_ = true;
}

void Database::CommitTrans()
{
    Execute("COMMIT");
    inTransaction_ = false;
}

void Database::Rollback()
{
    if (!inTransaction_)
        return;
    inTransaction_ = false;
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Database::Close()
{
    if (!db_)
        return;
    Rollback();
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

}
