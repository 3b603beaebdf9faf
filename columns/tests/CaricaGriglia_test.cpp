#include "columns/CaricaGriglia.h"

#include "platform/Database.h"
#include "platform/Recordset.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

class CaricaGrigliaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = Database::CreateDatabase("Prova.mdb", "", dir.path());
        db->Execute("CREATE TABLE T (Gruppo SMALLINT, Sigla TEXT(6) COLLATE NOCASE, DataEmissione TEXT(8), "
                    "Importo CURRENCY, Pezzi SMALLINT, Nota TEXT)");
    }
    ColonneGriglia colonne(std::initializer_list<ColonnaGriglia> defs)
    {
        ColonneGriglia c;
        InizializzaColonne(c);
        int i = 1;
        for (const auto& d : defs)
            c[i++] = d;
        return c;
    }
    ravelt::testing::TempFolder dir;
    std::unique_ptr<Database> db;
};

TEST_F(CaricaGrigliaTest, NoMatchingRecordLeavesHeaderSpacerAndBlankTotals)
{
    db->Execute("INSERT INTO T (Gruppo, Sigla) VALUES (1, 'A')");
    auto rs = db->OpenRecordset("T");
    GridContent g = CaricaGriglia(*rs, "Gruppo = 2", colonne({{"Sigla", "Sigla", 6, "S", "L"}, {"Importo", "Importo", 10, "N", "R"}}), 9999);
    ASSERT_EQ(g.rows(), 3);
    EXPECT_EQ(g.cell(0, 0), "Sigla");
    EXPECT_EQ(g.cell(1, 0), "");
    EXPECT_EQ(g.cell(2, 0), " ");
    EXPECT_EQ(g.cell(2, 1), " ");  // the field's type is unknown without a record
    EXPECT_FALSE(g.selectionShown);
    EXPECT_EQ(g.widthsTwips, (std::vector<int>{660, 1100}));
    EXPECT_EQ(g.alignRight, (std::vector<bool>{false, true}));
    EXPECT_EQ(g.problema, "") << "nothing failed";
}

TEST_F(CaricaGrigliaTest, CellsAreCutDatesRewrittenAmountsGroupedAndTotalled)
{
    db->Execute("INSERT INTO T VALUES (1, 'ABCDEFG', '20240315', 1200, 3, 'x'), (2, 'Z', '20240101', 5, 1, 'y'), "
                "(1, 'B', '20241231', 34, 4, NULL)");
    auto rs = db->OpenRecordset("T");
    auto c = colonne({{"Codice", "Sigla", 6, "S", "L"},
                      {"DataEmissione", "DataEmissione", 11, "S", "L"},
                      {"Importo", "Importo", 10, "N", "R"},
                      {"Pezzi", "Pezzi", 5, "N", "R"},
                      {"Nota", "Nota", 5, "S", "L"},
                      {"Manca", "Inesistente", 5, "S", "L"}});
    GridContent g = CaricaGriglia(*rs, "Gruppo = 1", c, 9999);
    ASSERT_EQ(g.rows(), 5);  // header, two records, spacer, totals
    EXPECT_TRUE(g.selectionShown);
    EXPECT_EQ(g.cell(0, 0), "Codice");
    EXPECT_EQ(g.cell(1, 0), "ABCDE");       // width 6 shows five characters
    EXPECT_EQ(g.cell(1, 1), "15/03/2024");
    EXPECT_EQ(g.cell(1, 2), "1.200");
    EXPECT_EQ(g.cell(2, 2), "34");
    EXPECT_EQ(g.cell(2, 4), "");            // Null shows empty
    EXPECT_EQ(g.cell(1, 5), "");            // a field that does not exist shows empty
    EXPECT_EQ(g.cell(3, 0), "");
    EXPECT_EQ(g.cell(4, 0), " ");
    EXPECT_EQ(g.cell(4, 2), "1.234");       // currency total through the grouped format
    EXPECT_EQ(g.cell(4, 3), "7");           // 16-bit integer total through the number filter
    EXPECT_EQ(g.cell(4, 5), " ");
    EXPECT_NE(g.problema.find("Inesistente"), std::string::npos) << "the missing field is kept for the caller: " << g.problema;
}

TEST_F(CaricaGrigliaTest, TheLimitCountsCells)
{
    db->Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5100) "
                "INSERT INTO T (Gruppo, Sigla) SELECT 1, 'S' || i FROM n");
    auto rs = db->OpenRecordset("T");
    GridContent g = CaricaGriglia(*rs, "Gruppo = 1", colonne({{"Sigla", "Sigla", 6, "S", "L"}, {"Nota", "Nota", 6, "S", "L"}}), 9999);
    EXPECT_EQ(g.rows(), 5000 + 3);
    EXPECT_EQ(g.cell(5000, 0), "S5000");
}

// A criterion the engine cannot carry out shows no data rows, the grid is still whole,
// and the engine's reason is kept for the caller instead of being lost.
TEST_F(CaricaGrigliaTest, ACriterionTheEngineRejectsShowsNoRowsAndKeepsTheReason)
{
    db->Execute("INSERT INTO T (Gruppo, Sigla) VALUES (1, 'A')");
    struct Case {
        const char* name;
        const char* criterion;
    } cases[] = {
        {"unbalanced quote", "Sigla = 'L'HOTEL'"},
        {"a field the table lacks", "Tipo = 4"},
    };
    for (const auto& c : cases) {
        auto rs = db->OpenRecordset("T");
        GridContent g = CaricaGriglia(*rs, c.criterion, colonne({{"Sigla", "Sigla", 6, "S", "L"}}), 9999);
        EXPECT_EQ(g.rows(), 3) << c.name;
        EXPECT_EQ(g.cell(2, 0), " ") << c.name;
        EXPECT_FALSE(g.problema.empty()) << c.name;
    }
}

TEST_F(CaricaGrigliaTest, AnEmptyTitleEndsTheColumnList)
{
    db->Execute("INSERT INTO T (Gruppo, Sigla, Nota) VALUES (1, 'A', 'n')");
    auto rs = db->OpenRecordset("T");
    auto c = colonne({{"Sigla", "Sigla", 6, "S", "L"}, {"", "Nota", 6, "S", "L"}, {"Nota", "Nota", 6, "S", "L"}});
    GridContent g = CaricaGriglia(*rs, "Gruppo = 1", c, 9999);
    EXPECT_EQ(g.columns(), 1);
}

// A value its field's type cannot hold (another program's text in an amount, 70000 in a
// 16-bit field) shows as stored and adds nothing to the total; the grid still fills.
TEST_F(CaricaGrigliaTest, UnreadableValuesShowAsStoredAndAreNotTotalled)
{
    db->Execute("INSERT INTO T (Gruppo, Importo, Pezzi) VALUES (1, 1200, 3), (1, 'abc', 70000), (1, '1.234,56', 4)");
    auto rs = db->OpenRecordset("T");
    GridContent g = CaricaGriglia(*rs, "Gruppo = 1", colonne({{"Importo", "Importo", 10, "N", "R"}, {"Pezzi", "Pezzi", 7, "N", "R"}}), 9999);
    ASSERT_EQ(g.rows(), 6);
    EXPECT_EQ(g.cell(1, 0), "1.200");
    EXPECT_EQ(g.cell(2, 0), "abc");
    EXPECT_EQ(g.cell(2, 1), "70000");
    EXPECT_EQ(g.cell(3, 0), "1.234,56");
    EXPECT_EQ(g.cell(5, 0), "1.200");
    EXPECT_EQ(g.cell(5, 1), "7");
}

}
