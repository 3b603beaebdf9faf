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

SceltaFiltro::Segni SceltaFiltro::Ripristina(const FiltroSalvato& filtro, const std::vector<std::string>& campi)
{
    Segni segni;
    auto tra = [&campi](const std::string& nome) { return std::find(campi.begin(), campi.end(), nome) != campi.end(); };
    if (filtro.compresso)
        compresso = *filtro.compresso;
    if (filtro.campoOrdine && tra(*filtro.campoOrdine))
        campoOrdine = *filtro.campoOrdine;
    for (size_t k = 0; k < filtro.criteri.size() && k < righe.size(); ++k) {
        const CriterioStampa& c = filtro.criteri[k];
        if (tra(c.campo)) {
            righe[k].campo = c.campo;
            segni.campo[k] = true;
        }
        if (const OperatoreStampa* op = OperatoreStampa::PerEtichetta(c.operatore)) {
            righe[k].operatore = op->etichetta;
            segni.operatore[k] = true;
        }
        righe[k].valore = c.valore;
        segni.valore[k] = true;
    }
    return segni;
}

}
