#include "platform/SystemError.h"

#include <cerrno>
#include <cstring>

namespace ravelt {

std::string systemErrorText(int code)
{
    switch (code) {
    case ENOSPC:
        return "disco pieno";
    case EDQUOT:
        return "spazio su disco riservato all'utente esaurito";
    case EFBIG:
        return "file troppo grande per i limiti del sistema";
    case EACCES:
    case EPERM:
        return "permesso negato";
    case EROFS:
        return "disco di sola lettura";
    case ENOENT:
        return "non esiste";
    case ENOTDIR:
        return "una parte del percorso non è una cartella";
    case EISDIR:
        return "è una cartella";
    case EIO:
        return "errore di lettura o scrittura sul disco o sul dispositivo";
    case ENXIO:
    case ENODEV:
        return "dispositivo non collegato";
    case EBUSY:
        return "dispositivo occupato";
    case EPIPE:
        return "il dispositivo ha chiuso il collegamento";
    case ENAMETOOLONG:
        return "nome troppo lungo";
    default:
        return std::string(std::strerror(code)) + " (errore " + std::to_string(code) + ")";
    }
}

}
