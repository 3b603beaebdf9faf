#include "tableprint/SceltaFiltro.h"

#include "tableprint/OperatoreStampa.h"

#include <algorithm>

namespace ravelt {

SceltaFiltro SceltaFiltro::Iniziale(const std::vector<std::string>& campi)
{
    SceltaFiltro s;
    const std::string primo = campi.empty() ? std::string() : campi.front();
    for (auto& r : s.righe) {
        r.campo = primo;
        r.operatore = OperatoreStampa::Elenco()[0].etichetta;
        r.valore.clear();
    }
    s.campoOrdine = primo;
    s.compresso = true;
    return s;
}

SceltaFiltro::Segni SceltaFiltro::Ripristina(const FiltroSalvato& filtro, const std::vector<std::string>& campi,
                                             AvvisiImpostazioni* avvisi)
{
    Segni segni;
    auto tra = [&campi](const std::string& nome) { return std::find(campi.begin(), campi.end(), nome) != campi.end(); };
    auto avvisa = [&](size_t riga, const std::string& testo) {
        if (avvisi)
            avvisi->aggiungi(filtro.file, static_cast<int>(riga), testo);
    };
    if (filtro.compresso)
        compresso = *filtro.compresso;
    if (filtro.campoOrdine && tra(*filtro.campoOrdine))
        campoOrdine = *filtro.campoOrdine;
    else if (filtro.campoOrdine)
        avvisa(2, "il campo d'ordine " + CitaRiga(*filtro.campoOrdine) + " non è un campo della tabella: si ordina per " +
                      CitaRiga(campoOrdine));
    for (size_t k = 0; k < filtro.criteri.size() && k < righe.size(); ++k) {
        const CriterioStampa& c = filtro.criteri[k];
        // Criterion k stands on line k + 3. A criterion without a value does not count,
        // so what its field and operator become matters to nobody.
        const bool conta = !c.valore.empty();
        if (tra(c.campo)) {
            righe[k].campo = c.campo;
            segni.campo[k] = true;
        } else if (conta) {
            avvisa(k + 3, CitaRiga(c.campo) + " non è un campo della tabella: il valore " + CitaRiga(c.valore) +
                              " vale per il campo " + CitaRiga(righe[k].campo));
        }
        if (const OperatoreStampa* op = OperatoreStampa::PerEtichetta(c.operatore)) {
            righe[k].operatore = op->etichetta;
            segni.operatore[k] = true;
        } else if (conta) {
            avvisa(k + 3, "l'operatore " + CitaRiga(c.operatore) + " non è uno dei simboli =, <, >, <=, >=, <>, In, Non: "
                          "il criterio confronta con " + CitaRiga(righe[k].operatore));
        }
        righe[k].valore = c.valore;
        segni.valore[k] = true;
    }
    return segni;
}

}
