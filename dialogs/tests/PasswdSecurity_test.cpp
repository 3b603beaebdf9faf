#include "dialogs/PasswdSecurity.h"

#include "dialogs/tests/ModalScript.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::ModalScript;

namespace {

// A state whose support code asks for the password ABC (check value 1404).
ProgramState askingState()
{
    ProgramState s;
    s.CodiceAssistenza = "^";
    s.PasswordDirezione = "ABC";
    s.ValoreControllo = 1404;
    return s;
}

ModalScript::Action typeAndEnter(const QString& text)
{
    return [text](QWidget& gate) {
        auto* field = gate.findChild<QLineEdit*>("Text1");
        ASSERT_NE(field, nullptr);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    };
}

}

TEST(PasswdSecurity, DesignOfTheWindow)
{
    ProgramState state;
    PasswdSecurity gate(state);
    EXPECT_EQ(gate.windowTitle(), "Direzione");
    auto* field = gate.findChild<QLineEdit*>("Text1");
    ASSERT_NE(field, nullptr);
    EXPECT_TRUE(gate.rect().adjusted(2, 2, -2, -2).contains(field->geometry())) << "the field keeps clear of the window's edges";
    EXPECT_GE(field->height(), QFontMetrics(field->font()).height()) << "a typed character is shown whole";
    EXPECT_EQ(field->font().family(), "Arial");
    EXPECT_DOUBLE_EQ(field->font().pointSizeF(), 9.75);
    EXPECT_EQ(field->maxLength(), 30);
    EXPECT_EQ(field->echoMode(), QLineEdit::Password);
    QTest::keyClicks(field, "abc");
    EXPECT_EQ(field->displayText(), "***");
    QTest::keyClicks(field, QString(40, 'x'));
    EXPECT_EQ(field->text().size(), 30);
    EXPECT_NE(gate.findChild<QWidget*>("Shape1"), nullptr);
}

TEST(PasswdSecurity, GrantsWithoutShowingWhenNothingIsAsked)
{
    struct Case {
        std::string codice, password;
    } cases[] = {{"AB", "ABC"}, {"^", ""}, {"^P", ""}, {"p", "ABC"}};
    for (const auto& c : cases) {
        ProgramState state;
        state.CodiceAssistenza = c.codice;
        state.PasswordDirezione = c.password;
        ModalScript script({[](QWidget& w) { w.close(); }});
        PasswdSecurity::Mostra(state);
        QApplication::processEvents();
        EXPECT_EQ(script.opened(), 0) << c.codice;
        EXPECT_EQ(state.AccessoConsentito, "S") << c.codice;
    }
}

TEST(PasswdSecurity, EnterDecidesAndCloses)
{
    struct Case {
        QString typed;
        std::string result;
    } cases[] = {{"ABC", "S"}, {"  abc ", "S"}, {"abd", "N"}, {"", "N"}, {"ABC'", "N"}};
    for (const auto& c : cases) {
        ProgramState state = askingState();
        ModalScript script({typeAndEnter(c.typed)});
        PasswdSecurity::Mostra(state);
        EXPECT_EQ(script.opened(), 1);
        EXPECT_EQ(state.AccessoConsentito, c.result) << c.typed.toStdString();
    }
}

TEST(PasswdSecurity, PAloneAsksAndNothingMatchesAMissingPassword)
{
    ProgramState state;
    state.CodiceAssistenza = "P";
    ModalScript script({typeAndEnter("")});
    PasswdSecurity::Mostra(state);
    EXPECT_EQ(script.opened(), 1);
    EXPECT_EQ(state.AccessoConsentito, "N");
}

TEST(PasswdSecurity, ClosingWithoutEnterLeavesTheAnswerAsItWas)
{
    ProgramState state = askingState();
    ModalScript script({[](QWidget& gate) {
        QTest::keyClicks(gate.findChild<QLineEdit*>("Text1"), "ABC");
        QTest::keyClick(&gate, Qt::Key_Escape);
    }});
    PasswdSecurity::Mostra(state);
    EXPECT_EQ(script.opened(), 1);
    EXPECT_EQ(state.AccessoConsentito, "");
}

TEST(PasswdSecurity, CentredOnTheScreen)
{
    ProgramState state = askingState();
    QPoint offset;
    ModalScript script({[&offset](QWidget& gate) {
        offset = gate.frameGeometry().center() - gate.screen()->geometry().center();
        QTest::keyClick(gate.findChild<QLineEdit*>("Text1"), Qt::Key_Return);
    }});
    PasswdSecurity::Mostra(state);
    ASSERT_EQ(script.opened(), 1);
    EXPECT_LE(offset.manhattanLength(), 2);
}
