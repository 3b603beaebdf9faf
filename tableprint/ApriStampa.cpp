#include "tableprint/ApriStampa.h"

#include "output/Anteprima.h"
#include "platform/Environment.h"
#include "tableprint/MessaggioStandard.h"
#include "tableprint/Stampa.h"

namespace ravelt {

void ApriStampa(const std::filesystem::path& cartella, ProgramState& stato, MessagePresenter& messaggiAnteprima, QWidget* parent)
{
    MessaggioStandard standard;
    Stampa::Servizi servizi;
    servizi.cartella = cartella;
    servizi.messaggi = &standard;
    servizi.parametri = stato.ParametriStampa;
    static const SystemEnvironment ambiente;
    servizi.ambiente = &ambiente;
    servizi.anteprima = [&cartella, &stato, &messaggiAnteprima](QWidget* sopra) {
        Anteprima anteprima(cartella, stato.PCLocal, messaggiAnteprima, nullptr, sopra);
        anteprima.exec();
    };
    Stampa finestra(std::move(servizi), stato, parent);
    finestra.exec();
}

}
