#include "app/WorkingFolder.h"

#include "platform/AtomicFile.h"
#include "platform/StoreCatalog.h"
#include "platform/StoreLocation.h"
#include "platform/TextLines.h"

#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace ravelt {

namespace {

constexpr const char* RegistryMdb = "AnagraficaHotels.mdb";

// Whether a folder is a hotel's working folder: it holds the registry's SQLite file, or
// the Database.txt that names the server holding its stores. The server is not asked:
// choosing a folder must not wait on a network, and a server that is down is told when
// the window first opens a store.
bool holdsHotel(const std::filesystem::path& folder)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(storePath(folder, RegistryMdb), ec) ||
           std::filesystem::is_regular_file(folder / DatabaseFileName, ec);
}

}

WorkingFolder::WorkingFolder(const Environment& env, std::filesystem::path current, FileReader read)
    : env_(env), current_(std::move(current)), read_(std::move(read))
{
}

std::filesystem::path WorkingFolder::registryStore(const std::filesystem::path& folder)
{
    return storePath(folder, RegistryMdb);
}

std::optional<std::string> WorkingFolder::problem(const std::filesystem::path& folder)
{
    if (folder.empty())
        return "non è indicata";
    std::error_code ec;
    const auto status = std::filesystem::status(folder, ec);
    if (!std::filesystem::exists(status))
        return "non esiste";
    if (!std::filesystem::is_directory(status))
        return "non è una cartella";
    // Listing the folder and entering it are what the program does there first.
    if (::access(folder.c_str(), R_OK | X_OK) != 0)
        return "non si può leggere";
    return std::nullopt;
}

std::optional<std::string> WorkingFolder::refusal(const std::filesystem::path& folder)
{
    if (auto p = problem(folder))
        return "la cartella " + folder.string() + " " + *p;
    if (!holdsHotel(folder))
        return "la cartella " + folder.string() + " non contiene l'archivio dell'hotel " +
               registryStore(folder).filename().string() + " né " + DatabaseFileName;
    return std::nullopt;
}

std::filesystem::path WorkingFolder::rememberedFile() const
{
    const std::filesystem::path config = userConfigFolder(env_);
    return config.empty() ? config : config / "ravelt" / "folder";
}

WorkingFolder::Choice WorkingFolder::choose() const
{
    using Kind = Choice::Kind;
    if (holdsHotel(current_))
        return {Kind::Current, current_, {}};
    if (const auto variable = env_.get("RAVELT_FOLDER"); variable && !variable->empty()) {
        const std::filesystem::path folder = current_ / *variable;  // an absolute value stands alone
        if (auto p = problem(folder))
            return {Kind::Refused, {}, "La cartella di lavoro " + folder.string() + " indicata da RAVELT_FOLDER " + *p + "."};
        return {Kind::Variable, folder, {}};
    }
    const std::filesystem::path file = rememberedFile();
    if (file.empty())
        return {Kind::Ask, {}, {}};
    const auto text = read_(file);
    const auto lines = text ? splitLines(*text) : std::vector<std::string>();
    const std::string line = lines.empty() ? std::string() : lines.front();
    if (line.empty())
        return {Kind::Ask, {}, {}};
    const std::filesystem::path folder = current_ / line;  // written absolute; a relative one is read from here
    if (auto r = refusal(folder))
        return {Kind::Ask, {}, "La cartella ricordata in " + file.string() + " non va più bene:\r\n" + *r + "."};
    return {Kind::Remembered, folder, {}};
}

void WorkingFolder::remember(const std::filesystem::path& folder) const
{
    const std::filesystem::path file = rememberedFile();
    if (file.empty())
        throw std::runtime_error("non si può ricordare la cartella di lavoro: né HOME né XDG_CONFIG_HOME indicano una cartella");
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec)
        throw std::runtime_error("non si può creare la cartella " + file.parent_path().string() + ": " + ec.message());
    writeFileAtomically(file, std::filesystem::absolute(folder).lexically_normal().string() + "\n");
}

std::optional<std::string> WorkingFolder::readIfPresent(const std::filesystem::path& path)
{
    // A remembered answer that cannot be read is no answer: the window asks again, and
    // the new answer replaces the file.
    try {
        return readFileBytes(path);
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

}
