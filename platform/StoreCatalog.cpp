#include "platform/StoreCatalog.h"

#include "platform/PgConnection.h"
#include "platform/PlainText.h"
#include "platform/StoreLocation.h"

namespace ravelt {

std::filesystem::path storePath(const std::filesystem::path& folder, const std::string& mdbName)
{
    std::filesystem::path name(mdbName);
    if (lowerAscii(name.extension().string()) == ".mdb")
        name.replace_extension(".sqlite");
    return folder / name;
}

bool storeExists(const std::filesystem::path& folder, const std::string& mdbName)
{
    return storeExists(StoreLocation::of(folder), mdbName);
}

bool storeExists(const StoreLocation& where, const std::string& mdbName)
{
    if (where.onServer())
        return PgConnection::storeExists(where.conninfo(), mdbName);
    std::error_code ec;
    return std::filesystem::is_regular_file(storePath(where.folder(), mdbName), ec);
}

}
