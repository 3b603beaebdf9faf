// The mail request file (e-mail<N>.txt) as the mail sender reads it, and the message
// it makes of it.
//
// A request is refused with ErrorePosta or read into a subject that is never empty and
// a text, both UTF-8. Whatever the request holds, the message built from it must keep
// the mail's line structure: every carriage return followed by a line feed and every
// line feed preceded by one, so that no text of the request can end a header early or
// start one of its own.
#include "fuzz/FuzzCheck.h"
#include "spedix/ErrorePosta.h"
#include "spedix/MessaggioPosta.h"
#include "spedix/RichiestaPosta.h"

#include <cstddef>
#include <cstdint>

using namespace ravelt;

namespace {

ImpostazioniPosta impostazioni()
{
    ImpostazioniPosta s;
    s.server = "127.0.0.1";
    s.porta = 2525;
    s.mittente = "Cassa Hotel Bellavista <cassa@hotel-demo.example>";
    s.destinatari = {"direzione@hotel-demo.example", "Contabilità <conti@hotel-demo.example>"};
    return s;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RichiestaPosta r;
    try {
        r = LeggiRichiestaPosta(bytes, 7);
    } catch (const ErrorePosta&) {
        return 0;
    }
    fuzz::require(!r.oggetto.empty(), "a request always has a subject");
    fuzz::require(fuzz::isUtf8(r.oggetto) && fuzz::isUtf8(r.testo), "subject and text are UTF-8");

    static const ImpostazioniPosta s = impostazioni();
    const DatiMessaggio dati{"Sat, 31 Jan 2026 23:59:00 +0100", "<1.2.3@cassa>"};
    const std::string m = ComponiMessaggio(s, r.oggetto, r.testo, dati);
    for (std::size_t i = 0; i < m.size(); ++i) {
        if (m[i] == '\r')
            fuzz::require(i + 1 < m.size() && m[i + 1] == '\n', "a carriage return in the message ends a line");
        if (m[i] == '\n')
            fuzz::require(i > 0 && m[i - 1] == '\r', "a line feed in the message ends a line");
    }
    return 0;
}
