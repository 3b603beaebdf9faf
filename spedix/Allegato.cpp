#include "spedix/Allegato.h"

#include "spedix/ErrorePosta.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ravelt {

namespace {

std::string minuscolo(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Why the file cannot be attached, in the operator's words for the usual causes and
// in the system's own for the rare ones.
std::string motivo(int error)
{
    switch (error) {
    case ENOENT:
        return "non esiste";
    case EACCES:
    case EPERM:
        return "non si può leggere (permesso negato)";
    case EISDIR:
        return "è una cartella, non un file";
    default:
        return std::string("non si legge: ") + std::strerror(error);
    }
}

}

std::string TipoAllegato(const std::filesystem::path& file)
{
    const std::string ext = minuscolo(file.extension().string());
    if (ext == ".pdf")
        return "application/pdf";
    if (ext == ".csv")
        return "text/csv";
    return "application/octet-stream";
}

Allegato LeggiAllegato(const std::filesystem::path& file)
{
    if (file.empty())
        throw ErrorePosta("manca il nome del file da allegare");
    const std::string which = "l'allegato " + file.string() + " ";
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw ErrorePosta(which + motivo(errno));
    struct Chiudi {
        int fd;
        ~Chiudi() { ::close(fd); }
    } chiudi{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        throw ErrorePosta(which + motivo(errno));
    if (S_ISDIR(st.st_mode))
        throw ErrorePosta(which + motivo(EISDIR));
    if (!S_ISREG(st.st_mode))
        throw ErrorePosta(which + "non è un file ordinario");
    Allegato a;
    a.nome = file.filename().string();
    a.tipo = TipoAllegato(file);
    a.contenuto.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw ErrorePosta(which + motivo(errno));
        if (n == 0)
            break;
        a.contenuto.append(buffer, static_cast<size_t>(n));
    }
    return a;
}

}
