#include "tableprint/MessaggioStandard.h"

#include "dialogs/tests/ModalScript.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::ModalScript;

namespace {

TEST(MessaggioStandardPulsanti, ButtonsAndAnswersByStyle)
{
    struct Caso {
        int stile;
        std::vector<int> risposte;
    } casi[] = {
        {0, {1}}, {16, {1}}, {1, {1, 2}}, {2, {3, 4, 5}}, {3, {6, 7, 2}}, {4, {6, 7}}, {4 + 32 + 256, {6, 7}}, {5, {4, 2}},
    };
    for (const auto& c : casi) {
        std::vector<int> r;
        for (const auto& p : MessaggioStandard::Pulsanti(c.stile))
            r.push_back(p.risposta);
        EXPECT_EQ(r, c.risposte) << c.stile;
    }
}

// The box as the operator meets it: text, title, icon, the default button, and the
// answer of the button pressed (or of Esc).
TEST(MessaggioStandard, AnswersTheButtonPressed)
{
    struct Caso {
        int stile;
        const char* azione;  // a button's name, or "Esc"
        QMessageBox::Icon icona;
        const char* predefinito;
        int risposta;
    } casi[] = {
        {4 + 32 + 256, "Pulsante_0", QMessageBox::Question, "Pulsante_1", 6},
        {4 + 32 + 256, "Pulsante_1", QMessageBox::Question, "Pulsante_1", 7},
        {4 + 32 + 256, "Esc", QMessageBox::Question, "Pulsante_1", 7},
        {16, "Esc", QMessageBox::Critical, "Pulsante_0", 1},
        {0, "Pulsante_0", QMessageBox::NoIcon, "Pulsante_0", 1},
        {3 + 48 + 512, "Esc", QMessageBox::Warning, "Pulsante_2", 2},
    };
    for (const auto& c : casi) {
        QString testo, titolo, predefinito;
        QMessageBox::Icon icona = QMessageBox::NoIcon;
        ModalScript script({[&](QWidget& w) {
            auto& box = static_cast<QMessageBox&>(w);
            testo = box.text();
            titolo = box.windowTitle();
            icona = box.icon();
            predefinito = box.defaultButton() ? box.defaultButton()->objectName() : QString();
            if (std::string(c.azione) == "Esc")
                QTest::keyClick(&box, Qt::Key_Escape);
            else
                QTest::mouseClick(box.findChild<QPushButton*>(c.azione), Qt::LeftButton);
        }});
        MessaggioStandard m;
        EXPECT_EQ(m.MostraMessaggio("Prima riga\r\nseconda", c.stile, "Titolo"), c.risposta) << c.stile << " " << c.azione;
        EXPECT_EQ(script.opened(), 1);
        EXPECT_EQ(testo, "Prima riga\nseconda");
        EXPECT_EQ(titolo, "Titolo");
        EXPECT_EQ(icona, c.icona) << c.stile;
        EXPECT_EQ(predefinito, c.predefinito) << c.stile;
    }
}

}
