// spedix: the suite's mail sender. Started in the workstation's working folder, it
// reads the request the print preview wrote (e-mail<PCLocal>.txt) and the mail settings
// (Spedix.ini), and sends the report by SMTP, with the files named by --allegato
// attached. The request file is left in place.
// A server that says nothing for 60 seconds (SPEDIX_ATTESA seconds, 1 to 120, when that
// variable is set) is given up, and so is a sending that lasts beyond 120 seconds.
// With a display (see SchermoDisponibile) spedix also shows a window with the sending's
// progress and outcome, and ends when the window closes; without one it only writes
// its lines. Either way the outcome goes to the output and to spedix.log, and the exit
// code is the sending's.
#include "platform/AtomicFile.h"
#include "platform/Environment.h"
#include "spedix/Allegato.h"
#include "spedix/ErrorePosta.h"
#include "spedix/EsitoInvio.h"
#include "spedix/FinestraInvio.h"
#include "spedix/ImpostazioniPosta.h"
#include "spedix/InvioSmtp.h"
#include "spedix/MessaggioPosta.h"
#include "spedix/RichiestaPosta.h"
#include "spedix/Schermo.h"

#include <QApplication>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace ravelt;

const char* const Uso =
    "uso: spedix [--allegato FILE]... (nella cartella di lavoro, con PCLocal impostata)\n"
    "  invia la richiesta e-mail<PCLocal>.txt con le impostazioni di Spedix.ini;\n"
    "  --allegato FILE  allega il file (si può ripetere; un percorso relativo parte dalla cartella di lavoro);\n"
    "  un server che tace per 60 secondi (SPEDIX_ATTESA secondi, da 1 a 120) si abbandona;\n"
    "  con uno schermo (DISPLAY o WAYLAND_DISPLAY) mostra l'invio in una finestra,\n"
    "  che QT_QPA_PLATFORM=offscreen evita\n";

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

constexpr long AttesaMassima = TempiInvio{}.totale;

// The time limits of the sending: the defaults of TempiInvio, the silence shortened or
// lengthened by SPEDIX_ATTESA (whole seconds, 1 to AttesaMassima, digits only: the
// silence can be no longer than the whole sending). The connection gets at most the
// silence. A value that is not such a number raises ErrorePosta.
TempiInvio tempiInvio()
{
    TempiInvio t;
    const auto text = SystemEnvironment().get("SPEDIX_ATTESA");
    if (!text)
        return t;
    const std::string_view v(*text);
    long seconds = 0;
    auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), seconds);
    if (v.empty() || ec != std::errc() || end != v.data() + v.size() || seconds < 1 || seconds > AttesaMassima)
        throw ErrorePosta("la variabile SPEDIX_ATTESA vale \"" + std::string(v.substr(0, 40)) +
                          (v.size() > 40 ? "..." : "") + "\": serve un numero di secondi da 1 a " +
                          std::to_string(AttesaMassima));
    t.silenzio = seconds;
    t.connessione = std::min(t.connessione, seconds);
    return t;
}

// Tells the outcome on the output (a sent mail on stdout, a failure on stderr) and in
// spedix.log, and returns its exit code. Called once per run, from whichever thread
// knows the outcome.
int concludi(const EsitoInvio& e)
{
    if (e.codice == Inviata) {
        std::printf("spedix: %s\n", e.messaggio.c_str());
        std::fflush(stdout);
        registra(e.messaggio);
    } else {
        std::fprintf(stderr, "spedix: %s\n", e.messaggio.c_str());
        registra("NON inviata: " + e.messaggio);
    }
    return e.codice;
}

// The command line: only "--allegato FILE", any number of times. Anything else is
// nullopt, after saying what is wrong; the caller then shows the usage.
std::optional<std::vector<std::filesystem::path>> argomenti(int argc, char** argv)
{
    std::vector<std::filesystem::path> allegati;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a != "--allegato") {
            std::fprintf(stderr, "spedix: argomento sconosciuto \"%s\"\n", argv[i]);
            return std::nullopt;
        }
        if (i + 1 == argc) {
            std::fprintf(stderr, "spedix: --allegato vuole il nome del file da allegare\n");
            return std::nullopt;
        }
        allegati.emplace_back(argv[++i]);
    }
    return allegati;
}

// A sending ready to go: everything read and the message composed.
struct Invio {
    std::string richiesta;
    TempiInvio tempi;
    ImpostazioniPosta impostazioni;
    RichiestaPosta r;
    std::vector<std::string> nomiAllegati;
    std::string messaggio;
};

// Reads the workstation number, the request, the time limits, the settings and the
// files to attach, and composes the message. Whatever is missing or wrong raises
// ErrorePosta (or another std::exception) with the reason, before anything is sent;
// 'impostazioni' keeps the settings once they were read, for the window.
Invio prepara(const std::vector<std::filesystem::path>& fileAllegati, ImpostazioniPosta& impostazioni)
{
    const auto pc = SystemEnvironment().get("PCLocal");
    char* end = nullptr;
    long number = pc ? std::strtol(pc->c_str(), &end, 10) : -1;
    if (!pc || pc->empty() || *end != '\0' || number < 0 || number > 32767)
        throw ErrorePosta(std::string("la variabile PCLocal ") +
                          (pc ? "vale \"" + *pc + "\", che non è un numero di postazione" : "non è impostata"));
    const auto pcLocal = static_cast<std::int16_t>(number);
    Invio i;
    i.richiesta = "e-mail" + std::to_string(pcLocal) + ".txt";
    if (!std::filesystem::is_regular_file(i.richiesta))
        throw ErrorePosta("manca la richiesta " + i.richiesta + " nella cartella " +
                          std::filesystem::current_path().string());
    i.tempi = tempiInvio();
    i.impostazioni = impostazioni = LeggiImpostazioniPosta(FileImpostazioniPosta);
    i.r = LeggiRichiestaPosta(readFileBytes(i.richiesta), pcLocal);
    std::vector<Allegato> allegati;
    for (const auto& f : fileAllegati) {
        allegati.push_back(LeggiAllegato(f));
        i.nomiAllegati.push_back(allegati.back().nome);
    }
    i.messaggio = ComponiMessaggio(i.impostazioni, i.r.oggetto, i.r.testo, DatiMessaggioAdesso(), allegati);
    return i;
}

// True while the toolkit picks its platform: its own words about a display it cannot
// open are replaced by one line of spedix's.
bool avvioToolkit = false;

// The toolkit's notes that say nothing to the operator (the offscreen platform's
// missing features, a missing runtime folder, the platform plugins' reports while the
// platform is chosen) are dropped; the rest goes to stderr.
void messaggiToolkit(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith("QStandardPaths: XDG_RUNTIME_DIR") ||
        message.startsWith("This plugin does not support"))
        return;
    if (avvioToolkit && context.category && std::string_view(context.category).starts_with("qt.qpa"))
        return;
    std::fprintf(stderr, "spedix: %s\n", message.toLocal8Bit().constData());
}

// The application for the window, when there is a display to show it on: nullptr
// without one, and also when the display named cannot be opened (the toolkit then
// falls back to offscreen, and spedix says so and goes on without a window).
std::unique_ptr<QApplication> applicazione()
{
    SystemEnvironment env;
    if (!SchermoDisponibile(env))
        return nullptr;
    ::setenv("QT_QPA_PLATFORM", PiattaformeSchermo(env).c_str(), 1);
    qInstallMessageHandler(messaggiToolkit);
    static int argc = 1;
    static char name[] = "spedix";
    static char* argv[] = {name, nullptr};
    avvioToolkit = true;
    auto app = std::make_unique<QApplication>(argc, argv);
    avvioToolkit = false;
    if (QGuiApplication::platformName() != "offscreen")
        return app;
    std::string display;
    for (const char* name : {"WAYLAND_DISPLAY", "DISPLAY"})
        if (const auto v = env.get(name); v && !v->empty())
            display += (display.empty() ? "" : ", ") + std::string(name) + "=" + *v;
    std::fprintf(stderr, "spedix: lo schermo non si apre (%s): nessuna finestra, l'esito è solo qui\n", display.c_str());
    return nullptr;
}

}

int main(int argc, char** argv)
{
    const auto fileAllegati = argomenti(argc, argv);
    if (!fileAllegati) {
        std::fputs(Uso, stderr);
        return RichiestaNonValida;
    }
    ImpostazioniPosta impostazioni;
    std::optional<Invio> invio;
    std::optional<EsitoInvio> fallita;
    try {
        invio = prepara(*fileAllegati, impostazioni);
    } catch (const std::exception& e) {
        fallita = EsitoInvio{RichiestaNonValida, e.what()};
    }

    const auto app = applicazione();
    if (!app) {
        if (fallita)
            return concludi(*fallita);
        return concludi(Spedisci(invio->impostazioni, invio->r.oggetto, invio->messaggio, invio->richiesta, invio->tempi));
    }

    FinestraInvio finestra(impostazioni.destinatari, invio ? invio->r.oggetto : std::string(),
                           invio ? invio->nomiAllegati : std::vector<std::string>());
    QObject::connect(&finestra, &QDialog::finished, app.get(), &QCoreApplication::quit);
    if (fallita) {
        concludi(*fallita);
        finestra.mostraEsito(*fallita);
    } else {
        finestra.avvia([&invio] {
            EsitoInvio e = Spedisci(invio->impostazioni, invio->r.oggetto, invio->messaggio, invio->richiesta, invio->tempi);
            concludi(e);
            return e;
        });
    }
    finestra.show();
    QApplication::exec();
    return finestra.esito() ? finestra.esito()->codice : InvioFallito;
}
