#include "platform/Recordset.h"

#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/SqliteBinding.h"
#include "platform/SqlQuote.h"

#include <QString>
#include <cctype>
#include <sqlite3.h>

namespace ravelt {

namespace {

bool isTableName(const std::string& s)
{
    if (s.empty())
        return false;
    for (char ch : s)
        if (!(std::isalnum(static_cast<unsigned char>(ch)) || ch == '_'))
            return false;
    return true;
}

int sizeFromDecl(const char* decl)
{
    if (!decl)
        return 0;
    std::string d = decl;
    auto open = d.find('(');
    if (open == std::string::npos)
        return 0;
    return std::atoi(d.c_str() + open + 1);
}

}

Recordset::Recordset(Database& db, std::string source) : db_(db), source_(std::move(source))
{
    isTable_ = isTableName(source_);
    if (isTable_)
        table_ = source_;
    load();
}

Recordset::~Recordset()
{
    Close();
}

void Recordset::load()
{
    std::string sql = isTable_ ? "SELECT rowid, * FROM \"" + table_ + "\"" : source_;
    sqlite3_stmt* st = db_.prepare(sql);
    int first = isTable_ ? 1 : 0;
    int n = sqlite3_column_count(st);
    names_.clear();
    types_.clear();
    rows_.clear();
    rowids_.clear();
    std::vector<const char*> decls;
    for (int c = first; c < n; ++c) {
        names_.push_back(sqlite3_column_name(st, c));
        decls.push_back(sqlite3_column_decltype(st, c));
    }
    sizes_.assign(names_.size(), 0);
    for (size_t c = 0; c < decls.size(); ++c)
        sizes_[c] = sizeFromDecl(decls[c]);
    bool typed = false;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (!typed) {
            for (size_t c = 0; c < names_.size(); ++c)
                types_.push_back(fieldTypeOf(decls[c], sqlite3_column_type(st, static_cast<int>(c) + first)));
            typed = true;
        }
        std::vector<Value> row;
        row.reserve(names_.size());
        for (size_t c = 0; c < names_.size(); ++c)
            row.push_back(readValue(sqlite3_column_value(st, static_cast<int>(c) + first), types_[c], decls[c] != nullptr, names_[c]));
        rows_.push_back(std::move(row));
        if (isTable_)
            rowids_.push_back(sqlite3_column_int64(st, 0));
    }
    if (!typed)
        for (size_t c = 0; c < names_.size(); ++c)
            types_.push_back(fieldTypeOf(decls[c], SQLITE_NULL));
    std::string err = rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(db_.handle());
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        db_.failEngine(rc, err, source_);
    pos_ = rows_.empty() ? -1 : 0;
    noMatch_ = true;
    if (criteriaStmt_) {
        sqlite3_finalize(criteriaStmt_);
        criteriaStmt_ = nullptr;
        criteriaText_.clear();
    }
}

int Recordset::fieldIndex(const std::string& name) const
{
    for (size_t i = 0; i < names_.size(); ++i)
        if (QString::fromStdString(names_[i]).compare(QString::fromStdString(name), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

int Recordset::requireField(const std::string& name) const
{
    int i = fieldIndex(name);
    if (i < 0)
        db_.fail("campo inesistente: " + name, source_);
    return i;
}

const Value& Recordset::Fields(const std::string& name) const
{
    return Fields(requireField(name));
}

const Value& Recordset::Fields(int index) const
{
    if (pending_ != Pending::None)
        return pendingRow_.at(index);
    if (EOF_())
        db_.fail("nessun record corrente", source_);
    return rows_[pos_].at(index);
}

// Evaluates the criteria on each record from 'from' on with one prepared statement whose
// columns are the record's fields, bound afresh for every record. Text fields carry the
// case-blind collation, so comparisons behave as they do on the stored table.
long Recordset::find(const std::string& criteria, long from)
{
    if (criteria != criteriaText_ || !criteriaStmt_) {
        if (criteriaStmt_)
            sqlite3_finalize(criteriaStmt_);
        criteriaStmt_ = nullptr;
        std::string inner;
        for (size_t c = 0; c < names_.size(); ++c) {
            if (c)
                inner += ", ";
            inner += "?" + std::to_string(c + 1);
            if (types_[c] == FieldType::Text)
                inner += " COLLATE NOCASE";
            inner += " AS " + sqlIdentifier(names_[c]);
        }
        if (inner.empty())
            inner = "NULL AS _none";
        criteriaStmt_ = db_.prepare("SELECT (" + criteria + ") FROM (SELECT " + inner + ")");
        criteriaText_ = criteria;
    }
    for (long r = from; r < RecordCount(); ++r) {
        sqlite3_reset(criteriaStmt_);
        for (size_t c = 0; c < names_.size(); ++c)
            bindValue(criteriaStmt_, static_cast<int>(c) + 1, rows_[r][c]);
        int rc = sqlite3_step(criteriaStmt_);
        if (rc != SQLITE_ROW)
            db_.failEngine(rc, sqlite3_errmsg(db_.handle()), criteria);
        if (sqlite3_column_type(criteriaStmt_, 0) != SQLITE_NULL && sqlite3_column_double(criteriaStmt_, 0) != 0.0)
            return r;
    }
    return -1;
}

void Recordset::FindFirst(const std::string& criteria)
{
    long r = find(criteria, 0);
    noMatch_ = r < 0;
    if (r >= 0)
        pos_ = r;
}

void Recordset::FindNext(const std::string& criteria)
{
    long r = find(criteria, pos_ < 0 ? 0 : pos_ + 1);
    noMatch_ = r < 0;
    if (r >= 0)
        pos_ = r;
}

void Recordset::AddNew()
{
    if (!isTable_)
        db_.fail("il recordset non è aggiornabile", source_);
    pending_ = Pending::Add;
    pendingRow_.assign(names_.size(), Value());
}

void Recordset::Edit()
{
    if (!isTable_)
        db_.fail("il recordset non è aggiornabile", source_);
    if (EOF_())
        db_.fail("nessun record corrente", source_);
    pendingRow_ = rows_[pos_];
    pending_ = Pending::Edit;
}

void Recordset::SetField(const std::string& name, Value v)
{
    if (pending_ == Pending::None)
        db_.fail("SetField senza AddNew o Edit", source_);
    int i = requireField(name);
    if (types_[i] == FieldType::Text && !v.isNull() && sizes_[i] > 0) {
        qsizetype len = QString::fromStdString(v.toText()).size();
        if (len > sizes_[i])
            db_.fail("valore troppo lungo per il campo " + names_[i] + " (" + std::to_string(len) + " caratteri, al massimo " +
                     std::to_string(sizes_[i]) + ")", source_);
    }
    pendingRow_[i] = std::move(v);
}

void Recordset::Update()
{
    if (pending_ == Pending::None)
        db_.fail("Update senza AddNew o Edit", source_);
    std::string sql;
    if (pending_ == Pending::Add) {
        std::string cols, marks;
        for (size_t c = 0; c < names_.size(); ++c) {
            cols += (c ? ", " : "") + sqlIdentifier(names_[c]);
            marks += (c ? ", ?" : "?") + std::to_string(c + 1);
        }
        sql = "INSERT INTO " + sqlIdentifier(table_) + " (" + cols + ") VALUES (" + marks + ")";
    } else {
        std::string sets;
        for (size_t c = 0; c < names_.size(); ++c)
            sets += (c ? ", " : "") + sqlIdentifier(names_[c]) + " = ?" + std::to_string(c + 1);
        sql = "UPDATE " + sqlIdentifier(table_) + " SET " + sets + " WHERE rowid = ?" + std::to_string(names_.size() + 1);
    }
    sqlite3_stmt* st = db_.prepare(sql);
    for (size_t c = 0; c < names_.size(); ++c)
        bindValue(st, static_cast<int>(c) + 1, pendingRow_[c]);
    if (pending_ == Pending::Edit)
        sqlite3_bind_int64(st, static_cast<int>(names_.size()) + 1, rowids_[pos_]);
    int rc = sqlite3_step(st);
    std::string err = rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(db_.handle());
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        db_.failEngine(rc, err, source_);
    if (pending_ == Pending::Add) {
        rows_.push_back(pendingRow_);
        rowids_.push_back(sqlite3_last_insert_rowid(db_.handle()));
    } else {
        rows_[pos_] = pendingRow_;
    }
    pending_ = Pending::None;
    pendingRow_.clear();
}

void Recordset::CancelUpdate()
{
    pending_ = Pending::None;
    pendingRow_.clear();
}

void Recordset::Delete()
{
    if (!isTable_)
        db_.fail("il recordset non è aggiornabile", source_);
    if (EOF_())
        db_.fail("nessun record corrente", source_);
    sqlite3_stmt* st = db_.prepare("DELETE FROM " + sqlIdentifier(table_) + " WHERE rowid = ?1");
    sqlite3_bind_int64(st, 1, rowids_[pos_]);
    int rc = sqlite3_step(st);
    std::string err = rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(db_.handle());
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        db_.failEngine(rc, err, source_);
    rows_.erase(rows_.begin() + pos_);
    rowids_.erase(rowids_.begin() + pos_);
    // The record after the deleted one becomes current, as a search would find it next.
    --pos_;
}

void Recordset::Requery()
{
    load();
}

void Recordset::Close()
{
    if (criteriaStmt_) {
        sqlite3_finalize(criteriaStmt_);
        criteriaStmt_ = nullptr;
    }
}

}
