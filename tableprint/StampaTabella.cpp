#include "tableprint/StampaTabella.h"

#include "tableprint/CampiTabella.h"
#include "tableprint/CondizioneStampa.h"
#include "tableprint/DefinizioneStampa.h"
#include "tableprint/SceltaFiltro.h"

namespace ravelt {

EsitoStampaArchivio StampaTabella(const ContestoArchivio& contesto, const std::string& nomeStampa,
                                  const ParametriFiltro& parametri)
{
    const std::string fileDefinizione = nomeStampa + ".stp";
    const ColonnaStampa testata = LeggiTestataStampa(contesto.cartella / fileDefinizione, contesto.avvisi);
    const CampiTabella campi = CampiTabella::Leggi(contesto.cartella, testata.campo(3), testata.campo(4));
    SceltaFiltro scelta = SceltaFiltro::Iniziale(campi.nomi());
    if (auto filtro = FiltroSalvato::Leggi(contesto.cartella / (nomeStampa + ".fil"), parametri, contesto.avvisi))
        scelta.Ripristina(*filtro, campi.nomi(), contesto.avvisi);
    const std::string condizione = CondizioneStampa::DaStampare(scelta.righe, campi);
    return StampaArchivio(contesto, fileDefinizione, "---", condizione, scelta.campoOrdine, scelta.compresso);
}

}
