#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/SqlQuote.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;

// Each quoted text, handed to the engine, reads back as exactly the text it quotes.
TEST(SqlQuote, TextsAndNamesReadBackAsTheyWere)
{
    ravelt::testing::TempFolder dir;
    auto db = Database::CreateDatabase("Prova.mdb", "", dir.path());
    const std::string texts[] = {"", "O'Brien", "''", "'", "a\"b", "x' or 1=1 --", "città"};
    for (const std::string& t : texts) {
        EXPECT_EQ(db->OpenRecordset("SELECT " + sqlTextLiteral(t) + " AS v")->Fields("v").toText(), t) << t;
        const std::string field = "n" + t;
        EXPECT_EQ(db->OpenRecordset("SELECT 1 AS " + sqlIdentifier(field))->Fields(field).toInt(), 1) << t;
    }
    EXPECT_EQ(sqlTextLiteral("O'Brien"), "'O''Brien'");
    EXPECT_EQ(sqlIdentifier("a\"b"), "\"a\"\"b\"");
}
