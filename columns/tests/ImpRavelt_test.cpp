#include "columns/ImpRavelt.h"

#include "testing/RecordingPresenter.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/StoreSchema.h"
#include "shell/program_state.h"
#include "testing/EngineFolder.h"
#include "testing/WindowChecks.h"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <chrono>
#include <thread>

using namespace ravelt;

namespace {

struct Row {
    int hotel, colonna;
    std::string intestazione, sigla, descrizione;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Row& r)
{
    return os << r.hotel << "/" << r.colonna << "/" << r.intestazione << "/" << r.sigla << "/" << r.descrizione;
}

// The column setup over a working folder whose stores live on each engine the binary
// covers.
class ImpRaveltTest : public ::testing::TestWithParam<ravelt::testing::Engine> {
protected:
    void SetUp() override
    {
        state.NumeroHotel = 1;
        createStore(dir.path(), "CodiciVari.mdb");
        createStore(dir.path(), "ColonneRavelt.mdb");
        auto db = Database::OpenDatabase("CodiciVari.mdb", dir.path());
        db->Execute("INSERT INTO CodiciVari VALUES (1, '02', 'Assegno', 4), (1, '01', 'Contanti', 4), "
                    "(1, '03', 'Carta di credito', 4), (1, 'O''K', 'Buono dell''hotel', 4), "
                    "(1, '09', 'Una descrizione troppo lunga per il suo campo di quaranta', 4), "
                    "(1, 'XX', 'Non e'' una forma di pagamento', 2), (2, '07', 'Altro hotel', 4)");
    }

    std::unique_ptr<ImpRavelt> open()
    {
        auto w = std::make_unique<ImpRavelt>(dir.path(), state, messages, [this] { ++stampaAperta; });
        w->show();
        QApplication::processEvents();
        return w;
    }
    QTableWidget* grid(ImpRavelt& w, int i) { return w.findChild<QTableWidget*>(QString("Grid_%1").arg(i)); }
    QLineEdit* heading(ImpRavelt& w) { return w.findChild<QLineEdit*>("Text1"); }
    QComboBox* combo(ImpRavelt& w) { return w.findChild<QComboBox*>("Combo1"); }

    std::vector<std::string> codes(QTableWidget* g)
    {
        std::vector<std::string> out;
        for (int r = 0; r < g->rowCount(); ++r)
            if (g->item(r, 0) && g->item(r, 0)->text().trimmed().size())
                out.push_back(g->item(r, 0)->text().toStdString());
        return out;
    }
    void click(QTableWidget* g, const std::string& code)
    {
        for (int r = 0; r < g->rowCount(); ++r)
            if (g->item(r, 0) && g->item(r, 0)->text().toStdString() == code) {
                QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(g->item(r, 0)).center());
                return;
            }
        ADD_FAILURE() << "no row " << code;
    }
    void type(ImpRavelt& w, const std::string& text)
    {
        heading(w)->setFocus();
        heading(w)->clear();
        QTest::keyClicks(heading(w), QString::fromStdString(text));
        QTest::keyClick(heading(w), Qt::Key_Return);
    }
    std::vector<Row> stored()
    {
        auto db = Database::OpenDatabase("ColonneRavelt.mdb", dir.path());
        auto rs = db->OpenRecordset("ColonneRavelt");
        std::vector<Row> out;
        for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext())
            out.push_back({static_cast<int>(rs->Fields("NumeroHotel").toInt()), static_cast<int>(rs->Fields("NumeroColonna").toInt()),
                           rs->Fields("Intestazione").toText(), rs->Fields("Sigla").toText(), rs->Fields("Descrizione").toText()});
        return out;
    }

    ravelt::testing::EngineFolder dir{GetParam()};
    ravelt::testing::RecordingPresenter messages;
    int stampaAperta = 0;
    ProgramState state;
};

TEST_P(ImpRaveltTest, OpensOnColumnOneWithTheHotelsPaymentForms)
{
    auto w = open();
    EXPECT_EQ(w->windowTitle().toStdString(), "Impostazione Colonne Cassa");
    EXPECT_EQ(combo(*w)->count(), 10);
    EXPECT_EQ(combo(*w)->currentText(), "1");
    EXPECT_EQ(heading(*w)->text(), "");
    EXPECT_EQ(codes(grid(*w, 1)), (std::vector<std::string>{"01", "02", "03", "09", "O'K"}));
    EXPECT_TRUE(codes(grid(*w, 0)).empty());
}

// The window gives the focus to the column number when it opens, and to the payment
// forms after a heading's Enter: both must show where the focus is.
TEST_P(ImpRaveltTest, FocusGivenByTheWindowIsDrawn)
{
    auto w = open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    ASSERT_EQ(QApplication::focusWidget(), combo(*w));
    EXPECT_TRUE(ravelt::testing::drawsFocusFrame(*combo(*w)));
    type(*w, "contanti");
    ASSERT_EQ(QApplication::focusWidget(), grid(*w, 1));
    EXPECT_TRUE(ravelt::testing::drawsFocusFrame(*grid(*w, 1)));
}

TEST_P(ImpRaveltTest, CaptionsFitAndControlsDoNotOverlap)
{
    auto w = open();
    for (const auto& problem : ravelt::testing::captionProblems(*w))
        ADD_FAILURE() << problem;
}

// Both grids are read side by side: the same type in cells and headers of both.
TEST_P(ImpRaveltTest, BothGridsUseOneTypeSize)
{
    auto w = open();
    type(*w, "contanti");
    click(grid(*w, 1), "01");
    ASSERT_EQ(codes(grid(*w, 0)), (std::vector<std::string>{"01"}));
    struct Case {
        const char* what;
        QFont font;
    } cases[] = {
        {"upper grid", grid(*w, 0)->font()},
        {"upper header", grid(*w, 0)->horizontalHeader()->font()},
        {"lower header", grid(*w, 1)->horizontalHeader()->font()},
    };
    const QFont lower = grid(*w, 1)->font();
    for (const auto& c : cases) {
        EXPECT_EQ(c.font.family().toStdString(), lower.family().toStdString()) << c.what;
        EXPECT_DOUBLE_EQ(c.font.pointSizeF(), lower.pointSizeF()) << c.what;
        EXPECT_EQ(QFontInfo(c.font).pixelSize(), QFontInfo(lower).pixelSize()) << c.what;
    }
    EXPECT_EQ(grid(*w, 0)->verticalHeader()->defaultSectionSize(), grid(*w, 1)->verticalHeader()->defaultSectionSize());
}

TEST_P(ImpRaveltTest, AssigningNeedsAHeadingFirst)
{
    auto w = open();
    click(grid(*w, 1), "01");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].testo, "E' Necessario intestare prima la colonna!");
    EXPECT_EQ(messages.shown[0].stile, 48);
    EXPECT_EQ(messages.shown[0].titolo, "Dati Incompleti");
    EXPECT_TRUE(stored().empty());
}

TEST_P(ImpRaveltTest, HeadingEnterCleansTheTextAndMovesOn)
{
    auto w = open();
    struct Case {
        std::string typed, shown;
        bool movesOn;
    } cases[] = {
        {"  contanti ", "CONTANTI", true},
        {"velk", "", false},
        {"VeLk", "", false},
        {"l'hotel", "L\xC2\xB4HOTEL", true},
        {"ABCDEFGHIJK", "ABCDEFGHIJ", true},  // the field takes no eleventh character
        {"   ", " ", false},
    };
    for (const auto& c : cases) {
        type(*w, c.typed);
        EXPECT_EQ(heading(*w)->text().toStdString(), c.shown) << c.typed;
        EXPECT_EQ(QApplication::focusWidget() == grid(*w, 1), c.movesOn) << c.typed;
    }
    EXPECT_TRUE(stored().empty());  // Enter saves nothing
}

TEST_P(ImpRaveltTest, AssignAndRemoveThroughTheGrids)
{
    auto w = open();
    type(*w, "contanti");
    click(grid(*w, 1), "01");
    click(grid(*w, 1), "03");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(stored(), (std::vector<Row>{{1, 1, "CONTANTI", "01", "Contanti"}, {1, 1, "CONTANTI", "03", "Carta di credito"}}));
    EXPECT_EQ(codes(grid(*w, 0)), (std::vector<std::string>{"01", "03"}));

    // The same form in another column is refused with the column that holds it.
    combo(*w)->setCurrentIndex(4);
    EXPECT_EQ(heading(*w)->text(), "");
    type(*w, "carte");
    click(grid(*w, 1), "03");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].testo, "Forma di pagamento gi\xC3\xA0 utilizzata!\r\nColonna : 1 (CONTANTI)");
    EXPECT_EQ(messages.shown[0].stile, 0);
    EXPECT_EQ(messages.shown[0].titolo, "Codice Errato");
    EXPECT_EQ(stored().size(), 2u);

    // Removing the column's codes removes its heading too.
    combo(*w)->setCurrentIndex(0);
    EXPECT_EQ(heading(*w)->text(), "CONTANTI");
    click(grid(*w, 0), "01");
    click(grid(*w, 0), "03");
    EXPECT_TRUE(stored().empty());
    combo(*w)->setCurrentIndex(1);
    combo(*w)->setCurrentIndex(0);
    EXPECT_EQ(heading(*w)->text(), "");
}

TEST_P(ImpRaveltTest, ARenamedColumnKeepsTheHeadingOfItsFirstRow)
{
    auto w = open();
    type(*w, "contanti");
    click(grid(*w, 1), "01");
    type(*w, "cassa");
    click(grid(*w, 1), "02");
    auto rows = stored();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].intestazione, "CONTANTI");
    EXPECT_EQ(rows[1].intestazione, "CASSA");
    combo(*w)->setCurrentIndex(1);
    combo(*w)->setCurrentIndex(0);
    EXPECT_EQ(heading(*w)->text(), "CONTANTI");
}

TEST_P(ImpRaveltTest, ACodeWithAnApostropheIsAssignedAndRemoved)
{
    auto w = open();
    type(*w, "buoni");
    click(grid(*w, 1), "O'K");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(stored(), (std::vector<Row>{{1, 1, "BUONI", "O'K", "Buono dell'hotel"}}));
    click(grid(*w, 0), "O'K");
    EXPECT_TRUE(stored().empty());
}

TEST_P(ImpRaveltTest, AStoreFailureIsToldAndLosesNoRow)
{
    auto w = open();
    type(*w, "cassa");
    click(grid(*w, 1), "01");
    click(grid(*w, 1), "09");  // its description does not fit the column store's field
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].testo.find("Descrizione"), std::string::npos) << messages.shown[0].testo;
    EXPECT_EQ(stored(), (std::vector<Row>{{1, 1, "CASSA", "01", "Contanti"}}));

    dir.removeStore("ColonneRavelt.mdb");
    click(grid(*w, 1), "02");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[1].testo.find("ColonneRavelt.mdb"), std::string::npos) << messages.shown[1].testo;
}

// A code list made by another program without the kind of code: the payment forms cannot
// be searched, and the operator is told so instead of seeing an empty list as if the
// hotel had no payment form.
TEST_P(ImpRaveltTest, ACodeStoreThatCannotBeSearchedIsToldAndTheGridStaysWhole)
{
    dir.removeStore("CodiciVari.mdb");
    auto db = Database::CreateDatabase("CodiciVari.mdb", "", dir.path());
    TableDef codici = Database::CreateTableDef("CodiciVari");
    codici.append(Database::CreateField("NumeroHotel", FieldType::Integer));
    codici.append(Database::CreateField("Sigla", FieldType::Text, 6));
    codici.append(Database::CreateField("Descrizione", FieldType::Text, 40));
    db->AppendTableDef(codici);
    db->Execute("INSERT INTO CodiciVari VALUES (1, '01', 'Contanti')");
    db.reset();
    auto w = open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].testo.find("CodiciVari.mdb"), std::string::npos) << messages.shown[0].testo;
    EXPECT_NE(messages.shown[0].testo.find("Tipo"), std::string::npos) << messages.shown[0].testo;
    EXPECT_TRUE(codes(grid(*w, 1)).empty());
    EXPECT_EQ(grid(*w, 1)->horizontalHeaderItem(0)->text(), "Sigla") << "the grid keeps its header";
}

TEST_P(ImpRaveltTest, ClicksOnRowsWithoutACodeDoNothing)
{
    auto w = open();
    type(*w, "cassa");
    QTableWidget* g = grid(*w, 1);
    int last = g->rowCount() - 1;  // the totals row
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(g->item(last, 0)).center());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(stored().empty());
}

TEST_P(ImpRaveltTest, StampaNamesTheColumnListAndOpensThePrintScreen)
{
    auto w = open();
    state.NomeStampa.clear();
    w->findChild<QPushButton*>("Tasto_0")->click();
    EXPECT_EQ(state.NomeStampa, "ColonneRavelt");
    EXPECT_EQ(stampaAperta, 1);
}

// Another workstation holds the column store locked for a moment: the assignment waits
// for it instead of failing, and both workstations' rows are there afterwards.
TEST_P(ImpRaveltTest, TwoWorkstationsEditingAtOnce)
{
    auto other = Database::OpenDatabase("ColonneRavelt.mdb", dir.path());
    other->BeginTrans();
    other->Execute("INSERT INTO ColonneRavelt VALUES (1, 2, 'ASSEGNI', '02', 'Assegno')");
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other->CommitTrans();
    });
    ColumnSetup setup(dir.path(), 1, messages);
    auto esito = setup.assegna(1, "CASSA", "01");
    release.join();
    EXPECT_EQ(esito, ColumnSetup::Esito::Assegnato);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(stored(), (std::vector<Row>{{1, 2, "ASSEGNI", "02", "Assegno"}, {1, 1, "CASSA", "01", "Contanti"}}));

    // Both try the same form: the check and the insert are one transaction, so only one
    // of them writes it, and the other is told the column that holds it now.
    ravelt::testing::RecordingPresenter ma, mb;
    ColumnSetup a(dir.path(), 1, ma), b(dir.path(), 1, mb);
    ColumnSetup::Esito ea, eb;
    std::thread ta([&] { ea = a.assegna(3, "CARTE", "03"); });
    std::thread tb([&] { eb = b.assegna(4, "ALTRE", "03"); });
    ta.join();
    tb.join();
    EXPECT_EQ((ea == ColumnSetup::Esito::Assegnato) + (eb == ColumnSetup::Esito::Assegnato), 1);
    int count = 0;
    for (const auto& r : stored())
        count += r.sigla == "03";
    EXPECT_EQ(count, 1);
    const bool aWon = ea == ColumnSetup::Esito::Assegnato;
    EXPECT_EQ(aWon ? eb : ea, ColumnSetup::Esito::GiaUtilizzato);
    const auto& loser = aWon ? mb : ma;
    ASSERT_EQ(loser.shown.size(), 1u);
    EXPECT_EQ(loser.shown[0].testo, aWon ? "Forma di pagamento gi\xC3\xA0 utilizzata!\r\nColonna : 3 (CARTE)"
                                         : "Forma di pagamento gi\xC3\xA0 utilizzata!\r\nColonna : 4 (ALTRE)");
    EXPECT_EQ(loser.shown[0].titolo, "Codice Errato");
    EXPECT_TRUE((aWon ? ma : mb).shown.empty());
}

// Another workstation holds the column store longer than a write waits: the assignment
// gives up after the bounded wait (five seconds on either engine) with the store's
// "in use" words, writes nothing, and the other workstation's change is kept.
TEST_P(ImpRaveltTest, AWorkstationHoldingTheStoreTooLongIsToldAndNothingIsLost)
{
    auto other = Database::OpenDatabase("ColonneRavelt.mdb", dir.path());
    other->BeginTrans();
    other->Execute("INSERT INTO ColonneRavelt VALUES (1, 2, 'ASSEGNI', '02', 'Assegno')");
    ColumnSetup setup(dir.path(), 1, messages);
    const auto start = std::chrono::steady_clock::now();
    auto esito = setup.assegna(1, "CASSA", "01");
    const auto waited = std::chrono::steady_clock::now() - start;
    other->CommitTrans();

    EXPECT_EQ(esito, ColumnSetup::Esito::Errore);
    EXPECT_GE(waited, std::chrono::milliseconds(4500)) << "it gave up before the bounded wait";
    EXPECT_LT(waited, std::chrono::seconds(15)) << "it waited without bound";
    ASSERT_EQ(messages.shown.size(), 1u);
    const std::string& testo = messages.shown[0].testo;
    EXPECT_EQ(testo.rfind("Errore nell'archivio delle colonne, nessuna modifica registrata:\r\nArchivio ColonneRavelt.mdb", 0), 0u)
        << testo;
    EXPECT_NE(testo.find("archivio in uso da un'altra postazione (bloccato)"), std::string::npos) << testo;
    EXPECT_EQ(messages.shown[0].titolo, "Errore Archivio");
    EXPECT_EQ(stored(), (std::vector<Row>{{1, 2, "ASSEGNI", "02", "Assegno"}}));
}

INSTANTIATE_TEST_SUITE_P(Engines, ImpRaveltTest, ::testing::ValuesIn(ravelt::testing::enginesUnderTest()),
                         ravelt::testing::engineParamName);

}
