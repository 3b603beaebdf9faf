#include "columns/ImpRavelt.h"

#include "cashreport/CreaDettaglioCassa.h"
#include "testing/RecordingPresenter.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/StoreSchema.h"
#include "shell/program_state.h"
#include "testing/EngineFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace ravelt;

namespace {

std::vector<std::string> lines(const std::string& bytes)
{
    std::vector<std::string> out;
    size_t start = 0, at;
    while ((at = bytes.find("\r\n", start)) != std::string::npos) {
        out.push_back(bytes.substr(start, at - start));
        start = at + 2;
    }
    return out;
}

// The cells of a framed line, split at the vertical frame byte.
std::vector<std::string> cells(const std::string& line)
{
    std::vector<std::string> out;
    size_t start = 1, at;
    while ((at = line.find('\xB3', start)) != std::string::npos) {
        out.push_back(line.substr(start, at - start));
        start = at + 1;
    }
    return out;
}

// The setup window and the report over a working folder on each engine the binary covers.
class ColumnReport : public ::testing::TestWithParam<ravelt::testing::Engine> {};

}

// A column named and filled in the setup window is the report's column: its heading in
// the headings line and its payments in the day's cell and the total.
TEST_P(ColumnReport, ColumnsSetUpInTheWindowShowInTheCashReport)
{
    ravelt::testing::EngineFolder dir(GetParam());
    for (const auto& s : knownStores())
        createStore(dir.path(), s);
    Database::OpenDatabase("AnagraficaHotels.mdb", dir.path())->Execute("INSERT INTO AnagraficaHotels VALUES (1, 'Hotel Prova', 'AB')");
    Database::OpenDatabase("CodiciVari.mdb", dir.path())
        ->Execute("INSERT INTO CodiciVari VALUES (1, '01', 'Contanti', 4), (1, '02', 'Assegno', 4), (1, '03', 'Carta', 4)");
    auto fatture = Database::OpenDatabase("Fatture.mdb", dir.path());
    fatture->Execute("INSERT INTO DatiFattura VALUES (1, 'Fattura n.', 1, '20240305', 1, '', '', 0)");
    fatture->Execute("INSERT INTO Incassi VALUES ('Fattura n.', 1, '20240305', 1, '01', 100.5, ''), "
                     "('Fattura n.', 1, '20240305', 1, '02', 20, ''), ('Fattura n.', 1, '20240305', 1, '03', 7.25, '')");
    fatture->Close();

    ProgramState state;
    state.NumeroHotel = 1;
    ravelt::testing::RecordingPresenter messages;
    {
        ImpRavelt w(dir.path(), state, messages);
        w.show();
        QApplication::processEvents();
        auto* combo = w.findChild<QComboBox*>("Combo1");
        auto* heading = w.findChild<QLineEdit*>("Text1");
        auto* forms = w.findChild<QTableWidget*>("Grid_1");
        auto assign = [&](int column, const char* name, std::vector<std::string> codes) {
            combo->setCurrentIndex(column - 1);
            heading->setFocus();
            heading->clear();
            QTest::keyClicks(heading, name);
            QTest::keyClick(heading, Qt::Key_Return);
            for (const auto& code : codes)
                for (int r = 0; r < forms->rowCount(); ++r)
                    if (forms->item(r, 0) && forms->item(r, 0)->text().toStdString() == code)
                        QTest::mouseClick(forms->viewport(), Qt::LeftButton, {}, forms->visualItemRect(forms->item(r, 0)).center());
        };
        assign(3, "cassa", {"01"});
        assign(7, "altri", {"02", "03"});
    }
    ASSERT_TRUE(messages.shown.empty());

    FixedClock clock({2024, 3, 6, 8, 30, 0});
    for (AmountsPath path : {AmountsPath::Statements, AmountsPath::Period}) {
        CashReportRequest r;
        r.folder = dir.path();
        r.startDate = "05/03/2024";
        r.endDate = "05/03/2024";
        r.documentType = "Tutti";
        r.PCLocal = 4;
        r.clock = &clock;
        r.path = path;
        CashReportResult result = CreaDettaglioCassa(r);
        EXPECT_EQ(result.IntestazioniColonne[3], "CASSA");
        EXPECT_EQ(result.IntestazioniColonne[7], "ALTRI");
        auto l = lines(dir.read("FD4"));
        ASSERT_GE(l.size(), 7u);
        auto head = cells(l[3]);
        auto day = cells(l[5]);
        ASSERT_EQ(head.size(), 14u);
        ASSERT_EQ(day.size(), 14u);
        EXPECT_EQ(head[3], "CASSA     ");
        EXPECT_EQ(head[7], "ALTRI     ");
        EXPECT_EQ(day[0], "05/03/2024");
        EXPECT_EQ(day[3], "    100,50");
        EXPECT_EQ(day[7], "     27,25");
        EXPECT_EQ(day[11], "    127,75");
        EXPECT_EQ(day[1], std::string(10, ' '));
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, ColumnReport, ::testing::ValuesIn(ravelt::testing::enginesUnderTest()),
                         ravelt::testing::engineParamName);
