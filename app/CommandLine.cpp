#include "app/CommandLine.h"

#include "app/ArgumentError.h"
#include "app/CommandSyntax.h"
#include "app/DemoCommand.h"
#include "app/OutputCommands.h"
#include "app/ReportCommand.h"
#include "app/ShownArgument.h"
#include "app/TablePrintCommand.h"
#include "demohotel/DemoHotel.h"
#include "output/ComandiUscita.h"
#include "shell/MainFormRules.h"

#include <algorithm>
#include <cstdio>
#include <functional>

namespace ravelt {

namespace {

struct Command {
    CommandSyntax syntax;
    std::function<int(const ParsedArguments&, const CommandStreams&, ProgramState&)> run;
};

// Every command of the program, in the order the help lists them: the one place that
// says which options each takes and what they mean.
const std::vector<Command>& commands()
{
    const DemoOptions demo;
    char demoStart[16];
    std::snprintf(demoStart, sizeof demoStart, "%02d/%02d/%04d", demo.fromDay, demo.fromMonth, demo.fromYear);
    static const std::vector<Command> table = {
        {{"report",
          {},
          {{"from", "GG/MM/AAAA", "il primo giorno del periodo (anche GGMMAA o GGMMAAAA)", true},
           {"to", "GG/MM/AAAA",
            "l'ultimo giorno, prima dello stesso giorno " + std::to_string(MaxPeriodYears) + " anni dopo il primo", true},
           {"type", "Tutti|Fatture|Ricevute", "il tipo di documento (senza: Tutti)"},
           {"counter", "N", "il contatore contabile, 0 per tutti (senza: 0)"}},
          "il dettaglio incassi del periodo, senza finestre: scrive il file del report FD<PCLocal>",
          "Il file precedente resta com'era se il report non si può fare.",
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
           {"rooms", "N", "le camere dell'hotel (senza: " + std::to_string(demo.rooms) + ")"}},
          "crea una cartella di lavoro con un hotel dimostrativo",
          "Con le stampanti (la destinazione PDF report.pdf, la stampante di testo stampa.txt) e la posta\n"
          "per un server SMTP su 127.0.0.1:2525.",
          "ravelt demo demo --days 365 --from 01/01/2026 --seed 1"},
         commandDemo},
    };
    return table;
}

// The usage of the whole program: one line for each way to call it.
std::string programUsage()
{
    std::string s = "uso:\n  ravelt                  il programma con le sue finestre\n";
    for (const auto& c : commands())
        s += "  " + c.syntax.synopsis() + "\n";
    return s + "  ravelt COMANDO --help   le opzioni del comando e un esempio\n"
               "  ravelt --version        la versione del programma\n";
}

// The program's help: its usage, what each command does, and what every command shares.
std::string programHelp()
{
    std::string s = programUsage() + "\ncomandi:\n";
    for (const auto& c : commands())
        s += "  " + c.syntax.name + std::string(14 - c.syntax.name.size(), ' ') + c.syntax.summary + "\n";
    return s + "\nOgni comando lavora nella cartella corrente, la cartella di lavoro della postazione (PCLocal ne\n"
               "è il numero). La password della direzione, quando serve, si legge dal terminale o da\n"
               "RAVELT_PASSWORD. Esito: 0 fatto, 1 non riuscito, 2 argomenti sbagliati.\n";
}

}

int runCommandLine(const std::vector<std::string>& args, const CommandStreams& io, ProgramState& state)
{
    const std::string word = args.empty() ? "" : args.front();
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
        const ParsedArguments parsed = command->syntax.parse({args.begin() + 1, args.end()});
        if (parsed.help) {
            io.out << command->syntax.help();
            return EsitoRiuscito;
        }
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
