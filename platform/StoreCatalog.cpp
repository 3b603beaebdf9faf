#include "platform/StoreCatalog.h"

#include "platform/PlainText.h"

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
    std::error_code ec;
    return std::filesystem::is_regular_file(storePath(folder, mdbName), ec);
}

}
