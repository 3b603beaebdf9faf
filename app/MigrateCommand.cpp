#include "app/MigrateCommand.h"

#include "app/ArgumentError.h"
#include "platform/PlainText.h"
#include "platform/StoreLocation.h"
#include "platform/StoreMigration.h"

#include <filesystem>
#include <stdexcept>

namespace ravelt {

namespace {

std::string counted(long n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}

int commandMigrate(const ParsedArguments& args, const CommandStreams& io, ProgramState&)
{
    const std::string conninfo = trimBlanks(*args.value("to"));
    if (conninfo.empty())
        throw ArgumentError("la stringa di connessione di --to è vuota");
    const bool replace = args.flag("replace");
    const std::filesystem::path folder = std::filesystem::current_path();
    const StoreLocation to = StoreLocation::server(conninfo, folder);
    MigrationSummary summary;
    try {
        migrateStores(folder, to, replace, summary);
    } catch (const std::exception& e) {
        if (replace || summary.present.empty())
            throw;
        throw std::runtime_error(std::string(e.what()) + " (con --replace si sostituiscono interi)");
    }
    for (const auto& c : summary.copied)
        io.out << c.store << ": " << counted(c.tables, "tabella", "tabelle") << ", " << counted(c.rows, "riga", "righe")
               << (c.replaced ? " (sostituito)" : "") << "\n";
    io.out << "Copiati sul server " << to.serverLabel() << ": "
           << counted(static_cast<long>(summary.copied.size()), "archivio", "archivi") << ", "
           << counted(summary.tables(), "tabella", "tabelle") << ", " << counted(summary.rows(), "riga", "righe") << "\n";
    return 0;
}

}
