#include "tableprint/FiltroSalvato.h"

#include "tableprint/ErroreStampa.h"
#include "tableprint/OperatoreStampa.h"
#include "tableprint/SceltaFiltro.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::TempFolder;

namespace {

std::array<CriterioStampa, 8> righeVuote()
{
    std::array<CriterioStampa, 8> r;
    for (auto& c : r) {
        c.campo = "Sigla";
        c.operatore = " uguale a ";
    }
    return r;
}

TEST(FiltroSalvatoTesto, LinesAsWritten)
{
    auto righe = righeVuote();
    EXPECT_EQ(FiltroSalvato::Testo(true, "NumeroColonna", righe), "Compresso = S\r\nIn Ordine di NumeroColonna\r\n")
        << "no criteria: two lines";
    righe[2] = {"Intestazione", " uguale a ", "CONTANTI"};
    righe[3].valore = "   ";  // only blanks: not written
    righe[5] = {"Sigla", " include ", "CC"};
    righe[6] = {"Descrizione", " non include ", "carta di credito"};
    righe[7] = {"DataX", " diverso da ", " 31/12/2024 "};  // written as it stands
    EXPECT_EQ(FiltroSalvato::Testo(false, "Sigla", righe), "Compresso = N\r\n"
                                                            "In Ordine di Sigla\r\n"
                                                            "Intestazione = CONTANTI\r\n"
                                                            "Sigla In CC\r\n"
                                                            "Descrizione Non carta di credito\r\n"
                                                            "DataX <>  31/12/2024 \r\n");
}

TEST(FiltroSalvatoTesto, EverySymbol)
{
    const char* attesi[] = {"=", "<", ">", "<=", ">=", "<>", "In", "Non"};
    int i = 0;
    for (const auto& op : OperatoreStampa::Elenco()) {
        auto righe = righeVuote();
        righe[0] = {"F", op.etichetta, "1"};
        EXPECT_EQ(FiltroSalvato::Testo(true, "F", righe), std::string("Compresso = S\r\nIn Ordine di F\r\nF ") + attesi[i] + " 1\r\n");
        ++i;
    }
}

TEST(FiltroSalvatoLeggi, ReadsBackWhatWasWritten)
{
    TempFolder dir;
    auto righe = righeVuote();
    righe[2] = {"Intestazione", " uguale a ", "CARTE CREDITO"};
    righe[5] = {"Sigla", " non include ", "Param3"};
    righe[6] = {"Citta", " da ", "Forlì"};
    FiltroSalvato::Scrivi(dir / "F.fil", false, "NumeroColonna", righe);
    ParametriFiltro parametri;
    parametri[2] = "TERZO";
    auto f = FiltroSalvato::Leggi(dir / "F.fil", parametri);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->compresso, false);
    EXPECT_EQ(f->campoOrdine, "NumeroColonna");
    ASSERT_EQ(f->criteri.size(), 3u) << "rows 2, 5 and 6 come back as criteria 0, 1 and 2";
    EXPECT_EQ(f->criteri[0].campo, "Intestazione");
    EXPECT_EQ(f->criteri[0].operatore, " uguale a ");
    EXPECT_EQ(f->criteri[0].valore, "CARTE CREDITO") << "a value with a blank comes back whole";
    EXPECT_EQ(f->criteri[1].operatore, " non include ");
    EXPECT_EQ(f->criteri[1].valore, "TERZO");
    EXPECT_EQ(f->criteri[2].valore, "Forlì");
    EXPECT_TRUE(dir.read("F.fil").ends_with("Citta >= Forl\xEC\r\n")) << "written in code page 1252";
}

TEST(FiltroSalvatoLeggi, OddLines)
{
    struct Caso {
        const char* cosa;
        const char* riga;
        CriterioStampa atteso;
    } casi[] = {
        {"a field alone", "Sigla", {"Sigla", "", ""}},
        {"no value", "Sigla =", {"Sigla", " uguale a ", ""}},
        {"an unknown symbol is kept as it is", "Sigla ~ X", {"Sigla", "~", "X"}},
        {"blanks around the value", "Sigla =   X Y  ", {"Sigla", " uguale a ", "X Y"}},
        {"Param3 without parameters", "Sigla = Param3", {"Sigla", " uguale a ", ""}},
        {"Param9 is a value", "Sigla = Param9", {"Sigla", " uguale a ", "Param9"}},
        {"an empty line", "", {"", "", ""}},
    };
    for (const auto& c : casi) {
        TempFolder dir;
        dir.write("F.fil", std::string("Compresso = S\r\nIn Ordine di A\r\n") + c.riga + "\r\n");
        auto f = FiltroSalvato::Leggi(dir / "F.fil", {});
        ASSERT_TRUE(f) << c.cosa;
        ASSERT_EQ(f->criteri.size(), 1u) << c.cosa;
        EXPECT_EQ(f->criteri[0].campo, c.atteso.campo) << c.cosa;
        EXPECT_EQ(f->criteri[0].operatore, c.atteso.operatore) << c.cosa;
        EXPECT_EQ(f->criteri[0].valore, c.atteso.valore) << c.cosa;
    }
}

TEST(FiltroSalvatoLeggi, HeadLinesAndLimits)
{
    struct Caso {
        const char* cosa;
        std::string testo;
        std::optional<bool> compresso;
        std::optional<std::string> ordine;
        size_t criteri;
        int ignorati;
    } casi[] = {
        {"empty file", "", std::nullopt, std::nullopt, 0, 0},
        {"first line only", "Compresso = S", true, std::nullopt, 0, 0},
        {"13th character decides", "Compresso = s\r\nIn Ordine di  A  \r\n", false, "A", 0, 0},
        {"short lines", "Comp\r\nIn Ordine\r\n", false, "", 0, 0},
        {"ten criteria lines, eight kept", "Compresso = S\r\nIn Ordine di A\r\n" + [] {
             std::string s;
             for (int i = 0; i < 10; ++i)
                 s += "A = " + std::to_string(i) + "\r\n";
             return s;
         }(), true, "A", 8, 2},
    };
    for (const auto& c : casi) {
        TempFolder dir;
        dir.write("F.fil", c.testo);
        auto f = FiltroSalvato::Leggi(dir / "F.fil", {});
        ASSERT_TRUE(f) << c.cosa;
        EXPECT_EQ(f->compresso, c.compresso) << c.cosa;
        EXPECT_EQ(f->campoOrdine, c.ordine) << c.cosa;
        EXPECT_EQ(f->criteri.size(), c.criteri) << c.cosa;
        EXPECT_EQ(f->criteriIgnorati, c.ignorati) << c.cosa;
    }
    TempFolder dir;
    EXPECT_FALSE(FiltroSalvato::Leggi(dir / "Nessuno.fil", {}));
}

// The lines of a saved filter that are read otherwise than their writer meant are told,
// each with its line; a filter as the screen writes it tells nothing.
TEST(FiltroSalvatoLeggi, LinesNotReadAsMeantAreTold)
{
    const std::string testa = "Compresso = S\r\nIn Ordine di Sigla\r\n";
    std::string dieci = testa;
    for (int i = 0; i < 10; ++i)
        dieci += "Sigla = " + std::to_string(i) + "\r\n";
    struct Avviso {
        int riga;
        std::string testo;
    };
    struct Caso {
        const char* cosa;
        std::string fil;
        std::vector<Avviso> avvisi;
    } casi[] = {
        {"as written", testa + "Intestazione = CARTE CREDITO\r\nSigla Non CC\r\n", {}},
        {"a parameter standing for an empty value", testa + "Sigla = Param3\r\n", {}},
        {"normal print", "Compresso = N\r\nIn Ordine di Sigla\r\n", {}},
        {"a first line in small letters", "compresso = s\r\nIn Ordine di Sigla\r\n",
         {{1, "\"compresso = s\" non è \"Compresso = S\" né \"Compresso = N\": si stampa Non Compresso"}}},
        {"another letter", "Compresso = X\r\nIn Ordine di Sigla\r\n",
         {{1, "\"Compresso = X\" non è \"Compresso = S\" né \"Compresso = N\": si stampa Non Compresso"}}},
        {"a short first line", "Compresso\r\nIn Ordine di Sigla\r\n",
         {{1, "\"Compresso\" non è \"Compresso = S\" né \"Compresso = N\": si stampa Non Compresso"}}},
        {"a second line without its words", "Compresso = S\r\nOrdine: Sigla\r\n",
         {{2, "\"Ordine: Sigla\" non comincia con \"In Ordine di \": come campo d'ordine si legge \"\""}}},
        {"a field alone", testa + "Sigla\r\n",
         {{3, "\"Sigla\" non ha un valore dopo il campo e l'operatore: il criterio non conta"}}},
        {"a field and an operator", testa + "Sigla = X\r\nSigla =\r\n",
         {{4, "\"Sigla =\" non ha un valore dopo il campo e l'operatore: il criterio non conta"}}},
        {"an empty criteria line", testa + "\r\nSigla = X\r\n", {{3, "è vuota: un criterio senza valore, che non conta"}}},
        {"ten criteria lines", dieci,
         {{11, "questa riga e le 1 seguenti sono oltre gli otto criteri dello schermo: non sono lette"}}},
    };
    for (const auto& c : casi) {
        TempFolder dir;
        dir.write("F.fil", c.fil);
        AvvisiImpostazioni avvisi;
        ASSERT_TRUE(FiltroSalvato::Leggi(dir / "F.fil", {}, &avvisi)) << c.cosa;
        ASSERT_EQ(avvisi.elenco().size(), c.avvisi.size()) << c.cosa << ": " << AvvisiImpostazioni::Testo(avvisi.elenco());
        for (size_t i = 0; i < c.avvisi.size(); ++i)
            EXPECT_EQ(avvisi.elenco()[i], (AvvisoImpostazioni{"F.fil", c.avvisi[i].riga, c.avvisi[i].testo}))
                << c.cosa << ": " << avvisi.elenco()[i].messaggio();
    }
}

TEST(FiltroSalvatoScrivi, AFailedWriteNamesTheFileAndLeavesNothing)
{
    TempFolder dir;
    try {
        FiltroSalvato::Scrivi(dir / "manca" / "F.fil", true, "A", righeVuote());
        ADD_FAILURE() << "wrote into a missing folder";
    } catch (const ErroreStampa& e) {
        EXPECT_NE(e.testo().find("F.fil"), std::string::npos) << e.testo();
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

const std::vector<std::string> Campi = {"NumeroHotel", "NumeroColonna", "Intestazione", "Sigla", "Descrizione"};

TEST(SceltaFiltroRipristina, ChoosesAndMarksWhatMatches)
{
    SceltaFiltro s = SceltaFiltro::Iniziale(Campi);
    s.righe[3].valore = "RESTA";
    FiltroSalvato f;
    f.compresso = false;
    f.campoOrdine = "Sigla";
    f.criteri = {{"Intestazione", " uguale a ", "CONTANTI"},
                 {"Colore", " include ", "X"},         // no such field
                 {"Sigla", "~", "Y"},                  // no such operator
                 {"sigla", " diverso da ", "Z"}};      // names match exactly
    const SceltaFiltro::Segni segni = s.Ripristina(f, Campi);
    EXPECT_FALSE(s.compresso);
    EXPECT_EQ(s.campoOrdine, "Sigla");
    EXPECT_EQ(s.righe[0].campo, "Intestazione");
    EXPECT_EQ(s.righe[0].valore, "CONTANTI");
    EXPECT_EQ(s.righe[1].campo, "NumeroHotel");
    EXPECT_EQ(s.righe[1].operatore, " include ");
    EXPECT_EQ(s.righe[2].campo, "Sigla");
    EXPECT_EQ(s.righe[2].operatore, " uguale a ");
    EXPECT_EQ(s.righe[3].campo, "NumeroHotel");
    EXPECT_EQ(s.righe[3].valore, "Z");
    EXPECT_EQ(s.righe[4].valore, "");
    EXPECT_EQ(segni.campo, (std::array<bool, 8>{true, false, true, false, false, false, false, false}));
    EXPECT_EQ(segni.operatore, (std::array<bool, 8>{true, true, false, true, false, false, false, false}));
    EXPECT_EQ(segni.valore, (std::array<bool, 8>{true, true, true, true, false, false, false, false}));
}

// What a restore could not follow is told with the filter's line and what stands
// instead: the condition is then built on another field or comparison than the saved one.
TEST(SceltaFiltroRipristina, WhatIsNotFollowedIsTold)
{
    SceltaFiltro s = SceltaFiltro::Iniziale(Campi);
    FiltroSalvato f;
    f.file = "ColonneRavelt.fil";
    f.compresso = true;
    f.campoOrdine = "Colore";
    f.criteri = {{"Intestazione", " uguale a ", "CONTANTI"},
                 {"Colore", " include ", "X"},  // no such field
                 {"Sigla", "~", "Y"},           // no such operator
                 {"Tinta", "~", ""}};           // no value: it counts for nothing, nothing to tell
    AvvisiImpostazioni avvisi;
    s.Ripristina(f, Campi, &avvisi);
    const std::vector<AvvisoImpostazioni> attesi = {
        {"ColonneRavelt.fil", 2, "il campo d'ordine \"Colore\" non è un campo della tabella: si ordina per \"NumeroHotel\""},
        {"ColonneRavelt.fil", 4, "\"Colore\" non è un campo della tabella: il valore \"X\" vale per il campo \"NumeroHotel\""},
        {"ColonneRavelt.fil", 5,
         "l'operatore \"~\" non è uno dei simboli =, <, >, <=, >=, <>, In, Non: il criterio confronta con \" uguale a \""},
    };
    EXPECT_EQ(avvisi.elenco(), attesi) << AvvisiImpostazioni::Testo(avvisi.elenco());
}

TEST(SceltaFiltroRipristina, AFilterWithoutCriteriaChangesOnlyCompressionAndOrder)
{
    SceltaFiltro s = SceltaFiltro::Iniziale(Campi);
    s.righe[0] = {"Sigla", " da ", "A"};
    const SceltaFiltro prima = s;
    FiltroSalvato f;
    f.compresso = false;
    f.campoOrdine = "Descrizione";
    const auto segni = s.Ripristina(f, Campi);
    EXPECT_FALSE(s.compresso);
    EXPECT_EQ(s.campoOrdine, "Descrizione");
    for (size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(s.righe[k].campo, prima.righe[k].campo);
        EXPECT_EQ(s.righe[k].operatore, prima.righe[k].operatore);
        EXPECT_EQ(s.righe[k].valore, prima.righe[k].valore);
        EXPECT_FALSE(segni.valore[k]);
    }
    f.campoOrdine = "Nessuno";
    s.Ripristina(f, Campi);
    EXPECT_EQ(s.campoOrdine, "Descrizione") << "an order field that is not listed leaves the choice";
}

}
