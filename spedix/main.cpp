// spedix: the suite's mail sender. Started in the workstation's working folder, it
// reads the request the print preview wrote (e-mail<PCLocal>.txt) and the mail settings
// (Spedix.ini), and sends the report by SMTP. The request file is left in place.
#include "platform/AtomicFile.h"
#include "spedix/ErrorePosta.h"
#include "spedix/ImpostazioniPosta.h"
#include "spedix/InvioSmtp.h"
#include "spedix/MessaggioPosta.h"
#include "spedix/RichiestaPosta.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

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
                             "  invia la richiesta e-mail<PCLocal>.txt con le impostazioni di Spedix.ini\n");
        return RichiestaNonValida;
    }
    const char* pc = std::getenv("PCLocal");
    char* end = nullptr;
    long number = pc ? std::strtol(pc, &end, 10) : -1;
    if (!pc || *pc == '\0' || *end != '\0' || number < 0 || number > 32767)
        return fallita(RichiestaNonValida, std::string("la variabile PCLocal ") +
                                               (pc ? "vale \"" + std::string(pc) + "\", che non e' un numero di postazione"
                                                   : "non e' impostata"));
    const auto pcLocal = static_cast<std::int16_t>(number);
    const std::string request = "e-mail" + std::to_string(pcLocal) + ".txt";
    try {
        if (!std::filesystem::is_regular_file(request))
            throw ErrorePosta("manca la richiesta " + request + " nella cartella " + std::filesystem::current_path().string());
        ImpostazioniPosta settings = LeggiImpostazioniPosta(FileImpostazioniPosta);
        RichiestaPosta r = LeggiRichiestaPosta(readFileBytes(request), pcLocal);
        std::string message =
            ComponiMessaggio(settings, r.oggetto, r.testo, "FD" + std::to_string(pcLocal) + ".txt", DatiMessaggioAdesso());
        try {
            InviaSmtp(settings, message);
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
