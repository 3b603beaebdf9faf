#include "tableprint/StampaArchivio.h"

#include "cashreport/tests/GoldenFile.h"
#include "tableprint/ErroreStampa.h"
#include "tableprint/tests/CartellaStampa.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ravelt;
using ravelt::testing::CampoProva;
using ravelt::testing::CartellaStampa;
using ravelt::testing::righeDi;

namespace {

// The filtered print over a working folder whose stores live on each engine the binary
// covers.
class StampaArchivioTest : public ::testing::TestWithParam<ravelt::testing::Engine> {};

const std::string Bordo33 = "|==========|====================|";

// The worked example: Numero (width 10, totalled) and Intestazione (width 20) of the
// table Voci, title Colonne; hotel 2 has a row that must not be printed.
void esempio(CartellaStampa& dir)
{
    dir.anagrafica("NOME HOTEL");
    dir.tabella("Prova.mdb", "Voci",
                {{"NumeroHotel", FieldType::Integer}, {"Numero", FieldType::Long}, {"Intestazione", FieldType::Text}},
                {{Value(1), Value(2), Value("CARTE")}, {Value(2), Value(9), Value("ALTRO")}, {Value(1), Value(1), Value("CONTANTI")}});
    dir.scrivi("Colonne.stp", "0,Colonne,Prova.mdb,Voci,,,,,,\r\n"
                              "1,Numero,,,Numero,10,S,N,,\r\n"
                              "2,Intestazione,,,Intestazione,20,N,N,,\r\n");
}

TEST_P(StampaArchivioTest, WorkedExampleInThePlainSet)
{
    CartellaStampa dir(GetParam());
    esempio(dir);
    EsitoStampaArchivio e = StampaArchivio(dir.contesto(), "Colonne.stp", "---", "Numero > 0", "Numero", false);
    EXPECT_TRUE(ravelt::testing::matchesGolden(dir.report(), "esempio_semplice.golden"));
    EXPECT_EQ(e.righeTabella, 2);
    EXPECT_EQ(e.report, dir.path() / "FD1");
}

TEST_P(StampaArchivioTest, WorkedExampleInTheBoxSetWithOptionK)
{
    CartellaStampa dir(GetParam());
    esempio(dir);
    StampaArchivio(dir.contesto("AKB"), "Colonne.stp", "---", "Numero > 0", "Numero", false);
    EXPECT_TRUE(ravelt::testing::matchesGolden(dir.report(), "esempio_riquadro.golden"));
}

TEST_P(StampaArchivioTest, NoMatchingRowGivesTheFrameAndABlankTotal)
{
    CartellaStampa dir(GetParam());
    esempio(dir);
    StampaArchivio(dir.contesto(), "Colonne.stp", "---", "Numero > 100", "Numero", false);
    const auto r = righeDi(dir.report());
    ASSERT_EQ(r.size(), 9u);
    EXPECT_EQ(r[0], "Hotel : NOME HOTEL");
    EXPECT_EQ(r[2], Bordo33);
    EXPECT_EQ(r[5], Bordo33);
    EXPECT_EQ(r[6], "|          |                    |");
    EXPECT_EQ(r[7], Bordo33);
    EXPECT_EQ(r[8], "\f");
}

// The title is centred on the table width W: p = (W - 15 - title length) / 2 rounded
// down, and the date alone when p is negative.
TEST_P(StampaArchivioTest, TitleLine)
{
    struct Caso {
        int larghezza;  // one column of this width: W = width + 2
        const char* titolo;
        const char* attesa;
    } casi[] = {
        {31, "Colonne", "07/12/2026     Colonne     11:30"},    // W 33, p 5
        {20, "Colonne", "07/12/2026Colonne11:30"},              // W 22, p 0
        {21, "Colonne", "07/12/2026Colonne11:30"},              // W 23, p 0 (0.5 down)
        {19, "Colonne", "07/12/2026"},                          // W 21, p -1 (-0.5 down)
        {3, "Un titolo lungo", "07/12/2026"},
    };
    for (const auto& c : casi) {
        CartellaStampa dir(GetParam());
        dir.tabella("Prova.mdb", "Voci", {{"NumeroHotel", FieldType::Integer}, {"A", FieldType::Text}}, {});
        dir.scrivi("T.stp", std::string("0,") + c.titolo + ",Prova.mdb,Voci,,,,,,\r\n1,A,,,A," + std::to_string(c.larghezza) +
                                ",N,N,,\r\n");
        StampaArchivio(dir.contesto(), "T.stp", "---", "A = 'x'", "A", false);
        const auto r = righeDi(dir.report());
        ASSERT_GE(r.size(), 2u);
        EXPECT_EQ(r[0], "") << "no hotel registry, no hotel line";
        EXPECT_EQ(r[1], c.attesa) << c.larghezza << " " << c.titolo;
    }
}

// Option U fills the page up to the form length P of the printer type with empty
// lines; the destination "---" takes the type of the first destination.
TEST_P(StampaArchivioTest, PageEndUnderOptionU)
{
    struct Caso {
        const char* cosa;
        int righe;
        bool compresso;
        bool conTipo;
        std::string codice;
        size_t righeFile;  // lines ending in CR LF
        bool formFeed;
    } casi[] = {
        {"52 rows fill 60 lines", 52, true, true, "U", 60, false},
        {"no rows fill 60 lines", 0, true, true, "U", 60, false},
        {"53 rows get no fill", 53, true, true, "U", 61, false},
        {"normal print fills 72", 10, false, true, "U", 72, false},
        {"no printer type: P 0, no fill", 10, true, false, "U", 18, false},
        {"without U a form feed", 10, true, true, "", 18, true},
    };
    for (const auto& c : casi) {
        CartellaStampa dir(GetParam());
        dir.stampanti(60, 72, c.conTipo);
        std::vector<std::vector<Value>> righe;
        for (int i = 0; i < c.righe; ++i)
            righe.push_back({Value(1), Value(i + 1)});
        dir.tabella("Prova.mdb", "Voci", {{"NumeroHotel", FieldType::Integer}, {"Numero", FieldType::Long}}, righe);
        dir.scrivi("P.stp", "0,Pagina,Prova.mdb,Voci,,,,,,\r\n1,Numero,,,Numero,6,N,S,,\r\n");
        EsitoStampaArchivio e = StampaArchivio(dir.contesto(c.codice), "P.stp", "---", "Numero >= 0", "Numero", c.compresso);
        const std::string bytes = dir.report();
        size_t fini = 0;
        for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
            ++fini;
        EXPECT_EQ(fini, c.righeFile) << c.cosa;
        EXPECT_EQ(bytes.ends_with("\r\n\f"), c.formFeed) << c.cosa;
        if (!c.formFeed) {
            EXPECT_TRUE(bytes.ends_with("\r\n")) << c.cosa;
        }
        EXPECT_EQ(e.righeTabella, c.righe) << c.cosa;
    }
}

// One column over a few rows: what each row's cell and the totals cell show.
TEST_P(StampaArchivioTest, Cells)
{
    struct Caso {
        const char* cosa;
        CampoProva campo;
        std::string colonna;  // fields 5 to 8 of the column record
        std::vector<Value> valori;
        std::vector<std::string> celle;
        std::string totale;
        std::string euro = "";  // content of euro.txt, none when empty
    } casi[] = {
        {"repeats blanked with N", {"V", FieldType::Text}, "V,4,N,N", {Value("A"), Value("A"), Value("B")}, {"A   ", "    ", "B   "}, "    "},
        {"repeats printed with S", {"V", FieldType::Text}, "V,4,N,S", {Value("A"), Value("A")}, {"A   ", "A   "}, "    "},
        {"numbers right, words left", {"V", FieldType::Text}, "V,3,S,S", {Value("0"), Value("A"), Value("12")}, {"  0", "A  ", " 12"}, " 12"},
        {"whole numbers totalled", {"V", FieldType::Long}, "V,5,S,S", {Value(12), Value(30)}, {"   12", "   30"}, "   42"},
        {"a total of 0 is blank", {"V", FieldType::Long}, "V,5,S,S", {Value(5), Value(-5)}, {"    5", "   -5"}, "     "},
        {"zero amount right-aligned", {"V", FieldType::Long}, "V,3,S,S", {Value(0)}, {"  0"}, "   "},
        {"below one is a number", {"V", FieldType::Currency}, "V,6,S,S",
         {Value(Currency::fromUnits(5000)), Value(Currency::fromUnits(-2500))}, {"   0,5", " -0,25"}, "  0,25"},
        {"regional text below one", {"V", FieldType::Text}, "V,6,S,S", {Value("0,50"), Value("0,25")}, {"  0,50", "  0,25"}, "  0,75"},
        {"floating numbers", {"V", FieldType::Double}, "V,6,S,S", {Value(3.5), Value(1.25)}, {"   3,5", "  1,25"}, "  4,75"},
        {"too long: cut, not totalled", {"V", FieldType::Long}, "V,4,S,S", {Value(123456), Value(7)}, {"1234", "   7"}, "   7"},
        {"a total wider than the column", {"V", FieldType::Long}, "V,2,S,S", {Value(60), Value(70)}, {"60", "70"}, "130"},
        {"text cut to the width", {"V", FieldType::Text}, "V,4,N,S", {Value("ABCDEFG")}, {"ABCD"}, "    "},
        {"Null prints empty", {"V", FieldType::Text}, "V,4,S,N", {Value(), Value("X"), Value()}, {"    ", "X   ", "    "}, "    "},
        {"dates as dd/mm/yyyy", {"DataV", FieldType::Text}, "DataV,10,N,S",
         {Value("20241231"), Value("0"), Value(""), Value()}, {"31/12/2024", "          ", "          ", "          "}, "          "},
        {"numeric dates", {"DataV", FieldType::Long}, "DataV,12,N,S", {Value(20240105)}, {"  05/01/2024"}, "            "},
        {"a repeated date is blank", {"DataV", FieldType::Text}, "DataV,10,N,N", {Value("20240101"), Value("20240101")},
         {"01/01/2024", "          "}, "          "},
        {"EURO divided by the factor", {"Importo", FieldType::Currency}, "EUROImporto,8,S,N",
         {Value(Currency::fromUnits(19362700)), Value(Currency::fromUnits(19362700)), Value(Currency::fromUnits(38725400))},
         {"    1,00", "    1,00", "    2,00"}, "       4", "1936,27\r\n"},
        {"EURO with factor 1", {"Importo", FieldType::Currency}, "EUROImporto,8,S,N", {Value(Currency::fromUnits(125000)), Value()},
         {"   12,50", "        "}, "    12,5"},
        {"EURO of 0", {"Importo", FieldType::Currency}, "EUROImporto,6,S,N", {Value(Currency::fromUnits(0))}, {"  0,00"}, "      "},
    };
    for (const auto& c : casi) {
        CartellaStampa dir(GetParam());
        std::vector<std::vector<Value>> righe;
        for (size_t i = 0; i < c.valori.size(); ++i)
            righe.push_back({Value(1), Value(static_cast<int>(i)), c.valori[i]});
        dir.tabella("Prova.mdb", "Voci", {{"NumeroHotel", FieldType::Integer}, {"Ordine", FieldType::Long}, c.campo}, righe);
        dir.scrivi("C.stp", "0,Celle,Prova.mdb,Voci,,,,,,\r\n1,Valore,,," + c.colonna + ",,\r\n");
        if (!c.euro.empty())
            dir.scrivi("euro.txt", c.euro);
        StampaArchivio(dir.contesto(), "C.stp", "---", "Ordine >= 0", "Ordine", false);
        const auto r = righeDi(dir.report());
        ASSERT_EQ(r.size(), 9 + c.valori.size()) << c.cosa;
        for (size_t i = 0; i < c.celle.size(); ++i)
            EXPECT_EQ(r[5 + i], "|" + c.celle[i] + "|") << c.cosa << ", row " << i + 1;
        EXPECT_EQ(r[6 + c.valori.size()], "|" + c.totale + "|") << c.cosa << ", totals";
    }
}

// Look-up columns show a field of the row of another store's table whose key equals the
// printed row's field, for the row's hotel.
TEST_P(StampaArchivioTest, LookUpColumns)
{
    CartellaStampa dir(GetParam());
    dir.tabella("Codici.mdb", "Codici",
                {{"NumeroHotel", FieldType::Integer}, {"Sigla", FieldType::Text}, {"Descrizione", FieldType::Text},
                 {"Punti", FieldType::Long}},
                {{Value(2), Value("CC"), Value("ALTRO HOTEL"), Value(100)},
                 {Value(1), Value("CC"), Value("CARTA"), Value(5)},
                 {Value(1), Value("L'A"), Value("APOSTROFO"), Value(7)},
                 {Value(1), Value("N3"), Value("TRE"), Value(3)}});
    dir.tabella("Prova.mdb", "Voci",
                {{"NumeroHotel", FieldType::Integer}, {"Ordine", FieldType::Long}, {"Codice", FieldType::Text}},
                {{Value(1), Value(1), Value("CC")},
                 {Value(1), Value(2), Value("XX")},
                 {Value(1), Value(3), Value("CC")},
                 {Value(1), Value(4), Value("L'A")},
                 {Value(1), Value(5), Value()}});
    dir.scrivi("L.stp", "0,Ricerche,Prova.mdb,Voci,,,,,,\r\n"
                        "1,Cod,,,Codice,4,N,S,,\r\n"
                        "2,Descrizione,Codici.mdb,Codici,Descrizione,10,N,N,Sigla,Codice\r\n"
                        "3,Pt,Codici.mdb,Codici,Punti,3,S,S,Sigla,Codice\r\n");
    StampaArchivio(dir.contesto(), "L.stp", "---", "Ordine > 0", "Ordine", false);
    const auto r = righeDi(dir.report());
    ASSERT_EQ(r.size(), 14u);
    EXPECT_EQ(r[5], "|CC  |CARTA     |  5|");
    EXPECT_EQ(r[6], "|XX  |          |   |") << "no match: blanks";
    EXPECT_EQ(r[7], "|CC  |          |  5|") << "the value above the no-match row still blanks the repeat";
    EXPECT_EQ(r[8], "|L'A |APOSTROFO |  7|") << "a key with an apostrophe is looked up as it stands";
    EXPECT_EQ(r[9], "|    |          |   |") << "a Null key finds nothing";
    EXPECT_EQ(r[11], "|    |          | 17|");
}

TEST_P(StampaArchivioTest, LookUpByANumericKey)
{
    CartellaStampa dir(GetParam());
    dir.tabella("Prova.mdb", "Nomi", {{"NumeroHotel", FieldType::Integer}, {"Id", FieldType::Long}, {"Nome", FieldType::Text}},
                {{Value(1), Value(7), Value("SETTE")}});
    dir.tabella("Prova.mdb", "Voci", {{"NumeroHotel", FieldType::Integer}, {"Rif", FieldType::Long}}, {{Value(1), Value(7)}});
    dir.scrivi("N.stp", "0,Numeri,Prova.mdb,Voci,,,,,,\r\n1,Nome,Prova.mdb,Nomi,Nome,6,N,N,Id,Rif\r\n");
    StampaArchivio(dir.contesto(), "N.stp", "---", "Rif > 0", "Rif", false);
    EXPECT_EQ(righeDi(dir.report())[5], "|SETTE |");
}

// The column list ends at the first empty heading; a definition of 50 filled columns
// prints all 50, and records after the 50th are not read.
TEST_P(StampaArchivioTest, FiftyFilledColumns)
{
    CartellaStampa dir(GetParam());
    dir.tabella("Prova.mdb", "Voci", {{"NumeroHotel", FieldType::Integer}, {"A", FieldType::Text}}, {{Value(1), Value("x")}});
    std::string stp = "0,Larga,Prova.mdb,Voci,,,,,,\r\n";
    for (int c = 1; c <= 52; ++c)
        stp += std::to_string(c) + ",H,,,A,1,N,S,,\r\n";
    dir.scrivi("W.stp", stp);
    StampaArchivio(dir.contesto(), "W.stp", "---", "A = 'X'", "A", false);
    const auto r = righeDi(dir.report());
    ASSERT_GE(r.size(), 6u);
    std::string intestazioni = "|";
    for (int c = 0; c < 50; ++c)
        intestazioni += "H|";
    EXPECT_EQ(r[3], intestazioni);
    EXPECT_EQ(r[5].size(), 101u);
}

// A print that cannot be done raises an error naming the cause and leaves the report
// file as it was. Among them an EURO column with a euro.txt that is there but gives no
// factor: printing its figures divided by 1 would show wrong amounts as if right.
TEST_P(StampaArchivioTest, FailuresNameTheCauseAndKeepTheReport)
{
    const char* const euro = "0,T,Prova.mdb,Voci,,,,,,\r\n1,A,,,A,4,N,N,,\r\n2,Euro,,,EUROImporto,8,S,N,,\r\n";
    struct Caso {
        const char* cosa;
        const char* definizione;
        const char* condizione;
        const char* ordine;
        const char* nominato;
        const char* euro = nullptr;  // euro.txt, none when null
    } casi[] = {
        {"a condition on a missing field", "0,T,Prova.mdb,Voci,,,,,,\r\n1,A,,,A,4,N,N,,\r\n", "Nessuno = 1", "A", "Nessuno"},
        {"a missing order field", "0,T,Prova.mdb,Voci,,,,,,\r\n1,A,,,A,4,N,N,,\r\n", "A = 'X'", "Manca", "Manca"},
        {"a missing store", "0,T,Assente.mdb,Voci,,,,,,\r\n1,A,,,A,4,N,N,,\r\n", "A = 'X'", "A", "Assente"},
        {"a missing table", "0,T,Prova.mdb,Tavola,,,,,,\r\n1,A,,,A,4,N,N,,\r\n", "A = 'X'", "A", "Tavola"},
        {"a column on a missing field", "0,T,Prova.mdb,Voci,,,,,,\r\n1,A,,,Colore,4,N,N,,\r\n", "A = 'X'", "A", "Colore"},
        {"a missing look-up store", "0,T,Prova.mdb,Voci,,,,,,\r\n1,A,Altro.mdb,Codici,B,4,N,N,Sigla,A\r\n", "A = 'X'", "A",
         "Altro"},
        {"a short header", "0,T,Prova.mdb,Voci\r\n1,A,,,A,4,N,N,,\r\n", "A = 'X'", "A", "tabella"},
        {"euro.txt not a number", euro, "A = 'X'", "A", "euro.txt, riga 1: \"euro\" non è un numero: le colonne EURO", "euro\r\n"},
        {"euro.txt with points out of place", euro, "A = 'X'", "A", "euro.txt, riga 1: \"1.936.27\" non è un numero",
         "1.936.27\r\n"},
        {"an empty euro.txt", euro, "A = 'X'", "A", "euro.txt, riga 1: manca", ""},
        {"euro.txt with an empty first line", euro, "A = 'X'", "A", "euro.txt, riga 1: è vuota", "\r\n1936,27\r\n"},
        {"euro.txt of 0", euro, "A = 'X'", "A", "euro.txt, riga 1: il cambio \"0\" non è maggiore di zero", "0\r\n"},
        {"euro.txt below 0", euro, "A = 'X'", "A", "euro.txt, riga 1: il cambio \"-2\" non è maggiore di zero", "-2\r\n"},
    };
    for (const auto& c : casi) {
        CartellaStampa dir(GetParam());
        dir.tabella("Prova.mdb", "Voci",
                    {{"NumeroHotel", FieldType::Integer}, {"A", FieldType::Text}, {"Importo", FieldType::Currency}},
                    {{Value(1), Value("X"), Value(Currency::fromWhole(1936))}});
        dir.scrivi("E.stp", c.definizione);
        if (c.euro)
            dir.scrivi("euro.txt", c.euro);
        dir.scrivi("FD1", "report di prima\r\n");
        try {
            StampaArchivio(dir.contesto(), "E.stp", "---", c.condizione, c.ordine, false);
            ADD_FAILURE() << c.cosa << ": printed";
        } catch (const ErroreStampa& e) {
            EXPECT_NE(e.testo().find(c.nominato), std::string::npos) << c.cosa << ": " << e.testo();
            EXPECT_EQ(e.titolo(), "Errore di stampa") << c.cosa;
        }
        EXPECT_EQ(dir.report(), "report di prima\r\n") << c.cosa;
    }
}

// When no printed column is an EURO column the factor is not needed: the print goes on
// and the file is told as not used. A look-up column showing an EURO field of another
// table is not divided, and needs no factor either.
TEST_P(StampaArchivioTest, AEuroFileNoColumnNeedsIsToldAndThePrintGoesOn)
{
    struct Caso {
        const char* cosa;
        const char* colonna;
    } casi[] = {
        {"a plain column", "1,Importo,,,Importo,8,S,N,,"},
        {"a look-up column of an EURO field", "1,Importo,Prova.mdb,Codici,EUROImporto,8,N,N,Codice,Codice"},
        {"an EURO column after the end of the list", "1,Importo,,,Importo,8,S,N,,\r\n2,,,,,,,,,\r\n3,Euro,,,EUROImporto,8,S,N,,"},
    };
    for (const auto& c : casi) {
        CartellaStampa dir(GetParam());
        dir.tabella("Prova.mdb", "Voci",
                    {{"NumeroHotel", FieldType::Integer}, {"Codice", FieldType::Long}, {"Importo", FieldType::Currency}},
                    {{Value(1), Value(1), Value(Currency::fromWhole(7))}});
        dir.tabella("Prova.mdb", "Codici",
                    {{"NumeroHotel", FieldType::Integer}, {"Codice", FieldType::Long}, {"EUROImporto", FieldType::Currency}},
                    {{Value(1), Value(1), Value(Currency::fromWhole(3))}});
        dir.scrivi("E.stp", std::string("0,Importi,Prova.mdb,Voci,,,,,,\r\n") + c.colonna + "\r\n");
        dir.scrivi("euro.txt", "euro\r\n");
        AvvisiImpostazioni avvisi;
        ContestoArchivio contesto = dir.contesto();
        contesto.avvisi = &avvisi;
        EXPECT_EQ(StampaArchivio(contesto, "E.stp", "---", "Importo > 0", "Importo", false).righeTabella, 1) << c.cosa;
        bool detto = false;
        for (const auto& a : avvisi.elenco())
            detto = detto || a == AvvisoImpostazioni{"euro.txt", 1, "\"euro\" non è un numero; nessuna colonna EURO lo usa"};
        EXPECT_TRUE(detto) << c.cosa << ": " << AvvisiImpostazioni::Testo(avvisi.elenco());
    }
}

#if !RAVELT_TEST_SERVER
// The next two tests hold what only a SQLite file can: a file that is not a store, a text
// in an amount, a number beyond its field's integer type. The server binary builds this
// file without them.

// A settings store the engine cannot read is a step it skips: the print goes on with the
// hotel line empty or without fill lines, and the operator is told which store and why.
TEST(StampaArchivio, UnreadableSettingsStoresAreToldAndThePrintGoesOn)
{
    struct Caso {
        const char* cosa;
        std::function<void(CartellaStampa&)> prepara;
        const char* file;        // the notice's file, "" for no notice
        const char* parole;      // in the notice
        const char* primaRiga;   // of the report
        size_t righeFile;        // lines ending in CR LF, under option U
    } casi[] = {
        {"all stores readable", [](CartellaStampa& d) { d.anagrafica("NOME HOTEL"); d.stampanti(20, 20); }, "", "",
         "Hotel : NOME HOTEL", 20},
        {"no hotel store", [](CartellaStampa& d) { d.stampanti(20, 20); }, "AnagraficaHotels.mdb",
         "AnagraficaHotels.mdb non trovato", "", 20},
        {"a hotel store that is not a store",
         [](CartellaStampa& d) { d.stampanti(20, 20); d.scrivi("AnagraficaHotels.sqlite", std::string(200, 'x')); },
         "AnagraficaHotels.mdb", "il file non è un archivio", "", 20},
        {"no printer stores", [](CartellaStampa& d) { d.anagrafica("NOME HOTEL"); }, "Stampanti.mdb",
         ".mdb non trovato", "Hotel : NOME HOTEL", 10},
        {"a printer store that is not a store",
         [](CartellaStampa& d) {
             d.anagrafica("NOME HOTEL");
             d.stampanti(20, 20);
             d.scrivi("Stampanti.sqlite", std::string(200, 'x'));
         },
         "Stampanti.mdb", "il file non è un archivio", "Hotel : NOME HOTEL", 10},
    };
    for (const auto& c : casi) {
        CartellaStampa dir;
        c.prepara(dir);
        dir.tabella("Prova.mdb", "Voci", {{"NumeroHotel", FieldType::Integer}, {"Numero", FieldType::Long}},
                    {{Value(1), Value(1)}, {Value(1), Value(2)}});
        dir.scrivi("P.stp", "0,Pagina,Prova.mdb,Voci,,,,,,\r\n1,Numero,,,Numero,6,N,S,,\r\n");
        AvvisiImpostazioni avvisi;
        ContestoArchivio contesto = dir.contesto("U");
        contesto.avvisi = &avvisi;
        EXPECT_EQ(StampaArchivio(contesto, "P.stp", "---", "Numero > 0", "Numero", true).righeTabella, 2) << c.cosa;
        const std::string bytes = dir.report();
        EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")), c.primaRiga) << c.cosa;
        size_t fini = 0;
        for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
            ++fini;
        EXPECT_EQ(fini, c.righeFile) << c.cosa;
        if (*c.file == '\0') {
            EXPECT_TRUE(avvisi.vuoto()) << c.cosa << ": " << AvvisiImpostazioni::Testo(avvisi.elenco());
            continue;
        }
        ASSERT_EQ(avvisi.elenco().size(), 1u) << c.cosa << ": " << AvvisiImpostazioni::Testo(avvisi.elenco());
        EXPECT_EQ(avvisi.elenco()[0].file, c.file) << c.cosa;
        EXPECT_NE(avvisi.elenco()[0].testo.find(c.parole), std::string::npos) << c.cosa << ": " << avvisi.elenco()[0].testo;
    }
}

// A value its field's type cannot hold stops the print where a figure would be made of
// it (a totalled column, an EURO column, a totalled look-up), naming the field and the
// value, and the report file stays; a column that only shows it shows what is stored.
TEST(StampaArchivio, UnreadableValuesInFiguresStopThePrint)
{
    struct Caso {
        const char* cosa;
        CampoProva campo;
        Value valore;
        std::string colonna;     // the column record after its number and heading
        const char* nominato;    // in the message; null: printed, with this cell
        const char* cella = nullptr;
    } casi[] = {
        {"a totalled amount that is text", {"V", FieldType::Currency}, Value("abc"), ",,,V,8,S,S,,",
         "il campo V contiene \"abc\", che non è un numero"},
        {"an EURO amount in the Italian format", {"V", FieldType::Currency}, Value("1.234,56"), ",,,EUROV,8,N,S,,",
         "il campo V contiene \"1.234,56\", che non è un numero"},
        {"a totalled look-up beyond 32 bits", {"V", FieldType::Long}, Value(2), ",Prova.mdb,Altri,Punti,8,S,S,Chiave,V",
         "il campo Punti contiene 1000000000000000, fuori dall'intervallo di un intero a 32 bit"},
        {"a totalled look-up beyond the currency", {"V", FieldType::Long}, Value(2), ",Prova.mdb,Altri,Grande,8,S,S,Chiave,V",
         "un importo o un totale esce dall'intervallo della valuta"},
        {"an amount only shown", {"V", FieldType::Currency}, Value("abc"), ",,,V,8,N,S,,", nullptr, "abc     "},
    };
    for (const auto& c : casi) {
        CartellaStampa dir;
        dir.tabella("Prova.mdb", "Voci", {{"NumeroHotel", FieldType::Integer}, c.campo}, {{Value(1), c.valore}});
        dir.tabella("Prova.mdb", "Altri",
                    {{"NumeroHotel", FieldType::Integer}, {"Chiave", FieldType::Long}, {"Punti", FieldType::Long}, {"Grande", FieldType::Double}},
                    {{Value(1), Value(2), Value(std::int64_t{1000000000000000}), Value(1e300)}});
        dir.scrivi("U.stp", "0,Valori,Prova.mdb,Voci,,,,,,\r\n1,Valore" + c.colonna + "\r\n");
        dir.scrivi("FD1", "report di prima\r\n");
        try {
            StampaArchivio(dir.contesto(), "U.stp", "---", "NumeroHotel = 1", "NumeroHotel", false);
            if (c.nominato)
                ADD_FAILURE() << c.cosa << ": printed";
            else
                EXPECT_EQ(righeDi(dir.report())[5], "|" + std::string(c.cella) + "|") << c.cosa;
        } catch (const ErroreStampa& e) {
            if (!c.nominato) {
                ADD_FAILURE() << c.cosa << ": " << e.testo();
                continue;
            }
            EXPECT_NE(e.testo().find(c.nominato), std::string::npos) << c.cosa << ": " << e.testo();
            EXPECT_NE(e.testo().find("Stampa di Voci (Prova.mdb) non eseguita"), std::string::npos) << c.cosa << ": " << e.testo();
            EXPECT_EQ(dir.report(), "report di prima\r\n") << c.cosa;
        }
    }
}

#endif

TEST_P(StampaArchivioTest, MissingDefinition)
{
    CartellaStampa dir(GetParam());
    try {
        StampaArchivio(dir.contesto(), "Nessuna.stp", "---", "A = 1", "A", false);
        ADD_FAILURE() << "printed without a definition";
    } catch (const ErroreStampa& e) {
        EXPECT_EQ(e.testo(), "Nessuna.stp - Inesistente!");
        EXPECT_EQ(e.titolo(), "File Mancante");
    }
    EXPECT_FALSE(dir.esiste("FD1"));
}

INSTANTIATE_TEST_SUITE_P(Engines, StampaArchivioTest, ::testing::ValuesIn(ravelt::testing::enginesUnderTest()),
                         ravelt::testing::engineParamName);

}
