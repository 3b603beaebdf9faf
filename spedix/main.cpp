// spedix: the suite's mail sender. Started in the workstation's working folder, it
// reads the request the print preview wrote (e-mail<PCLocal>.txt) and the mail settings
// (Spedix.ini), and sends the report by SMTP. The request file is left in place.
// A server that says nothing for 60 seconds (SPEDIX_ATTESA seconds, 1 to 120, when that
// variable is set) is given up, and so is a sending that lasts beyond 120 seconds.
#include "platform/AtomicFile.h"
#include "spedix/ErrorePosta.h"
#include "spedix/ImpostazioniPosta.h"
#include "spedix/InvioSmtp.h"
#include "spedix/MessaggioPosta.h"
#include "spedix/RichiestaPosta.h"
#include "platform/Environment.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace {

constexpr int Inviata = 0;
constexpr int RichiestaNonValida = 1;
constexpr int InvioFallito = 2;

// One line per attempt in spedix.log of the working folder: the operator's only trace
// of a sending started from the preview, which does not wait for it.
void registra(const std::string& text)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::ofstream("spedix.log", std::ios::app) << stamp << " " << text << "\n";
}

constexpr long AttesaMassima = ravelt::TempiInvio{}.totale;

// The time limits of the sending: the defaults of TempiInvio, the silence shortened or
// lengthened by SPEDIX_ATTESA (whole seconds, 1 to AttesaMassima, digits only: the
// silence can be no longer than the whole sending). The connection gets at most the
// silence. A value that is not such a number raises ErrorePosta.
ravelt::TempiInvio tempiInvio()
{
    ravelt::TempiInvio t;
    const auto text = ravelt::SystemEnvironment().get("SPEDIX_ATTESA");
    if (!text)
        return t;
    const std::string_view v(*text);
    long seconds = 0;
    auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), seconds);
    if (v.empty() || ec != std::errc() || end != v.data() + v.size() || seconds < 1 || seconds > AttesaMassima)
        throw ravelt::ErrorePosta("la variabile SPEDIX_ATTESA vale \"" + std::string(v.substr(0, 40)) +
                                  (v.size() > 40 ? "..." : "") + "\": serve un numero di secondi da 1 a " +
                                  std::to_string(AttesaMassima));
    t.silenzio = seconds;
    t.connessione = std::min(t.connessione, seconds);
    return t;
}

int fallita(int code, const std::string& text)
{
    std::fprintf(stderr, "spedix: %s\n", text.c_str());
    registra("NON inviata: " + text);
    return code;
}

}

int main(int argc, char**)
{
    using namespace ravelt;
    if (argc > 1) {
        std::fprintf(stderr, "uso: spedix (nella cartella di lavoro, con PCLocal impostata)\n"
                             "  invia la richiesta e-mail<PCLocal>.txt con le impostazioni di Spedix.ini;\n"
                             "  un server che tace per 60 secondi (SPEDIX_ATTESA secondi, da 1 a 120) si abbandona\n");
        return RichiestaNonValida;
    }
    const auto pc = SystemEnvironment().get("PCLocal");
    char* end = nullptr;
    long number = pc ? std::strtol(pc->c_str(), &end, 10) : -1;
    if (!pc || pc->empty() || *end != '\0' || number < 0 || number > 32767)
        return fallita(RichiestaNonValida, std::string("la variabile PCLocal ") +
                                               (pc ? "vale \"" + *pc + "\", che non è un numero di postazione"
                                                   : "non è impostata"));
    const auto pcLocal = static_cast<std::int16_t>(number);
    const std::string request = "e-mail" + std::to_string(pcLocal) + ".txt";
    try {
        if (!std::filesystem::is_regular_file(request))
            throw ErrorePosta("manca la richiesta " + request + " nella cartella " + std::filesystem::current_path().string());
        const TempiInvio tempi = tempiInvio();
        ImpostazioniPosta settings = LeggiImpostazioniPosta(FileImpostazioniPosta);
        RichiestaPosta r = LeggiRichiestaPosta(readFileBytes(request), pcLocal);
        std::string message = ComponiMessaggio(settings, r.oggetto, r.testo, DatiMessaggioAdesso());
        try {
            InviaSmtp(settings, message, tempi);
        } catch (const ErrorePosta& e) {
            return fallita(InvioFallito, std::string(e.what()) + "; la richiesta " + request + " resta nella cartella");
        }
        std::string to;
        for (const auto& d : settings.destinatari)
            to += (to.empty() ? "" : ", ") + IndirizzoDi(d);
        std::printf("spedix: inviata a %s: %s\n", to.c_str(), r.oggetto.c_str());
        registra("inviata a " + to + ": " + r.oggetto);
        return Inviata;
    } catch (const std::exception& e) {
        return fallita(RichiestaNonValida, e.what());
    }
}
