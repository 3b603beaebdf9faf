#include "output/StampaTesto.h"

#include "output/RigheReport.h"
#include "output/TogliAccenti.h"

namespace ravelt {

std::string ComponiStampaTesto(const std::vector<std::string>& righe, const ParametriStampaTesto& p)
{
    std::string out = p.sequenzaControllo;
    int contatore = 0;
    auto margine = [&] {
        for (int k = 0; k < p.margineSuperiore; ++k)
            out += " \r\n";
        contatore = p.margineSuperiore;
    };
    auto chiudiPagina = [&] {
        if (p.opzioneU) {
            for (; contatore < p.lunghezzaModulo; ++contatore)
                out += "\r\n";
        } else {
            out += '\f';
        }
    };

    margine();
    for (const std::string& originale : righe) {
        std::string riga = p.opzioneK ? originale : TogliAccenti(originale);
        if (RigaSaltoPagina(riga)) {
            chiudiPagina();
            margine();
        } else {
            out += riga;
            out += "\r\n";
            ++contatore;
        }
        if (contatore == p.lunghezzaPagina) {
            chiudiPagina();
            margine();
        }
    }
    if (contatore > 0)
        chiudiPagina();
    return out;
}

}
