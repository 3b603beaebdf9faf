#include "dialogs/QtMessagePresenter.h"

#include "dialogs/tests/ModalScript.h"

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::ModalScript;

namespace {

ModalScript::Action click(const QString& caption)
{
    return [caption](QWidget& box) {
        for (auto* b : box.findChildren<QPushButton*>())
            if (b->text() == caption) {
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
        ADD_FAILURE() << "no button " << caption.toStdString();
        static_cast<QDialog&>(box).reject();
    };
}

}

TEST(buttonsFor, ByStyle)
{
    struct Case {
        int stile;
        std::vector<std::pair<QString, int>> buttons;
    } cases[] = {
        {0, {{"Ok", 0}}},
        {48, {{"Ok", 0}}},
        {4, {{"Si", 6}, {"No", 7}}},
        {36, {{"Si", 6}, {"No", 7}}},
        {250, {{"Si", 6}, {"No", 7}}},
        {35, {{"Si", 6}, {"No", 7}, {"Annulla", 2}}},
        {51, {{"Si", 6}, {"No", 7}, {"Annulla", 2}}},
        {1, {{"Ok", 0}}},
    };
    for (const auto& c : cases) {
        auto got = QtMessagePresenter::buttonsFor(c.stile);
        ASSERT_EQ(got.size(), c.buttons.size()) << c.stile;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].caption, c.buttons[i].first) << c.stile;
            EXPECT_EQ(got[i].answer, c.buttons[i].second) << c.stile;
        }
    }
}

TEST(QtMessagePresenter, AnswersByButtonAndKeepsThePreviousWhenClosed)
{
    struct Step {
        int stile;
        ModalScript::Action action;
        int answer;
    };
    std::vector<Step> steps = {
        {48, click("Ok"), 0},
        {4, click("Si"), 6},
        {4, click("No"), 7},
        {36, [](QWidget& box) { static_cast<QDialog&>(box).reject(); }, 7},  // no button: previous answer
        {35, click("Annulla"), 2},
        {51, click("Si"), 6},
    };
    QtMessagePresenter presenter;
    for (size_t i = 0; i < steps.size(); ++i) {
        QString title, text;
        ModalScript script({[&, i](QWidget& box) {
            title = box.windowTitle();
            text = static_cast<QMessageBox&>(box).text();
            steps[i].action(box);
        }});
        EXPECT_EQ(presenter.MostraMessaggio("Riga uno\r\nRiga due", steps[i].stile, "Titolo"), steps[i].answer)
            << "step " << i;
        EXPECT_EQ(title, "Titolo");
        EXPECT_EQ(text, "Riga uno\nRiga due");
    }
}
