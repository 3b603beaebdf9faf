#pragma once
#include <optional>
#include <string>

namespace ravelt {

// The user's own systemd service manager, through systemctl --user and systemd-analyze,
// as the schedules of the night audit need it.

// Whether a user service manager answers this process (systemctl --user
// show-environment succeeds): there is none without a login session or lingering, or
// when systemd is not installed.
bool userManagerRunning();

// "systemctl --user ARGS..." (daemon-reload, enable --now UNIT, disable --now UNIT).
// Raises std::runtime_error with systemctl's own message when it fails.
void userSystemctl(const std::string& action, const std::string& unit = "");

// When the running manager will next start the timer ("Mon 2026-12-14 06:30:00 CET");
// nullopt when it will not (the timer is not active) or cannot be asked.
std::optional<std::string> managerNextElapse(const std::string& timerUnit);

// When a calendar (an OnCalendar= value) next elapses from now, as systemd-analyze
// calendar computes it, without a manager; nullopt when the tool is missing or refuses
// the calendar.
std::optional<std::string> calendarNextElapse(const std::string& calendar);

}
