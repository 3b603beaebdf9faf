#include "app/AuditSchedule.h"

#include "app/ArgumentError.h"
#include "app/ShownArgument.h"
#include "platform/AtomicFile.h"
#include "platform/PlainText.h"
#include "platform/TextLines.h"

#include <array>
#include <cctype>
#include <cstring>
#include <set>
#include <stdexcept>

namespace ravelt {

namespace {

const std::string UnitPrefix = "ravelt-audit-";

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// A word of ExecStart= that systemd gives the program unchanged. systemd first expands
// '%' specifiers over the whole line, then splits it into words (undoing quotes and
// backslashes), then substitutes "$NAME" in each argument; so '$' is doubled, a word
// that is not plain goes in double quotes with '\' and '"' escaped, and '%' is doubled
// last. The program's own path is not substituted, so a '$' there cannot be written.
std::string execWord(const std::string& word, bool program)
{
    if (!AuditSchedule::fitsInUnit(word) || (program && word.find('$') != std::string::npos))
        throw std::invalid_argument(shownArgument(word) + " non può stare in un'unità di systemd");
    const std::string value = program ? word : replaced(word, "$", "$$");
    bool plain = !value.empty();
    for (char c : value)
        plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || std::strchr("/._,:+=@-$", c));
    if (plain)
        return value;
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    return replaced(quoted + "\"", "%", "%%");
}

// Environment="NAME=VALUE": quoted and escaped as a word of ExecStart=, without the '$'
// rule (systemd substitutes no variables there).
std::string environmentLine(const std::string& name, const std::string& value)
{
    const std::string assignment = name + "=" + value;
    if (!AuditSchedule::fitsInUnit(assignment))
        throw std::invalid_argument("la variabile " + name + " vale " + shownArgument(value) +
                                    ", che non può stare in un'unità di systemd");
    std::string quoted = "Environment=\"";
    for (char c : assignment) {
        if (c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    return replaced(quoted + "\"", "%", "%%") + "\n";
}

// The words of a setting's value as execWord and environmentLine wrote them: '%%' made
// '%', then split at blanks outside double quotes, a backslash taking the next character
// as it is. 'dollars' undoes the doubling of '$' in every word but the first.
std::vector<std::string> unitWords(const std::string& value, bool dollars)
{
    const std::string text = replaced(value, "%%", "%");
    std::vector<std::string> words;
    size_t i = 0;
    while (true) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i == text.size())
            break;
        std::string word;
        bool quoted = false;
        for (; i < text.size() && (quoted || !isBlank(text[i])); ++i) {
            if (text[i] == '"')
                quoted = !quoted;
            else if (text[i] == '\\' && i + 1 < text.size())
                word += text[++i];
            else
                word += text[i];
        }
        if (quoted)
            throw std::runtime_error("virgolette non chiuse in " + shownArgument(value));
        words.push_back(dollars && !words.empty() ? replaced(word, "$$", "$") : word);
    }
    return words;
}

// The values of every "KEY=" line of a unit's text, in order.
std::vector<std::string> settings(const std::string& text, const std::string& key)
{
    std::vector<std::string> values;
    for (const auto& line : splitLines(text))
        if (line.starts_with(key + "="))
            values.push_back(trimBlanks(line.substr(key.size() + 1)));
    return values;
}

std::string header(const std::string& name)
{
    return "# Il controllo notturno \"" + name + "\" di ravelt, scritto da ravelt schedule add;\n"
           "# ravelt schedule remove " + name + " lo toglie.\n";
}

}

void AuditSchedule::checkName(const std::string& name)
{
    if (name.empty())
        throw ArgumentError("il nome della pianificazione è vuoto");
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_')
            throw ArgumentError("nome di pianificazione non valido: " + shownArgument(name) +
                                " (solo lettere senza accento, cifre, - e _)");
    if (name.size() > 64)
        throw ArgumentError("nome di pianificazione troppo lungo: " + shownArgument(name) + " (al più 64 caratteri)");
}

std::string AuditSchedule::calendarFor(const std::string& at, const std::string* days)
{
    const size_t colon = at.find(':');
    auto digits = [](const std::string& s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
    };
    const std::string hh = colon == std::string::npos ? std::string() : at.substr(0, colon);
    const std::string mm = colon == std::string::npos ? std::string() : at.substr(colon + 1);
    if (!digits(hh) || hh.size() > 2 || !digits(mm) || mm.size() != 2 || std::stoi(hh) > 23 || std::stoi(mm) > 59)
        throw ArgumentError("ora non valida: " + shownArgument(at) + " (HH:MM, da 00:00 a 23:59)");
    std::string time = (hh.size() == 1 ? "0" : "") + hh + ":" + mm + ":00";
    if (!days)
        return "*-*-* " + time;

    static const std::array<std::pair<const char*, const char*>, 7> week = {
        {{"mon", "Mon"}, {"tue", "Tue"}, {"wed", "Wed"}, {"thu", "Thu"}, {"fri", "Fri"}, {"sat", "Sat"}, {"sun", "Sun"}}};
    std::set<size_t> chosen;
    size_t start = 0;
    while (true) {
        const size_t comma = std::min(days->find(',', start), days->size());
        const std::string day = lowerAscii(trimBlanks(std::string_view(*days).substr(start, comma - start)));
        size_t k = 0;
        while (k < week.size() && day != week[k].first)
            ++k;
        if (k == week.size())
            throw ArgumentError("giorno non valido in --on: " + shownArgument(day) + " di " + shownArgument(*days) +
                                " (mon, tue, wed, thu, fri, sat, sun, separati da virgole)");
        chosen.insert(k);
        if (comma == days->size())
            break;
        start = comma + 1;
    }
    std::string list;
    for (size_t k : chosen)
        list += (list.empty() ? "" : ",") + std::string(week[k].second);
    return list + " *-*-* " + time;
}

bool AuditSchedule::fitsInUnit(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7f)
            return false;
        // The length of a UTF-8 sequence by its first byte; continuation bytes follow.
        const size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xe ? 3 : (c >> 3) == 0x1e ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

std::string AuditSchedule::timerUnit(const std::string& name)
{
    return UnitPrefix + name + ".timer";
}

std::string AuditSchedule::serviceUnit(const std::string& name)
{
    return UnitPrefix + name + ".service";
}

std::string AuditSchedule::serviceText() const
{
    std::string exec = execWord(program.string(), true);
    for (const auto& word : {std::string("--folder"), folder.string(), std::string("audit")})
        exec += " " + execWord(word, false);
    for (const auto& word : auditArguments)
        exec += " " + execWord(word, false);
    std::string text = header(name) + "[Unit]\nDescription=Ravelt, controllo notturno " + name +
                       "\n\n[Service]\nType=oneshot\n";
    for (const auto& [variable, value] : environment)
        text += environmentLine(variable, value);
    return text + "ExecStart=" + exec + "\n";
}

std::string AuditSchedule::timerText() const
{
    return header(name) + "[Unit]\nDescription=Ravelt, quando fare il controllo notturno " + name +
           "\n\n[Timer]\nOnCalendar=" + calendar +
           "\n# Un'ora mancata a computer spento si recupera al primo avvio successivo.\nPersistent=true\n\n"
           "[Install]\nWantedBy=timers.target\n";
}

void AuditSchedule::write(const std::filesystem::path& unitFolder) const
{
    const std::string service = serviceText(), timer = timerText();
    std::error_code ec;
    std::filesystem::create_directories(unitFolder, ec);
    if (ec)
        throw std::runtime_error("impossibile creare la cartella " + unitFolder.string() + ": " + ec.message());
    writeFileAtomically(unitFolder / serviceUnit(name), service);
    try {
        writeFileAtomically(unitFolder / timerUnit(name), timer);
    } catch (...) {
        std::filesystem::remove(unitFolder / serviceUnit(name), ec);
        throw;
    }
}

bool AuditSchedule::exists(const std::filesystem::path& unitFolder, const std::string& name)
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(unitFolder / timerUnit(name), ec)) ||
           std::filesystem::exists(std::filesystem::symlink_status(unitFolder / serviceUnit(name), ec));
}

std::vector<std::string> AuditSchedule::names(const std::filesystem::path& unitFolder)
{
    std::set<std::string> found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(unitFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        for (const std::string suffix : {".timer", ".service"}) {
            if (!file.starts_with(UnitPrefix) || !file.ends_with(suffix))
                continue;
            const std::string name = file.substr(UnitPrefix.size(), file.size() - UnitPrefix.size() - suffix.size());
            try {
                checkName(name);
                found.insert(name);
            } catch (const ArgumentError&) {
                // Not a name this program gives: a unit of someone else's.
            }
        }
    }
    return {found.begin(), found.end()};
}

AuditSchedule AuditSchedule::read(const std::filesystem::path& unitFolder, const std::string& name)
{
    AuditSchedule s;
    s.name = name;
    std::string timer, service;
    try {
        timer = readFileBytes(unitFolder / timerUnit(name));
        service = readFileBytes(unitFolder / serviceUnit(name));
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string("unità incompleta: ") + e.what());
    }
    const auto calendars = settings(timer, "OnCalendar");
    if (calendars.size() != 1)
        throw std::runtime_error(timerUnit(name) + " non ha un solo OnCalendar=");
    s.calendar = calendars.front();
    const auto execs = settings(service, "ExecStart");
    const auto words = execs.size() == 1 ? unitWords(execs.front(), true) : std::vector<std::string>();
    if (words.size() < 4 || words[1] != "--folder" || words[3] != "audit")
        throw std::runtime_error(serviceUnit(name) + " non ha l'ExecStart= di ravelt schedule add");
    s.program = words[0];
    s.folder = words[2];
    s.auditArguments.assign(words.begin() + 4, words.end());
    for (const auto& line : settings(service, "Environment"))
        for (const auto& assignment : unitWords(line, false)) {
            const size_t equals = assignment.find('=');
            if (equals != std::string::npos)
                s.environment.emplace_back(assignment.substr(0, equals), assignment.substr(equals + 1));
        }
    return s;
}

bool AuditSchedule::remove(const std::filesystem::path& unitFolder, const std::string& name)
{
    bool removed = false;
    for (const auto& file : {unitFolder / "timers.target.wants" / timerUnit(name), unitFolder / timerUnit(name),
                             unitFolder / serviceUnit(name)}) {
        std::error_code ec;
        const bool was = std::filesystem::remove(file, ec);
        if (ec)
            throw std::runtime_error("impossibile togliere " + file.string() + ": " + ec.message());
        removed = removed || (was && file.parent_path() == unitFolder);
    }
    return removed;
}

}
