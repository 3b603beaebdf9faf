#include "app/ScheduleCommand.h"

#include "app/ArgumentError.h"
#include "app/AuditOptions.h"
#include "app/AuditSchedule.h"
#include "app/ShownArgument.h"
#include "app/UserSystemd.h"
#include "platform/Environment.h"
#include "platform/StoreLocation.h"

#include <cctype>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>

namespace ravelt {

namespace {

const char* const PasswordVariable = "RAVELT_PASSWORD_FILE";

bool given(const ParsedArguments& args, const std::string& option)
{
    return args.value(option) || args.flag(option);
}

// The user's unit folder and the password file the services read, both under the
// user's configuration folder, so that they move together with XDG_CONFIG_HOME.
struct UserFolders {
    std::filesystem::path units;
    std::filesystem::path password;
};

UserFolders userFolders()
{
    const std::filesystem::path config = userConfigFolder(SystemEnvironment());
    if (config.empty())
        throw std::runtime_error("non si sa dove mettere le pianificazioni: né XDG_CONFIG_HOME né HOME indicano una cartella");
    return {config / "systemd" / "user", config / "ravelt" / "password"};
}

// A command-line word as the operator would type it back: as it is when plain, in
// single quotes otherwise.
std::string shellWord(const std::string& word)
{
    bool plain = !word.empty();
    for (char c : word)
        plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || std::strchr("/._,:+=@-", c));
    if (plain)
        return word;
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string commandText(const AuditSchedule& s)
{
    std::string text = "ravelt --folder " + shellWord(s.folder.string()) + " audit";
    for (const auto& word : s.auditArguments)
        text += " " + shellWord(word);
    return text;
}

// Refuses, before the action does anything, an option the action does not take.
void refuseOptions(const ParsedArguments& args, const std::string& action, const std::vector<std::string>& options)
{
    for (const auto& o : options)
        if (given(args, o))
            throw ArgumentError("l'opzione --" + o + " non vale con " + action);
}

std::vector<std::string> addOnlyOptions()
{
    std::vector<std::string> names = {"at", "on"};
    for (const auto& o : auditOptions())
        names.push_back(o.name);
    return names;
}

const std::string& requiredName(const ParsedArguments& args, const std::string& action)
{
    const std::string* name = args.value("name");
    if (!name)
        throw ArgumentError(action + " vuole il nome della pianificazione: --name NOME");
    AuditSchedule::checkName(*name);
    return *name;
}

// The password file, when there is one, must be readable by its owner only: the same
// rule the gate applies when the audit reads it, told now rather than at the first
// night's run.
void checkPasswordFile(const std::filesystem::path& file)
{
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0 && (st.st_mode & 077) != 0)
        throw std::runtime_error("il file della password " + file.string() +
                                 " possono leggerlo anche altri utenti: lo si renda leggibile solo dal suo proprietario "
                                 "(chmod 600 " + file.string() + ")");
}

// Every argument is checked, then what is already there (a schedule of the name, the
// password file), and only then are the units written: a refusal leaves the user's
// folders as they were. The manager is asked to start the timer last; when it cannot,
// the units stay and the message says how to start them.
int add(const ParsedArguments& args, const CommandStreams& io)
{
    const std::string& name = requiredName(args, "add");
    const std::string* at = args.value("at");
    if (!at)
        throw ArgumentError("add vuole l'ora del controllo: --at HH:MM");
    AuditSchedule s;
    s.name = name;
    s.calendar = AuditSchedule::calendarFor(*at, args.value("on"));
    checkAuditArguments(args);
    s.auditArguments = auditArgumentWords(args);
    for (const auto& word : s.auditArguments)
        if (!AuditSchedule::fitsInUnit(word))
            throw ArgumentError("il valore " + shownArgument(word) + " non può stare in un'unità di systemd");
    s.folder = std::filesystem::current_path();
    if (!AuditSchedule::fitsInUnit(s.folder.string()))
        throw ArgumentError("la cartella di lavoro " + shownArgument(s.folder.string()) +
                            " ha nel nome caratteri che un'unità di systemd non accetta");

    const UserFolders where = userFolders();
    if (AuditSchedule::exists(where.units, name))
        throw std::runtime_error("la pianificazione \"" + name + "\" esiste già (ravelt schedule list la mostra); per "
                                 "cambiarla la si tolga con ravelt schedule remove --name " + name + " e la si aggiunga di nuovo");
    checkPasswordFile(where.password);
    std::error_code ec;
    s.program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        throw std::runtime_error("non si trova il percorso del programma in esecuzione: " + ec.message());
    const SystemEnvironment env;
    for (const char* variable : {"PCLocal", "NTerm"})
        if (const auto value = env.get(variable))
            s.environment.emplace_back(variable, *value);
    s.environment.emplace_back(PasswordVariable, where.password.string());
    s.write(where.units);

    const std::string timer = AuditSchedule::timerUnit(name);
    io.out << "Pianificazione \"" << name << "\" scritta in " << where.units.string() << " (" << timer << " e "
           << AuditSchedule::serviceUnit(name) << "):\n  " << commandText(s) << "\n  quando: " << s.calendar
           << " (un'ora mancata a computer spento si recupera al primo avvio successivo)\n";
    if (env.get(DatabaseVariable))
        io.err << "ravelt schedule: " << DatabaseVariable << " non passa al servizio: perché la cartella usi il server, "
               << "se ne metta la stringa di connessione in " << DatabaseFileName << "\n";
    io.out << "Se la cartella chiede la password della direzione, il servizio la legge dalla prima riga di "
           << where.password.string() << ", leggibile solo dal proprietario (chmod 600).\n";
    if (!userManagerRunning()) {
        io.out << "Il gestore dei servizi dell'utente non è attivo: per attivare la pianificazione, in una sessione "
                  "dell'utente:\n  systemctl --user daemon-reload\n  systemctl --user enable --now "
               << timer << "\ne perché il controllo si faccia anche senza che l'utente sia collegato:\n"
               << "  loginctl enable-linger\n";
        return 0;
    }
    try {
        userSystemctl("daemon-reload");
        userSystemctl("enable", timer);
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string(e.what()) + "; le unità sono scritte: per attivarle, systemctl --user "
                                 "daemon-reload e systemctl --user enable --now " + timer);
    }
    const auto next = managerNextElapse(timer);
    io.out << "Pianificazione attiva; prossima esecuzione: " << next.value_or("non indicata") << "\n";
    return 0;
}

// One entry a schedule; a pair of units this program cannot read back (changed by hand)
// is listed with the reason, so that it can still be found and removed.
int list(const CommandStreams& io)
{
    const UserFolders where = userFolders();
    const auto names = AuditSchedule::names(where.units);
    if (names.empty()) {
        io.out << "Nessuna pianificazione in " << where.units.string() << ".\n";
        return 0;
    }
    const bool manager = userManagerRunning();
    for (const auto& name : names) {
        io.out << name << "\n";
        AuditSchedule s;
        try {
            s = AuditSchedule::read(where.units, name);
        } catch (const std::exception& e) {
            io.out << "  non leggibile: " << e.what() << "\n";
            continue;
        }
        io.out << "  quando:    " << s.calendar << "\n  comando:   " << commandText(s) << "\n  prossima:  ";
        if (manager) {
            const auto next = managerNextElapse(AuditSchedule::timerUnit(name));
            io.out << (next ? *next : "nessuna, il timer non è attivo (systemctl --user enable --now " +
                                          AuditSchedule::timerUnit(name) + ")");
        } else {
            io.out << calendarNextElapse(s.calendar).value_or("non calcolabile (manca systemd-analyze?)");
        }
        io.out << "\n";
    }
    if (!manager)
        io.out << "Il gestore dei servizi dell'utente non è attivo: le esecuzioni si fanno solo quando lo è.\n";
    return 0;
}

// A manager that cannot disable the timer is told, and the units are removed anyway:
// what the operator asked for is that the schedule be gone.
int remove(const ParsedArguments& args, const CommandStreams& io)
{
    const std::string& name = requiredName(args, "remove");
    const UserFolders where = userFolders();
    if (!AuditSchedule::exists(where.units, name))
        throw std::runtime_error("nessuna pianificazione \"" + name + "\" in " + where.units.string() +
                                 " (ravelt schedule list le elenca)");
    const bool manager = userManagerRunning();
    if (manager) {
        try {
            userSystemctl("disable", AuditSchedule::timerUnit(name));
        } catch (const std::exception& e) {
            io.err << "ravelt schedule: " << e.what() << "\n";
        }
    }
    AuditSchedule::remove(where.units, name);
    if (manager)
        userSystemctl("daemon-reload");
    io.out << "Pianificazione \"" << name << "\" tolta.\n";
    return 0;
}

}

std::vector<OptionSyntax> scheduleOptions()
{
    std::vector<OptionSyntax> options = {
        {"name", "NOME", "il nome della pianificazione: lettere, cifre, - e _ (con add e remove)"},
        {"at", "HH:MM", "l'ora del controllo (con add)"},
        {"on", "GIORNI", "i giorni, separati da virgole: mon,tue,wed,thu,fri,sat,sun (senza: ogni giorno)"},
    };
    for (const auto& o : auditOptions())
        options.push_back(o);
    return options;
}

int commandSchedule(const ParsedArguments& args, const CommandStreams& io, ProgramState&)
{
    const std::string& action = args.operands.front();
    if (action == "add")
        return add(args, io);
    if (action == "list") {
        std::vector<std::string> refused = addOnlyOptions();
        refused.push_back("name");
        refuseOptions(args, "list", refused);
        return list(io);
    }
    if (action == "remove") {
        refuseOptions(args, "remove", addOnlyOptions());
        return remove(args, io);
    }
    throw ArgumentError("azione sconosciuta: " + shownArgument(action) + " (add, list o remove)");
}

}
