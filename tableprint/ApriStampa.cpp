#include "tableprint/ApriStampa.h"

#include "output/Anteprima.h"
#include "platform/Environment.h"
#include "shell/program_state.h"
#include "tableprint/MessaggioStandard.h"
#include "tableprint/Stampa.h"

namespace ravelt {

void ApriStampa(const std::filesystem::path& cartella, MessagePresenter& messaggiAnteprima, QWidget* parent)
{
    MessaggioStandard standard;
    Stampa::Servizi servizi;
    servizi.cartella = cartella;
    servizi.messaggi = &standard;
    servizi.parametri = programState().ParametriStampa;
    static const SystemEnvironment ambiente;
    servizi.ambiente = &ambiente;
    servizi.anteprima = [&cartella, &messaggiAnteprima](QWidget* sopra) {
        Anteprima anteprima(cartella, programState().PCLocal, messaggiAnteprima, nullptr, sopra);
        anteprima.exec();
    };
    Stampa finestra(std::move(servizi), programState(), parent);
    finestra.exec();
}

}
