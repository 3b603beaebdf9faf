#include "tableprint/MessaggioStandard.h"

#include <QMessageBox>
#include <QPushButton>

namespace ravelt {

std::vector<MessaggioStandard::Pulsante> MessaggioStandard::Pulsanti(int stile)
{
    using S = StileMessaggio;
    using R = RispostaMessaggio;
    switch (stile & S::Pulsanti) {
    case S::OkAnnulla: return {{"OK", R::Ok}, {"Annulla", R::Annulla}};
    case S::InterrompiRiprovaIgnora: return {{"Interrompi", R::Interrompi}, {"Riprova", R::Riprova}, {"Ignora", R::Ignora}};
    case S::SiNoAnnulla: return {{"&Si", R::Si}, {"&No", R::No}, {"Annulla", R::Annulla}};
    case S::SiNo: return {{"&Si", R::Si}, {"&No", R::No}};
    case S::RiprovaAnnulla: return {{"Riprova", R::Riprova}, {"Annulla", R::Annulla}};
    default: return {{"OK", R::Ok}};
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
    switch (stile & StileMessaggio::Icona) {
    case StileMessaggio::Critico: box.setIcon(QMessageBox::Critical); break;
    case StileMessaggio::Domanda: box.setIcon(QMessageBox::Question); break;
    case StileMessaggio::Avviso: box.setIcon(QMessageBox::Warning); break;
    case StileMessaggio::Informazione: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    const auto pulsanti = Pulsanti(stile);
    std::vector<QPushButton*> creati;
    for (size_t i = 0; i < pulsanti.size(); ++i) {
        QPushButton* p = box.addButton(QString::fromUtf8(pulsanti[i].testo), QMessageBox::ActionRole);
        p->setObjectName(QString("Pulsante_%1").arg(i));
        creati.push_back(p);
    }
    const size_t predefinito = static_cast<size_t>((stile & StileMessaggio::Predefinito) / StileMessaggio::SecondoPredefinito);
    box.setDefaultButton(creati[predefinito < creati.size() ? predefinito : 0]);
    QPushButton* fuga = creati.size() == 1 ? creati[0] : nullptr;
    for (size_t i = 0; i < pulsanti.size(); ++i)
        if (pulsanti[i].risposta == RispostaMessaggio::Annulla || (!fuga && pulsanti[i].risposta == RispostaMessaggio::No))
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
