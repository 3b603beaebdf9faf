#include "platform/Database.h"
#include "platform/Recordset.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>
#include <limits>

using namespace ravelt;

namespace {

// A table with a field of every numeric type, a text field, and a CURRENCY field of a
// kind another tool might declare, whose engine keeps texts as they are given.
class RecordsetReading : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = Database::CreateDatabase("Prova.mdb", "", dir.path());
        db->Execute("CREATE TABLE T (S SMALLINT, L INTEGER, C CURRENCY, D DOUBLE, X TEXT COLLATE NOCASE, CT CURRENCY TEXT)");
    }

    // The value of the field after storing the SQL literal in it.
    Value stored(const std::string& field, const std::string& literal)
    {
        db->Execute("DELETE FROM T");
        db->Execute("INSERT INTO T (" + field + ") VALUES (" + literal + ")");
        auto rs = db->OpenRecordset("T");
        return rs->Fields(field);
    }

    ravelt::testing::TempFolder dir;
    std::unique_ptr<Database> db;
};

// What each type reads: the values it can hold, and for the others an unreadable value
// that keeps what is stored and says why.
TEST_F(RecordsetReading, NumericFieldsReadOnlyWhatTheirTypeHolds)
{
    struct Case {
        const char* field;
        const char* literal;
        Value expected;               // when readable
        const char* shown = nullptr;  // when unreadable: the value as a message shows it
        const char* why = nullptr;    // and a part of the reason
    } cases[] = {
        {"S", "32767", Value(32767)},
        {"S", "-32768", Value(-32768)},
        {"S", "70000", {}, "70000", "di un intero a 16 bit (da -32.768 a 32.767)"},
        {"S", "-32769", {}, "-32769", "16 bit"},
        {"S", "12.5", Value(13)},  // a floating value rounds half away from zero
        {"S", "'abc'", {}, "\"abc\"", "che non è un numero"},
        {"L", "2147483647", Value(2147483647)},
        {"L", "2147483648", {}, "2147483648", "di un intero a 32 bit (da -2.147.483.648 a 2.147.483.647)"},
        {"L", "1000000000000000", {}, "1000000000000000", "32 bit"},
        {"L", "1e300", {}, "1e+300", "32 bit"},
        {"L", "-2.5", Value(-3)},
        {"C", "12.3456", Value(Currency::fromUnits(123456))},
        {"C", "922337203685477", Value(Currency::fromWhole(922337203685477))},
        {"C", "-922337203685477", Value(Currency::fromWhole(-922337203685477))},
        {"C", "922337203685478", {}, "922337203685478", "della valuta (da -922.337.203.685.477,5808 a 922.337.203.685.477,5807)"},
        {"C", "1e300", {}, "1e+300", "della valuta"},
        {"C", "-1e300", {}, "-1e+300", "della valuta"},
        {"C", "'abc'", {}, "\"abc\"", "che non è un numero"},
        {"C", "'1.234,56'", {}, "\"1.234,56\"", "che non è un numero"},
        {"C", "''", {}, "\"\"", "che non è un numero"},
        {"C", "'0x1A'", {}, "\"0x1A\"", "che non è un numero"},
        {"C", "X'00FF'", {}, "un dato binario di 2 byte", "che non è un numero"},
        {"C", "CAST('12.5' AS BLOB)", {}, "un dato binario di 4 byte", "che non è un numero"},
        {"C", "NULL", Value()},
        {"D", "1e300", Value(1e300)},
        {"D", "9e999", {}, "infinito", "che non è un numero finito"},
        {"D", "-9e999", {}, "-infinito", "finito"},
        {"D", "'abc'", {}, "\"abc\"", "che non è un numero"},
        {"X", "'abc'", Value("abc")},
        {"X", "12", Value("12")},
        {"X", "X'4142'", Value("AB")},
        {"CT", "' 12.5 '", Value(Currency::fromUnits(125000))},  // a plain number kept as text reads as that number
        {"CT", "'-3'", Value(Currency::fromWhole(-3))},
        {"CT", "'1e3'", Value(Currency::fromWhole(1000))},
        {"CT", "'1,5'", {}, "\"1,5\"", "che non è un numero"},
        {"CT", "'12.5x'", {}, "\"12.5x\"", "che non è un numero"},
        {"CT", "'99999999999999999999'", {}, "\"99999999999999999999\"", "della valuta"},
        {"CT", "'1e300'", {}, "\"1e300\"", "della valuta"},
    };
    for (const auto& c : cases) {
        const std::string what = std::string(c.field) + " = " + c.literal;
        const Value v = stored(c.field, c.literal);
        if (!c.shown) {
            EXPECT_EQ(v, c.expected) << what << ": read as " << v.toText();
            continue;
        }
        ASSERT_TRUE(v.isUnreadable()) << what << ": read as " << v.toText();
        EXPECT_EQ(v.unreadable().field, c.field) << what;
        EXPECT_EQ(v.unreadable().shown(), c.shown) << what;
        EXPECT_NE(v.unreadable().why.find(c.why), std::string::npos) << what << ": " << v.unreadable().why;
    }
}

// A computed column has no declared type: its whole numbers are bounded by 64 bits only.
TEST_F(RecordsetReading, ComputedColumnsAreBoundedBy64Bits)
{
    db->Execute("INSERT INTO T (L) VALUES (2147483647), (2147483647)");
    EXPECT_EQ(db->OpenRecordset("SELECT Sum(L) AS N FROM T")->Fields("N"), Value(std::int64_t{4294967294}));
    EXPECT_EQ(db->OpenRecordset("SELECT 9223372036854775807 AS N")->Fields("N"), Value(std::numeric_limits<std::int64_t>::max()));
}

// An unreadable value is searched for and written back as the store holds it: nothing
// is lost by reading and rewriting a record that holds one.
TEST_F(RecordsetReading, UnreadableValuesAreSearchedAndWrittenBackAsStored)
{
    db->Execute("INSERT INTO T (S, C, X) VALUES (1, 'abc', 'a'), (2, 1000000000000000, 'b'), (3, X'00FF', 'c')");
    auto rs = db->OpenRecordset("T");
    rs->FindFirst("C = 'abc'");
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Fields("S"), Value(1));
    rs->FindFirst("C = 1000000000000000");
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Fields("S"), Value(2));

    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
        rs->Edit();
        rs->SetField("X", Value(rs->Fields("X").toText() + "!"));
        rs->Update();
    }
    auto check = db->OpenRecordset("SELECT S, typeof(C) AS K, quote(C) AS Q, X FROM T ORDER BY S");
    const char* expected[][3] = {{"text", "'abc'", "a!"}, {"integer", "1000000000000000", "b!"}, {"blob", "X'00FF'", "c!"}};
    for (const auto& e : expected) {
        ASSERT_FALSE(check->EOF_());
        EXPECT_EQ(check->Fields("K").toText(), e[0]);
        EXPECT_EQ(check->Fields("Q").toText(), e[1]);
        EXPECT_EQ(check->Fields("X").toText(), e[2]);
        check->MoveNext();
    }
}

}
