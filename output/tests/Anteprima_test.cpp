#include "output/Anteprima.h"
#include "output/tests/OutputFixtures.h"
#include "testing/TempFolder.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace ravelt;

namespace {

class NoLauncher : public ProgramLauncher {
public:
    void start(const std::filesystem::path& p, const std::filesystem::path&, const std::map<std::string, std::string>& e) override
    {
        started.push_back(p);
        env = e;
    }
    int run(const std::filesystem::path&, const std::filesystem::path&, const std::map<std::string, std::string>&,
            const std::vector<std::string>&) override
    {
        return 0;
    }
    std::vector<std::filesystem::path> started;
    std::map<std::string, std::string> env;
};

class AnteprimaTest : public ::testing::Test {
protected:
    std::unique_ptr<Anteprima> apri(std::int16_t pc = 3)
    {
        auto a = std::make_unique<Anteprima>(dir.path(), pc, messages, &launcher);
        a->setRicercaProgramma(dir / "nessuna", "/nessun/percorso");
        a->show();
        QApplication::processEvents();
        return a;
    }
    static QPlainTextEdit* box(Anteprima& a) { return a.findChild<QPlainTextEdit*>("Text1"); }
    static std::string testo(Anteprima& a) { return box(a)->toPlainText().toStdString(); }
    static int righe(Anteprima& a) { return box(a)->document()->blockCount() - 1; }
    static void premi(Anteprima& a, int i)
    {
        QPushButton* b = a.findChild<QPushButton*>(QString("Tasto_%1").arg(i));
        ASSERT_NE(b, nullptr) << i;
        QTest::mouseClick(b, Qt::LeftButton);
        QApplication::processEvents();
    }
    ravelt::testing::TempFolder dir;
    ravelt::testing::RecordingPresenter messages;
    NoLauncher launcher;
};

TEST_F(AnteprimaTest, ControlsAsDesigned)
{
    dir.write("FD3", "x\r\n");
    auto a = apri();
    EXPECT_EQ(a->windowTitle(), "Anteprima di Stampa");
    const char* captions[7] = {"&Esci", "&Riduci", "E&spandi", "&Avanti", "&Inizio", "E-&mail", "Sa&lva"};
    for (int i = 0; i < 7; ++i) {
        QPushButton* b = a->findChild<QPushButton*>(QString("Tasto_%1").arg(i));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text().toStdString(), captions[i]);
    }
    EXPECT_EQ(box(*a)->font().pointSizeF(), 11.25);
    EXPECT_EQ(box(*a)->font().family(), "Courier New");
}

// At the designed size and when the operator enlarges the preview, the text fills the
// window above one row of buttons kept at its bottom, in the order of their captions,
// "&Esci" last and stretching to the right edge; nothing overlaps or leaves the window.
TEST_F(AnteprimaTest, TextAboveOneRowOfButtonsAtAnySize)
{
    dir.write("FD3", "x\r\n");
    auto a = apri();
    const QSize designed = a->size();
    const int leftToRight[7] = {1, 2, 3, 4, 5, 6, 0};
    for (const QSize size : {designed, designed + QSize(300, 200)}) {
        a->resize(size);
        QApplication::processEvents();
        const QRect window = a->rect();
        const QRect text = box(*a)->geometry();
        EXPECT_TRUE(window.contains(text)) << size.width();
        QRect previous;
        for (int k = 0; k < 7; ++k) {
            const QRect b = a->findChild<QPushButton*>(QString("Tasto_%1").arg(leftToRight[k]))->geometry();
            EXPECT_TRUE(window.contains(b)) << "Tasto_" << leftToRight[k] << " at width " << size.width();
            EXPECT_LT(text.bottom(), b.top()) << "Tasto_" << leftToRight[k] << " at width " << size.width();
            EXPECT_LE(window.bottom() - b.bottom(), 10) << "Tasto_" << leftToRight[k] << " keeps to the bottom";
            if (k > 0) {
                EXPECT_EQ(b.top(), previous.top()) << "Tasto_" << leftToRight[k];
                EXPECT_LT(previous.right(), b.left()) << "Tasto_" << leftToRight[k];
            }
            previous = b;
        }
        EXPECT_LE(window.right() - previous.right(), 10) << "\"&Esci\" reaches the right edge at width " << size.width();
        EXPECT_LE(window.right() - text.right(), 10) << "the text fills the width at width " << size.width();
    }
}

TEST_F(AnteprimaTest, ChunksOf20000Then26000AndBackToTheStart)
{
    dir.write("FD3", ravelt::testing::comeFile(ravelt::testing::righeNumerate(300, 100)));
    auto a = apri();
    EXPECT_EQ(righe(*a), 200);
    EXPECT_EQ(a->conteggio(), 20000);
    EXPECT_TRUE(a->altro());
    premi(*a, 3);
    EXPECT_EQ(righe(*a), 100);
    EXPECT_EQ(testo(*a).substr(0, 8), "Riga 201");
    EXPECT_FALSE(a->altro());
    premi(*a, 3);
    EXPECT_EQ(testo(*a).substr(0, 8), "Riga 201") << "nothing more to read: the text stays";
    premi(*a, 4);
    EXPECT_EQ(righe(*a), 260);
    EXPECT_EQ(testo(*a).substr(0, 8), "Riga 001");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AnteprimaTest, ShortReportShownWholeFramesConverted)
{
    dir.write("FD3", "Hotel\r\n\xda\xc4\xc2\xc4\xbf\r\n\xb3" "CITT\xc0\xb3" "1,00\xb4\r\n\xc0\xc4\xc1\xc4\xd9\r\n");
    auto a = apri();
    EXPECT_EQ(testo(*a), "Hotel\n-----\n|CITTà|1,00|\nà---ù\n");
    EXPECT_FALSE(a->altro());
    premi(*a, 3);
    EXPECT_EQ(testo(*a), "Hotel\n-----\n|CITTà|1,00|\nà---ù\n");
}

TEST_F(AnteprimaTest, ReduceStopsAtOnePointEnlargeHasNoLimit)
{
    dir.write("FD3", "x\r\n");
    auto a = apri();
    premi(*a, 2);
    EXPECT_EQ(box(*a)->font().pointSizeF(), 12.25);
    QFont f = box(*a)->font();
    f.setPointSizeF(1);
    box(*a)->setFont(f);
    premi(*a, 1);
    EXPECT_EQ(box(*a)->font().pointSizeF(), 1) << "at 1 point nothing changes";
    f.setPointSizeF(1.5);
    box(*a)->setFont(f);
    premi(*a, 1);
    EXPECT_EQ(box(*a)->font().pointSizeF(), 0.5);
}

TEST_F(AnteprimaTest, SaveOnTheSecondChunkLeavesOnlyThatChunk)
{
    auto lines = ravelt::testing::righeNumerate(300, 100);
    dir.write("FD3", ravelt::testing::comeFile(lines));
    auto a = apri();
    premi(*a, 3);
    premi(*a, 6);
    std::vector<std::string> second(lines.begin() + 200, lines.end());
    EXPECT_EQ(dir.read("FD3"), ravelt::testing::comeFile(second) + "\r\n") << "the chunk and one empty line more";
    EXPECT_EQ(righe(*a), 100) << "the shown text stays";
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AnteprimaTest, SaveThenNextReadsTheSavedFileFromItsStart)
{
    dir.write("FD3", ravelt::testing::comeFile(ravelt::testing::righeNumerate(300, 100)));
    auto a = apri();
    box(*a)->setPlainText("modificato\n");
    premi(*a, 6);
    EXPECT_TRUE(a->altro()) << "\"more\" is not recomputed by saving";
    premi(*a, 3);
    EXPECT_EQ(testo(*a), "modificato\n\n");
}

TEST_F(AnteprimaTest, SavedBytesRoundTripTheCodePage)
{
    dir.write("FD3", "a\xa0" "b \x80 \xe8\r\n\f\r\nfine\r\n");
    auto a = apri();
    premi(*a, 6);
    EXPECT_EQ(dir.read("FD3"), "a\xa0" "b \x80 \xe8\r\n\f\r\nfine\r\n\r\n")
        << "non-breaking space, euro sign, accented letter and page break come back as their bytes";
}

TEST_F(AnteprimaTest, TypedCharacterOutsideTheCodePageIsRefusedAndNothingLost)
{
    dir.write("FD3", "uno\r\ndue\r\n");
    auto a = apri();
    box(*a)->setPlainText("uno\nprezzo \u20b9\n");
    premi(*a, 6);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].testo.find("\u20b9"), std::string::npos) << messages.shown[0].testo;
    EXPECT_NE(messages.shown[0].testo.find("riga 2"), std::string::npos) << messages.shown[0].testo;
    EXPECT_EQ(dir.read("FD3"), "uno\r\ndue\r\n");
    EXPECT_EQ(testo(*a), "uno\nprezzo \u20b9\n") << "the typed text stays for the operator to fix";
    EXPECT_TRUE(a->isVisible());
}

TEST_F(AnteprimaTest, ClosesItselfWithoutAReport)
{
    auto a = apri();
    QApplication::processEvents();
    EXPECT_FALSE(a->isVisible());
    EXPECT_EQ(a->result(), QDialog::Rejected);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AnteprimaTest, ReportWrittenAfterTheLoadIsOpenedForReading)
{
    Anteprima a(dir.path(), 3, messages, &launcher);
    dir.write("FD3", "scritto dopo\r\n");
    a.show();
    QApplication::processEvents();
    EXPECT_TRUE(a.isVisible());
    EXPECT_EQ(testo(a), "scritto dopo\n");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AnteprimaTest, StartAfterTheReportVanishedIsToldAndTheTextStays)
{
    dir.write("FD3", "uno\r\n");
    auto a = apri();
    std::filesystem::remove(dir / "FD3");
    premi(*a, 4);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].testo.find("FD3"), std::string::npos) << messages.shown[0].testo;
    EXPECT_EQ(testo(*a), "uno\n");
    EXPECT_TRUE(a->isVisible());
}

TEST_F(AnteprimaTest, MailSendsTheShownChunkWithItsEdits)
{
    dir.write("FD12", ravelt::testing::comeFile(ravelt::testing::righeNumerate(300, 100)));
    std::filesystem::path program = dir / "spedix";
    dir.write("spedix", "#!/bin/sh\n");
    ::chmod(program.c_str(), 0755);
    auto a = apri(12);
    box(*a)->appendPlainText("aggiunta à");
    premi(*a, 5);
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0], program);
    EXPECT_EQ(launcher.env.at("PCLocal"), "12");
    std::string request = dir.read("e-mail12.txt");
    EXPECT_EQ(request.substr(0, 18), "OGGETTO\r\nRiga 001 ");
    EXPECT_NE(request.find("Riga 200 "), std::string::npos);
    EXPECT_EQ(request.find("Riga 201 "), std::string::npos) << "only the chunk on screen";
    EXPECT_NE(request.find("aggiunta \xe0"), std::string::npos) << "the edits, unsaved, in code page 1252";
    EXPECT_EQ(dir.read("FD12").find("aggiunta"), std::string::npos) << "the report file is not changed";
}

TEST_F(AnteprimaTest, MailProgramNotFoundIsToldAndThePreviewStays)
{
    dir.write("FD3", "uno\r\n");
    auto a = apri();
    premi(*a, 5);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].testo.find("spedix"), std::string::npos) << messages.shown[0].testo;
    EXPECT_TRUE(a->isVisible());
    EXPECT_EQ(dir.read("e-mail3.txt"), "OGGETTO\r\nuno\r\n\r\n");
}

}
