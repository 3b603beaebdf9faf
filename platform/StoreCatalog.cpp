#include "platform/StoreCatalog.h"

namespace ravelt {

std::filesystem::path storePath(const std::filesystem::path& folder, const std::string& mdbName)
{
    std::filesystem::path name(mdbName);
    std::string ext = name.extension().string();
    for (auto& ch : ext)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (ext == ".mdb")
        name.replace_extension(".sqlite");
    return folder / name;
}

bool storeExists(const std::filesystem::path& folder, const std::string& mdbName)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(storePath(folder, mdbName), ec);
}

}
