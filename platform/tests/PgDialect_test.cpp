#include "platform/PgDialect.h"
#include "platform/PlainText.h"

#include <gtest/gtest.h>
#include <map>

using namespace ravelt;

namespace {

// The statement the server is given, with the stores holding the tables and fields named
// here in these spellings.
std::string forServer(const std::string& sql)
{
    static const std::map<std::string, std::string> known = {
        {"incassi", "Incassi"}, {"importo", "Importo"}, {"nota", "Nota"}, {"sigla", "Sigla"},
        {"colonneravelt", "ColonneRavelt"}, {"numerocolonna", "NumeroColonna"}, {"codicivari", "CodiciVari"},
        {"tipodocumento", "TipoDocumento"}, {"order details", "Order Details"}, {"data", "Data"},
    };
    return translateForServer(sql, [](const std::string& name) -> std::optional<std::string> {
        auto it = known.find(lowerAscii(name));
        if (it == known.end())
            return std::nullopt;
        return it->second;
    });
}

}

TEST(PgDialect, SpellsNamesCallsFunctionsAndLeavesLiteralsAlone)
{
    struct Case {
        const char* sql;
        const char* expected;
    } cases[] = {
        // names as the server holds them, whatever the case they are written in
        {"Select importo From INCASSI", "Select \"Importo\" From \"Incassi\""},
        {"select p.Importo from Incassi As p", "select p.\"Importo\" from \"Incassi\" As p"},
        {"SELECT \"importo\" FROM [order details]", "SELECT \"Importo\" FROM \"Order Details\""},
        // an alias the stores do not know is left for the server to fold
        {"Select Sum(Importo) As Unita From Incassi", "Select Sum(\"Importo\") As Unita From \"Incassi\""},
        // a table of another store is its schema's
        {"Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' Where NumeroColonna = 1",
         "Select \"Sigla\" From \"colonneravelt\".\"ColonneRavelt\" Where \"NumeroColonna\" = 1"},
        {"select * from incassi in 'FATTURE.MDB'", "select * from \"fatture\".\"Incassi\""},
        // the dialect's functions are the program's own on the server
        {"Left(TipoDocumento,3) = 'Fat'", "ravelt.jet_left(\"TipoDocumento\",3) = 'Fat'"},
        {"Val(Left(Nota,4))", "ravelt.val(ravelt.jet_left(\"Nota\",4))"},
        {"Right(Nota, 2) || Mid(Nota, 2) || UCase(Nota) || Len(Nota) || Instr(Nota, 'x')",
         "ravelt.jet_right(\"Nota\", 2) || ravelt.mid(\"Nota\", 2) || ravelt.ucase(\"Nota\") || ravelt.len(\"Nota\") || ravelt.instr(\"Nota\", 'x')"},
        {"Sum(CurrencyUnits(p.Importo))", "Sum(ravelt.currencyunits(p.\"Importo\"))"},
        // a table's name before its fields' list is a name, not a call
        {"CREATE INDEX CodiciVari_Tipo ON CodiciVari (Sigla)", "CREATE INDEX CodiciVari_Tipo ON \"CodiciVari\" (\"Sigla\")"},
        // words of the grammar stay words even where a field is so named
        {"Select Data From Incassi Order By Data", "Select \"Data\" From \"Incassi\" Order By \"Data\""},
        // literals are copied as they are, names in them included
        {"Nota = 'Importo In ''Fatture.mdb'''", "\"Nota\" = 'Importo In ''Fatture.mdb'''"},
        // parameters and the closing semicolon
        {"UPDATE Incassi SET Nota = ?1 WHERE ctid = ?2::tid", "UPDATE \"Incassi\" SET \"Nota\" = $1 WHERE ctid = $2::tid"},
        {"INSERT INTO Incassi (Nota, Importo) VALUES (?, ?)", "INSERT INTO \"Incassi\" (\"Nota\", \"Importo\") VALUES ($1, $2)"},
        {"Select * From Incassi;  ", "Select * From \"Incassi\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(forServer(c.sql), c.expected) << c.sql;
}
