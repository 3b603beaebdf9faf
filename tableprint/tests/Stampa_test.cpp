#include "tableprint/Stampa.h"

#include "tableprint/tests/CartellaStampa.h"
#include "tableprint/tests/MessaggiRegistrati.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace ravelt;
using ravelt::testing::CartellaStampa;
using ravelt::testing::MessaggiRegistrati;

namespace {

using Mostrato = MessaggiRegistrati::Mostrato;

// A folder with the table Voci (a number, a code, a date) and its print definition,
// and one print screen on it at a time; the folder's stores live on each engine the
// binary covers.
class StampaFinestra : public ::testing::TestWithParam<ravelt::testing::Engine> {
protected:
    void SetUp() override
    {
        dir.anagrafica("HOTEL PROVA");
        dir.stampanti(60, 66);
        dir.tabella("Prova.mdb", "Voci",
                    {{"NumeroHotel", FieldType::Integer}, {"Numero", FieldType::Long}, {"Sigla", FieldType::Text},
                     {"DataArrivo", FieldType::Text}},
                    {{Value(1), Value(1), Value("A"), Value("20241231")},
                     {Value(1), Value(2), Value("B"), Value("20250101")},
                     {Value(1), Value(3), Value("A'B"), Value("20251225")},
                     {Value(2), Value(4), Value("A"), Value("20241231")}});
        dir.scrivi("Voci.stp", "0,Voci di prova,Prova.mdb,Voci,,,,,,\r\n"
                               "1,N.,,,Numero,3,S,S,,\r\n"
                               "2,Sigla,,,Sigla,5,N,S,,\r\n"
                               "3,Arrivo,,,DataArrivo,10,N,S,,\r\n");
        stato.NomeStampa = "Voci";
        stato.NumeroHotel = 1;
        stato.PCLocal = 1;
    }

    // Opens a new screen and lets its first activation run.
    void apri()
    {
        finestra.reset();
        Stampa::Servizi s;
        s.cartella = dir.path();
        s.messaggi = &messaggi;
        s.anteprima = [this](QWidget*) { anteprime.push_back(dir.report()); };
        s.orologio = &orologio;
        finestra = std::make_unique<Stampa>(s, stato);
        finestra->show();
        QApplication::processEvents();
    }

    template <class T>
    T* w(const char* nome) const
    {
        T* t = finestra->findChild<T*>(nome);
        EXPECT_TRUE(t) << nome;
        return t;
    }
    QComboBox* campo(int n) const { return w<QComboBox>(("Combo1_" + std::to_string(n)).c_str()); }
    QComboBox* operatore(int n) const { return w<QComboBox>(("Combo2_" + std::to_string(n)).c_str()); }
    QLineEdit* valore(int n) const { return w<QLineEdit>(("Text1_" + std::to_string(n)).c_str()); }
    QPushButton* tasto(int n) const { return w<QPushButton>(("Tasto_" + std::to_string(n)).c_str()); }
    static QColor sfondo(QWidget* x) { return x->palette().color(QPalette::Base); }

    // Types a value in a row's box and presses Enter there.
    void scrivi(int n, const char* campoScelto, const char* op, const char* testo)
    {
        campo(n)->setCurrentText(campoScelto);
        operatore(n)->setCurrentText(op);
        valore(n)->setFocus();
        valore(n)->clear();
        QTest::keyClicks(valore(n), testo);
        QTest::keyClick(valore(n), Qt::Key_Return);
    }

    CartellaStampa dir{GetParam()};
    ProgramState stato;
    FixedClock orologio{DateTime{2026, 12, 7, 11, 30, 0}};
    MessaggiRegistrati messaggi;
    std::vector<std::string> anteprime;
    std::unique_ptr<Stampa> finestra;
};

TEST_P(StampaFinestra, OpensOnTheDefinitionsTable)
{
    apri();
    EXPECT_EQ(finestra->windowTitle(), "Stampa - Voci");
    EXPECT_EQ(finestra->size(), QSize(540, 348));
    const QStringList campi = {"NumeroHotel", "Numero", "Sigla", "DataArrivo"};
    for (int n = 0; n <= 8; ++n) {
        QStringList voci;
        for (int i = 0; i < campo(n)->count(); ++i)
            voci << campo(n)->itemText(i);
        EXPECT_EQ(voci, campi) << "Combo1_" << n;
        EXPECT_EQ(campo(n)->currentIndex(), 0);
    }
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(operatore(n)->count(), 8);
        EXPECT_EQ(operatore(n)->currentText(), " uguale a ");
        EXPECT_EQ(operatore(n)->itemText(7), " non include ");
        EXPECT_TRUE(valore(n)->text().isEmpty());
        // Each criterion's value stands on its row after its operator, and the rows
        // follow each other downwards without touching.
        EXPECT_GT(valore(n)->geometry().left(), operatore(n)->geometry().center().x()) << n;
        EXPECT_EQ(valore(n)->geometry().top(), operatore(n)->geometry().top()) << n;
        if (n > 0) {
            EXPECT_LT(valore(n - 1)->geometry().bottom(), valore(n)->geometry().top()) << n;
        }
        EXPECT_EQ(sfondo(valore(n)), QColor(Qt::white));
        EXPECT_EQ(sfondo(campo(n)), Stampa::Pesca());
    }
    EXPECT_EQ(campo(9)->count(), 2) << "destinations with a number above 0";
    EXPECT_EQ(campo(9)->currentText(), "Laser");
    EXPECT_TRUE(w<QRadioButton>("Opt_0")->isChecked());
    EXPECT_EQ(tasto(2)->text(), "&Anteprima");
    EXPECT_EQ(tasto(1)->text(), "&Esci");
    EXPECT_EQ(tasto(3)->text(), "Salva &Filtro");
    EXPECT_EQ(finestra->palette().color(QPalette::Window), Stampa::Azzurro());
    EXPECT_TRUE(messaggi.mostrati.empty());
}

TEST_P(StampaFinestra, AMissingDefinitionIsToldAndTheScreenCloses)
{
    stato.NomeStampa = "Nessuna";
    apri();
    EXPECT_EQ(messaggi.mostrati, (std::vector<Mostrato>{{"Nessuna.stp - Inesistente!", 16, "File Mancante"}}));
    EXPECT_FALSE(finestra->isVisible());
}

TEST_P(StampaFinestra, EnterExpandsDatesAndMovesOn)
{
    apri();
    scrivi(0, "DataArrivo", " fino a ", "311224");
    EXPECT_EQ(valore(0)->text(), "31/12/2024");
    EXPECT_TRUE(valore(1)->hasFocus());
    scrivi(1, "DataArrivo", " include ", "2512");
    EXPECT_EQ(valore(1)->text(), "2512") << "include looks for a part of a date";
    scrivi(2, "Sigla", " uguale a ", "311224");
    EXPECT_EQ(valore(2)->text(), "311224") << "not a date field";
    scrivi(7, "Numero", " uguale a ", "1");
    EXPECT_TRUE(tasto(2)->hasFocus()) << "from the last row to the preview button";
    EXPECT_TRUE(anteprime.empty()) << "Enter does not print";

    valore(3)->setText("abc");
    valore(3)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(valore(3)->selectedText(), "abc") << "the focus selects the whole text";
}

TEST_P(StampaFinestra, PreviewOfTheRowsThatMeetTheCriteria)
{
    apri();
    scrivi(0, "Sigla", " include ", "a");
    scrivi(1, "DataArrivo", " fino a ", "311224");
    QTest::mouseClick(tasto(2), Qt::LeftButton);
    ASSERT_EQ(anteprime.size(), 1u) << (messaggi.mostrati.empty() ? "" : messaggi.mostrati[0].testo);
    const auto righe = ravelt::testing::righeDi(anteprime[0]);
    ASSERT_EQ(righe.size(), 10u) << anteprime[0];
    EXPECT_EQ(righe[0], "Hotel : HOTEL PROVA");
    EXPECT_EQ(righe[5], "|  1|A    |31/12/2024|") << "hotel 1, Sigla holding A, arrival up to 31/12/2024";
    EXPECT_EQ(righe[7], "|  1|     |          |");
    EXPECT_EQ(valore(0)->text(), "A") << "the boxes show the values as the condition used them";
    EXPECT_EQ(valore(1)->text(), "31/12/2024");
    EXPECT_TRUE(finestra->isVisible());

    scrivi(0, "Sigla", " uguale a ", "a'b");
    valore(1)->clear();
    QTest::mouseClick(tasto(2), Qt::LeftButton);
    ASSERT_EQ(anteprime.size(), 2u);
    EXPECT_EQ(valore(0)->text(), "A´B");
    EXPECT_EQ(ravelt::testing::righeDi(anteprime[1]).size(), 9u) << "no row holds A´B: the apostrophe never reaches the query";
}

TEST_P(StampaFinestra, EightEmptyRowsGiveMancanoDati)
{
    apri();
    QTest::mouseClick(tasto(2), Qt::LeftButton);
    EXPECT_EQ(messaggi.mostrati,
              (std::vector<Mostrato>{{"E' necessario definire un criterio di stampa!", 0, "Mancano dati!"}}));
    EXPECT_TRUE(anteprime.empty());
    EXPECT_FALSE(dir.esiste("FD1"));
}

TEST_P(StampaFinestra, FailuresAreToldAndTheScreenStays)
{
    apri();
    dir.scrivi("FD1", "prima\r\n");
    scrivi(0, "Numero", " uguale a ", "uno");
    QTest::mouseClick(tasto(2), Qt::LeftButton);
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_NE(messaggi.mostrati[0].testo.find("Numero: UNO"), std::string::npos) << messaggi.mostrati[0].testo;

    dir.rimuoviArchivio("Prova.mdb");
    scrivi(0, "Numero", " uguale a ", "1");
    QTest::mouseClick(tasto(2), Qt::LeftButton);
    ASSERT_EQ(messaggi.mostrati.size(), 2u);
    EXPECT_NE(messaggi.mostrati[1].testo.find("Prova.mdb"), std::string::npos) << messaggi.mostrati[1].testo;
    EXPECT_TRUE(anteprime.empty());
    EXPECT_TRUE(finestra->isVisible());
    EXPECT_EQ(dir.report(), "prima\r\n");
}

TEST_P(StampaFinestra, SavedFilterComesBackInANewScreenMarkedYellow)
{
    apri();
    scrivi(2, "Sigla", " include ", "a");
    scrivi(5, "Numero", " da ", "2");
    scrivi(6, "DataArrivo", " uguale a ", "   ");
    w<QRadioButton>("Opt_1")->setChecked(true);
    campo(8)->setCurrentText("Sigla");

    messaggi.risposte = {7};
    QTest::mouseClick(tasto(3), Qt::LeftButton);
    EXPECT_EQ(messaggi.mostrati, (std::vector<Mostrato>{{"Sicuro?", 4 + 32 + 256, "Salva Filtro"}}));
    EXPECT_FALSE(dir.esiste("Voci.fil")) << "answered No";

    messaggi.risposte = {6};
    QTest::mouseClick(tasto(3), Qt::LeftButton);
    EXPECT_EQ(dir.leggi("Voci.fil"), "Compresso = N\r\nIn Ordine di Sigla\r\nSigla In a\r\nNumero >= 2\r\n");

    apri();
    EXPECT_TRUE(w<QRadioButton>("Opt_1")->isChecked());
    EXPECT_EQ(campo(8)->currentText(), "Sigla");
    EXPECT_EQ(campo(0)->currentText(), "Sigla");
    EXPECT_EQ(operatore(0)->currentText(), " include ");
    EXPECT_EQ(valore(0)->text(), "a");
    EXPECT_EQ(campo(1)->currentText(), "Numero");
    EXPECT_EQ(operatore(1)->currentText(), " da ");
    EXPECT_EQ(valore(1)->text(), "2");
    for (int n = 0; n < 2; ++n) {
        EXPECT_EQ(sfondo(campo(n)), Stampa::Giallo()) << n;
        EXPECT_EQ(sfondo(operatore(n)), Stampa::Giallo()) << n;
        EXPECT_EQ(sfondo(valore(n)), Stampa::Giallo()) << n;
    }
    EXPECT_EQ(sfondo(campo(2)), Stampa::Pesca());
    EXPECT_EQ(sfondo(valore(2)), QColor(Qt::white));
    EXPECT_EQ(Stampa::Giallo(), QColor(0xFF, 0xFF, 0x80));
}

// After the preview the screen is activated again: the saved filter's rows get its
// values back, the other rows keep theirs as the condition rewrote them.
TEST_P(StampaFinestra, TheFilterIsRestoredAgainAfterThePreview)
{
    dir.scrivi("Voci.fil", "Compresso = S\r\nIn Ordine di Numero\r\nSigla = b\r\n");
    apri();
    EXPECT_EQ(valore(0)->text(), "b");
    valore(0)->setText("a");
    scrivi(3, "Numero", " superiore a ", " 0 ");
    QTest::mouseClick(tasto(2), Qt::LeftButton);
    ASSERT_EQ(anteprime.size(), 1u);
    EXPECT_NE(anteprime[0].find("|  1|A    |"), std::string::npos) << "printed with the value typed";
    EXPECT_EQ(valore(0)->text(), "b");
    EXPECT_EQ(sfondo(valore(0)), Stampa::Giallo());
    EXPECT_EQ(valore(3)->text(), "0");
}

// The lines of the definition and the saved filter the screen could not follow are
// told in the standard box at the activation, once while the screen is open; the
// print's own notices come after the print, before the preview.
TEST_P(StampaFinestra, LinesNotFollowedAreToldOnceWhileTheScreenIsOpen)
{
    dir.scrivi("Voci.fil", "Compresso = S\r\nIn Ordine di Numero\r\nColore > 0\r\n");
    dir.scrivi("euro.txt", "euro\r\n");
    apri();
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_EQ(messaggi.mostrati[0],
              (Mostrato{"Alcune impostazioni non sono state usate:\r\n"
                        "Voci.fil, riga 3: \"Colore\" non è un campo della tabella: il valore \"0\" vale per il campo \"NumeroHotel\"",
                        48, "Impostazioni non usate"}));

    QTest::mouseClick(tasto(2), Qt::LeftButton);
    ASSERT_EQ(anteprime.size(), 1u) << messaggi.mostrati.back().testo;
    ASSERT_EQ(messaggi.mostrati.size(), 2u) << "after the preview the filter is read again, and not told again";
    EXPECT_EQ(messaggi.mostrati[1].testo, "Alcune impostazioni non sono state usate:\r\n"
                                          "euro.txt, riga 1: \"euro\" non è un numero; nessuna colonna EURO lo usa");
}

// An EURO column with a euro.txt that gives no factor: the print is refused in the box
// and nothing is previewed.
TEST_P(StampaFinestra, AnEuroColumnWithoutAFactorIsNotPrinted)
{
    dir.scrivi("Voci.stp", "0,Voci di prova,Prova.mdb,Voci,,,,,,\r\n"
                           "1,N.,,,Numero,3,S,S,,\r\n"
                           "2,Euro,,,EURONumero,8,S,S,,\r\n");
    dir.scrivi("euro.txt", "0\r\n");
    dir.scrivi("FD1", "prima\r\n");
    apri();
    scrivi(0, "Numero", " superiore a ", "0");
    QTest::mouseClick(tasto(2), Qt::LeftButton);
    EXPECT_TRUE(anteprime.empty());
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_NE(messaggi.mostrati[0].testo.find("euro.txt, riga 1: il cambio \"0\" non è maggiore di zero"), std::string::npos)
        << messaggi.mostrati[0].testo;
    EXPECT_EQ(messaggi.mostrati[0].titolo, "Errore di stampa");
    EXPECT_EQ(dir.report(), "prima\r\n");
}

TEST_P(StampaFinestra, EsciCloses)
{
    apri();
    QTest::mouseClick(tasto(1), Qt::LeftButton);
    EXPECT_FALSE(finestra->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Engines, StampaFinestra, ::testing::ValuesIn(ravelt::testing::enginesUnderTest()),
                         ravelt::testing::engineParamName);

}
