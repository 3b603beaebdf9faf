#include "dialogs/MsgBoxForm.h"
#include "dialogs/MsgBoxPresenter.h"
#include "testing/WindowChecks.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace ravelt;

namespace {

// Runs 'act' on the message box once it is up, while MostraMessaggio waits for it.
int answerWith(MsgBoxPresenter& box, const std::string& testo, std::int16_t stile, std::function<void(MsgBoxForm&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* form = qobject_cast<MsgBoxForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        act(*form);
    });
    return box.MostraMessaggio(testo, stile, "Titolo");
}

}

TEST(CalcolaRighe, CarriageReturnsPlusTwo)
{
    EXPECT_EQ(MsgBoxForm::CalcolaRighe(""), 2);
    EXPECT_EQ(MsgBoxForm::CalcolaRighe("A\r\nB"), 3);
    EXPECT_EQ(MsgBoxForm::CalcolaRighe("A\nB"), 2);  // a lone line feed is no line break here
}

TEST(CalcolaColonne, WidestRunAtLeastFiftyPlusOne)
{
    EXPECT_EQ(MsgBoxForm::CalcolaColonne(""), 51);
    EXPECT_EQ(MsgBoxForm::CalcolaColonne(std::string(70, 'x')), 71);
    EXPECT_EQ(MsgBoxForm::CalcolaColonne("A\r\nB"), 51);
    EXPECT_EQ(MsgBoxForm::CalcolaColonne(std::string(60, 'x') + "\r\n" + std::string(60, 'y')), 62);  // the line feed counts
    EXPECT_EQ(MsgBoxForm::CalcolaColonne("gi\xC3\xA0" + std::string(57, 'x')), 61);  // characters, not bytes
}

TEST(MostraMessaggio, SizesItselfFromTheText)
{
    struct Case {
        std::string testo;
        int width, height, buttonsTop;  // twips
    } cases[] = {
        {"", 4590, 1890, 1180},
        {std::string(70, 'x'), 6390, 1890, 1180},
        {"A\r\nB", 4590, 2190, 1480},
    };
    MsgBoxPresenter box;
    for (const auto& c : cases) {
        int w = 0, h = 0, top = 0;
        answerWith(box, c.testo, 48, [&](MsgBoxForm& f) {
            w = f.width();
            h = f.height();
            top = f.pulsante(0)->y();
            EXPECT_TRUE(f.windowFlags() & Qt::WindowStaysOnTopHint);
            EXPECT_TRUE(f.isModal());
            f.pulsante(0)->click();
        });
        // Twips become pixels at 15 a pixel, rounded down.
        EXPECT_EQ(w, c.width / 15) << c.testo;
        EXPECT_EQ(h, c.height / 15) << c.testo;
        EXPECT_EQ(top, c.buttonsTop / 15) << c.testo;
    }
}

TEST(MostraMessaggio, AnswerCodesByStyleAndButton)
{
    struct Case {
        std::int16_t stile;
        int button;
        std::int16_t answer;
        const char* caption0;
        bool visible1, visible2;
    } cases[] = {
        {48, 0, 0, "Ok", false, false},
        {0, 0, 0, "Ok", false, false},
        {4, 0, 6, "Si", true, false},
        {4, 1, 7, "Si", true, false},
        {36, 1, 7, "Si", true, false},
        {35, 2, 2, "Si", true, true},
        {51, 0, 6, "Si", true, true},
        {250, 0, 6, "Si", true, false},
    };
    MsgBoxPresenter box;
    for (const auto& c : cases) {
        int got = answerWith(box, "Domanda?", c.stile, [&](MsgBoxForm& f) {
            EXPECT_EQ(f.pulsante(0)->text().toStdString(), c.caption0) << c.stile;
            EXPECT_EQ(f.pulsante(1)->isVisible(), c.visible1) << c.stile;
            EXPECT_EQ(f.pulsante(2)->isVisible(), c.visible2) << c.stile;
            f.pulsante(c.button)->click();
        });
        EXPECT_EQ(got, c.answer) << c.stile << " button " << c.button;
    }
}

TEST(MostraMessaggio, ClosedWithoutAButtonGivesThePreviousAnswer)
{
    MsgBoxPresenter box;
    answerWith(box, "Domanda?", 4, [](MsgBoxForm& f) { f.pulsante(1)->click(); });
    int got = answerWith(box, "Ancora?", 4, [](MsgBoxForm& f) { QTest::keyClick(&f, Qt::Key_Escape); });
    EXPECT_EQ(got, 7);
}

// Each message box the shell holds keeps its own previous answer: two of them, shown in
// turn, never answer with the other's button.
TEST(MostraMessaggio, ClosingWithoutAButtonGivesOnlyItsOwnPreviousAnswer)
{
    const auto press = [](int button) { return [button](MsgBoxForm& f) { f.pulsante(button)->click(); }; };
    const std::function<void(MsgBoxForm&)> close = [](MsgBoxForm& f) { QTest::keyClick(&f, Qt::Key_Escape); };
    struct Step {
        int box;  // which of the two message boxes is shown
        std::function<void(MsgBoxForm&)> act;
        int answer;
    } steps[] = {
        {0, press(0), 6},
        {1, close, 0},  // the second has answered nothing yet
        {1, press(1), 7},
        {0, close, 6},  // the first keeps its own answer
        {1, close, 7},
    };
    MsgBoxPresenter boxes[2];
    for (size_t i = 0; i < std::size(steps); ++i)
        EXPECT_EQ(answerWith(boxes[steps[i].box], "Domanda?", 4, steps[i].act), steps[i].answer) << "step " << i;
}

TEST(MostraMessaggio, YesNoStylesPutTheFocusOnTheFirstButton)
{
    MsgBoxPresenter box;
    const int got = answerWith(box, "Domanda?", 4, [](MsgBoxForm& f) {
        EXPECT_EQ(f.focusWidget(), f.pulsante(0));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        EXPECT_TRUE(ravelt::testing::drawsFocusFrame(*f.pulsante(0))) << "the focused answer is shown";
        QTest::keyClick(f.pulsante(0), Qt::Key_Space);
    });
    EXPECT_EQ(got, 6);
}
