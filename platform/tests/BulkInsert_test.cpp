#include "platform/BulkInsert.h"

#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

// A store with one table of every field type and a unique key on Numero.
struct Store {
    Store()
    {
        db = Database::CreateDatabase("Prova.mdb", "", dir.path());
        TableDef t = Database::CreateTableDef("Righe");
        t.append(Database::CreateField("Numero", FieldType::Integer, 2));
        t.append(Database::CreateField("Testo", FieldType::Text, 20));
        t.append(Database::CreateField("Importo", FieldType::Currency));
        t.append(Database::CreateField("Misura", FieldType::Double));
        db->AppendTableDef(t);
        db->Execute("CREATE UNIQUE INDEX Righe_Numero ON Righe (Numero)");
    }
    long count()
    {
        auto rs = db->OpenRecordset("Select Count(*) as N From Righe");
        return static_cast<long>(rs->Fields("N").toInt());
    }
    ravelt::testing::TempFolder dir;
    std::unique_ptr<Database> db;
};

const char* const AllFields[] = {"Numero", "Testo", "Importo", "Misura"};

// Every kind of value comes back through a dynaset exactly as it was written,
// amounts with cents and negative amounts included.
TEST(BulkInsert, RowsReadBackAsWritten)
{
    Store s;
    auto& db = s.db;
    const std::vector<std::vector<Value>> rows = {
        {Value(1), Value("Caffè"), Value(Currency::fromUnits(123400)), Value(2.5)},
        {Value(2), Value(""), Value(Currency::fromUnits(-5)), Value(-0.125)},
        {Value(3), Value("Bancomat"), Value(Currency::fromWhole(250)), Value()},
        {Value(4), Value(), Value(), Value(0.0)},
        {Value(5), Value("x"), Value(Currency::fromUnits(99999999)), Value(1e6)},
    };
    {
        db->BeginTrans();
        BulkInsert ins(*db, "Righe", {"Numero", "Testo", "Importo", "Misura"});
        for (const auto& r : rows)
            ins.insert(r);
        EXPECT_EQ(ins.rowsWritten(), static_cast<long>(rows.size()));
        db->CommitTrans();
    }
    auto rs = db->OpenRecordset("Select * From Righe Order By Numero");
    ASSERT_EQ(rs->RecordCount(), static_cast<long>(rows.size()));
    rs->MoveFirst();
    for (const auto& r : rows) {
        for (size_t c = 0; c < r.size(); ++c)
            EXPECT_EQ(rs->Fields(AllFields[c]), r[c]) << "row " << r[0].toInt() << " field " << AllFields[c];
        rs->MoveNext();
    }
}

// The columns may be named in any order and a subset of the table's fields; the others stay Null.
TEST(BulkInsert, ColumnsInTheGivenOrder)
{
    Store s;
    auto& db = s.db;
    BulkInsert ins(*db, "Righe", {"Testo", "Numero"});
    ins.insert({Value("dieci"), Value(10)});
    auto rs = db->OpenRecordset("Righe");
    ASSERT_EQ(rs->RecordCount(), 1);
    rs->MoveFirst();
    EXPECT_EQ(rs->Fields("Numero"), Value(10));
    EXPECT_EQ(rs->Fields("Testo"), Value("dieci"));
    EXPECT_TRUE(rs->Fields("Importo").isNull());
}

TEST(BulkInsert, RowOfTheWrongLengthIsRefused)
{
    Store s;
    auto& db = s.db;
    BulkInsert ins(*db, "Righe", {"Numero", "Testo"});
    EXPECT_THROW(ins.insert({Value(1)}), DbError);
    EXPECT_THROW(ins.insert({Value(1), Value("a"), Value("b")}), DbError);
    EXPECT_EQ(ins.rowsWritten(), 0);
    EXPECT_EQ(s.count(), 0);
}

// A refused row raises an error and leaves the statement usable for the next rows.
TEST(BulkInsert, RefusedRowDoesNotStopTheNext)
{
    Store s;
    auto& db = s.db;
    BulkInsert ins(*db, "Righe", {"Numero", "Testo"});
    ins.insert({Value(1), Value("a")});
    try {
        ins.insert({Value(1), Value("doppio")});
        FAIL() << "a duplicate key was written";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("Righe"), std::string::npos) << e.what();
    }
    ins.insert({Value(2), Value("b")});
    EXPECT_EQ(ins.rowsWritten(), 2);
    EXPECT_EQ(s.count(), 2);
}

TEST(BulkInsert, MissingTableOrFieldIsNamed)
{
    Store s;
    auto& db = s.db;
    struct Case {
        const char* table;
        std::vector<std::string> columns;
        const char* named;
    } cases[] = {
        {"Assente", {"Numero"}, "Assente"},
        {"Righe", {"Numero", "Inesistente"}, "Inesistente"},
    };
    for (const auto& c : cases) {
        try {
            BulkInsert ins(*db, c.table, c.columns);
            ADD_FAILURE() << "prepared an insert into " << c.table;
        } catch (const DbError& e) {
            EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos) << e.what();
        }
    }
}

// A row written here is stored with the same storage classes as the same row written
// through a dynaset, so that sums and comparisons in SQL see no difference.
TEST(BulkInsert, StoresLikeADynaset)
{
    Store s;
    const std::vector<std::vector<Value>> rows = {
        {Value(1), Value("a"), Value(Currency::fromUnits(12345)), Value(1.5)},
        {Value(3), Value("b"), Value(Currency::fromWhole(-7)), Value(2.0)},
        {Value(5), Value(), Value(), Value()},
    };
    {
        BulkInsert ins(*s.db, "Righe", {"Numero", "Testo", "Importo", "Misura"});
        for (const auto& r : rows)
            ins.insert(r);
    }
    {
        auto rs = s.db->OpenRecordset("Righe");
        for (const auto& r : rows) {
            rs->AddNew();
            rs->SetField("Numero", Value(r[0].toInt() + 1));
            for (size_t c = 1; c < r.size(); ++c)
                rs->SetField(AllFields[c], r[c]);
            rs->Update();
        }
    }
    auto st = s.db->OpenRecordset(
        "Select Numero, typeof(Testo) as T, typeof(Importo) as I, typeof(Misura) as M From Righe Order By Numero");
    ASSERT_EQ(st->RecordCount(), 6);
    st->MoveFirst();
    for (size_t r = 0; r < rows.size(); ++r) {
        std::string bulk[3], dynaset[3];
        for (auto* out : {bulk, dynaset}) {
            out[0] = st->Fields("T").toText();
            out[1] = st->Fields("I").toText();
            out[2] = st->Fields("M").toText();
            st->MoveNext();
        }
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(bulk[c], dynaset[c]) << "row " << r << " field " << AllFields[c + 1];
    }
}

}
