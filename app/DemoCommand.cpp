#include "app/DemoCommand.h"

#include "app/ArgumentError.h"
#include "app/ArgumentValues.h"
#include "app/ShownArgument.h"
#include "demohotel/DemoHotel.h"
#include "platform/Environment.h"
#include "platform/PlainText.h"
#include "platform/StoreLocation.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>

namespace ravelt {

namespace {

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
        throw ArgumentError("nome di cartella troppo lungo: " + shownArgument(text) + " (al più " +
                            std::to_string(NAME_MAX) + " caratteri per nome)");
}

// Where the demo's stores go. --database names a server for the new folder, which gets
// Database.txt naming it; the variable RAVELT_DATABASE, when set, would send the folder
// to its own server whatever Database.txt says, so a --database naming another one is
// refused rather than leaving a folder that cannot see its stores. Without --database
// the folder's own choice holds (StoreLocation::of): the variable's server, or the
// SQLite files. The connection string is never quoted: it may hold a password.
StoreLocation demoStores(const ParsedArguments& args, const std::filesystem::path& folder, DemoOptions& d)
{
    const std::string* given = args.value("database");
    if (!given)
        return StoreLocation::of(folder);
    const std::string conninfo = trimBlanks(*given);
    if (conninfo.empty())
        throw ArgumentError("la stringa di connessione di --database è vuota");
    const auto variable = SystemEnvironment().get(DatabaseVariable);
    if (variable && !trimBlanks(*variable).empty() && trimBlanks(*variable) != conninfo)
        throw ArgumentError(std::string("--database indica un server diverso da quello di ") + DatabaseVariable +
                            ", che per la cartella vale di più: si tolga la variabile o si indichi lo stesso server");
    d.databaseFile = true;
    return StoreLocation::server(conninfo, folder);
}

}

int commandDemo(const ParsedArguments& args, const CommandStreams& io, ProgramState&)
{
    DemoOptions d;
    if (const std::string* text = args.value("days"))
        d.days = static_cast<int>(wholeNumberArgument(*text, "numero di giorni", 1, 3660));
    if (const std::string* text = args.value("rooms"))
        d.rooms = static_cast<int>(wholeNumberArgument(*text, "numero di camere", 1, 5000));
    if (const std::string* text = args.value("seed"))
        d.seed = static_cast<std::uint64_t>(wholeNumberArgument(*text, "seme", 0, 2147483647L));
    if (const std::string* text = args.value("from")) {
        const std::string from = dateArgument(*text, "data iniziale");
        d.fromDay = std::stoi(from.substr(0, 2));
        d.fromMonth = std::stoi(from.substr(3, 2));
        d.fromYear = std::stoi(from.substr(6, 4));
    }
    checkFolderName(args.operands.at(0));
    const std::filesystem::path folder = args.operands[0];
    const StoreLocation where = demoStores(args, folder, d);
    const auto start = std::chrono::steady_clock::now();
    const DemoSummary s = createDemoHotel(where, d);
    const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::uintmax_t bytes = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (e.is_regular_file())
            bytes += e.file_size();
    char figures[64];
    std::snprintf(figures, sizeof figures, "%.1f s, %.1f MB", secs, bytes / 1e6);
    io.out << "Cartella demo " << folder.string() << ": " << s.documents << " documenti, " << s.payments << " incassi ("
           << s.externalEntries << " esterni), " << s.presenceRows << " righe di presenze; " << figures << "\n";
    return 0;
}

}
