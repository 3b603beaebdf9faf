// The print menu against a real print server: a private cupsd with capture queues.
#include "output/MenuStampa.h"
#include "output/QtPrinterSystem.h"
#include "output/tests/CupsServer.h"
#include "output/tests/OutputFixtures.h"
#include "output/tests/PdfTools.h"
#include "testing/TempFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::codici;
using ravelt::testing::CupsServer;

namespace {

const char* const Laser = "Laser_Prova";
const char* const Raw = "Aghi_Raw";

class CupsStampaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        try {
            cups = &CupsServer::shared();
            cups->addQueue(Laser);
            cups->addQueue(Raw);
        } catch (const std::exception& e) {
            FAIL() << "private print server: " << e.what();
        }
        ravelt::testing::scriviStampanti(
            dir.path(),
            {
                {1, 1, "Laser", 1, Laser},
                {1, 2, "Aghi", 2, Raw},
                {1, 3, "Aghi su file", 2, "aghi.txt"},
            },
            {
                {1, codici({"8", "0", "0", "0", "0", "1", "12"}), codici({"0", "0", "0", "0", "0", "2"})},
                {2, codici({"27", "15", "0", "0", "0", "0", "27", "18"}), ""},
            });
        ravelt::testing::scriviAnagrafica(dir.path(), "AB");
        servizi.stampanti = &printers;
        servizi.env = &env;
    }
    void pagine(int compresse) { ravelt::testing::scriviContatori(dir.path(), {{1, compresse, 60}}); }
    std::unique_ptr<MenuStampa> apri()
    {
        auto m = std::make_unique<MenuStampa>(dir.path(), 1, state, &clock, messages, servizi);
        m->show();
        QApplication::processEvents();
        return m;
    }
    static void premi(MenuStampa& m, int i)
    {
        QTest::mouseClick(m.findChild<QToolButton*>(QString("Tst_%1").arg(i)), Qt::LeftButton);
        QApplication::processEvents();
    }
    // The job the queue receives next, after the ones it had.
    CupsServer::Job prossimo(const std::string& queue, size_t before)
    {
        auto jobs = cups->waitForJobs(queue, before + 1);
        if (jobs.size() != before + 1) {
            ADD_FAILURE() << queue << " received " << jobs.size() - before << " jobs";
            return {};
        }
        return jobs.back();
    }
    std::filesystem::path comePdf(const CupsServer::Job& job)
    {
        dir.write("arrivato.pdf", job.data);
        return dir / "arrivato.pdf";
    }

    CupsServer* cups = nullptr;
    ravelt::testing::TempFolder dir;
    ProgramState state;
    FixedClock clock{DateTime{2026, 1, 31, 23, 59, 0}};
    ravelt::testing::RecordingPresenter messages;
    QtPrinterSystem printers;
    MapEnvironment env;
    ServiziMenuStampa servizi;
};

TEST_F(CupsStampaTest, PrintQueuesAreTheInstalledPrinters)
{
    auto names = printers.deviceNames();
    EXPECT_NE(std::find(names.begin(), names.end(), Laser), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), Raw), names.end());
    auto m = apri();
    auto* c2 = m->findChild<QComboBox*>("Combo2");
    EXPECT_NE(c2->findText(Laser), -1);
    EXPECT_NE(c2->findText(Raw), -1);
}

TEST_F(CupsStampaTest, ReportOf130LinesArrivesAsThreePdfPages)
{
    pagine(60);
    dir.write("FD1", ravelt::testing::comeFile(ravelt::testing::righeNumerate(130)));
    size_t before = cups->jobs(Laser).size();
    auto m = apri();
    premi(*m, 3);
    ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].testo;
    CupsServer::Job job = prossimo(Laser, before);
    ASSERT_EQ(job.data.substr(0, 5), "%PDF-");
    auto pdf = comePdf(job);
    ASSERT_EQ(ravelt::testing::pdfPages(pdf), 3);
    struct Page {
        int first, last;
    } pages[] = {{1, 58}, {59, 116}, {117, 130}};
    for (int p = 0; p < 3; ++p) {
        auto page = ravelt::testing::pdfPage(pdf, p + 1);
        EXPECT_LT(page.width, page.height) << "portrait";
        char want[16];
        for (int line : {pages[p].first, pages[p].last}) {
            std::snprintf(want, sizeof want, "Riga %03d", line);
            EXPECT_NE(page.text.find(want), std::string::npos) << "page " << p + 1 << " lacks " << want;
        }
        for (int line : {pages[p].first - 1, pages[p].last + 1}) {
            std::snprintf(want, sizeof want, "Riga %03d", line);
            EXPECT_EQ(page.text.find(want), std::string::npos) << "page " << p + 1 << " holds " << want;
        }
    }
    EXPECT_EQ(job.options.find("sides=two-sided"), std::string::npos);
}

TEST_F(CupsStampaTest, LandscapeAndTwoSidedReachTheQueue)
{
    pagine(40);
    dir.write("FD1", ravelt::testing::comeFile(ravelt::testing::righeNumerate(130)));
    size_t before = cups->jobs(Laser).size();
    auto m = apri();
    m->findChild<QCheckBox*>("Chk2")->setChecked(true);
    m->findChild<QCheckBox*>("Chk3")->setChecked(true);
    premi(*m, 3);
    ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].testo;
    CupsServer::Job job = prossimo(Laser, before);
    auto pdf = comePdf(job);
    // 38 report lines a page below a 2-line margin.
    ASSERT_EQ(ravelt::testing::pdfPages(pdf), 4);
    for (int p = 1; p <= 4; ++p) {
        auto page = ravelt::testing::pdfPage(pdf, p);
        EXPECT_GT(page.width, page.height) << "page " << p << " is landscape";
    }
    EXPECT_NE(ravelt::testing::pdfPage(pdf, 4).text.find("Riga 130"), std::string::npos);
    EXPECT_NE(job.options.find("sides=two-sided-long-edge"), std::string::npos) << job.options;
}

TEST_F(CupsStampaTest, RawQueueReceivesTheTextDeviceBytesExactly)
{
    pagine(60);
    std::filesystem::remove(dir / "AnagraficaHotels.sqlite");
    ravelt::testing::scriviAnagrafica(dir.path(), "K");
    std::string every;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            every += static_cast<char>(b);
    dir.write("FD1", every + "\r\n\f\r\nfine\r\n");
    size_t before = cups->jobs(Raw).size();
    auto m = apri();
    m->findChild<QComboBox*>("Combo1")->setCurrentText("Aghi");
    premi(*m, 3);
    ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].testo;
    CupsServer::Job job = prossimo(Raw, before);
    std::string expected = std::string("\x1b\x0f\0\0\0", 5) + every + "\r\n" + "\f" + "fine\r\n" + "\f";
    EXPECT_EQ(job.data.size(), expected.size());
    EXPECT_TRUE(job.data == expected) << "the queue gets the bytes unchanged";
}

TEST_F(CupsStampaTest, QueueChosenInThePrinterListTakesATextDestinationsBytes)
{
    pagine(60);
    dir.write("FD1", "riga\r\n");
    size_t before = cups->jobs(Raw).size();
    auto m = apri();
    m->findChild<QComboBox*>("Combo1")->setCurrentText("Aghi su file");
    m->findChild<QComboBox*>("Combo2")->setCurrentText(Raw);
    premi(*m, 3);
    ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].testo;
    CupsServer::Job job = prossimo(Raw, before);
    EXPECT_EQ(job.data, std::string("\x1b\x0f\0\0\0", 5) + "riga\r\n\f");
    EXPECT_FALSE(std::filesystem::exists(dir / Raw)) << "no file named after the printer";
    EXPECT_FALSE(std::filesystem::exists(dir / "aghi.txt"));
}

TEST_F(CupsStampaTest, QueueThatRefusesJobsIsToldAndTheMenuStays)
{
    pagine(60);
    dir.write("FD1", "riga\r\n");
    cups->reject(Laser);
    cups->reject(Raw);
    size_t laser = cups->jobs(Laser).size(), raw = cups->jobs(Raw).size();
    auto m = apri();
    premi(*m, 3);
    m->findChild<QComboBox*>("Combo1")->setCurrentText("Aghi");
    premi(*m, 3);
    cups->accept(Laser);
    cups->accept(Raw);
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const auto& shown : messages.shown) {
        EXPECT_NE(shown.testo.find("non ha accettato"), std::string::npos) << shown.testo;
        EXPECT_EQ(shown.titolo, "Stampa");
    }
    EXPECT_NE(messages.shown[0].testo.find(Laser), std::string::npos) << messages.shown[0].testo;
    EXPECT_NE(messages.shown[1].testo.find(Raw), std::string::npos) << messages.shown[1].testo;
    EXPECT_TRUE(m->isVisible());
    EXPECT_EQ(cups->jobs(Laser).size(), laser);
    EXPECT_EQ(cups->jobs(Raw).size(), raw);
}

}
