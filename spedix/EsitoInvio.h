#pragma once
#include "spedix/ImpostazioniPosta.h"
#include "spedix/InvioSmtp.h"

#include <string>

namespace ravelt {

// spedix's exit codes: sent, a request that cannot be sent as it is (the operator
// must change something first), a sending that failed (the same request may go later).
inline constexpr int Inviata = 0;
inline constexpr int RichiestaNonValida = 1;
inline constexpr int InvioFallito = 2;

// How one run of spedix ended: its exit code and the words that tell it, the same on
// the output, in spedix.log and in the window: "inviata a ...: subject" for a sent mail,
// the reason otherwise.
struct EsitoInvio {
    int codice = InvioFallito;
    std::string messaggio;
};

// The recipients' addresses of the settings, as one line: "a@x.example, b@y.example".
std::string ElencoDestinatari(const ImpostazioniPosta& impostazioni);

// Sends the composed message and tells how it went, never raising: a failure of the
// sending (ErrorePosta) is InvioFallito with the reason and a reminder that the request
// file 'richiesta' stays in the folder for another attempt; any other failure is
// RichiestaNonValida with its reason. Runs on any thread: it touches no window.
EsitoInvio Spedisci(const ImpostazioniPosta& impostazioni, const std::string& oggetto, const std::string& messaggio,
                    const std::string& richiesta, const TempiInvio& tempi);

}
