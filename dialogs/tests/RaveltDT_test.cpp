#include "shell/RaveltDT.h"

#include "dialogs/InputBoxRoutine.h"
#include "dialogs/PasswdSecurity.h"
#include "dialogs/tests/ModalScript.h"
#include "platform/StoreCatalog.h"
#include "testing/RecordingPresenter.h"
#include "shell/tests/StoreFixtures.h"
#include "testing/TempFolder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::ModalScript;
using ravelt::testing::RecordingPresenter;
using ravelt::testing::TempFolder;

namespace {

// The main window wired to the real password gate and input box, over a working folder.
class RaveltDTStartup : public ::testing::Test {
protected:
    MainWindowServices services()
    {
        MainWindowServices s;
        s.showGate = [this] { PasswdSecurity::Mostra(state); };
        s.richiediDato = [this](const std::string& t, const std::string& ti, const std::string& p) {
            return inputBox.RichiediDato(t, ti, p);
        };
        s.runReport = [this](RaveltDT&, const ReportRequest& r) { requests.push_back(r); };
        s.messages = &messages;
        s.env = &env;
        s.folder = dir.path();
        return s;
    }

    bool start()
    {
        window = std::make_unique<RaveltDT>(services(), state);
        return window->start();
    }

    static ModalScript::Action typePassword(const QString& text)
    {
        return [text](QWidget& gate) {
            auto* field = gate.findChild<QLineEdit*>("Text1");
            ASSERT_NE(field, nullptr) << "not the password gate";
            QTest::keyClicks(field, text);
            QTest::keyClick(field, Qt::Key_Return);
        };
    }

    TempFolder dir;
    ProgramState state;
    InputBoxRoutine inputBox;
    MapEnvironment env{{{"PCLocal", "1"}}};
    RecordingPresenter messages;
    std::vector<ReportRequest> requests;
    std::unique_ptr<RaveltDT> window;
};

}

TEST_F(RaveltDTStartup, EmptyRegistryClosesWithoutGate)
{
    ravelt::testing::makeRegistry(dir, {});
    ravelt::testing::writeSecurityPwd(dir, "ABC");
    ModalScript script({typePassword("ABC")});
    EXPECT_FALSE(start());
    EXPECT_EQ(script.opened(), 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.told("non contiene alcun hotel"));
    EXPECT_FALSE(storeExists(dir.path(), "ColonneRavelt.mdb"));
}

TEST_F(RaveltDTStartup, GateGrantsTheRightPassword)
{
    ravelt::testing::makeRegistry(dir, {"^"});
    ravelt::testing::writeSecurityPwd(dir, "Direzione");
    ModalScript script({typePassword(" direzione ")});
    EXPECT_TRUE(start());
    EXPECT_EQ(script.opened(), 1);
    EXPECT_EQ(state.AccessoConsentito, "S");
    EXPECT_EQ(window->findChild<QComboBox*>("Combo1")->count(), 3);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RaveltDTStartup, GateRefusalsCloseAndSayWhy)
{
    struct Case {
        int checkDelta;
        QString typed;
        const char* fragment;
    } cases[] = {
        {0, "sbagliata", "errata"},
        {1, "Direzione", "errata"},  // right password, check value changed by one
        {0, "", "errata"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        ravelt::testing::makeRegistry(folder, {"^P"});
        ravelt::testing::writeSecurityPwd(folder, "Direzione", c.checkDelta);
        ProgramState st;
        RecordingPresenter told;
        MainWindowServices s = services();
        s.showGate = [&st] { PasswdSecurity::Mostra(st); };
        s.messages = &told;
        s.folder = folder.path();
        RaveltDT w(s, st);
        ModalScript script({typePassword(c.typed)});
        EXPECT_FALSE(w.start()) << c.typed.toStdString();
        EXPECT_EQ(script.opened(), 1);
        EXPECT_EQ(st.AccessoConsentito, "N");
        EXPECT_TRUE(told.told(c.fragment));
        EXPECT_FALSE(w.isVisible());
        EXPECT_FALSE(storeExists(folder.path(), "ColonneRavelt.mdb"));
    }
}

TEST_F(RaveltDTStartup, GateClosedWithoutEnterRefuses)
{
    ravelt::testing::makeRegistry(dir, {"P"});
    ravelt::testing::writeSecurityPwd(dir, "ABC");
    ModalScript script({[](QWidget& gate) { QTest::keyClick(&gate, Qt::Key_Escape); }});
    EXPECT_FALSE(start());
    EXPECT_EQ(script.opened(), 1);
    EXPECT_TRUE(messages.told("non inserita"));
}

TEST_F(RaveltDTStartup, SupportCodeLettersDecideWhetherTheGateIsSeen)
{
    struct Case {
        std::string codice;
        bool withFile;
        bool asked;
        bool granted;
    } cases[] = {
        {"AB", true, false, true},   // neither letter: no gate
        {"p^x", true, true, true},   // "^" with a stored password asks (the right one is typed)
        {"^P", false, false, true},  // no Security.pwd: empty password, "^" grants at once
        {"P", false, true, false},   // "P" alone asks, and nothing typed can match
    };
    for (const auto& c : cases) {
        TempFolder folder;
        ravelt::testing::makeRegistry(folder, {c.codice});
        if (c.withFile)
            ravelt::testing::writeSecurityPwd(folder, "ABC");
        ProgramState st;
        MainWindowServices s = services();
        s.showGate = [&st] { PasswdSecurity::Mostra(st); };
        s.folder = folder.path();
        RaveltDT w(s, st);
        ModalScript script({typePassword("ABC")});
        EXPECT_EQ(w.start(), c.granted) << c.codice;
        EXPECT_EQ(script.opened(), c.asked ? 1 : 0) << c.codice;
    }
}

TEST_F(RaveltDTStartup, FirstStartCreatesTheColumnStore)
{
    ravelt::testing::makeRegistry(dir, {"AB"});
    ASSERT_FALSE(storeExists(dir.path(), "ColonneRavelt.mdb"));
    EXPECT_TRUE(start());
    EXPECT_TRUE(storeExists(dir.path(), "ColonneRavelt.mdb"));
    EXPECT_EQ(state.NumeroHotel, 1);
    EXPECT_EQ(state.GiorniMese[2], 28);
}

TEST_F(RaveltDTStartup, StampaAsksTheCounterInTheInputBox)
{
    struct Case {
        ModalScript::Action action;
        std::optional<std::int16_t> counter;  // nullopt: nothing runs
        const char* told;                      // nullptr: no message
    } cases[] = {
        {[](QWidget& box) {  // Enter, Enter: the default answer
             QTest::keyClick(box.findChild<QLineEdit*>("Text2"), Qt::Key_Return);
             QTest::keyClick(box.focusWidget(), Qt::Key_Return);
         },
         1, nullptr},
        {[](QWidget& box) {
             QTest::keyClicks(box.findChild<QLineEdit*>("Text2"), "0");
             QTest::mouseClick(box.findChild<QPushButton*>("T_0"), Qt::LeftButton);
         },
         0, nullptr},
        {[](QWidget& box) { QTest::mouseClick(box.findChild<QPushButton*>("T_1"), Qt::LeftButton); }, std::nullopt,
         nullptr},
        {[](QWidget& box) {
             QTest::keyClicks(box.findChild<QLineEdit*>("Text2"), "abc");
             QTest::mouseClick(box.findChild<QPushButton*>("T_0"), Qt::LeftButton);
         },
         std::nullopt, "Contatore non valido"},
        {[](QWidget& box) {
             QTest::keyClicks(box.findChild<QLineEdit*>("Text2"), "70000");
             QTest::mouseClick(box.findChild<QPushButton*>("T_0"), Qt::LeftButton);
         },
         std::nullopt, "Contatore non valido"},
    };
    ravelt::testing::makeRegistry(dir, {"AB"});
    ASSERT_TRUE(start());
    window->show();
    window->findChild<QLineEdit*>("Text1_0")->setText("01/03/2025");
    window->findChild<QLineEdit*>("Text1_1")->setText("31/03/2025");
    for (size_t i = 0; i < std::size(cases); ++i) {
        requests.clear();
        messages.shown.clear();
        ModalScript script({cases[i].action});
        QTest::mouseClick(window->findChild<QPushButton*>("Tasto_0"), Qt::LeftButton);
        EXPECT_EQ(script.opened(), 1) << "case " << i;
        if (cases[i].counter) {
            ASSERT_EQ(requests.size(), 1u) << "case " << i;
            EXPECT_EQ(requests[0].contatore, *cases[i].counter);
            EXPECT_EQ(requests[0].dataIniziale, "01/03/2025");
            EXPECT_EQ(requests[0].tipoDocumento, "Tutti");
            EXPECT_EQ(state.ContatoreScelto, *cases[i].counter);
        } else {
            EXPECT_TRUE(requests.empty()) << "case " << i;
        }
        if (cases[i].told)
            EXPECT_TRUE(messages.told(cases[i].told)) << "case " << i;
        else
            EXPECT_TRUE(messages.shown.empty()) << "case " << i;
    }
}

// The keyboard road of a report: both dates typed short, each confirmed with Enter, the
// focus on "Stampa", Enter again, the counter prompt answered with Enter twice.
TEST_F(RaveltDTStartup, EnterAloneTakesTheOperatorFromTheDatesToTheReport)
{
    ravelt::testing::makeRegistry(dir, {"AB"});
    ASSERT_TRUE(start());
    window->show();
    auto* from = window->findChild<QLineEdit*>("Text1_0");
    auto* to = window->findChild<QLineEdit*>("Text1_1");
    from->setFocus();
    QTest::keyClicks(from, "010325");
    QTest::keyClick(from, Qt::Key_Return);
    QTest::keyClicks(to, "310325");
    QTest::keyClick(to, Qt::Key_Return);
    QWidget* focused = window->focusWidget();
    ASSERT_EQ(focused, window->findChild<QPushButton*>("Tasto_0"));
    ModalScript script({[](QWidget& box) {
        QTest::keyClick(box.findChild<QLineEdit*>("Text2"), Qt::Key_Return);
        QTest::keyClick(box.focusWidget(), Qt::Key_Return);
    }});
    QTest::keyClick(focused, Qt::Key_Return);
    EXPECT_EQ(script.opened(), 1);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].dataIniziale, "01/03/2025");
    EXPECT_EQ(requests[0].dataFinale, "31/03/2025");
    EXPECT_EQ(requests[0].contatore, 1);
}
