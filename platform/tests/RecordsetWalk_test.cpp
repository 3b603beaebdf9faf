#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>
#include <vector>

using namespace ravelt;

namespace {

// A table of numbered records, N = 1..rows, with a text field.
class RecordsetWalk : public ::testing::Test {
protected:
    void fill(int rows)
    {
        db = Database::CreateDatabase("Prova" + std::to_string(rows) + ".mdb", "", dir.path());
        db->Execute("CREATE TABLE T (N INTEGER, X TEXT(10) COLLATE NOCASE)");
        for (int n = 1; n <= rows; ++n)
            db->Execute("INSERT INTO T VALUES (" + std::to_string(n) + ", 'r" + std::to_string(n) + "')");
    }

    // The N of every record, walked from the first.
    static std::vector<std::int64_t> walk(Recordset& rs)
    {
        std::vector<std::int64_t> out;
        for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext())
            out.push_back(rs.Fields("N").toInt());
        return out;
    }

    std::vector<std::int64_t> stored() { return walk(*db->OpenRecordset("SELECT N FROM T ORDER BY N")); }

    ravelt::testing::TempFolder dir;
    std::unique_ptr<Database> db;
};

}

// Moving over sets of no record and of one: the end is met at once or after the record,
// and moving past it stays at the end.
TEST_F(RecordsetWalk, EmptyAndOneRecordSets)
{
    for (int rows : {0, 1}) {
        fill(rows);
        auto rs = db->OpenRecordset("T");
        EXPECT_EQ(rs->RecordCount(), rows);
        EXPECT_EQ(rs->EOF_(), rows == 0) << rows;
        rs->MoveFirst();
        EXPECT_EQ(rs->EOF_(), rows == 0) << rows;
        rs->MoveNext();
        EXPECT_TRUE(rs->EOF_()) << rows;
        rs->MoveNext();
        EXPECT_TRUE(rs->EOF_()) << rows;
        EXPECT_THROW(rs->Fields("N"), DbError) << rows;
        EXPECT_THROW(rs->Edit(), DbError) << rows;
        EXPECT_THROW(rs->Delete(), DbError) << rows;
        EXPECT_EQ(walk(*rs).size(), static_cast<size_t>(rows));
        rs->FindFirst("N = 1");
        EXPECT_EQ(rs->NoMatch(), rows == 0) << rows;
    }
}

// A search that finds nothing leaves the current record where it was; FindNext starts
// after the current record.
TEST_F(RecordsetWalk, SearchesKeepTheCurrentRecordOnNoMatch)
{
    fill(5);
    auto rs = db->OpenRecordset("T");
    struct Step {
        bool next;  // FindNext, else FindFirst
        const char* criteria;
        bool noMatch;
        std::int64_t current;
    } steps[] = {
        {false, "N >= 2", false, 2},
        {true, "N >= 2", false, 3},
        {false, "N > 99", true, 3},
        {true, "N < 3", true, 3},
        {true, "X = 'R5'", false, 5},
        {true, "N >= 1", true, 5},
        {false, "X Like 'r*' Or N = 1", false, 1},
    };
    for (const auto& s : steps) {
        if (s.next)
            rs->FindNext(s.criteria);
        else
            rs->FindFirst(s.criteria);
        EXPECT_EQ(rs->NoMatch(), s.noMatch) << s.criteria;
        ASSERT_FALSE(rs->EOF_()) << s.criteria;
        EXPECT_EQ(rs->Fields("N").toInt(), s.current) << s.criteria;
    }
}

// Changes are written to the store at once, and the set follows them: a deleted record
// leaves the count and the walk, the record after it comes next.
TEST_F(RecordsetWalk, ChangesReachTheStoreAndTheSet)
{
    fill(3);
    auto rs = db->OpenRecordset("T");
    rs->AddNew();
    rs->SetField("N", Value(4));
    rs->SetField("X", Value("nuovo"));
    rs->Update();
    EXPECT_EQ(rs->RecordCount(), 4);
    EXPECT_EQ(stored(), (std::vector<std::int64_t>{1, 2, 3, 4}));

    rs->FindFirst("N = 2");
    rs->Edit();
    rs->SetField("N", Value(20));
    rs->Update();
    EXPECT_EQ(rs->Fields("N"), Value(20));
    EXPECT_EQ(stored(), (std::vector<std::int64_t>{1, 3, 4, 20}));

    rs->Edit();
    rs->SetField("N", Value(99));
    rs->CancelUpdate();
    EXPECT_EQ(rs->Fields("N"), Value(20));
    EXPECT_THROW(rs->Update(), DbError);
    EXPECT_THROW(rs->SetField("X", Value("0123456789A")), DbError);

    rs->MoveFirst();
    rs->Delete();
    EXPECT_EQ(rs->RecordCount(), 3);
    rs->MoveNext();
    EXPECT_EQ(rs->Fields("N"), Value(20));
    EXPECT_EQ(walk(*rs), (std::vector<std::int64_t>{20, 3, 4}));
    EXPECT_EQ(stored(), (std::vector<std::int64_t>{3, 4, 20}));

    // Delete every record in one walk: none is skipped.
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext())
        rs->Delete();
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_TRUE(stored().empty());

    db->Execute("INSERT INTO T VALUES (7, 'fuori')");
    EXPECT_EQ(rs->RecordCount(), 0);
    rs->Requery();
    EXPECT_EQ(rs->RecordCount(), 1);
    ASSERT_FALSE(rs->EOF_());
    EXPECT_EQ(rs->Fields("X"), Value("fuori"));
}

// A set made by a SELECT is read-only: every change is refused with DbError.
TEST_F(RecordsetWalk, QueriesAreNotUpdatable)
{
    fill(2);
    auto rs = db->OpenRecordset("SELECT N FROM T");
    EXPECT_THROW(rs->AddNew(), DbError);
    EXPECT_THROW(rs->Edit(), DbError);
    EXPECT_THROW(rs->Delete(), DbError);
    EXPECT_EQ(stored(), (std::vector<std::int64_t>{1, 2}));
}

// A query's field may be named by any text, double quotes included; a search over such
// a set still finds its records.
TEST_F(RecordsetWalk, SearchesASetWhoseFieldNamesHoldQuotes)
{
    fill(3);
    auto rs = db->OpenRecordset("SELECT N AS [il \"numero\"], X AS 'l''altro' FROM T");
    rs->FindFirst("[il \"numero\"] = 2");
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Fields("l'altro").toText(), "r2");
    rs->FindFirst("[l'altro] = 'R3'");
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Fields(0).toInt(), 3);
}
