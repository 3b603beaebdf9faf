#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

class SqlDialectTest : public ::testing::Test {
protected:
    void SetUp() override { db = Database::CreateDatabase("Prova.mdb", "", dir.path()); }

    Value select(const std::string& expression) { return db->OpenRecordset("SELECT " + expression + " AS V")->Fields("V"); }

    ravelt::testing::TempFolder dir;
    std::unique_ptr<Database> db;
};

std::string quoted(const std::string& text)
{
    return "'" + text + "'";
}

// Val reads the leading number of a text; whole numbers below 9e15 come as integers,
// larger ones and fractions as floating numbers, whatever the length of the digits.
TEST_F(SqlDialectTest, ValOfLongDigitsExponentsSignsAndBlanks)
{
    struct Case {
        std::string text;
        double value;
    } cases[] = {
        {"12abc", 12},
        {" 1 2 3", 123},
        {"-7", -7},
        {"- 7", -7},
        {"+4", 4},
        {"", 0},
        {"   ", 0},
        {"abc", 0},
        {"0004 cassa", 4},
        {"8999999999999999", 8999999999999999.0},
        {"9000000000000001", 9000000000000001.0},
        {"-8999999999999999", -8999999999999999.0},
        {"9223372036854775808", 9223372036854775808.0},
        {"-9223372036854775808", -9223372036854775808.0},
        {"99999999999999999999", 1e20},
        {"123456789012345678901234567890", 1.2345678901234568e29},
        {"-" + std::string(300, '9'), -1e300},
        {"1e999", 1},  // Val reads no exponent
        {"2.5e3", 2.5},
        {"1.5.7", 1.5},
    };
    for (const auto& c : cases) {
        const Value v = select("Val(" + quoted(c.text) + ")");
        EXPECT_DOUBLE_EQ(v.toDouble(), c.value) << "Val(\"" << c.text << "\")";
    }
    // Whole numbers below 9e15 are integers, so they compare with codes stored as such.
    EXPECT_TRUE(select("Val('8999999999999999')").isInteger());
    EXPECT_TRUE(select("Val('12.0')").isInteger());
    // More digits than a double holds read as an infinite number, not as some other one.
    EXPECT_EQ(select("Val(" + quoted(std::string(400, '9')) + ") > 1e308"), Value(1));
    EXPECT_EQ(select("Val(" + quoted("-" + std::string(400, '9')) + ") < -1e308"), Value(1));
}

// CurrencyUnits reads an amount as a CURRENCY field is read, exactly over the range,
// and fails the statement for one that cannot be read.
TEST_F(SqlDialectTest, CurrencyUnitsReadsAmountsAsTheProgramDoes)
{
    db->Execute("CREATE TABLE T (N INTEGER, Importo CURRENCY)");
    db->Execute("INSERT INTO T VALUES (1, 12.3456), (2, 922337203685477), (3, -922337203685477), (4, NULL), (5, 0.1), (6, 'abc')");
    struct Case {
        int n;
        Value units;
    } cases[] = {
        {1, Value(std::int64_t{123456})},
        {2, Value(std::int64_t{9223372036854770000})},  // exact: not through a floating product
        {3, Value(std::int64_t{-9223372036854770000})},
        {4, Value()},
        {5, Value(std::int64_t{1000})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db->OpenRecordset("SELECT CurrencyUnits(Importo) AS U FROM T WHERE N = " + std::to_string(c.n))->Fields("U"), c.units)
            << c.n;
    try {
        db->OpenRecordset("SELECT Sum(CurrencyUnits(Importo)) AS U FROM T");
        ADD_FAILURE() << "an amount that is not a number was summed";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("\"abc\", che non è un numero"), std::string::npos) << e.what();
    }
}

}
