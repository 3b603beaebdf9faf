#include "app/CommandLine.h"

#include "app/ArgumentError.h"
#include "app/AuditCommand.h"
#include "app/AuditOptions.h"
#include "app/CommandSyntax.h"
#include "app/DemoCommand.h"
#include "app/MigrateCommand.h"
#include "app/OutputCommands.h"
#include "app/ReportCommand.h"
#include "app/ScheduleCommand.h"
#include "cashreport/NamedPeriod.h"
#include "app/ShownArgument.h"
#include "app/TablePrintCommand.h"
#include "app/WorkingFolder.h"
#include "demohotel/DemoHotel.h"
#include "output/ComandiUscita.h"
#include "shell/MainFormRules.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>

namespace ravelt {

namespace {

struct Command {
    CommandSyntax syntax;
    std::function<int(const ParsedArguments&, const CommandStreams&, ProgramState&)> run;
};

// The option every command takes, before the command's name or among its own options.
OptionSyntax folderOption()
{
    return {"folder", "CARTELLA", "la cartella di lavoro (senza: la cartella corrente)", false, 0, true};
}

// The commands with the options every command takes added at the end of their own.
std::vector<Command> withCommonOptions(std::vector<Command> commands)
{
    for (auto& c : commands)
        c.syntax.options.push_back(folderOption());
    return commands;
}

// Every command of the program, in the order the help lists them: the one place that
// says which options each takes and what they mean.
const std::vector<Command>& commands()
{
    const DemoOptions demo;
    char demoStart[16];
    std::snprintf(demoStart, sizeof demoStart, "%02d/%02d/%04d", demo.fromDay, demo.fromMonth, demo.fromYear);
    static const std::vector<Command> table = withCommonOptions({
        {{"report",
          {},
          {{"from", "GG/MM/AAAA", "il primo giorno del periodo (anche GGMMAA o GGMMAAAA)"},
           {"to", "GG/MM/AAAA",
            "l'ultimo giorno, prima dello stesso giorno " + std::to_string(MaxPeriodYears) + " anni dopo il primo"},
           {"period", "NOME", std::string("il periodo per nome, dall'orologio della postazione, al posto di --from e --to: ") + namedPeriodNames()},
           {"type", "Tutti|Fatture|Ricevute", "il tipo di documento (senza: Tutti)"},
           {"counter", "N", "il contatore contabile, 0 per tutti (senza: 0)"},
           {"strict", "", "esito 3 se degli incassi non sono in nessuna colonna"}},
          "il dettaglio incassi del periodo, senza finestre: scrive il file del report FD<PCLocal>",
          "Il file precedente resta com'era se il report non si può fare. Gli incassi del periodo che non\n"
          "sono in nessuna colonna (né nel totale) sono elencati sui messaggi, per codice.",
          "ravelt report --from 01/01/2026 --to 31/01/2026 --type Fatture --counter 1"},
         commandReport},
        {{"print",
          {},
          {{"destination", "NOME", "la destinazione di Stampanti.mdb (senza: la prima dell'elenco)", false, 1},
           {"pdf", "", "l'ultima destinazione con \"PDF\" nel nome", false, 1},
           {"normal", "", "il carattere normale invece di quello compresso"},
           {"landscape", "", "la pagina orizzontale"},
           {"duplex", "", "la stampa fronte e retro"},
           {"printer", "DISPOSITIVO", "la stampante installata da usare al posto di quella della destinazione"}},
          "stampa il file del report come il menu di stampa",
          "Come il pulsante della stampante (con --pdf: il pulsante PDF), compresso se non c'è --normal.",
          "ravelt print --pdf"},
         commandPrint},
        {{"csv",
          {},
          {},
          "scrive fd<PCLocal>.csv dal file del report e ne stampa il percorso",
          "Il separatore è quello di SeparatoreXLS.txt.",
          "ravelt csv"},
         commandCsv},
        {{"mail",
          {},
          {},
          "invia il testo del report con il programma di posta spedix",
          "Le impostazioni sono in Spedix.ini; il comando termina con il codice di spedix e, se l'invio\n"
          "non riesce, la richiesta resta nella cartella.",
          "ravelt mail"},
         commandMail},
        {{"table-print",
          {"NOME"},
          {},
          "la stampa filtrata della definizione NOME.stp con il filtro salvato NOME.fil",
          "Scrive il file del report; NOME è un nome semplice della cartella di lavoro, senza \"/\" né \"\\\".",
          "ravelt table-print ColonneRavelt"},
         commandTablePrint},
        {{"demo",
          {"CARTELLA"},
          {{"days", "N", "i giorni di movimenti (senza: " + std::to_string(demo.days) + ")"},
           {"from", "GG/MM/AAAA", "il primo giorno dei movimenti (senza: " + std::string(demoStart) + ")"},
           {"seed", "S", "il seme dei dati: stesso seme, stessi dati (senza: " + std::to_string(demo.seed) + ")"},
           {"rooms", "N", "le camere dell'hotel (senza: " + std::to_string(demo.rooms) + ")"},
           {"database", "CONNINFO", "gli archivi su questo server PostgreSQL (senza: RAVELT_DATABASE o i file)"}},
          "crea una cartella di lavoro con un hotel dimostrativo",
          "Con le stampanti (la destinazione PDF report.pdf, la stampante di testo stampa.txt) e la posta\n"
          "per un server SMTP su 127.0.0.1:2525. Con --database la cartella riceve Database.txt, che nomina\n"
          "il server; un server che ha già uno degli archivi non viene toccato.",
          "ravelt demo demo --days 365 --from 01/01/2026 --seed 1"},
         commandDemo},
        {{"migrate",
          {},
          {{"to", "CONNINFO", "il server PostgreSQL: parole chiave di libpq o indirizzo postgresql://", true},
           {"replace", "", "sostituisce interi gli archivi che il server ha già (senza: la copia non si fa)"}},
          "copia gli archivi della cartella di lavoro (ogni file .sqlite) su un server PostgreSQL",
          "Ogni archivio in una transazione: sul server compare intero o non compare; uno sostituito resta\n"
          "com'era se la copia non riesce. Non scrive Database.txt: per usare il server dopo la copia, se ne\n"
          "metta la stringa di connessione nella prima riga di Database.txt della cartella (leggibile solo dal\n"
          "proprietario se contiene una password).",
          "ravelt migrate --to \"host=server.hotel dbname=hotel user=cassa\""},
         commandMigrate},
        {{"audit",
          {},
          auditOptions(),
          "il controllo notturno: il report del periodo (senza --period: ieri), poi le uscite chieste",
          "Le uscite nell'ordine: il PDF (--pdf), la stampa (--print), la posta con il PDF allegato se fatto\n"
          "(--mail). Ogni passo riuscito scrive una riga \"audit: ...\"; il primo che non riesce ferma il\n"
          "controllo con il motivo e un esito diverso da 0 (la posta: il codice di spedix).",
          "ravelt audit --period yesterday --pdf --mail"},
         commandAudit},
        {{"schedule",
          {"AZIONE"},
          scheduleOptions(),
          "il controllo notturno (ravelt audit) a un'ora fissa, con un timer di systemd dell'utente",
          "AZIONE è una di queste:\n"
          "  add     con --name, --at ed eventualmente --on e le opzioni di ravelt audit: scrive il timer e il\n"
          "          servizio ravelt-audit-NOME in $XDG_CONFIG_HOME/systemd/user (~/.config/systemd/user), che\n"
          "          eseguono ravelt audit nella cartella di lavoro all'ora data (un'ora mancata a computer spento\n"
          "          si recupera al primo avvio successivo); se il gestore dei servizi dell'utente è attivo avvia\n"
          "          il timer, altrimenti dice i comandi che lo attivano\n"
          "  list    ogni pianificazione con i suoi orari, il comando e la prossima esecuzione\n"
          "  remove  con --name: ferma e toglie la pianificazione\n"
          "Nelle unità non c'è nessuna password: se la cartella chiede quella della direzione, il servizio la\n"
          "legge dalla prima riga di ~/.config/ravelt/password, leggibile solo dal proprietario (chmod 600).",
          "ravelt schedule add --name mattino --at 06:30 --on mon,tue,wed,thu,fri --pdf --mail"},
         commandSchedule},
    });
    return table;
}

// The usage of the whole program: one line for each way to call it.
std::string programUsage()
{
    std::string s = "uso:\n  ravelt [--folder CARTELLA]   il programma con le sue finestre\n";
    for (const auto& c : commands())
        s += "  " + c.syntax.synopsis() + "\n";
    return s + "  ravelt COMANDO --help        le opzioni del comando e un esempio\n"
               "  ravelt --version             la versione del programma\n";
}

// The program's help: its usage, what each command does, and what every command shares.
std::string programHelp()
{
    std::string s = programUsage() + "\ncomandi:\n";
    for (const auto& c : commands())
        s += "  " + c.syntax.name + std::string(14 - c.syntax.name.size(), ' ') + c.syntax.summary + "\n";
    return s + "\nOgni comando lavora nella cartella corrente, la cartella di lavoro della postazione (PCLocal ne\n"
               "è il numero), o in quella di --folder CARTELLA, prima o dopo il nome del comando (con demo, la\n"
               "CARTELLA del nuovo hotel si legge da lì). Le finestre, senza --folder, lavorano nella cartella\n"
               "corrente se contiene AnagraficaHotels.sqlite, altrimenti in quella di RAVELT_FOLDER o in quella\n"
               "ricordata in ~/.config/ravelt/folder; se nessuna è indicata, la chiedono una volta e la ricordano.\n"
               "La password della direzione, quando serve, si legge dal terminale o da RAVELT_PASSWORD.\n"
               "Esito: 0 fatto, 1 non riuscito, 2 argomenti sbagliati.\n";
}

// Reads the --folder options that stand before the command's name ("--folder DIR" or
// "--folder=DIR"; of several, the last counts) and sets 'next' to the first word after
// them. Raises ArgumentError for a --folder without its value.
std::optional<std::string> leadingFolder(const std::vector<std::string>& args, size_t& next)
{
    std::optional<std::string> folder;
    next = 0;
    while (next < args.size()) {
        const std::string& word = args[next];
        if (word == "--folder") {
            if (next + 1 == args.size())
                throw ArgumentError("manca il valore dell'opzione " + shownArgument(word));
            folder = args[next + 1];
            next += 2;
        } else if (word.starts_with("--folder=")) {
            folder = word.substr(9);
            ++next;
        } else {
            break;
        }
    }
    return folder;
}

// Makes 'folder' the process's current folder, where every command works. Raises
// ArgumentError, before anything is opened, when it is missing or cannot be read.
void enterFolder(const std::string& folder)
{
    if (auto p = WorkingFolder::problem(folder))
        throw ArgumentError("la cartella di lavoro " + shownArgument(folder) + " " + *p);
    std::error_code ec;
    std::filesystem::current_path(folder, ec);
    if (ec)
        throw ArgumentError("non si può entrare nella cartella di lavoro " + shownArgument(folder) + ": " + ec.message());
}

}

std::vector<CommandSyntax> commandSyntaxes()
{
    std::vector<CommandSyntax> all;
    for (const auto& c : commands())
        all.push_back(c.syntax);
    return all;
}

std::optional<std::string> windowFolder(const std::vector<std::string>& args)
{
    try {
        size_t next = 0;
        auto folder = leadingFolder(args, next);
        return next == args.size() ? folder : std::nullopt;
    } catch (const ArgumentError&) {
        return std::nullopt;
    }
}

int runCommandLine(const std::vector<std::string>& args, const CommandStreams& io, ProgramState& state)
{
    size_t first = 0;
    std::optional<std::string> folder;
    try {
        folder = leadingFolder(args, first);
        if (first == args.size())
            throw ArgumentError("manca il comando");
    } catch (const ArgumentError& e) {
        io.err << "ravelt: " << e.what() << "\n" << programUsage();
        return EsitoUso;
    }
    const std::string word = args[first];
    if (word == "--help" || word == "-h") {
        io.out << programHelp();
        return EsitoRiuscito;
    }
    if (word == "--version") {
        io.out << "ravelt " RAVELT_VERSION "\n";
        return EsitoRiuscito;
    }
    const auto& table = commands();
    const auto command = std::find_if(table.begin(), table.end(), [&](const Command& c) { return c.syntax.name == word; });
    if (command == table.end()) {
        io.err << "ravelt: " << (word.starts_with("-") ? "opzione sconosciuta: " : "comando sconosciuto: ")
               << shownArgument(word) << "\n"
               << programUsage();
        return EsitoUso;
    }
    const std::string& name = command->syntax.name;
    try {
        const ParsedArguments parsed = command->syntax.parse({args.begin() + static_cast<long>(first) + 1, args.end()});
        if (parsed.help) {
            io.out << command->syntax.help();
            return EsitoRiuscito;
        }
        if (const std::string* given = parsed.value("folder"))
            folder = *given;
        if (folder)
            enterFolder(*folder);
        return command->run(parsed, io, state);
    } catch (const ArgumentError& e) {
        io.err << "ravelt " << name << ": " << e.what() << "\n" << command->syntax.usage();
        return EsitoUso;
    } catch (const std::exception& e) {
        io.err << "ravelt " << name << ": " << e.what() << "\n";
        return EsitoFallito;
    }
}

}
