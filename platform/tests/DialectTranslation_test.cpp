#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/SqlDialect.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>
#include <vector>

using namespace ravelt;

namespace {

// The statement SQLite is given for one in the suite's dialect; each store named with In
// is attached as ext1, ext2, ... in the order it is met, and recorded in `attached`.
std::string translated(const std::string& sql, std::vector<std::string>* attached = nullptr)
{
    std::vector<std::string> seen;
    std::string out = translateDialect(sql, [&](const std::string& file) {
        seen.push_back(file);
        return "ext" + std::to_string(seen.size());
    });
    if (attached)
        *attached = seen;
    return out;
}

}

// The rewriting on its own: what changes, and what must be copied as it is.
TEST(DialectTranslation, RewritesOnlyWhatTheEngineReadsOtherwise)
{
    struct Case {
        const char* sql;
        const char* expected;
    } cases[] = {
        {"SELECT * FROM Conti In 'Altro.mdb'", "SELECT * FROM ext1.\"Conti\""},
        {"select * from conti in 'ALTRO.MDB' where N = 1", "select * from ext1.\"conti\" where N = 1"},
        {"SELECT * FROM Conti IN   'Altro.mdb'", "SELECT * FROM ext1.\"Conti\""},
        {"SELECT * FROM Conti In 'Note.txt'", "SELECT * FROM Conti In 'Note.txt'"},
        {"SELECT * FROM Conti In '.mdb'", "SELECT * FROM Conti In '.mdb'"},
        {"WHERE Sigla In ('A.mdb')", "WHERE Sigla In ('A.mdb')"},
        {"Val(Codice) = 3", "CAST(Val(Codice) AS NUMERIC) = 3"},
        {"VAL (Codice) = 3", "CAST(VAL (Codice) AS NUMERIC) = 3"},
        {"Val(Left(Nota, 4))", "CAST(Val((jet_left(Nota, 4) COLLATE NOCASE)) AS NUMERIC)"},
        {"Val((1 + (2)) * 3) + Val(x)", "CAST(Val((1 + (2)) * 3) AS NUMERIC) + CAST(Val(x) AS NUMERIC)"},
        {"Left(Nome, (1 + 2)) = 'A'", "(jet_left(Nome, (1 + 2)) COLLATE NOCASE) = 'A'"},
        {"Right(Left(Nome, 5), 3)", "(jet_right((jet_left(Nome, 5) COLLATE NOCASE), 3) COLLATE NOCASE)"},
        {"Mid(Nome, 2, 3)", "(Mid(Nome, 2, 3) COLLATE NOCASE)"},
        {"Instr(Nome, 'a') > 0", "Instr(Nome, 'a') > 0"},
        {"A LEFT JOIN B ON A.K = B.K", "A LEFT JOIN B ON A.K = B.K"},
        {"Nota = 'Val(x) Left(y) T In ''A.mdb'''", "Nota = 'Val(x) Left(y) T In ''A.mdb'''"},
        {"Nota = \"Val(x)\"", "Nota = \"Val(x)\""},
        {"Nota = 'l''hotel' AND Val(x) = 1", "Nota = 'l''hotel' AND CAST(Val(x) AS NUMERIC) = 1"},
        {"Valore = 1 AND Leftover(x)", "Valore = 1 AND Leftover(x)"},
        {"Città = 'Val('", "Città = 'Val('"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(translated(c.sql), c.expected) << c.sql;
}

// Each In names its own store; the literal's doubled quotes are undone in the file name.
TEST(DialectTranslation, EveryStoreNamedIsAttached)
{
    std::vector<std::string> attached;
    EXPECT_EQ(translated("SELECT A.N FROM T In 'Uno.mdb' A, U In 'L''Altro.mdb' B", &attached),
              "SELECT A.N FROM ext1.\"T\" A, ext2.\"U\" B");
    EXPECT_EQ(attached, (std::vector<std::string>{"Uno.mdb", "L'Altro.mdb"}));
    translated("SELECT 'T In ''A.mdb''' FROM T", &attached);
    EXPECT_TRUE(attached.empty());
}

// The dialect's text functions as the engine runs them: counted in characters, not bytes;
// Null in gives Null out; lengths and starts out of the text are clamped.
TEST(DialectFunctions, TextFunctionsCountCharactersAndKeepNull)
{
    ravelt::testing::TempFolder dir;
    auto db = Database::CreateDatabase("Prova.mdb", "", dir.path());
    struct Case {
        const char* expression;
        Value expected;
    } cases[] = {
        {"Left('città', 4)", Value("citt")},
        {"Left('città', 5)", Value("città")},
        {"Left('abc', 10)", Value("abc")},
        {"Left('abc', 0)", Value("")},
        {"Left('abc', -1)", Value("")},
        {"Left(NULL, 2)", Value()},
        {"Right('città', 2)", Value("tà")},
        {"Right('abc', 10)", Value("abc")},
        {"Right('abc', -2)", Value("")},
        {"Right(NULL, 2)", Value()},
        {"Mid('città', 4)", Value("tà")},
        {"Mid('abcdef', 2, 3)", Value("bcd")},
        {"Mid('abc', 0, 2)", Value("ab")},
        {"Mid('abc', 9)", Value("")},
        {"Mid(NULL, 1, 1)", Value()},
        {"Instr('Cassa', 'S')", Value(3)},
        {"Instr('àbà', 'B')", Value(2)},
        {"Instr('abcabc', 'z')", Value(0)},
        {"Instr(4, 'abcabc', 'c')", Value(6)},
        {"Instr(0, 'abc', 'a')", Value(1)},
        {"Instr(9, 'abc', 'a')", Value(0)},
        {"Instr(NULL, 'a')", Value()},
        {"Instr('a', NULL)", Value()},
        {"Len('città')", Value(5)},
        {"UCase('città')", Value("CITTÀ")},
        {"Left('cassa', 1) = 'C'", Value(1)},
        {"Mid('CASSA', 2, 1) = 'a'", Value(1)},
        {"Val('3x') = '3'", Value(1)},
        {"Val(NULL)", Value()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db->OpenRecordset(std::string("SELECT ") + c.expression + " AS V")->Fields("V"), c.expected) << c.expression;
}
