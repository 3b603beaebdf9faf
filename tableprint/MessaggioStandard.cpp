#include "tableprint/MessaggioStandard.h"

#include <QMessageBox>
#include <QPushButton>

namespace ravelt {

std::vector<MessaggioStandard::Pulsante> MessaggioStandard::Pulsanti(int stile)
{
    switch (stile & 7) {
    case 1: return {{"OK", 1}, {"Annulla", 2}};
    case 2: return {{"Interrompi", 3}, {"Riprova", 4}, {"Ignora", 5}};
    case 3: return {{"&Si", 6}, {"&No", 7}, {"Annulla", 2}};
    case 4: return {{"&Si", 6}, {"&No", 7}};
    case 5: return {{"Riprova", 4}, {"Annulla", 2}};
    default: return {{"OK", 1}};
    }
}

int MessaggioStandard::MostraMessaggio(const std::string& testo, int stile, const std::string& titolo)
{
    QString text = QString::fromStdString(testo);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    QMessageBox box;
    box.setObjectName("MessaggioStandard");
    box.setWindowTitle(QString::fromStdString(titolo));
    box.setText(text);
    switch (stile & 0x70) {
    case 16: box.setIcon(QMessageBox::Critical); break;
    case 32: box.setIcon(QMessageBox::Question); break;
    case 48: box.setIcon(QMessageBox::Warning); break;
    case 64: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    const auto pulsanti = Pulsanti(stile);
    std::vector<QPushButton*> creati;
    for (size_t i = 0; i < pulsanti.size(); ++i) {
        QPushButton* p = box.addButton(QString::fromUtf8(pulsanti[i].testo), QMessageBox::ActionRole);
        p->setObjectName(QString("Pulsante_%1").arg(i));
        creati.push_back(p);
    }
    const size_t predefinito = static_cast<size_t>((stile & 0x300) >> 8);
    box.setDefaultButton(creati[predefinito < creati.size() ? predefinito : 0]);
    QPushButton* fuga = creati.size() == 1 ? creati[0] : nullptr;
    for (size_t i = 0; i < pulsanti.size(); ++i)
        if (pulsanti[i].risposta == 2 || (!fuga && pulsanti[i].risposta == 7))
            fuga = creati[i];
    if (fuga)
        box.setEscapeButton(fuga);
    box.exec();
    for (size_t i = 0; i < creati.size(); ++i)
        if (box.clickedButton() == creati[i])
            return pulsanti[i].risposta;
    return fuga ? pulsanti[static_cast<size_t>(std::find(creati.begin(), creati.end(), fuga) - creati.begin())].risposta
                : pulsanti[0].risposta;
}

}
