#include "dialogs/InputBox_form.h"
#include "dialogs/InputBoxRoutine.h"

#include "dialogs/tests/ModalScript.h"
#include "testing/WindowChecks.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::ModalScript;

namespace {

const std::string Prompt = "Inserire il contatore contabile di riferimento (0 per tutti)";

template <class T>
T* part(QWidget& box, const char* name)
{
    T* c = box.findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
}

ModalScript::Action press(const char* button, QString typed = {})
{
    return [button, typed](QWidget& box) {
        if (!typed.isNull()) {
            QTest::keyClicks(part<QLineEdit>(box, "Text2"), typed);
        }
        QTest::mouseClick(part<QPushButton>(box, button), Qt::LeftButton);
    };
}

}

TEST(InputBoxCalcolaRighe, CarriageReturnsPlusOne)
{
    struct Case {
        std::string testo;
        std::int16_t righe;
    } cases[] = {{"", 1}, {Prompt, 1}, {"a\rb", 2}, {"a\r\nb", 2}, {"a\nb", 1}, {"\r\r\r", 4}};
    for (const auto& c : cases)
        EXPECT_EQ(InputBox_form::CalcolaRighe(c.testo), c.righe) << c.testo;
}

TEST(InputBoxCalcolaColonne, WidestRunNeverBelowEighty)
{
    struct Case {
        std::string testo;
        std::int16_t colonne;
    } cases[] = {
        {"", 80},
        {Prompt, 80},
        {std::string(100, 'x'), 100},
        {std::string(90, 'x') + "\r\n" + std::string(95, 'y'), 96},  // the line feed counts
        {"\r" + std::string(85, 'x'), 85},
        {std::string(85, 'x') + "\r", 85},
        {[] { std::string s; for (int i = 0; i < 90; ++i) s += "à"; return s; }(), 90},  // characters, not bytes
    };
    for (const auto& c : cases)
        EXPECT_EQ(InputBox_form::CalcolaColonne(c.testo), c.colonne) << c.testo.size();
}

TEST(InputBoxLayoutFor, SizesFromThePrompt)
{
    struct Case {
        std::string testo;
        int width, height, entryTop, buttonsTop;
    } cases[] = {
        {Prompt, 7200, 2265, 1100, 1575},
        {"", 7200, 2265, 1100, 1575},
        {std::string(100, 'x'), 9000, 2265, 1100, 1575},
        {"riga uno\r\nriga due", 7200, 2565, 1400, 1875},
        {std::string(400, 'x'), 32760, 2265, 1100, 1575},          // 16-bit limit: 364 columns
        {std::string(200, '\r'), 7200, 109 * 300 + 1965, 109 * 300 + 800, 109 * 300 + 1275},
    };
    for (const auto& c : cases) {
        InputBoxLayout l = InputBox_form::layoutFor(c.testo);
        EXPECT_EQ(l.width, c.width) << c.testo.size();
        EXPECT_EQ(l.height, c.height) << c.testo.size();
        EXPECT_EQ(l.text2.top, c.entryTop) << c.testo.size();
        EXPECT_EQ(l.ok.top, c.buttonsTop) << c.testo.size();
        EXPECT_EQ(l.annulla.top, c.buttonsTop) << c.testo.size();
        EXPECT_EQ(l.label1.width, c.width);
        EXPECT_EQ(l.text1.width, c.width - 180);
        EXPECT_EQ(l.text2.width, c.width - 180);
        EXPECT_EQ(l.ok.left, c.width - 2150);  // right-aligned pair, 70 twips apart
        EXPECT_EQ(l.annulla.left, l.ok.left + 975 + 70);
    }
}

TEST(RichiediDato, OpensWithTheDefaultSelectedAndSizedToThePrompt)
{
    bool checked = false;
    ModalScript script({[&checked](QWidget& box) {
        EXPECT_EQ(part<QLabel>(box, "Label1")->text(), "Contatore QMT");
        EXPECT_EQ(part<QPlainTextEdit>(box, "Text1")->toPlainText().toStdString(), Prompt);
        auto* entry = part<QLineEdit>(box, "Text2");
        EXPECT_EQ(entry->text(), "1");
        EXPECT_EQ(entry->selectedText(), "1");
        EXPECT_EQ(box.focusWidget(), entry);
        // Sized to the prompt as the layout computes it; the entry under the prompt, the
        // two buttons side by side under the entry, at the right, inside the box.
        const InputBoxLayout l = InputBox_form::layoutFor(Prompt);
        EXPECT_EQ(box.size(), QSize(l.width / 15, l.height / 15));
        const QRect prompt = part<QPlainTextEdit>(box, "Text1")->geometry();
        const QRect ok = part<QPushButton>(box, "T_0")->geometry();
        const QRect annulla = part<QPushButton>(box, "T_1")->geometry();
        EXPECT_LT(prompt.bottom(), entry->geometry().top());
        EXPECT_LT(entry->geometry().bottom(), ok.top());
        EXPECT_EQ(ok.top(), annulla.top());
        EXPECT_LT(ok.right(), annulla.left()) << "OK comes before Annulla";
        EXPECT_GT(ok.left(), box.width() / 2) << "the buttons stand at the right";
        for (const QRect& r : {prompt, entry->geometry(), ok, annulla})
            EXPECT_TRUE(box.rect().contains(r)) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
        EXPECT_EQ(part<QWidget>(box, "Shape1")->size(), box.size());
        EXPECT_LE((box.geometry().center() - box.screen()->geometry().center()).manhattanLength(), 2);
        EXPECT_TRUE(box.isModal());
        checked = true;
        QTest::mouseClick(part<QPushButton>(box, "T_0"), Qt::LeftButton);
    }});
    InputBoxRoutine routine;
    EXPECT_EQ(routine.RichiediDato(Prompt, "Contatore QMT", "1"), "1");
    EXPECT_TRUE(checked);
}

TEST(RichiediDato, EnterMovesToOkAndEnterOnOkAnswers)
{
    bool stillOpen = false;
    ModalScript script({[&stillOpen](QWidget& box) {
        auto* entry = part<QLineEdit>(box, "Text2");
        QTest::keyClicks(entry, "5");  // replaces the selected default
        QTest::keyClick(entry, Qt::Key_Return);
        stillOpen = box.isVisible();
        EXPECT_EQ(box.focusWidget(), part<QPushButton>(box, "T_0"));
        EXPECT_TRUE(ravelt::testing::drawsFocusFrame(*part<QPushButton>(box, "T_0"))) << "Enter shows where it went";
        QTest::keyClick(box.focusWidget(), Qt::Key_Return);
    }});
    InputBoxRoutine routine;
    EXPECT_EQ(routine.RichiediDato(Prompt, "Contatore QMT", "1"), "5");
    EXPECT_TRUE(stillOpen);
}

// Each input box the shell holds keeps its own previous answer: a second one, closed
// without a button, has nothing to give back yet, whatever the first was answered.
TEST(RichiediDato, ButtonsAnswerAndClosingKeepsThePreviousAnswer)
{
    const ModalScript::Action escape = [](QWidget& box) { QTest::keyClick(part<QLineEdit>(box, "Text2"), Qt::Key_Escape); };
    struct Step {
        int routine;
        ModalScript::Action action;
        std::string answer;
    };
    std::vector<Step> steps = {
        {0, press("T_0", "0"), "0"},
        {0, press("T_1", "25"), ""},  // "Annulla" whatever was typed
        {0, press("T_0", "7"), "7"},
        {0, escape, "7"},
        {1, escape, ""},              // the second box has answered nothing yet
        {0, press("T_0", "12"), "12"},
        {0, [](QWidget& box) { static_cast<QDialog&>(box).reject(); }, "12"},
        {1, press("T_0", "3"), "3"},
        {0, escape, "12"},
    };
    InputBoxRoutine routines[2];
    for (size_t i = 0; i < steps.size(); ++i) {
        ModalScript script({steps[i].action});
        EXPECT_EQ(routines[steps[i].routine].RichiediDato("Valore?", "Titolo", "1"), steps[i].answer) << "step " << i;
        EXPECT_EQ(script.opened(), 1);
    }
}
