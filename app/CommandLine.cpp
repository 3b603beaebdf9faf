#include "app/CommandLine.h"

#include "app/CliGate.h"
#include "app/OutputCommands.h"
#include "app/ShownArgument.h"
#include "cashreport/CreaDettaglioCassa.h"
#include "demohotel/DemoHotel.h"
#include "output/ComandiUscita.h"
#include "shell/FieldRoutines.h"
#include "shell/MainFormRules.h"
#include "shell/StartupSequence.h"
#include "shell/program_state.h"
#include "platform/Environment.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <map>
#include <unistd.h>
#include <optional>
#include <stdexcept>

namespace ravelt {

namespace {

// Options of the form --name value; anything else is a positional argument. An option
// not in 'known' or without its value is an error that names it.
struct Options {
    std::map<std::string, std::string> named;
    std::vector<std::string> positional;
};

Options parse(const std::vector<std::string>& args, const std::vector<std::string>& known)
{
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) == 0) {
            std::string name = a.substr(2);
            if (std::find(known.begin(), known.end(), name) == known.end())
                throw std::invalid_argument("opzione sconosciuta: " + shownArgument(a));
            if (i + 1 >= args.size())
                throw std::invalid_argument("manca il valore dell'opzione " + shownArgument(a));
            o.named[name] = args[++i];
        } else {
            o.positional.push_back(a);
        }
    }
    return o;
}

// The month lengths as the window's activation sets them; ControllaData rewrites February.
std::array<std::int16_t, 13> monthLengths()
{
    return {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
}

// A whole number of an option, read as the window reads the counter (blanks around it
// dropped); anything else, or a number outside lo..hi, is refused with a message.
long wholeNumber(const std::string& text, const std::string& what, long lo, long hi)
{
    const auto v = parseWholeNumber(text, lo, hi);
    if (!v)
        throw std::invalid_argument(what + " non valido: " + shownArgument(text) + " (un numero intero da " +
                                    std::to_string(lo) + " a " + std::to_string(hi) + ")");
    return static_cast<long>(*v);
}

// A date typed on the command line, cleaned and expanded as the date fields do it
// (ddmmyy and ddmmyyyy are accepted too) and checked as the report needs it. Returns it
// as dd/mm/yyyy.
std::string checkedDate(const std::string& text, const std::string& what)
{
    std::string cleaned = text;
    cleaned = FiltraCampo(cleaned, 0);
    EspandiData(cleaned);
    std::array<std::int16_t, 13> giorni = monthLengths();
    if (!checkDate(cleaned, giorni))
        throw std::invalid_argument(what + " non valida: " + shownArgument(text) + " (formato GG/MM/AAAA)");
    return cleaned;
}

// The folder of a new demo hotel must be a name the system can make: a path of at most
// PATH_MAX - 1 bytes whose every part is at most NAME_MAX bytes.
void checkFolderName(const std::string& text)
{
    size_t longest = 0;
    for (size_t start = 0; start <= text.size();) {
        size_t end = std::min(text.find('/', start), text.size());
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    if (text.size() >= PATH_MAX || longest > NAME_MAX)
        throw std::invalid_argument("nome di cartella troppo lungo: " + shownArgument(text) + " (al più " +
                                    std::to_string(NAME_MAX) + " caratteri per nome)");
}

}

int usage()
{
    std::fprintf(stderr,
                 "uso:\n"
                 "  ravelt                              il programma con le sue finestre\n"
                 "  ravelt report --from GG/MM/AAAA --to GG/MM/AAAA [--type Tutti|Fatture|Ricevute] [--counter N]\n"
                 "  ravelt demo CARTELLA [--days N] [--from GG/MM/AAAA] [--seed S] [--rooms N]\n"
                 "  ravelt table-print NOME             la stampa filtrata NOME.stp con il filtro NOME.fil\n"
                 "%s",
                 UsoComandiUscita().c_str());
    return 2;
}

int commandDemo(const std::vector<std::string>& args)
{
    try {
        Options o = parse(args, {"days", "from", "seed", "rooms"});
        if (o.positional.size() != 1)
            return usage();
        DemoOptions d;
        if (o.named.count("days"))
            d.days = static_cast<int>(wholeNumber(o.named["days"], "numero di giorni", 1, 3660));
        if (o.named.count("rooms"))
            d.rooms = static_cast<int>(wholeNumber(o.named["rooms"], "numero di camere", 1, 5000));
        if (o.named.count("seed"))
            d.seed = static_cast<std::uint64_t>(wholeNumber(o.named["seed"], "seme", 0, 2147483647L));
        if (o.named.count("from")) {
            std::string from = checkedDate(o.named["from"], "data iniziale");
            d.fromDay = std::stoi(from.substr(0, 2));
            d.fromMonth = std::stoi(from.substr(3, 2));
            d.fromYear = std::stoi(from.substr(6, 4));
        }
        checkFolderName(o.positional[0]);
        std::filesystem::path folder = o.positional[0];
        std::filesystem::create_directories(folder);
        auto start = std::chrono::steady_clock::now();
        DemoSummary s = createDemoHotel(folder, d);
        double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::uintmax_t bytes = 0;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            if (e.is_regular_file())
                bytes += e.file_size();
        std::printf("Cartella demo %s: %ld documenti, %ld incassi (%ld esterni), %ld righe di presenze; %.1f s, %.1f MB\n",
                    folder.string().c_str(), s.documents, s.payments, s.externalEntries, s.presenceRows, secs, bytes / 1e6);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ravelt demo: %s\n", e.what());
        return 1;
    }
}


// Opens the working folder as the main window does (registry, password file, gate,
// workstation variables, column store) for a command without windows. Returns false,
// with the reason already printed, when the command must not go on.
static bool openWorkstation(ProgramState& state)
{
    static SystemEnvironment env;
    StartupSequence startup(state, std::filesystem::current_path(), env, nullptr, [&state] { cliGate(state); });
    if (!startup.load())
        return false;
    return startup.activate();
}

int commandReport(const std::vector<std::string>& args, ProgramState& state)
{
    try {
        Options o = parse(args, {"from", "to", "type", "counter"});
        if (!o.positional.empty() || !o.named.count("from") || !o.named.count("to"))
            return usage();
        std::string from = checkedDate(o.named["from"], "data iniziale");
        std::string to = checkedDate(o.named["to"], "data finale");
        // The window's rules for the period: start not after the end, at most 100 years.
        std::array<std::int16_t, 13> giorni = monthLengths();
        const PeriodCheck period = checkPeriod(from, to, giorni);
        if (!period.ok)
            throw std::invalid_argument(period.message);
        std::string type = o.named.count("type") ? o.named["type"] : "Tutti";
        if (type != "Tutti" && type != "Fatture" && type != "Ricevute")
            throw std::invalid_argument("tipo documento sconosciuto: " + shownArgument(type) + " (Tutti, Fatture o Ricevute)");
        std::int16_t counter = 0;
        if (o.named.count("counter"))
            counter = static_cast<std::int16_t>(wholeNumber(o.named["counter"], "contatore", 0, 32767));

        if (!openWorkstation(state))
            return 1;
        state.ContatoreScelto = counter;

        CashReportRequest r;
        r.folder = std::filesystem::current_path();
        r.startDate = from;
        r.endDate = to;
        r.documentType = type;
        r.ContatoreScelto = counter;
        r.NumeroHotel = state.NumeroHotel;
        r.PCLocal = state.PCLocal;
        r.CodiceAssistenza = state.CodiceAssistenza;
        // On a terminal, one line that follows the days; scripts get only the outcome.
        bool terminal = isatty(STDERR_FILENO);
        std::string lastDay;
        if (terminal)
            r.progress = [&lastDay](const std::string& text) {
                std::string day = text.substr(0, 10);
                if (day != lastDay) {
                    lastDay = day;
                    std::fprintf(stderr, "\rDettaglio incassi: %s", day.c_str());
                    std::fflush(stderr);
                }
            };
        CashReportResult result = CreaDettaglioCassa(r);
        if (terminal && !lastDay.empty())
            std::fprintf(stderr, "\r%40s\r", "");
        std::printf("Report scritto in %s (%ld giorni, dal %s al %s, %s, contatore %d)\n", result.reportPath.string().c_str(),
                    result.days, from.c_str(), to.c_str(), type.c_str(), counter);
        return 0;
    } catch (const CashReportError& e) {
        std::fprintf(stderr, "ravelt report: %s (%s)\n", e.description().c_str(), e.source().c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ravelt report: %s\n", e.what());
        return 1;
    }
}

int commandOnReportFile(const std::string& command, const std::vector<std::string>& args, ProgramState& state)
{
    try {
        if (!openWorkstation(state))
            return 1;
        if (command == "print")
            return commandPrint(args, state);
        if (command == "csv")
            return commandCsv(args, state);
        return commandMail(args, state);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ravelt %s: %s\n", command.c_str(), e.what());
        return 1;
    }
}

}
