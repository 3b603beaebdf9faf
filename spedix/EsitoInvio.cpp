#include "spedix/EsitoInvio.h"

#include "spedix/ErrorePosta.h"

namespace ravelt {

std::string ElencoDestinatari(const ImpostazioniPosta& s)
{
    std::string to;
    for (const auto& d : s.destinatari)
        to += (to.empty() ? "" : ", ") + IndirizzoDi(d);
    return to;
}

EsitoInvio Spedisci(const ImpostazioniPosta& s, const std::string& oggetto, const std::string& messaggio,
                    const std::string& richiesta, const TempiInvio& tempi)
{
    try {
        InviaSmtp(s, messaggio, tempi);
    } catch (const ErrorePosta& e) {
        return {InvioFallito, std::string(e.what()) + "; la richiesta " + richiesta + " resta nella cartella"};
    } catch (const std::exception& e) {
        return {RichiestaNonValida, e.what()};
    }
    return {Inviata, "inviata a " + ElencoDestinatari(s) + ": " + oggetto};
}

}
