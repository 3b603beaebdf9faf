#include "tableprint/DefinizioneStampa.h"

#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "platform/TextLines.h"
#include "tableprint/ErroreStampa.h"
#include "tableprint/NumeriRegionali.h"

#include <cmath>
#include <system_error>
#include <vector>

namespace ravelt {

namespace {

std::int16_t larghezzaDa(const std::string& testo)
{
    double v = std::nearbyint(NumeroIniziale(testo));  // the default rounding is half to even
    if (!(v > 0))
        return 0;
    if (v > 32767)
        return 32767;
    return static_cast<std::int16_t>(v);
}

std::string leggiFile(const std::filesystem::path& file)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        throw ErroreStampa("File Mancante", file.filename().string() + " - Inesistente!");
    try {
        return readFileBytes(file);
    } catch (const std::exception& e) {
        throw ErroreStampa("File Mancante", std::string("Impossibile leggere ") + file.filename().string() + ": " + e.what());
    }
}

}

int DefinizioneStampa::numeroColonne() const
{
    int n = 0;
    while (n < MassimoColonne && !colonne[static_cast<size_t>(n)].intestazione().empty())
        ++n;
    return n;
}

std::vector<std::string> RigheFileStampa(const std::string& bytes)
{
    std::vector<std::string> righe;
    for (const std::string& riga : splitLines(bytes))
        righe.push_back(fromCp1252(riga));
    return righe;
}

ColonnaStampa SpezzaRigaDefinizione(std::string_view riga)
{
    ColonnaStampa r;
    int posizione = 1;
    std::string accumulo;
    for (char c : riga) {
        if (c == ',') {
            if (posizione <= 9)
                r.campi[static_cast<size_t>(posizione)] = accumulo;
            ++posizione;
            accumulo.clear();
        } else {
            accumulo += c;
        }
    }
    r.campi[10] = accumulo;
    r.larghezza = larghezzaDa(r.campi[6]);
    return r;
}

DefinizioneStampa LeggiDefinizioneStampa(const std::filesystem::path& file)
{
    const std::vector<std::string> righe = RigheFileStampa(leggiFile(file));
    DefinizioneStampa d;
    if (righe.empty())
        return d;
    d.testata = SpezzaRigaDefinizione(righe[0]);
    for (size_t i = 1; i < righe.size(); ++i) {
        if (i > static_cast<size_t>(DefinizioneStampa::MassimoColonne)) {
            ++d.righeIgnorate;
            continue;
        }
        d.colonne[i - 1] = SpezzaRigaDefinizione(righe[i]);
        d.larghezzaTabella += d.colonne[i - 1].larghezza + 1;
    }
    return d;
}

ColonnaStampa LeggiTestataStampa(const std::filesystem::path& file)
{
    const std::vector<std::string> righe = RigheFileStampa(leggiFile(file));
    ColonnaStampa r = ColonnaStampa::Mancante();
    r.campi[7].clear();
    r.campi[8].clear();
    if (righe.empty())
        return r;
    size_t n = 1, da = 0;
    const std::string& riga = righe[0];
    for (;;) {
        size_t virgola = riga.find(',', da);
        std::string pezzo = riga.substr(da, virgola == std::string::npos ? std::string::npos : virgola - da);
        if (n <= 10)
            r.campi[n] = pezzo;
        ++n;
        if (virgola == std::string::npos)
            break;
        da = virgola + 1;
    }
    r.larghezza = larghezzaDa(r.campi[6]);
    return r;
}

}
