#include "platform/Recordset.h"

#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/StoreConnection.h"
#include "platform/StoredValue.h"
#include "platform/SqlQuote.h"

#include <QString>
#include <cctype>

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
    StoreConnection& c = db_.connection();
    std::string sql = isTable_ ? "SELECT " + c.rowIdColumn() + ", * FROM " + sqlIdentifier(table_) : source_;
    auto st = c.prepare(sql, source_);
    const int first = isTable_ ? 1 : 0;
    const auto& columns = st->columns();
    names_.clear();
    types_.clear();
    rows_.clear();
    rowids_.clear();
    std::vector<bool> declared;
    for (std::size_t col = first; col < columns.size(); ++col) {
        names_.push_back(columns[col].name);
        declared.push_back(!columns[col].declared.empty());
    }
    sizes_.assign(names_.size(), 0);
    for (size_t col = 0; col < names_.size(); ++col)
        sizes_[col] = declaredTextSize(columns[col + first].declared);
    bool typed = false;
    while (st->step()) {
        if (!typed) {
            for (size_t col = 0; col < names_.size(); ++col)
                types_.push_back(st->fieldType(static_cast<int>(col) + first));
            typed = true;
        }
        std::vector<Value> row;
        row.reserve(names_.size());
        for (size_t col = 0; col < names_.size(); ++col)
            row.push_back(st->read(static_cast<int>(col) + first, types_[col], declared[col], names_[col]));
        rows_.push_back(std::move(row));
        if (isTable_)
            rowids_.push_back(st->raw(0));
    }
    if (!typed)
        for (size_t col = 0; col < names_.size(); ++col)
            types_.push_back(st->fieldType(static_cast<int>(col) + first));
    pos_ = rows_.empty() ? -1 : 0;
    noMatch_ = true;
    criteriaStmt_.reset();
    criteriaText_.clear();
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
        criteriaStmt_.reset();
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
        criteriaStmt_ = db_.connection().prepareCriteria("SELECT (" + criteria + ") FROM (SELECT " + inner + ")");
        criteriaText_ = criteria;
    }
    for (long r = from; r < RecordCount(); ++r) {
        criteriaStmt_->reset();
        for (size_t c = 0; c < names_.size(); ++c)
            criteriaStmt_->bind(static_cast<int>(c) + 1, rows_[r][c]);
        if (!criteriaStmt_->step())
            db_.fail("criterio senza risultato", criteria);
        const Value v = criteriaStmt_->raw(0);
        if (!v.isNull() && v.toDouble() != 0.0)
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

// Writes the pending record: an INSERT for a new one, an UPDATE of the record by its
// identity for a changed one. Either statement gives back the record's identity, which on
// a server changes with every write, so the dynaset can find the record again. A record
// that another workstation deleted meanwhile is told, never passed over in silence.
void Recordset::Update()
{
    if (pending_ == Pending::None)
        db_.fail("Update senza AddNew o Edit", source_);
    StoreConnection& conn = db_.connection();
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
        sql = "UPDATE " + sqlIdentifier(table_) + " SET " + sets + " WHERE " + conn.rowIdColumn() + " = " +
              conn.rowIdParameter(static_cast<int>(names_.size()) + 1);
    }
    sql += " RETURNING " + conn.rowIdColumn();
    auto st = conn.prepare(sql, source_);
    for (size_t c = 0; c < names_.size(); ++c)
        st->bind(static_cast<int>(c) + 1, pendingRow_[c]);
    if (pending_ == Pending::Edit)
        st->bind(static_cast<int>(names_.size()) + 1, rowids_[pos_]);
    if (!st->step())
        db_.fail("record cancellato da un'altra postazione", source_);
    Value id = st->raw(0);
    while (st->step()) {
    }
    if (pending_ == Pending::Add) {
        rows_.push_back(pendingRow_);
        rowids_.push_back(std::move(id));
    } else {
        rows_[pos_] = pendingRow_;
        rowids_[pos_] = std::move(id);
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
    StoreConnection& conn = db_.connection();
    auto st = conn.prepare("DELETE FROM " + sqlIdentifier(table_) + " WHERE " + conn.rowIdColumn() + " = " + conn.rowIdParameter(1), source_);
    st->bind(1, rowids_[pos_]);
    while (st->step()) {
    }
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
    criteriaStmt_.reset();
}

}
