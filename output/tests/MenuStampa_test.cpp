#include "output/MenuStampa.h"
#include "output/tests/OutputFixtures.h"
#include "output/QtPrinterSystem.h"
#include "platform/MemoryPrinter.h"
#include "testing/FileSizeLimit.h"
#include "testing/EngineFolder.h"
#include "testing/WindowChecks.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::codici;

namespace {

// The print menu over a working folder whose stores live on each engine the binary
// covers.
class MenuStampaTest : public ::testing::TestWithParam<ravelt::testing::Engine> {
protected:
    void SetUp() override
    {
        ravelt::testing::scriviStampanti(
            dir.path(),
            {
                {1, 1, "Laser", 1, "Ufficio"},
                {1, 2, "Aghi", 2, "aghi.txt"},
                {1, 3, "Primo PDF", 1, "primo.pdf"},
                {2, 4, "Altro hotel PDF", 1, "altro.pdf"},
                {1, 5, "Secondo PDF", 1, "secondo.pdf"},
            },
            {
                {1, codici({"8", "0", "0", "0", "0", "1", "12"}), codici({"0", "0", "0", "0", "0", "0"})},
                {2, codici({"27", "15", "0", "0", "0", "0", "27", "18"}), codici({"0", "0", "0", "0", "0", "0", "6", "6"})},
            });
        ravelt::testing::scriviContatori(dir.path(), {{1, 60, 60}});
        ravelt::testing::scriviAnagrafica(dir.path(), "AB");
        dir.write("FD4", "\xb3" "CITT\xc0\xb3" "1.234,56\xb3\r\n");
        printers.devices = {"Ufficio", "Magazzino"};
        printers.defaultDevice = "Ufficio";
        state.CodiceAssistenza = "K";
        servizi.stampanti = &printers;
        servizi.env = &env;
        servizi.apriFile = [this](const std::filesystem::path& p) {
            opened.push_back(p);
            return openAnswer;
        };
        servizi.mostraAnteprima = [this](QWidget*) { ++previews; };
        servizi.avvisoStandard = [this](QWidget*, const QString& titolo, const QString& testo) {
            warnings.push_back((titolo + ": " + testo).toStdString());
        };
    }
    std::unique_ptr<MenuStampa> apri()
    {
        auto m = std::make_unique<MenuStampa>(dir.path(), 4, state, &clock, messages, servizi);
        m->show();
        QApplication::processEvents();
        return m;
    }
    static QComboBox* combo(MenuStampa& m, const char* name) { return m.findChild<QComboBox*>(name); }
    static void premi(MenuStampa& m, int i)
    {
        QToolButton* b = m.findChild<QToolButton*>(QString("Tst_%1").arg(i));
        ASSERT_NE(b, nullptr);
        QTest::mouseClick(b, Qt::LeftButton);
        QApplication::processEvents();
    }
    static void spunta(MenuStampa& m, const char* name, bool on) { m.findChild<QCheckBox*>(name)->setChecked(on); }
    static std::vector<std::string> voci(QComboBox* c)
    {
        std::vector<std::string> v;
        for (int i = 0; i < c->count(); ++i)
            v.push_back(c->itemText(i).toStdString());
        return v;
    }

    ravelt::testing::EngineFolder dir{GetParam()};
    ProgramState state;
    FixedClock clock{DateTime{2024, 3, 12, 15, 7, 30}};
    ravelt::testing::RecordingPresenter messages;
    MemoryPrinterSystem printers;
    MapEnvironment env;
    ServiziMenuStampa servizi;
    std::vector<std::filesystem::path> opened;
    bool openAnswer = true;
    int previews = 0;
    std::vector<std::string> warnings;
};

TEST_P(MenuStampaTest, LoadAndActivation)
{
    auto m = apri();
    EXPECT_EQ(m->windowTitle(), "Stampe non modificabili");
    EXPECT_EQ(m->minimumSize(), m->maximumSize()) << "the controls keep their places: the menu cannot be resized";
    EXPECT_EQ(state.NumeroHotel, 1) << "hotel 0 becomes 1";
    EXPECT_EQ(voci(combo(*m, "Combo1")), (std::vector<std::string>{"Laser", "Aghi", "Primo PDF", "Secondo PDF"}));
    EXPECT_EQ(combo(*m, "Combo1")->currentText(), "Laser");
    EXPECT_EQ(voci(combo(*m, "Combo2")), (std::vector<std::string>{"Ufficio", "Magazzino"}));
    EXPECT_EQ(combo(*m, "Combo2")->currentIndex(), -1);
    EXPECT_EQ(combo(*m, "Combo2")->currentText(), "");
    EXPECT_TRUE(m->findChild<QCheckBox*>("Chk")->isChecked());
    EXPECT_FALSE(m->findChild<QCheckBox*>("Chk2")->isChecked());
    EXPECT_FALSE(m->findChild<QCheckBox*>("Chk3")->isChecked());
    EXPECT_EQ(m->findChild<QLabel*>("Label1_2")->text(), "SELEZIONE");
    EXPECT_EQ(m->codiceAssistenza(), "AB") << "read again from the registry at activation";
    for (int i = 0; i < 6; ++i) {
        QToolButton* b = m->findChild<QToolButton*>(QString("Tst_%1").arg(i));
        ASSERT_NE(b, nullptr);
        EXPECT_TRUE(b->text().isEmpty());
        EXPECT_FALSE(b->icon().isNull());
        EXPECT_FALSE(b->toolTip().isEmpty());
    }
    // One row of square buttons under the printer list, from the left: print, preview,
    // word-processor copy, CSV, PDF, exit.
    const int leftToRight[6] = {3, 4, 0, 1, 2, 5};
    const QRect first = m->findChild<QToolButton*>("Tst_3")->geometry();
    EXPECT_GE(first.top(), combo(*m, "Combo2")->geometry().bottom());
    for (int k = 0; k < 6; ++k) {
        const QRect b = m->findChild<QToolButton*>(QString("Tst_%1").arg(leftToRight[k]))->geometry();
        EXPECT_EQ(b.width(), b.height()) << "Tst_" << leftToRight[k];
        EXPECT_EQ(b.top(), first.top()) << "Tst_" << leftToRight[k];
        if (k > 0) {
            EXPECT_LT(m->findChild<QToolButton*>(QString("Tst_%1").arg(leftToRight[k - 1]))->geometry().right(), b.left())
                << "Tst_" << leftToRight[k - 1] << " before Tst_" << leftToRight[k];
        }
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(MenuStampaTest, CaptionsFitAndControlsDoNotOverlap)
{
    auto m = apri();
    for (const auto& problem : ravelt::testing::captionProblems(*m))
        ADD_FAILURE() << problem;
}

TEST_P(MenuStampaTest, WordProcessorCopyIsNamedWithTheClockAndOpenedLater)
{
    auto m = apri();
    std::filesystem::path copy = dir / "doc" / "fd4202403121507.doc";
    EXPECT_EQ(m->copiaDoc().percorso, copy);
    EXPECT_EQ(dir.read("doc/fd4202403121507.doc"), dir.read("FD4"));
    dir.write("FD4", "salvato dopo\r\n");
    premi(*m, 0);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], copy);
    EXPECT_NE(dir.read("doc/fd4202403121507.doc"), "salvato dopo\r\n") << "the copy is the report as it was at the load";

    openAnswer = false;
    premi(*m, 0);
    ASSERT_EQ(messages.shown.size(), 1u) << "a copy that cannot be opened is told";
}

TEST_P(MenuStampaTest, WithoutAReportThereIsNoCopyAndTheButtonSaysWhy)
{
    std::filesystem::remove(dir / "FD4");
    auto m = apri();
    EXPECT_TRUE(std::filesystem::is_directory(dir / "doc"));
    EXPECT_FALSE(m->copiaDoc().copiata);
    premi(*m, 0);
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(m->isVisible());
}

TEST_P(MenuStampaTest, NoInstalledPrinterShowsTheNoPrinterEntryWhichNamesNoDevice)
{
    printers.devices.clear();
    printers.defaultDevice.clear();
    auto m = apri();
    EXPECT_EQ(voci(combo(*m, "Combo2")), (std::vector<std::string>{"<nessuna stampante>"}));
    combo(*m, "Combo1")->setCurrentText("Aghi");
    combo(*m, "Combo2")->setCurrentIndex(0);
    premi(*m, 3);
    ASSERT_EQ(printers.textJobs.size(), 1u);
    EXPECT_EQ(printers.textJobs[0]->device, "aghi.txt");
}

// A print service that cannot give its queues: the menu opens with the no-printer entry,
// tells why over itself once, and still prints on a destination's own device.
TEST_P(MenuStampaTest, APrinterListTheSystemCannotGiveIsToldAndTheMenuStillPrints)
{
    struct ServizioMuto : MemoryPrinterSystem {
        std::vector<std::string> deviceNames() const override
        {
            throw std::runtime_error("il servizio di stampa non risponde");
        }
    } muto;
    servizi.stampanti = &muto;
    auto m = apri();
    EXPECT_EQ(voci(combo(*m, "Combo2")), (std::vector<std::string>{"<nessuna stampante>"}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].testo.find("il servizio di stampa non risponde"), std::string::npos)
        << messages.shown[0].testo;
    EXPECT_EQ(messages.shown[0].titolo, "Stampa");
    EXPECT_TRUE(m->isVisible());

    combo(*m, "Combo1")->setCurrentText("Aghi");
    premi(*m, 3);
    ASSERT_EQ(muto.textJobs.size(), 1u);
    EXPECT_EQ(muto.textJobs[0]->device, "aghi.txt");
    EXPECT_EQ(messages.shown.size(), 1u) << "told once, not again on a print";
}

TEST_P(MenuStampaTest, ClosesItselfWithoutDestinations)
{
    dir.removeStore("Stampanti.mdb");
    ravelt::testing::scriviStampanti(dir.path(), {{2, 1, "Altro hotel", 1, "x"}}, {});
    auto m = apri();
    QApplication::processEvents();
    EXPECT_FALSE(m->isVisible());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(MenuStampaTest, PrinterButtonPrintsTheChosenDestinationWithTheCheckBoxes)
{
    auto m = apri();
    spunta(*m, "Chk", false);
    spunta(*m, "Chk2", true);
    spunta(*m, "Chk3", true);
    premi(*m, 3);
    ASSERT_EQ(printers.documents.size(), 1u);
    const PrintedDocument& d = *printers.documents[0];
    EXPECT_EQ(d.target, "Ufficio");
    EXPECT_EQ(d.duplex, 2);
    ASSERT_FALSE(d.pages.empty());
    EXPECT_EQ(d.pages[0].orientation, PrinterObject::Landscape);
    ASSERT_GE(d.pages[0].lines.size(), 2u);
    EXPECT_EQ(d.pages[0].lines[1].fragments[0].fontSize, 12) << "normal size when not compressed";
    EXPECT_EQ(d.pages[0].lines[1].text(), "|CITTà|1.234,56|") << "support code AB: converted";
}

TEST_P(MenuStampaTest, OptionKFromTheRegistryPrintsUnconverted)
{
    dir.removeStore("AnagraficaHotels.mdb");
    ravelt::testing::scriviAnagrafica(dir.path(), "XK");
    auto m = apri();
    premi(*m, 3);
    ASSERT_EQ(printers.documents.size(), 1u);
    EXPECT_EQ(printers.documents[0]->pages[0].lines[1].text(), "³CITTÀ³1.234,56³");
}

TEST_P(MenuStampaTest, PdfButtonUsesTheLastPdfDestinationAndLeavesItShown)
{
    auto m = apri();
    premi(*m, 2);
    EXPECT_EQ(combo(*m, "Combo1")->currentText(), "Secondo PDF");
    ASSERT_EQ(printers.documents.size(), 1u);
    EXPECT_TRUE(printers.documents[0]->pdf);
    EXPECT_EQ(printers.documents[0]->target, (dir / "secondo.pdf").string());
    EXPECT_TRUE(warnings.empty());
}

TEST_P(MenuStampaTest, PdfButtonWithoutPdfDestinationWarnsInTheStandardBox)
{
    dir.removeStore("Stampanti.mdb");
    ravelt::testing::scriviStampanti(dir.path(), {{1, 1, "Laser", 1, "Ufficio"}}, {});
    auto m = apri();
    premi(*m, 2);
    EXPECT_EQ(warnings, (std::vector<std::string>{"Stampa: Nessuna stampante PDF impostata!"}));
    EXPECT_TRUE(printers.documents.empty());
    EXPECT_TRUE(messages.shown.empty()) << "not through the program's own box";
}

TEST_P(MenuStampaTest, RealStandardWarningBox)
{
    dir.removeStore("Stampanti.mdb");
    ravelt::testing::scriviStampanti(dir.path(), {{1, 1, "Laser", 1, "Ufficio"}}, {});
    servizi.avvisoStandard = nullptr;
    auto m = apri();
    QString seen, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = box->text();
        title = box->windowTitle();
        icon = box->icon();
        box->accept();
    });
    m->Tst_Click(2);
    EXPECT_EQ(seen, "Nessuna stampante PDF impostata!");
    EXPECT_EQ(title, "Stampa");
    EXPECT_EQ(icon, QMessageBox::Warning);
}

TEST_P(MenuStampaTest, PrinterChosenForATextDestinationReceivesTheBytes)
{
    auto m = apri();
    combo(*m, "Combo1")->setCurrentText("Aghi");
    combo(*m, "Combo2")->setCurrentIndex(1);
    premi(*m, 3);
    ASSERT_EQ(printers.textJobs.size(), 1u);
    EXPECT_EQ(printers.textJobs[0]->device, "Magazzino");
    EXPECT_EQ(printers.textJobs[0]->bytes, std::string("\x1b\x0f\0\0\0", 5) + "|CITT\xe0|1.234,56|\r\n\f");
}

TEST_P(MenuStampaTest, DeviceFailureIsToldAndTheMenuStays)
{
    printers.failingDevices = {"aghi.txt"};
    auto m = apri();
    combo(*m, "Combo1")->setCurrentText("Aghi");
    premi(*m, 3);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].testo.find("aghi.txt"), std::string::npos) << messages.shown[0].testo;
    EXPECT_EQ(messages.shown[0].titolo, "Stampa");
    EXPECT_TRUE(m->isVisible());
}

TEST_P(MenuStampaTest, PdfTheDiskRefusesIsToldAndThePreviousFileStays)
{
    QtPrinterSystem realPrinters;
    servizi.stampanti = &realPrinters;
    dir.write("FD4", ravelt::testing::comeFile(ravelt::testing::righeNumerate(300)));
    dir.write("secondo.pdf", "stampa precedente");
    auto m = apri();
    {
        ravelt::testing::FileSizeLimit full(2048);
        premi(*m, 2);
    }
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].testo.find("secondo.pdf"), std::string::npos) << messages.shown[0].testo;
    EXPECT_EQ(messages.shown[0].titolo, "Stampa");
    const std::string now = dir.read("secondo.pdf");
    EXPECT_TRUE(now == "stampa precedente") << "secondo.pdf now holds " << now.size() << " bytes";
    EXPECT_TRUE(m->isVisible());
}

TEST_P(MenuStampaTest, UnreadableStoreIsToldAndTheMenuStays)
{
    auto m = apri();
    dir.removeStore("Contatori.mdb");
    premi(*m, 3);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].testo.find("Contatori"), std::string::npos) << messages.shown[0].testo;
    EXPECT_TRUE(m->isVisible());
}

TEST_P(MenuStampaTest, CsvButtonWritesTheFileAndOpensIt)
{
    auto m = apri();
    premi(*m, 1);
    EXPECT_EQ(dir.read("fd4.csv"), ",CITT,,\x80" "1234.56,\r\n") << "default settings; capital A grave is a corner byte";
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], dir / "fd4.csv");

    std::filesystem::remove(dir / "FD4");
    premi(*m, 1);
    EXPECT_EQ(messages.shown.size(), 1u) << "no report to export is told";
    EXPECT_EQ(opened.size(), 1u);
}

// Settings lines that the print and the export did without are told in the menu's box,
// each once while the menu is open.
TEST_P(MenuStampaTest, IgnoredSettingsLinesAreToldOnceWhileTheMenuIsOpen)
{
    dir.write("FontStp.txt", "\r\n");
    dir.write("SeparatoreXLS.txt", ";\r\n");
    auto m = apri();
    premi(*m, 3);
    ASSERT_EQ(printers.documents.size(), 1u);
    EXPECT_EQ(printers.documents[0]->pages[0].lines[1].fragments[0].fontName, "Courier New") << "the first line is the page head";
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].testo, "Alcune impostazioni non sono state usate:\r\n"
                                       "FontStp.txt, riga 1: è vuota: si stampa con il carattere Courier New");
    EXPECT_EQ(messages.shown[0].titolo, "Stampa");

    premi(*m, 3);
    EXPECT_EQ(printers.documents.size(), 2u);
    EXPECT_EQ(messages.shown.size(), 1u) << "told already";

    premi(*m, 1);
    EXPECT_EQ(dir.read("fd4.csv"), ";CITT;;\x80" "1234.56;\r\n");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[1].testo.find("SeparatoreXLS.txt, riga 2: manca"), std::string::npos) << messages.shown[1].testo;
    EXPECT_NE(messages.shown[1].testo.find("SeparatoreXLS.txt, riga 3: manca"), std::string::npos) << messages.shown[1].testo;
    EXPECT_EQ(opened.size(), 1u) << "the CSV file is opened all the same";
}

TEST_P(MenuStampaTest, ReturnFromThePreviewShowsTheFirstDestinationAgain)
{
    auto m = apri();
    combo(*m, "Combo1")->setCurrentText("Aghi");
    spunta(*m, "Chk2", true);
    combo(*m, "Combo2")->setCurrentIndex(1);
    premi(*m, 4);
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(combo(*m, "Combo1")->currentText(), "Laser");
    EXPECT_TRUE(m->findChild<QCheckBox*>("Chk2")->isChecked());
    EXPECT_EQ(combo(*m, "Combo2")->currentText(), "Magazzino");
}

TEST_P(MenuStampaTest, ExitButtonCloses)
{
    auto m = apri();
    premi(*m, 5);
    EXPECT_FALSE(m->isVisible());
    EXPECT_EQ(m->result(), QDialog::Accepted);
}

INSTANTIATE_TEST_SUITE_P(Engines, MenuStampaTest, ::testing::ValuesIn(ravelt::testing::enginesUnderTest()),
                         ravelt::testing::engineParamName);

}
