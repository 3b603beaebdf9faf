#include "tableprint/ApriStampa.h"

#include "columns/ImpRavelt.h"
#include "demohotel/DemoHotel.h"
#include "dialogs/tests/ModalScript.h"
#include "shell/program_state.h"
#include "tableprint/tests/MessaggiRegistrati.h"
#include "testing/EngineFolder.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::MessaggiRegistrati;
using ravelt::testing::ModalScript;
using ravelt::testing::EngineFolder;

namespace {

// The print screen opened from the column setup, over a demo folder whose stores live on
// each engine the binary covers.
class ApriStampaTest : public ::testing::TestWithParam<ravelt::testing::Engine> {};

// From a fresh demo folder: the column setup's "&Stampa" opens the print screen on the
// column list, "&Anteprima" prints it and the preview shows it; "&Esci" returns to the
// column setup.
TEST_P(ApriStampaTest, ColumnSetupPrintsTheColumnListToThePreview)
{
    EngineFolder dir(GetParam());
    DemoOptions demo;
    demo.days = 1;
    createDemoHotel(dir.path(), demo);
    ravelt::testing::CurrentFolder qui(dir.path());
    ProgramState stato;
    stato.NumeroHotel = 1;
    stato.PCLocal = 4;
    stato.CodiceAssistenza = "";
    stato.NomeStampa.clear();

    MessaggiRegistrati messaggi;
    QString titoloStampa, anteprima;
    ImpRavelt impostazioni(dir.path(), stato, messaggi, [&] { ApriStampa(dir.path(), stato, messaggi, &impostazioni); });
    impostazioni.show();
    ModalScript script({
        [&](QWidget& w) {
            titoloStampa = w.windowTitle();
            // clicked after this action returns: the preview it opens is modal in turn
            QPushButton* b = w.findChild<QPushButton*>("Tasto_2");
            QTimer::singleShot(0, b, [b] { QTest::mouseClick(b, Qt::LeftButton); });
        },
        [&](QWidget& w) {
            anteprima = w.findChild<QPlainTextEdit*>("Text1")->toPlainText();
            QTest::mouseClick(w.findChild<QPushButton*>("Tasto_0"), Qt::LeftButton);
        },
        [&](QWidget& w) { QTest::mouseClick(w.findChild<QPushButton*>("Tasto_1"), Qt::LeftButton); },
    });
    QTest::mouseClick(impostazioni.findChild<QPushButton*>("Tasto_0"), Qt::LeftButton);

    EXPECT_EQ(script.opened(), 3);
    EXPECT_EQ(stato.NomeStampa, "ColonneRavelt");
    EXPECT_EQ(titoloStampa, "Stampa - ColonneRavelt");
    EXPECT_TRUE(anteprima.contains("Colonne del dettaglio cassa")) << anteprima.toStdString();
    EXPECT_TRUE(anteprima.contains("|   1|CONTANTI    |    01|Contanti")) << anteprima.toStdString();
    EXPECT_TRUE(anteprima.contains("|    |            |    04|Carta di credito")) << anteprima.toStdString();
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "FD4"));
    EXPECT_TRUE(messaggi.mostrati.empty());
    EXPECT_TRUE(impostazioni.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Engines, ApriStampaTest, ::testing::ValuesIn(ravelt::testing::enginesUnderTest()),
                         ravelt::testing::engineParamName);

}
