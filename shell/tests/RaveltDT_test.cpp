#include "shell/RaveltDT.h"

#include "testing/RecordingPresenter.h"
#include "shell/tests/StoreFixtures.h"
#include "testing/TempFolder.h"
#include "testing/WindowChecks.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <iterator>
#include <stdexcept>
#include <utility>

using namespace ravelt;
using ravelt::testing::RecordingPresenter;
using ravelt::testing::TempFolder;

namespace {

struct Prompt {
    std::string testo, titolo, predefinito;
};

// The main window over a working folder with a one-hotel registry, with collaborators
// that record their calls: the gate grants, the counter prompt answers 'answer'.
class RaveltDTTest : public ::testing::Test {
protected:
    void SetUp() override { ravelt::testing::makeRegistry(dir, {"AB"}); }

    MainWindowServices services()
    {
        MainWindowServices s;
        s.showGate = [this] { state.AccessoConsentito = gateAnswer; };
        s.richiediDato = [this](const std::string& t, const std::string& ti, const std::string& p) {
            prompts.push_back({t, ti, p});
            state.GiorniMese[2] = 29;  // as if a date had been checked meanwhile
            return answer;
        };
        s.showImpostazioni = [this] { ++impostazioni; state.GiorniMese[2] = 29; };
        s.runReport = [this](RaveltDT& w, const ReportRequest& r) {
            requests.push_back(r);
            w.showProgress("in corso");
        };
        s.messages = &messages;
        s.env = &env;
        s.folder = dir.path();
        return s;
    }

    // Starts and shows the window, waiting until it is the active one so focus works.
    std::unique_ptr<RaveltDT> open(MainWindowServices s)
    {
        auto w = std::make_unique<RaveltDT>(std::move(s), state);
        started = w->start();
        if (started) {
            w->show();
            EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        }
        return w;
    }
    std::unique_ptr<RaveltDT> open() { return open(services()); }

    template <class T>
    static T* child(RaveltDT& w, const char* name)
    {
        T* c = w.findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    static void typeAndEnter(QLineEdit* field, const QString& text)
    {
        field->setFocus();
        QApplication::processEvents();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }

    void setDates(RaveltDT& w, const QString& dal, const QString& al)
    {
        child<QLineEdit>(w, "Text1_0")->setText(dal);
        child<QLineEdit>(w, "Text1_1")->setText(al);
    }

    TempFolder dir;
    ProgramState state;
    MapEnvironment env{{{"PCLocal", "2"}}};
    RecordingPresenter messages;
    std::string gateAnswer = "S";
    std::string answer = "1";
    std::vector<Prompt> prompts;
    std::vector<ReportRequest> requests;
    int impostazioni = 0;
    bool started = false;
};

}

TEST_F(RaveltDTTest, DesignControlsFontsAndTheirPlaces)
{
    auto w = open();
    ASSERT_TRUE(started);
    EXPECT_EQ(w->windowTitle(), "Dettaglio movimenti di cassa");

    struct Case {
        const char* name;
        const char* family;
        double points;
        bool bold;
        const char* caption;
    } cases[] = {
        {"Label1_0", "Corbel", 9.75, false, "Dalla data .............:"},
        {"Label1_1", "Corbel", 9.75, false, "Alla data ................:"},
        {"Label1_2", "Corbel", 9.75, false, "Tipo Documento :"},
        {"Text1_0", "Arial", 9.75, false, nullptr},
        {"Text1_1", "Arial", 9.75, false, nullptr},
        {"Combo1", "Arial", 9.75, false, nullptr},
        {"Tasto_0", "Corbel", 12, false, "&Stampa"},
        {"Tasto_1", "Corbel", 12, true, "&Esci"},
    };
    for (const auto& c : cases) {
        QWidget* widget = child<QWidget>(*w, c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->font().family(), c.family) << c.name;
        EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), c.points) << c.name;
        EXPECT_EQ(widget->font().bold(), c.bold) << c.name;
        if (auto* label = qobject_cast<QLabel*>(widget); label && c.caption) {
            EXPECT_EQ(label->text(), c.caption) << c.name;
        }
        if (auto* button = qobject_cast<QPushButton*>(widget); button && c.caption) {
            EXPECT_EQ(button->text(), c.caption) << c.name;
        }
    }

    // Each caption stands on its field's row, to its left; the rows run from the first
    // date down to the document type, the buttons and the status line; each date has
    // its frame around it. Fitting, overlaps and the window's edges are checked by
    // CaptionsFitAndControlsDoNotOverlap.
    auto g = [&](const char* name) { return child<QWidget>(*w, name)->geometry(); };
    const std::pair<const char*, const char*> rows[] = {{"Label1_0", "Text1_0"}, {"Label1_1", "Text1_1"}, {"Label1_2", "Combo1"}};
    for (const auto& [label, field] : rows) {
        EXPECT_LE(g(label).right(), g(field).left()) << label << " is left of " << field;
        EXPECT_TRUE(g(label).center().y() >= g(field).top() && g(label).center().y() <= g(field).bottom())
            << label << " is on the row of " << field;
    }
    const char* topToBottom[] = {"Text1_0", "Text1_1", "Combo1", "Tasto_0", "Label2"};
    for (size_t i = 1; i < std::size(topToBottom); ++i)
        EXPECT_LE(g(topToBottom[i - 1]).bottom(), g(topToBottom[i]).top()) << topToBottom[i - 1] << " above " << topToBottom[i];
    EXPECT_TRUE(g("Shape1_0").contains(g("Text1_0")));
    EXPECT_TRUE(g("Shape1_1").contains(g("Text1_1")));
    EXPECT_LE(g("Tasto_0").right(), g("Tasto_1").left()) << "Stampa comes before Esci";
    EXPECT_EQ(g("Tasto_0").top(), g("Tasto_1").top()) << "the buttons share a row";
    EXPECT_EQ(child<QLabel>(*w, "Label2")->text(), "");

    QAction* menu = child<QAction>(*w, "menu1");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->text(), "Impostazioni");
    EXPECT_TRUE(w->menuBar()->actions().contains(menu));
}

TEST_F(RaveltDTTest, TabOrderRunsDatesComboButtons)
{
    auto w = open();
    const char* order[] = {"Text1_0", "Text1_1", "Combo1", "Tasto_0", "Tasto_1"};
    QWidget* current = child<QWidget>(*w, order[0]);
    for (size_t i = 1; i < std::size(order); ++i) {
        current = current->nextInFocusChain();
        while (current->focusPolicy() == Qt::NoFocus)
            current = current->nextInFocusChain();
        EXPECT_EQ(current->objectName(), order[i]);
    }
}

TEST_F(RaveltDTTest, TypeListFilledOnlyWhenGranted)
{
    auto w = open();
    QComboBox* combo = child<QComboBox>(*w, "Combo1");
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), "Tutti");
    EXPECT_EQ(combo->itemText(1), "Fatture");
    EXPECT_EQ(combo->itemText(2), "Ricevute");
    EXPECT_EQ(combo->currentText(), "Tutti");
    EXPECT_EQ(state.PCLocal, 2);
    EXPECT_EQ(state.NumeroHotel, 1);
    EXPECT_EQ(state.GiorniMese[2], 28);
}

TEST_F(RaveltDTTest, RefusedStartClosesTheWindow)
{
    gateAnswer = "N";
    auto w = open();
    EXPECT_FALSE(started);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(child<QComboBox>(*w, "Combo1")->count(), 0);
    EXPECT_TRUE(messages.told("errata"));
}

TEST_F(RaveltDTTest, DateEnterExpandsAndMovesFocus)
{
    auto w = open();
    auto* from = child<QLineEdit>(*w, "Text1_0");
    auto* to = child<QLineEdit>(*w, "Text1_1");

    typeAndEnter(from, "010125");
    EXPECT_EQ(from->text(), "01/01/2025");
    EXPECT_EQ(w->focusWidget(), to);

    typeAndEnter(to, "301224");  // before the start: back to the start, both kept
    EXPECT_EQ(to->text(), "30/12/2024");
    EXPECT_EQ(from->text(), "01/01/2025");
    EXPECT_EQ(w->focusWidget(), from);

    typeAndEnter(from, "300224");  // invalid: emptied, focus stays
    EXPECT_EQ(from->text(), "");
    EXPECT_EQ(w->focusWidget(), from);

    typeAndEnter(from, "01122024");
    typeAndEnter(to, "311224");
    EXPECT_EQ(to->text(), "31/12/2024");
    EXPECT_EQ(w->focusWidget(), child<QPushButton>(*w, "Tasto_0"));

    typeAndEnter(to, "31/02/2024");  // invalid end: emptied, focus stays
    EXPECT_EQ(to->text(), "");
    EXPECT_EQ(w->focusWidget(), to);
    EXPECT_TRUE(messages.shown.empty());  // invalid dates are rejected silently
}

// Enter moves the focus in code; the operator must see where it went without pressing
// Tab first.
TEST_F(RaveltDTTest, FocusMovedByEnterIsDrawn)
{
    auto w = open();
    struct Case {
        const char* field;
        QString typed;
        const char* focus;
    } cases[] = {
        {"Text1_0", "010125", "Text1_1"},
        {"Text1_1", "301224", "Text1_0"},
        {"Text1_0", "300224", "Text1_0"},
        {"Text1_0", "01122024", "Text1_1"},
        {"Text1_1", "311224", "Tasto_0"},
    };
    for (const auto& c : cases) {
        typeAndEnter(child<QLineEdit>(*w, c.field), c.typed);
        QWidget* focused = w->focusWidget();
        ASSERT_NE(focused, nullptr) << c.typed.toStdString();
        EXPECT_EQ(focused->objectName(), c.focus) << c.typed.toStdString();
        EXPECT_TRUE(ravelt::testing::drawsFocusFrame(*focused)) << c.typed.toStdString();
    }
}

// Every caption fits its control with the fonts installed, and no control covers another.
TEST_F(RaveltDTTest, CaptionsFitAndControlsDoNotOverlap)
{
    auto w = open();
    ASSERT_TRUE(started);
    for (const auto& problem : ravelt::testing::captionProblems(*w))
        ADD_FAILURE() << problem;
}

TEST_F(RaveltDTTest, FocusSelectsTheWholeDate)
{
    auto w = open();
    auto* from = child<QLineEdit>(*w, "Text1_0");
    from->setText("01/01/2025");
    child<QLineEdit>(*w, "Text1_1")->setFocus();
    QApplication::processEvents();
    from->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(from->selectedText(), "01/01/2025");
    QTest::keyClicks(from, "0203");  // typing replaces the old date
    EXPECT_EQ(from->text(), "0203");
}

TEST_F(RaveltDTTest, StampaChecksThePeriodFirst)
{
    struct Case {
        QString dal, al;
        const char* fragment;
        const char* focus;
    } cases[] = {
        {"", "", "data iniziale valida", "Text1_0"},
        {"30/02/2025", "31/03/2025", "data iniziale valida", "Text1_0"},
        {"01/01/2025", "", "data finale valida", "Text1_1"},
        {"02/01/2025", "01/01/2025", "successiva", "Text1_0"},
        {"01/01/1900", "31/12/9999", "non può superare i 100 anni", "Text1_1"},
    };
    auto w = open();
    for (const auto& c : cases) {
        messages.shown.clear();
        setDates(*w, c.dal, c.al);
        QTest::mouseClick(child<QPushButton>(*w, "Tasto_0"), Qt::LeftButton);
        EXPECT_TRUE(messages.told(c.fragment)) << c.dal.toStdString() << " - " << c.al.toStdString();
        EXPECT_EQ(w->focusWidget()->objectName(), c.focus);
    }
    EXPECT_TRUE(prompts.empty());
    EXPECT_TRUE(requests.empty());
}

TEST_F(RaveltDTTest, StampaAsksTheCounterAndRuns)
{
    struct Case {
        std::string answer;
        std::int16_t counter;
    } cases[] = {{"1", 1}, {"0", 0}, {" 12 ", 12}};
    auto w = open();
    child<QComboBox>(*w, "Combo1")->setCurrentText("Ricevute");
    for (const auto& c : cases) {
        requests.clear();
        prompts.clear();
        answer = c.answer;
        setDates(*w, "01/01/2025", "31/01/2025");
        QTest::mouseClick(child<QPushButton>(*w, "Tasto_0"), Qt::LeftButton);
        ASSERT_EQ(prompts.size(), 1u);
        EXPECT_EQ(prompts[0].testo, "Inserire il contatore contabile di riferimento (0 per tutti)");
        EXPECT_EQ(prompts[0].titolo, "Contatore QMT");
        EXPECT_EQ(prompts[0].predefinito, "1");
        ASSERT_EQ(requests.size(), 1u) << c.answer;
        EXPECT_EQ(requests[0].dataIniziale, "01/01/2025");
        EXPECT_EQ(requests[0].dataFinale, "31/01/2025");
        EXPECT_EQ(requests[0].tipoDocumento, "Ricevute");
        EXPECT_EQ(requests[0].contatore, c.counter);
        EXPECT_EQ(state.ContatoreScelto, c.counter);
        EXPECT_EQ(state.GiorniMese[2], 28);  // reset after the modal windows closed
    }
    EXPECT_EQ(child<QLabel>(*w, "Label2")->text(), "in corso");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RaveltDTTest, StampaRefusesOrCancelsBadCounters)
{
    struct Case {
        std::string answer;
        bool told;
    } cases[] = {{"", false}, {"abc", true}, {"70000", true}, {"-32769", true}, {"1,5", true}, {"  ", true}};
    auto w = open();
    for (const auto& c : cases) {
        messages.shown.clear();
        state.ContatoreScelto = 42;
        answer = c.answer;
        setDates(*w, "01/01/2025", "31/01/2025");
        QTest::mouseClick(child<QPushButton>(*w, "Tasto_0"), Qt::LeftButton);
        EXPECT_TRUE(requests.empty()) << c.answer;
        EXPECT_EQ(state.ContatoreScelto, 42) << c.answer;
        EXPECT_EQ(messages.told("Contatore non valido"), c.told) << "'" << c.answer << "'";
        EXPECT_EQ(messages.shown.size(), c.told ? 1u : 0u);
    }
}

TEST_F(RaveltDTTest, StampaWithoutReportRunSaysSo)
{
    MainWindowServices s = services();
    s.runReport = nullptr;
    auto w = open(std::move(s));
    setDates(*w, "01/01/2025", "31/01/2025");
    QTest::mouseClick(child<QPushButton>(*w, "Tasto_0"), Qt::LeftButton);
    EXPECT_EQ(state.ContatoreScelto, 1);
    EXPECT_NE(child<QLabel>(*w, "Label2")->text().indexOf("non disponibile"), -1);
}

TEST_F(RaveltDTTest, FailingReportRunIsToldAndTheWindowStays)
{
    MainWindowServices s = services();
    s.runReport = [](RaveltDT& w, const ReportRequest&) {
        w.setHourglass(true);
        throw std::runtime_error("Archivio Fatture.mdb non trovato");
    };
    auto w = open(std::move(s));
    setDates(*w, "01/01/2025", "31/01/2025");
    QTest::mouseClick(child<QPushButton>(*w, "Tasto_0"), Qt::LeftButton);
    EXPECT_TRUE(messages.told("Fatture.mdb"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_NE(w->cursor().shape(), Qt::WaitCursor);
}

TEST_F(RaveltDTTest, MenuOpensTheColumnSetup)
{
    auto w = open();
    child<QAction>(*w, "menu1")->trigger();
    EXPECT_EQ(impostazioni, 1);
    EXPECT_EQ(state.GiorniMese[2], 28);
}

TEST_F(RaveltDTTest, EsciClosesTheWindow)
{
    auto w = open();
    QTest::mouseClick(child<QPushButton>(*w, "Tasto_1"), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
}
