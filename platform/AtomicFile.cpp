#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace ravelt {

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target))
{
    std::filesystem::path dir = target_.parent_path();
    if (dir.empty())
        dir = ".";
    std::string pattern = (dir / ("." + target_.filename().string() + ".tmp-XXXXXX")).string();
    int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw std::runtime_error("Impossibile scrivere il file " + target_.string() + ": " + std::strerror(errno));
    temp_ = pattern;
    file_ = fdopen(fd, "wb");
    if (!file_) {
        ::close(fd);
        std::filesystem::remove(temp_);
        throw std::runtime_error("Impossibile scrivere il file " + target_.string());
    }
}

AtomicFile::~AtomicFile()
{
    if (file_)
        std::fclose(file_);
    if (!committed_) {
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
    }
}

void AtomicFile::write(std::string_view bytes)
{
    if (!file_)
        throw std::runtime_error("File " + target_.string() + " gia' chiuso");
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        throw std::runtime_error("Errore di scrittura sul file " + target_.string() + ": " + std::strerror(errno));
}

void AtomicFile::commit()
{
    if (!file_)
        return;
    bool ok = std::fflush(file_) == 0 && fsync(fileno(file_)) == 0;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    if (!ok)
        throw std::runtime_error("Errore di scrittura sul file " + target_.string() + ": " + std::strerror(errno));
    // Keep the permissions of a file being replaced (mkstemp makes it owner-only).
    std::error_code ec;
    if (std::filesystem::exists(target_, ec))
        std::filesystem::permissions(temp_, std::filesystem::status(target_).permissions(), ec);
    else
        std::filesystem::permissions(temp_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                                std::filesystem::perms::group_read | std::filesystem::perms::others_read, ec);
    std::filesystem::rename(temp_, target_, ec);
    if (ec)
        throw std::runtime_error("Impossibile sostituire il file " + target_.string() + ": " + ec.message());
    committed_ = true;
}

std::string readFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("Impossibile leggere il file " + path.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes)
{
    AtomicFile f(path);
    f.write(bytes);
    f.commit();
}

}
