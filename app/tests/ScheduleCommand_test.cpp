// ravelt schedule run as the operator runs it: the real executable, in a temporary home
// whose runtime folder holds no user service manager (as in a container, or before the
// first login), so that the units are written and the commands that enable them are told.
// Every unit written is checked by systemd's own reader, systemd-analyze verify.
#include "platform/Database.h"
#include "testing/ShellRun.h"
#include "testing/TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using ravelt::testing::TempFolder;

namespace {

using Outcome = ravelt::testing::ShellOutcome;
using ravelt::testing::shellQuoted;

Outcome capture(const std::string& cmd)
{
    return ravelt::testing::runShell(cmd);
}

std::string fileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A user's home for one test: HOME, an empty runtime folder (no service manager answers
// there), and a working folder whose name needs quoting in a unit.
class Schedule : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(home());
        fs::create_directories(runtime());
        fs::permissions(runtime(), fs::perms::owner_all);
        fs::create_directories(hotel());
    }
    fs::path home() const { return root / "home"; }
    fs::path runtime() const { return root / "run"; }
    fs::path hotel() const { return root / "Hotel \"Lago\" 100%"; }
    fs::path config() const { return home() / ".config"; }
    fs::path units() const { return config() / "systemd" / "user"; }

    // The environment of every run: this home, this runtime folder, no session bus, no
    // password or server of the calling process.
    std::string environment(const std::string& extra = "") const
    {
        return "env -u RAVELT_PASSWORD -u RAVELT_PASSWORD_FILE -u RAVELT_DATABASE -u DBUS_SESSION_BUS_ADDRESS "
               "-u XDG_CONFIG_HOME HOME=" + shellQuoted(home().string()) + " XDG_RUNTIME_DIR=" +
               shellQuoted(runtime().string()) + " PCLocal=3 " + extra;
    }

    Outcome ravelt(const std::vector<std::string>& args, const std::string& extra = "") const
    {
        std::string cmd = "cd " + shellQuoted(hotel().string()) + " && " + environment(extra) + " '" RAVELT_EXE "'";
        for (const auto& a : args)
            cmd += " " + shellQuoted(a);
        return capture(cmd);
    }

    // systemd's verdict on a schedule's two units, read as the user's manager would read
    // them: "" when it finds nothing to say.
    std::string verify(const fs::path& folder, const std::string& name, const std::string& extra = "") const
    {
        const Outcome r = capture(environment(extra) + " systemd-analyze --user verify " +
                                  shellQuoted((folder / ("ravelt-audit-" + name + ".timer")).string()) + " " +
                                  shellQuoted((folder / ("ravelt-audit-" + name + ".service")).string()) + " 2>&1");
        return r.status == 0 && r.out.empty() ? "" : "status " + std::to_string(r.status) + ": " + r.out + r.err;
    }

    TempFolder root;
};

// The line of a unit's text that starts with 'key', without its line end; "" when none.
std::string line(const std::string& text, const std::string& key)
{
    const size_t at = text.find("\n" + key);
    return at == std::string::npos ? "" : text.substr(at + 1, text.find('\n', at + 1) - at - 1);
}

// What add writes for each way to give the time, the days and the audit's options: the
// timer's calendar, the service's command with the folder and the options as the audit
// must receive them (blanks, quotes, '%' and '$' escaped as systemd reads them back), the
// workstation's number and the password file, never a password. systemd-analyze accepts
// every pair, list reads it back, and the next run it gives falls at the time asked.
TEST_F(Schedule, AddWritesUnitsSystemdAcceptsAndListReadsThemBack)
{
    ASSERT_EQ(capture("systemd-analyze --version").status, 0) << "systemd-analyze is needed (package systemd)";
    const std::string exe = fs::canonical(RAVELT_EXE).string();
    const std::string folder = fs::canonical(hotel()).string();
    const std::string xdg = (root / "altrove").string();
    const std::string secret = "Segreto99";
    struct Case {
        std::vector<std::string> args;
        std::string extra;     // more of the environment
        fs::path configFolder; // where the units and the password file go
        std::string calendar;
        std::string execTail;  // ExecStart after the folder
        std::string listed;    // the command as list shows it, after the folder
        const char* day;       // the next run's weekday, when the days are fixed
    } cases[] = {
        {{"--name", "mattino", "--at", "06:30"}, "", config(), "*-*-* 06:30:00", " audit", " audit", nullptr},
        {{"--name", "feriali-2", "--at", "7:05", "--on", "fri, MON,tue,mon", "--period", "last-month", "--type", "Fatture",
          "--counter", " 3 "},
         "RAVELT_PASSWORD=" + secret,
         config(),
         "Mon,Tue,Fri *-*-* 07:05:00",
         " audit --period last-month --type Fatture --counter 3",
         " audit --period last-month --type Fatture --counter 3",
         nullptr},
        {{"--name", "Notte_3", "--at", "23:59", "--on", "sun", "--mail", "--print", "Stampa \"B\" 50% $HOME\\x", "--pdf",
          "--strict"},
         "RAVELT_DATABASE=" + shellQuoted("host=db password=" + secret) + " XDG_CONFIG_HOME=" + shellQuoted(xdg),
         xdg,
         "Sun *-*-* 23:59:00",
         " audit --pdf --print \"Stampa \\\"B\\\" 50%% $$HOME\\\\x\" --mail --strict",
         " audit --pdf --print 'Stampa \"B\" 50% $HOME\\x' --mail --strict",
         "Sun "},
    };
    for (const auto& c : cases) {
        const std::string name = c.args[1];
        std::vector<std::string> args = {"schedule", "add"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Outcome added = ravelt(args, c.extra);
        ASSERT_EQ(added.status, 0) << name << ": " << added.out << added.err;
        const fs::path unitFolder = c.configFolder / "systemd" / "user";
        const std::string timer = fileText(unitFolder / ("ravelt-audit-" + name + ".timer"));
        const std::string service = fileText(unitFolder / ("ravelt-audit-" + name + ".service"));
        EXPECT_EQ(line(timer, "OnCalendar="), "OnCalendar=" + c.calendar) << name;
        EXPECT_EQ(line(timer, "Persistent="), "Persistent=true") << name;
        EXPECT_EQ(line(service, "ExecStart="),
                  "ExecStart=" + exe + " --folder \"" + fs::canonical(root.path()).string() + "/Hotel \\\"Lago\\\" 100%%\"" +
                      c.execTail)
            << name;
        EXPECT_NE(service.find("\nEnvironment=\"PCLocal=3\"\n"), std::string::npos) << service;
        EXPECT_NE(service.find("\nEnvironment=\"RAVELT_PASSWORD_FILE=" + (c.configFolder / "ravelt/password").string() +
                               "\"\n"),
                  std::string::npos)
            << service;
        for (const auto& text : {timer, service, added.out, added.err}) {
            EXPECT_EQ(text.find(secret), std::string::npos) << name << ": " << text;
            EXPECT_EQ(text.find("RAVELT_PASSWORD="), std::string::npos) << name << ": " << text;
            EXPECT_EQ(text.find("RAVELT_DATABASE="), std::string::npos) << name << ": " << text;
        }
        EXPECT_EQ(verify(unitFolder, name, c.extra), "") << name;

        // No manager: the units are written, and the operator is told how to start them.
        const std::vector<std::string> advice = {"systemctl --user daemon-reload\n",
                                                 "systemctl --user enable --now ravelt-audit-" + name + ".timer\n",
                                                 "loginctl enable-linger\n", "al primo avvio successivo",
                                                 (c.configFolder / "ravelt/password").string()};
        for (const auto& told : advice)
            EXPECT_NE(added.out.find(told), std::string::npos) << name << " lacks " << told << ": " << added.out;

        const Outcome listed = ravelt({"schedule", "list"}, c.extra);
        ASSERT_EQ(listed.status, 0) << listed.out << listed.err;
        const size_t at = listed.out.find(name + "\n");
        ASSERT_NE(at, std::string::npos) << listed.out;
        const std::string entry = listed.out.substr(at);
        EXPECT_NE(entry.find("quando:    " + c.calendar + "\n"), std::string::npos) << entry;
        EXPECT_NE(entry.find("comando:   ravelt --folder '" + folder + "'" + c.listed + "\n"), std::string::npos) << entry;
        const std::string next = line(entry, "  prossima:  ");
        EXPECT_NE(next.find(" " + c.calendar.substr(c.calendar.size() - 8)), std::string::npos) << entry;
        if (c.day) {
            EXPECT_TRUE(next.starts_with(std::string("  prossima:  ") + c.day)) << entry;
        }
    }
    if (HasFailure())
        return;
    // The units of the first two are in the home's configuration folder, the third's
    // where XDG_CONFIG_HOME says, and list finds the schedules of the folder it is given.
    const Outcome listed = ravelt({"schedule", "list"});
    EXPECT_NE(listed.out.find("feriali-2\n"), std::string::npos) << listed.out;
    EXPECT_EQ(listed.out.find("Notte_3\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("non è attivo"), std::string::npos) << listed.out;
}

// A command line that cannot make a schedule is refused with the reason and the usage,
// exit 2, before anything is written: not even the unit folder is made.
TEST_F(Schedule, WrongArgumentsAreRefusedWritingNothing)
{
    struct Case {
        std::vector<std::string> args;
        std::string reason;
    } cases[] = {
        {{"add", "--name", "x y", "--at", "06:30"}, "nome di pianificazione non valido: \"x y\""},
        {{"add", "--name", "caffè", "--at", "06:30"}, "nome di pianificazione non valido"},
        {{"add", "--name", "a/b", "--at", "06:30"}, "nome di pianificazione non valido"},
        {{"add", "--name", "a.timer", "--at", "06:30"}, "nome di pianificazione non valido"},
        {{"add", "--name", "", "--at", "06:30"}, "il nome della pianificazione è vuoto"},
        {{"add", "--name", std::string(65, 'n'), "--at", "06:30"}, "nome di pianificazione troppo lungo"},
        {{"add", "--at", "06:30"}, "add vuole il nome della pianificazione"},
        {{"add", "--name", "x"}, "add vuole l'ora del controllo"},
        {{"add", "--name", "x", "--at", "24:00"}, "ora non valida: \"24:00\""},
        {{"add", "--name", "x", "--at", "06:60"}, "ora non valida"},
        {{"add", "--name", "x", "--at", "6"}, "ora non valida"},
        {{"add", "--name", "x", "--at", "06:3"}, "ora non valida"},
        {{"add", "--name", "x", "--at", "06:30:00"}, "ora non valida"},
        {{"add", "--name", "x", "--at", "-1:30"}, "ora non valida"},
        {{"add", "--name", "x", "--at", "06:30", "--on", "mon,,tue"}, "giorno non valido in --on: \"\""},
        {{"add", "--name", "x", "--at", "06:30", "--on", "lun"}, "giorno non valido in --on: \"lun\""},
        {{"add", "--name", "x", "--at", "06:30", "--on", "monday"}, "giorno non valido in --on"},
        {{"add", "--name", "x", "--at", "06:30", "--on", ""}, "giorno non valido in --on"},
        {{"add", "--name", "x", "--at", "06:30", "--period", "tomorrow"}, "periodo sconosciuto: \"tomorrow\""},
        {{"add", "--name", "x", "--at", "06:30", "--type", "fatture"}, "tipo documento sconosciuto: \"fatture\""},
        {{"add", "--name", "x", "--at", "06:30", "--counter", "32768"}, "contatore non valido"},
        {{"add", "--name", "x", "--at", "06:30", "--counter", "-1"}, "contatore non valido"},
        {{"add", "--name", "x", "--at", "06:30", "--print", "  "}, "la destinazione di --print è vuota"},
        {{"add", "--name", "x", "--at", "06:30", "--print", "a\nb"}, "non può stare in un'unità di systemd"},
        {{"add", "--name", "x", "--at", "06:30", "--pdf=si"}, "l'opzione --pdf non vuole un valore"},
        {{"add", "--name", "x", "--at", "06:30", "--counter"}, "manca il valore dell'opzione \"--counter\""},
        {{"add", "--name", "x", "--at", "06:30", "--nightly"}, "opzione sconosciuta: \"--nightly\""},
        {{"add", "x", "--at", "06:30"}, "argomento inatteso: \"x\""},
        {{"list", "--at", "06:30"}, "l'opzione --at non vale con list"},
        {{"list", "--name", "x"}, "l'opzione --name non vale con list"},
        {{"remove", "--name", "x", "--mail"}, "l'opzione --mail non vale con remove"},
        {{"remove"}, "remove vuole il nome della pianificazione"},
        {{"remove", "--name", "../x"}, "nome di pianificazione non valido"},
        {{"enable"}, "azione sconosciuta: \"enable\""},
        {{}, "manca l'argomento AZIONE"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"schedule"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const std::string what = ::testing::PrintToString(args);
        const Outcome r = ravelt(args);
        EXPECT_EQ(r.status, 2) << what << ": " << r.out << r.err;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << what << ": " << r.err;
        EXPECT_NE(r.err.find("uso: ravelt schedule AZIONE"), std::string::npos) << what << ": " << r.err;
        EXPECT_EQ(r.out, "") << what;
    }
    EXPECT_TRUE(fs::is_empty(home())) << "nothing is written";
}

// A name already scheduled is refused and its units are kept as they were; remove takes
// away both units of one schedule (and the link enabling its timer), leaving the others;
// a name that is not scheduled, or no more, is told. A pair changed by hand is still
// listed, saying what is wrong with it, and can be removed.
TEST_F(Schedule, ASecondAddIsRefusedAndRemoveTakesOnlyItsOwnUnits)
{
    ASSERT_EQ(ravelt({"schedule", "add", "--name", "mattino", "--at", "06:30", "--mail"}).status, 0);
    ASSERT_EQ(ravelt({"schedule", "add", "--name", "sera", "--at", "21:00"}).status, 0);
    const std::string timer = fileText(units() / "ravelt-audit-mattino.timer");
    const std::string service = fileText(units() / "ravelt-audit-mattino.service");

    const Outcome again = ravelt({"schedule", "add", "--name", "mattino", "--at", "07:00"});
    EXPECT_EQ(again.status, 1) << again.out << again.err;
    EXPECT_NE(again.err.find("la pianificazione \"mattino\" esiste già"), std::string::npos) << again.err;
    EXPECT_NE(again.err.find("ravelt schedule remove --name mattino"), std::string::npos) << again.err;
    EXPECT_EQ(fileText(units() / "ravelt-audit-mattino.timer"), timer);
    EXPECT_EQ(fileText(units() / "ravelt-audit-mattino.service"), service);

    fs::create_directories(units() / "timers.target.wants");
    fs::create_symlink(units() / "ravelt-audit-mattino.timer", units() / "timers.target.wants/ravelt-audit-mattino.timer");
    const Outcome removed = ravelt({"schedule", "remove", "--name", "mattino"});
    EXPECT_EQ(removed.status, 0) << removed.out << removed.err;
    EXPECT_EQ(ravelt::testing::fileNames(units()),
              (std::vector<std::string>{"ravelt-audit-sera.service", "ravelt-audit-sera.timer", "timers.target.wants"}));
    EXPECT_TRUE(fs::is_empty(units() / "timers.target.wants"));

    const Outcome unknown = ravelt({"schedule", "remove", "--name", "mattino"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("nessuna pianificazione \"mattino\""), std::string::npos) << unknown.err;

    std::ofstream(units() / "ravelt-audit-sera.timer", std::ios::trunc) << "[Timer]\nPersistent=true\n";
    const Outcome changed = ravelt({"schedule", "list"});
    EXPECT_EQ(changed.status, 0) << changed.err;
    EXPECT_NE(changed.out.find("sera\n  non leggibile: ravelt-audit-sera.timer non ha un solo OnCalendar="),
              std::string::npos)
        << changed.out;
    fs::remove(units() / "ravelt-audit-sera.service");
    EXPECT_EQ(ravelt({"schedule", "remove", "--name", "sera"}).status, 0);
    EXPECT_EQ(ravelt::testing::fileNames(units()), std::vector<std::string>{"timers.target.wants"});
    const Outcome none = ravelt({"schedule", "list"});
    EXPECT_EQ(none.status, 0);
    EXPECT_NE(none.out.find("Nessuna pianificazione"), std::string::npos) << none.out;
}

// The password file the services read must be readable by its owner only: add refuses
// to schedule beside one that others can read, and the gate refuses to use it, each
// saying how to fix it. The hotel's support code "P" asks for the password ABC (stored
// as 567, check value 1404).
TEST_F(Schedule, APasswordFileOthersCanReadIsRefused)
{
    const fs::path password = config() / "ravelt" / "password";
    fs::create_directories(password.parent_path());
    std::ofstream(password) << "abc\n";
    fs::permissions(password, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    const Outcome refused = ravelt({"schedule", "add", "--name", "mattino", "--at", "06:30"});
    EXPECT_EQ(refused.status, 1) << refused.out << refused.err;
    EXPECT_NE(refused.err.find("chmod 600 " + password.string()), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(units()));

    ASSERT_EQ(ravelt({"demo", "gate", "--days", "3", "--rooms", "2", "--from", "01/01/2024"}).status, 0);
    const fs::path gate = hotel() / "gate";
    ravelt::Database::OpenDatabase("AnagraficaHotels.mdb", gate)->Execute("UPDATE AnagraficaHotels SET CodiceAssistenza = 'P'");
    std::ofstream(gate / "Security.pwd", std::ios::binary) << "567,1404\r\n";
    struct Case {
        const char* content;  // nullptr: no file
        fs::perms mode;
        int status;
        const char* told;  // on the errors, when refused
    } cases[] = {
        {"abc\n", fs::perms::owner_read | fs::perms::group_read, 1, "chmod 600"},
        {"abc\n", fs::perms::owner_read | fs::perms::others_write, 1, "chmod 600"},
        {nullptr, fs::perms::none, 1, "non si può leggere"},
        {"abd\n", fs::perms::owner_read | fs::perms::owner_write, 1, nullptr},
        {" abc \r\nsecond line", fs::perms::owner_read | fs::perms::owner_write, 0, nullptr},
    };
    for (const auto& c : cases) {
        fs::remove(password);
        fs::remove(gate / "FD3");
        if (c.content) {
            std::ofstream(password, std::ios::binary) << c.content;
            fs::permissions(password, c.mode);
        }
        const Outcome r = ravelt({"--folder", gate.string(), "report", "--from", "01/01/2024", "--to", "02/01/2024"},
                                 "RAVELT_PASSWORD_FILE=" + shellQuoted(password.string()));
        const std::string what = c.content ? c.content : "(none)";
        EXPECT_EQ(r.status, c.status) << what << ": " << r.out << r.err;
        EXPECT_EQ(fs::exists(gate / "FD3"), c.status == 0) << what;
        if (c.told) {
            EXPECT_NE(r.err.find(c.told), std::string::npos) << what << ": " << r.err;
        }
    }
    EXPECT_EQ(ravelt({"schedule", "add", "--name", "mattino", "--at", "06:30"}).status, 0) << "an owner-only file is fine";
}

}
