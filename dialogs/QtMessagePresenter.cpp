#include "dialogs/QtMessagePresenter.h"

#include <QMessageBox>
#include <QPushButton>

namespace ravelt {

std::vector<QtMessagePresenter::Button> QtMessagePresenter::buttonsFor(int stile)
{
    if (stile == 4 || stile == 36 || (stile >= 200 && stile <= 400))
        return {{"Si", 6}, {"No", 7}};
    if (stile == 35 || stile == 51)
        return {{"Si", 6}, {"No", 7}, {"Annulla", 2}};
    return {{"Ok", 0}};
}

int QtMessagePresenter::MostraMessaggio(const std::string& testo, int stile, const std::string& titolo)
{
    QString text = QString::fromStdString(testo);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');

    QMessageBox box;
    box.setObjectName("MsgBox_Form");
    box.setWindowTitle(QString::fromStdString(titolo));
    box.setText(text);
    switch ((stile >= 0 && stile < 200) ? (stile & 0x70) : 0) {
    case 16: box.setIcon(QMessageBox::Critical); break;
    case 32: box.setIcon(QMessageBox::Question); break;
    case 48: box.setIcon(QMessageBox::Warning); break;
    case 64: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    std::vector<std::pair<QAbstractButton*, int>> answers;
    int index = 0;
    for (const Button& b : buttonsFor(stile)) {
        QPushButton* pb = box.addButton(b.caption, QMessageBox::ActionRole);
        pb->setObjectName(QString("T_%1").arg(index++));
        answers.emplace_back(pb, b.answer);
    }
    box.setDefaultButton(static_cast<QPushButton*>(answers.front().first));
    box.exec();
    for (const auto& [button, answer] : answers)
        if (box.clickedButton() == button)
            rispostaMsg_ = answer;
    return rispostaMsg_;
}

}
