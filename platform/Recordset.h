#pragma once
#include "platform/Value.h"

#include <memory>
#include <string>
#include <vector>

namespace ravelt {

class Database;
class StoreStatement;

// A dynaset: the records of a table or of a SELECT, read when it is opened (and again on
// Requery), with a current record. Searches with FindFirst/FindNext take a criteria
// expression in the suite's dialect, evaluated by the engine itself on each record, so a
// criteria search finds exactly what the same condition in SQL would. A dynaset over a
// table can add, change and delete records; each change is written at once.
class Recordset {
public:
    Recordset(Database& db, std::string source);
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    long RecordCount() const { return static_cast<long>(rows_.size()); }
    bool EOF_() const { return pos_ < 0 || pos_ >= RecordCount(); }
    void MoveFirst() { pos_ = rows_.empty() ? -1 : 0; }
    void MoveNext() { if (pos_ < RecordCount()) ++pos_; }

    // Searches from the first record (FindFirst) or from the one after the current one
    // (FindNext) for a record where the criteria is true. NoMatch tells the outcome; on
    // no match the current record does not change.
    void FindFirst(const std::string& criteria);
    void FindNext(const std::string& criteria);
    bool NoMatch() const { return noMatch_; }

    int fieldCount() const { return static_cast<int>(names_.size()); }
    const std::string& fieldName(int i) const { return names_.at(i); }
    FieldType fieldType(int i) const { return types_.at(i); }
    // The index of a field by name (without regard to letter case); -1 when missing.
    int fieldIndex(const std::string& name) const;
    FieldType fieldType(const std::string& name) const { return types_.at(requireField(name)); }

    // The current record's field. A missing field raises DbError naming it and the source;
    // reading with no current record raises DbError too. A numeric field holding what
    // its type cannot hold reads as an unreadable Value (see readValue in SqliteBinding.h).
    const Value& Fields(const std::string& name) const;
    const Value& Fields(int index) const;

    // Changing records (table dynasets only). AddNew starts a new record, Edit the current
    // one; SetField changes the pending record; Update writes it; Delete removes the
    // current record from the store and from the dynaset.
    void AddNew();
    void Edit();
    void SetField(const std::string& name, Value v);
    void Update();
    void CancelUpdate();
    void Delete();
    // Reads the records again from the store; the first record becomes current.
    void Requery();
    void Close();

    const std::string& source() const { return source_; }

private:
    void load();
    long find(const std::string& criteria, long from);
    int requireField(const std::string& name) const;

    Database& db_;
    std::string source_;
    std::string table_;  // the table's name for a table dynaset
    bool isTable_ = false;
    std::vector<std::string> names_;
    std::vector<FieldType> types_;
    std::vector<int> sizes_;  // declared size of text fields, 0 when unbounded
    std::vector<std::vector<Value>> rows_;
    std::vector<Value> rowids_;  // the records' identities in the store, for a table dynaset
    long pos_ = -1;
    bool noMatch_ = true;

    enum class Pending { None, Add, Edit };
    Pending pending_ = Pending::None;
    std::vector<Value> pendingRow_;

    std::string criteriaText_;
    std::unique_ptr<StoreStatement> criteriaStmt_;
};

}
