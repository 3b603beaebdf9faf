#include "tableprint/DefinizioneStampa.h"

#include "tableprint/ErroreStampa.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::TempFolder;

namespace {

std::vector<std::string> campi(const ColonnaStampa& r)
{
    return std::vector<std::string>(r.campi.begin() + 1, r.campi.end());
}

TEST(SpezzaRigaDefinizione, SplitsAsTheEngineDoes)
{
    struct Caso {
        const char* riga;
        std::vector<std::string> campi;
        int larghezza;
    } casi[] = {
        {"1,Numero,,,Numero,10,S,N,,", {"1", "Numero", "", "", "Numero", "10", "S", "N", "", ""}, 10},
        {"2, Intestazione ,a,b,F, 20 ,N,N,k,c", {"2", " Intestazione ", "a", "b", "F", " 20 ", "N", "N", "k", "c"}, 20},
        // fewer commas: the last text goes to field 10, the fields between stay empty
        {"0,T,Prova.mdb,Voci", {"0", "T", "Prova.mdb", "", "", "", "", "", "", "Voci"}, 0},
        {"", {"", "", "", "", "", "", "", "", "", ""}, 0},
        // more than ten fields: commas from the tenth on store nothing
        {"1,2,3,4,5,6,7,8,9,10,11,12", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "12"}, 6},
        // widths: leading number, half to even, never below 0
        {"1,A,,,A,4.5,N,N,,", {"1", "A", "", "", "A", "4.5", "N", "N", "", ""}, 4},
        {"1,A,,,A,5.5,N,N,,", {"1", "A", "", "", "A", "5.5", "N", "N", "", ""}, 6},
        {"1,A,,,A,12 caratteri,N,N,,", {"1", "A", "", "", "A", "12 caratteri", "N", "N", "", ""}, 12},
        {"1,A,,,A,-3,N,N,,", {"1", "A", "", "", "A", "-3", "N", "N", "", ""}, 0},
        {"1,A,,,A,larga,N,N,,", {"1", "A", "", "", "A", "larga", "N", "N", "", ""}, 0},
    };
    for (const auto& c : casi) {
        ColonnaStampa r = SpezzaRigaDefinizione(c.riga);
        EXPECT_EQ(campi(r), c.campi) << c.riga;
        EXPECT_EQ(r.larghezza, c.larghezza) << c.riga;
    }
}

TEST(LeggiDefinizioneStampa, RecordsAndTableWidth)
{
    TempFolder dir;
    dir.write("D.stp", "0,Colonne,Prova.mdb,Voci,,,,,,\r\n"
                       "1,Numero,,,Numero,10,S,N,,\r\n"
                       "2,Intestazione,,,Intestazione,20,N,N,,\r\n"
                       "3,,,,Dopo,5,N,N,,\r\n"
                       "4,Nascosta,,,X,7,N,N,,");  // no line end on the last line
    DefinizioneStampa d = LeggiDefinizioneStampa(dir / "D.stp");
    EXPECT_EQ(d.titolo(), "Colonne");
    EXPECT_EQ(d.archivio(), "Prova.mdb");
    EXPECT_EQ(d.tabella(), "Voci");
    EXPECT_EQ(d.numeroColonne(), 2) << "the list ends at the first empty heading";
    // every record present counts in W, also after the empty heading
    EXPECT_EQ(d.larghezzaTabella, 1 + 11 + 21 + 6 + 8);
    EXPECT_EQ(d.colonne[3].intestazione(), "Nascosta");
    const ColonnaStampa& mancante = d.colonne[4];
    EXPECT_EQ(mancante.intestazione(), "");
    EXPECT_EQ(mancante.larghezza, 0);
    EXPECT_EQ(mancante.campo(7), "N");
    EXPECT_EQ(mancante.campo(8), "N");
}

TEST(LeggiDefinizioneStampa, AtMostFiftyColumnRecords)
{
    TempFolder dir;
    std::string stp = "0,Larga,Prova.mdb,Voci,,,,,,\r\n";
    for (int c = 1; c <= 53; ++c)
        stp += std::to_string(c) + ",H" + std::to_string(c) + ",,,A,2,N,S,,\r\n";
    dir.write("L.stp", stp);
    DefinizioneStampa d = LeggiDefinizioneStampa(dir / "L.stp");
    EXPECT_EQ(d.numeroColonne(), 50);
    EXPECT_EQ(d.colonne[49].intestazione(), "H50");
    EXPECT_EQ(d.righeIgnorate, 3);
    EXPECT_EQ(d.larghezzaTabella, 1 + 50 * 3);
}

TEST(LeggiDefinizioneStampa, TextInCodePage1252)
{
    TempFolder dir;
    dir.write("A.stp", "0,Qualit\xE0,Prova.mdb,Voci,,,,,,\n1,Citt\xE0,,,Citta,5,N,N,,\n");  // LF alone ends lines too
    DefinizioneStampa d = LeggiDefinizioneStampa(dir / "A.stp");
    EXPECT_EQ(d.titolo(), "Qualità");
    EXPECT_EQ(d.colonne[0].intestazione(), "Città");
    EXPECT_EQ(d.colonne[0].larghezza, 5);
}

TEST(LeggiDefinizioneStampa, MissingFileIsNamed)
{
    TempFolder dir;
    for (auto leggi : {+[](const std::filesystem::path& p) { LeggiDefinizioneStampa(p); },
                       +[](const std::filesystem::path& p) { LeggiTestataStampa(p); }}) {
        try {
            leggi(dir / "ColonneRavelt.stp");
            ADD_FAILURE() << "read a missing file";
        } catch (const ErroreStampa& e) {
            EXPECT_EQ(e.testo(), "ColonneRavelt.stp - Inesistente!");
            EXPECT_EQ(e.titolo(), "File Mancante");
        }
    }
}

// The lines of a definition that are read otherwise than their writer meant are told,
// each with its line; a well-formed definition tells nothing.
TEST(LeggiDefinizioneStampa, LinesNotReadAsMeantAreTold)
{
    const std::string testata = "0,Voci,Prova.mdb,Voci,,,,,,\r\n";
    const std::string buona = "1,Numero,,,Numero,10,S,N,,\r\n";
    std::string oltre = testata;
    for (int c = 1; c <= 52; ++c)
        oltre += std::to_string(c) + ",H" + std::to_string(c) + ",,,A,2,N,S,,\r\n";
    struct Avviso {
        int riga;
        std::string testo;
    };
    struct Caso {
        const char* cosa;
        std::string stp;
        std::vector<Avviso> avvisi;
    } casi[] = {
        {"well formed", testata + buona + "2,Sigla,,,Sigla,5,N,N,,\r\n", {}},
        {"the list ends with an empty line", testata + buona + "\r\n", {}},
        {"a header of twelve fields", "0,Voci,Prova.mdb,Voci,,,,,,,,\r\n" + buona,
         {{1, "ha 12 campi invece di 10: quelli dopo il decimo non sono letti"}}},
        {"a column of eight fields", testata + "1,Numero,,,Numero,10,S,N\r\n",
         {{2, "ha 8 campi invece di 10: l'ultimo è letto come campo 10 e i campi da 8 a 9 restano vuoti"}}},
        {"a column of nine fields", testata + buona + "2,Sigla,,,Sigla,5,N,N,\r\n",
         {{3, "ha 9 campi invece di 10: l'ultimo è letto come campo 10 e il campo 9 resta vuoto"}}},
        {"a column of eleven fields", testata + "1,Numero,,,Numero,10,S,N,,,\r\n",
         {{2, "ha 11 campi invece di 10: il campo 10 non è letto e l'ultimo è letto come campo 10"}}},
        {"a column of thirteen fields", testata + "1,Numero,,,Numero,10,S,N,,,,,\r\n",
         {{2, "ha 13 campi invece di 10: i campi da 10 a 12 non sono letti e l'ultimo è letto come campo 10"}}},
        {"a width that is a word", testata + "1,Numero,,,Numero,larga,S,N,,\r\n",
         {{2, "la larghezza \"larga\" non è un numero di caratteri maggiore di zero: la colonna \"Numero\" è stampata larga 0"}}},
        {"a width of zero", testata + "1,Numero,,,Numero,0,S,N,,\r\n",
         {{2, "la larghezza \"0\" non è un numero di caratteri maggiore di zero: la colonna \"Numero\" è stampata larga 0"}}},
        {"a width beyond 32767", testata + "1,Numero,,,Numero,40000,S,N,,\r\n",
         {{2, "la larghezza \"40000\" è oltre 32767: la colonna \"Numero\" è stampata larga 32767"}}},
        {"columns after an empty heading", testata + buona + "2,,,,Sigla,5,N,N,,\r\n3,Sigla,,,Sigla,5,N,N,,\r\n\r\n"
                                                              "5,Data,,,DataV,10,N,N,,\r\n",
         {{3, "l'intestazione è vuota: le colonne finiscono qui e quelle delle righe da 4 a 6 non sono stampate"}}},
        {"one column after an empty heading", testata + "1,,,,Sigla,5,N,N,,\r\n" + buona,
         {{2, "l'intestazione è vuota: le colonne finiscono qui e quella della riga 3 non è stampata"}}},
        {"a column not printed is not examined", testata + buona + "2,,,,Sigla,x,N\r\n", {}},
        {"fifty-two column records", oltre,
         {{52, "questa riga e le 1 seguenti sono oltre le 50 colonne di una definizione: non sono lette"}}},
    };
    for (const auto& c : casi) {
        TempFolder dir;
        dir.write("D.stp", c.stp);
        AvvisiImpostazioni avvisi;
        LeggiDefinizioneStampa(dir / "D.stp", &avvisi);
        ASSERT_EQ(avvisi.elenco().size(), c.avvisi.size()) << c.cosa << ": " << AvvisiImpostazioni::Testo(avvisi.elenco());
        for (size_t i = 0; i < c.avvisi.size(); ++i)
            EXPECT_EQ(avvisi.elenco()[i], (AvvisoImpostazioni{"D.stp", c.avvisi[i].riga, c.avvisi[i].testo}))
                << c.cosa << ": " << avvisi.elenco()[i].messaggio();
    }
}

// The screen reads the header and the engine the whole file: a long header is told
// once to a screen that does both.
TEST(LeggiTestataStampa, AHeaderOfMoreThanTenFieldsIsToldOnce)
{
    TempFolder dir;
    dir.write("T.stp", "0,Colonne,A.mdb,T,5,6,7,8,9,10,11\r\n1,Numero,,,Numero,10,S,N,,\r\n");
    AvvisiImpostazioni avvisi;
    EXPECT_EQ(LeggiTestataStampa(dir / "T.stp", &avvisi).campo(4), "T");
    LeggiDefinizioneStampa(dir / "T.stp", &avvisi);
    ASSERT_EQ(avvisi.elenco().size(), 1u) << AvvisiImpostazioni::Testo(avvisi.elenco());
    EXPECT_EQ(avvisi.elenco()[0].messaggio(), "T.stp, riga 1: ha 11 campi invece di 10: quelli dopo il decimo non sono letti");
}

TEST(LeggiTestataStampa, ConsecutiveFieldsOfTheFirstLine)
{
    struct Caso {
        const char* prima;
        const char* archivio;
        const char* tabella;
    } casi[] = {
        {"0,Colonne,ColonneRavelt.mdb,ColonneRavelt,,,,,,", "ColonneRavelt.mdb", "ColonneRavelt"},
        {"0,Colonne,ColonneRavelt.mdb,ColonneRavelt", "ColonneRavelt.mdb", "ColonneRavelt"},
        {"0,Colonne,A.mdb,T,5,6,7,8,9,10,11,12", "A.mdb", "T"},
        {"0,Colonne", "", ""},
    };
    for (const auto& c : casi) {
        TempFolder dir;
        dir.write("T.stp", std::string(c.prima) + "\r\n1,Numero,,,Numero,10,S,N,,\r\n");
        ColonnaStampa t = LeggiTestataStampa(dir / "T.stp");
        EXPECT_EQ(t.campo(3), c.archivio) << c.prima;
        EXPECT_EQ(t.campo(4), c.tabella) << c.prima;
    }
}

}
