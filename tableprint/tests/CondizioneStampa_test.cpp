#include "tableprint/CondizioneStampa.h"

#include "tableprint/ErroreStampa.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

const CampiTabella Campi({{"Intestazione", FieldType::Text},
                          {"Sigla", FieldType::Text},
                          {"NumeroColonna", FieldType::Integer},
                          {"DataArrivo", FieldType::Text},
                          {"DataNumero", FieldType::Long},
                          {"dataMinuscola", FieldType::Text}});

struct Riga {
    int n;
    const char* campo;
    const char* operatore;
    const char* valore;
};

std::array<CriterioStampa, 8> righe(const std::vector<Riga>& date)
{
    std::array<CriterioStampa, 8> r;
    for (auto& c : r)
        c = {"Intestazione", " uguale a ", ""};
    for (const auto& d : date)
        r[static_cast<size_t>(d.n)] = {d.campo, d.operatore, d.valore};
    return r;
}

TEST(CondizioneStampaCostruisci, ConditionTexts)
{
    struct Caso {
        const char* cosa;
        std::vector<Riga> date;
        std::string condizione;
        std::vector<std::pair<int, std::string>> valoriDopo;
        std::vector<std::string> nonNumerici = {};
    } casi[] = {
        {"the worked example",
         {{0, "Intestazione", " uguale a ", "contanti"}, {1, "Sigla", " include ", "cc"}},
         "Intestazione =  'CONTANTI'  and Instr(Sigla,'CC') > 0",
         {{0, "CONTANTI"}, {1, "CC"}}},
        {"an apostrophe becomes the acute accent", {{0, "Intestazione", " uguale a ", " l'hotel "}},
         "Intestazione =  'L´HOTEL' ", {{0, "L´HOTEL"}}},
        {"every comparison",
         {{0, "Sigla", " inferiore a ", "b"}, {1, "Sigla", " superiore a ", "c"}, {2, "Sigla", " fino a ", "d"},
          {3, "Sigla", " da ", "e"}, {4, "Sigla", " diverso da ", "f"}, {5, "Sigla", " non include ", "g"}},
         "Sigla <  'B'  and Sigla >  'C'  and Sigla <=  'D'  and Sigla >=  'E'  and Sigla <>  'F'  and Instr(Sigla,'G') = 0",
         {}},
        {"rows that do not count leave no joint", {{5, "Sigla", " uguale a ", "x"}, {6, "Sigla", " uguale a ", "   "}},
         "Sigla =  'X' ", {{5, "X"}, {6, "   "}}},
        {"a short date is expanded and turned into yyyymmdd", {{0, "DataArrivo", " fino a ", "311224"}},
         "DataArrivo <=  '20241231' ", {{0, "31/12/2024"}}},
        {"a full date", {{0, "DataArrivo", " da ", "01/02/2025"}}, "DataArrivo >=  '20250201' ", {{0, "01/02/2025"}}},
        {"an invalid date empties its row", {{0, "DataArrivo", " uguale a ", "310224"}, {1, "Sigla", " uguale a ", "A"}},
         "Sigla =  'A' ", {{0, ""}, {1, "A"}}},
        {"day and month searched inside dates", {{0, "DataArrivo", " include ", "2512"}, {1, "DataArrivo", " non include ", "0101"}},
         "Instr(DataArrivo,'1225') > 0 and Instr(DataArrivo,'0101') = 0", {{0, "1225"}, {1, "0101"}}},
        {"a date field named in small letters is prepared but not turned",
         {{0, "dataMinuscola", " da ", "010125"}}, "dataMinuscola >=  '01/01/2025' ", {{0, "01/01/2025"}}},
        {"a number goes bare", {{0, "NumeroColonna", " superiore a ", " 3 "}}, "NumeroColonna > 3", {{0, "3"}}},
        {"a word on a number field goes bare and is flagged", {{0, "NumeroColonna", " uguale a ", "abc"}},
         "NumeroColonna = ABC", {{0, "ABC"}}, {"NumeroColonna: ABC"}},
        {"a date on a number field goes bare as typed", {{0, "DataNumero", " uguale a ", "311224"}},
         "DataNumero = 31/12/2024", {{0, "31/12/2024"}}, {"DataNumero: 31/12/2024"}},
        {"eight empty rows", {}, "", {}},
    };
    for (const auto& c : casi) {
        auto r = righe(c.date);
        CondizioneStampa cond = CondizioneStampa::Costruisci(r, Campi);
        EXPECT_EQ(cond.testo, c.condizione) << c.cosa;
        EXPECT_EQ(cond.contaRighe(), !c.condizione.empty()) << c.cosa;
        for (const auto& [n, v] : c.valoriDopo)
            EXPECT_EQ(r[static_cast<size_t>(n)].valore, v) << c.cosa << ", row " << n;
        EXPECT_EQ(cond.valoriNonNumerici, c.nonNumerici) << c.cosa;
    }
}

TEST(CondizioneStampaCostruisci, PressingAgainSwapsADayAndMonthBack)
{
    auto r = righe({{0, "DataArrivo", " include ", "2512"}});
    CondizioneStampa::Costruisci(r, Campi);
    EXPECT_EQ(r[0].valore, "1225");
    CondizioneStampa::Costruisci(r, Campi);
    EXPECT_EQ(r[0].valore, "2512");
}

TEST(CondizioneStampaDaStampare, RefusesWhatCannotBePrinted)
{
    struct Caso {
        const char* cosa;
        std::vector<Riga> date;
        const char* titolo;
        const char* testo;
    } casi[] = {
        {"no row counts", {}, "Mancano dati!", "E' necessario definire un criterio di stampa!"},
        {"only an invalid date", {{2, "DataArrivo", " da ", "320125"}}, "Mancano dati!", "E' necessario definire un criterio di stampa!"},
        {"a word on a number field", {{0, "NumeroColonna", " uguale a ", "1 or 1=1"}}, "Stampa",
         "Il valore di un campo numerico deve essere un numero:\r\nNumeroColonna: 1 OR 1=1"},
        {"a field the table lacks", {{0, "Colore", " uguale a ", "rosso"}}, "Stampa", "Il campo Colore non è nella tabella da stampare"},
    };
    for (const auto& c : casi) {
        auto r = righe(c.date);
        try {
            CondizioneStampa::DaStampare(r, Campi);
            ADD_FAILURE() << c.cosa << ": accepted";
        } catch (const ErroreStampa& e) {
            EXPECT_EQ(e.titolo(), c.titolo) << c.cosa;
            EXPECT_EQ(e.testo(), c.testo) << c.cosa;
        }
    }
    auto r = righe({{0, "NumeroColonna", " fino a ", "-2.5"}});
    EXPECT_EQ(CondizioneStampa::DaStampare(r, Campi), "NumeroColonna <= -2.5");
}

}
