#include "app/UserSystemd.h"

#include "app/ToolRun.h"
#include "platform/PlainText.h"
#include "platform/TextLines.h"

#include <stdexcept>

namespace ravelt {

bool userManagerRunning()
{
    return runTool({"systemctl", "--user", "show-environment"}).succeeded();
}

void userSystemctl(const std::string& action, const std::string& unit)
{
    std::vector<std::string> argv = {"systemctl", "--user", action};
    if (action == "enable" || action == "disable")
        argv.push_back("--now");
    if (!unit.empty())
        argv.push_back(unit);
    const ToolRun r = runTool(argv);
    if (r.succeeded())
        return;
    std::string command;
    for (const auto& word : argv)
        command += (command.empty() ? "" : " ") + word;
    const std::string why = trimBlanks(r.err.empty() ? r.out : r.err);
    throw std::runtime_error(command + " non è riuscito" + (why.empty() ? "" : ": " + why));
}

std::optional<std::string> managerNextElapse(const std::string& timerUnit)
{
    const ToolRun r = runTool({"systemctl", "--user", "show", "--property=NextElapseUSecRealtime", timerUnit});
    if (!r.succeeded())
        return std::nullopt;
    for (const auto& line : splitLines(r.out)) {
        const std::string key = "NextElapseUSecRealtime=";
        if (!line.starts_with(key))
            continue;
        const std::string when = trimBlanks(line.substr(key.size()));
        if (when.empty() || when == "n/a" || when == "0")
            return std::nullopt;
        return when;
    }
    return std::nullopt;
}

std::optional<std::string> calendarNextElapse(const std::string& calendar)
{
    const ToolRun r = runTool({"systemd-analyze", "calendar", calendar});
    if (!r.succeeded())
        return std::nullopt;
    for (const auto& line : splitLines(r.out)) {
        const std::string text = trimBlanks(line);
        const std::string key = "Next elapse:";
        if (text.starts_with(key))
            return trimBlanks(text.substr(key.size()));
    }
    return std::nullopt;
}

}
