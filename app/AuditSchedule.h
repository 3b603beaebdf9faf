#pragma once
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace ravelt {

// One night audit on a systemd user timer: the service "ravelt-audit-NAME.service" that
// runs "PROGRAM --folder FOLDER audit OPTIONS..." once, and the timer
// "ravelt-audit-NAME.timer" that starts it at the calendar's times. The timer is
// persistent: a time missed while the computer was off is run at the next start. The
// units hold paths and the workstation's variables, never a password: a folder that asks
// for the management password gets it from the file RAVELT_PASSWORD_FILE names.
class AuditSchedule {
public:
    std::string name;                        // letters, digits, '-' and '_' (see checkName)
    std::string calendar;                    // the timer's OnCalendar= value
    std::filesystem::path program;           // the ravelt executable, absolute
    std::filesystem::path folder;            // the working folder, absolute
    std::vector<std::string> auditArguments; // the words after "audit"
    std::vector<std::pair<std::string, std::string>> environment;  // the service's variables, in order

    // Raises ArgumentError when 'name' is empty, longer than 64 characters or holds
    // anything but ASCII letters, digits, '-' and '_': the name becomes part of the
    // units' file names, and systemd gives other characters meanings of their own.
    static void checkName(const std::string& name);

    // The OnCalendar= value for a time of day "HH:MM" (or "H:MM") and, when 'days' is not
    // null, the comma-separated days of the week it runs on (mon, tue, wed, thu, fri,
    // sat, sun; any letter case, blanks around each allowed, repeats ignored):
    // "*-*-* 06:30:00", "Mon,Fri *-*-* 06:30:00". Raises ArgumentError, quoting the
    // value short, for a time or a day that cannot be read.
    static std::string calendarFor(const std::string& at, const std::string* days);

    // Whether a text can stand in a unit file: valid UTF-8 without control characters
    // (a unit file is UTF-8 text, one setting a line).
    static bool fitsInUnit(const std::string& text);

    static std::string timerUnit(const std::string& name);    // "ravelt-audit-NAME.timer"
    static std::string serviceUnit(const std::string& name);  // "ravelt-audit-NAME.service"

    // The units' texts. ExecStart= quotes each word that needs it, so that a folder or a
    // value with blanks, quotes, '%' or '$' reaches the program unchanged. Raises
    // std::invalid_argument when a path, word or variable does not fit in a unit.
    std::string serviceText() const;
    std::string timerText() const;

    // Writes both units into 'unitFolder', made when missing: the service first, then
    // the timer that starts it, each atomically; when the timer cannot be written the
    // service is taken away again. Raises std::runtime_error naming the file that could
    // not be written. Whether a schedule of the name exists is the caller's to check.
    void write(const std::filesystem::path& unitFolder) const;

    // Whether either unit of the name is in 'unitFolder'.
    static bool exists(const std::filesystem::path& unitFolder, const std::string& name);
    // The names of the schedules in 'unitFolder' (either unit present), sorted.
    static std::vector<std::string> names(const std::filesystem::path& unitFolder);
    // Reads back a schedule this class wrote. Raises std::runtime_error saying what is
    // missing or unlike what was written, for units changed or written by hand.
    static AuditSchedule read(const std::filesystem::path& unitFolder, const std::string& name);
    // Removes both units and the timer's link in timers.target.wants (left by enabling
    // it); returns false when there was none of them. Raises std::runtime_error naming a
    // file that cannot be removed.
    static bool remove(const std::filesystem::path& unitFolder, const std::string& name);
};

}
