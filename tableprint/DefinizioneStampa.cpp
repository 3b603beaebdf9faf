#include "tableprint/DefinizioneStampa.h"

#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "platform/TextLines.h"
#include "tableprint/ErroreStampa.h"
#include "tableprint/NumeriRegionali.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <vector>

namespace ravelt {

namespace {

constexpr int CampiPerRiga = 10;
constexpr int LarghezzaMassima = 32767;

std::int16_t larghezzaDa(const std::string& testo)
{
    double v = std::nearbyint(NumeroIniziale(testo));  // the default rounding is half to even
    if (!(v > 0))
        return 0;
    if (v > LarghezzaMassima)
        return LarghezzaMassima;
    return static_cast<std::int16_t>(v);
}

int campiDi(std::string_view riga)
{
    return 1 + static_cast<int>(std::count(riga.begin(), riga.end(), ','));
}

// The notices of a definition's lines that are not read as their writer meant. Line 1
// is the header; line c + 1 holds column record c.
class AvvisiDefinizione {
public:
    AvvisiDefinizione(const std::filesystem::path& file, AvvisiImpostazioni* avvisi)
        : file_(file.filename().string()), avvisi_(avvisi)
    {
    }

    // A header with more than ten fields: those past the tenth are not read. A header
    // with fewer is the engine's concern: without its store and table it stops.
    void testata(const std::string& riga)
    {
        const int n = campiDi(riga);
        if (n > CampiPerRiga)
            avvisa(1, "ha " + std::to_string(n) + " campi invece di 10: quelli dopo il decimo non sono letti");
    }

    // A printed column whose fields are not ten, so that they do not stand where their
    // writer put them, or whose width prints nothing or is cut.
    void colonna(int numeroRiga, const std::string& riga, const ColonnaStampa& c)
    {
        const int n = campiDi(riga);
        const std::string quanti = "ha " + std::to_string(n) + " campi invece di 10: ";
        if (n == CampiPerRiga - 1)
            avvisa(numeroRiga, quanti + "l'ultimo è letto come campo 10 e il campo 9 resta vuoto");
        else if (n < CampiPerRiga)
            avvisa(numeroRiga, quanti + "l'ultimo è letto come campo 10 e i campi da " + std::to_string(n) +
                                   " a 9 restano vuoti");
        else if (n == CampiPerRiga + 1)
            avvisa(numeroRiga, quanti + "il campo 10 non è letto e l'ultimo è letto come campo 10");
        else if (n > CampiPerRiga)
            avvisa(numeroRiga, quanti + "i campi da 10 a " + std::to_string(n - 1) +
                                   " non sono letti e l'ultimo è letto come campo 10");
        const double v = std::nearbyint(NumeroIniziale(c.campo(6)));
        if (!(v > 0))
            avvisa(numeroRiga, "la larghezza " + CitaRiga(c.campo(6)) + " non è un numero di caratteri maggiore di zero: "
                               "la colonna " + CitaRiga(c.intestazione()) + " è stampata larga 0");
        else if (v > LarghezzaMassima)
            avvisa(numeroRiga, "la larghezza " + CitaRiga(c.campo(6)) + " è oltre 32767: la colonna " +
                                   CitaRiga(c.intestazione()) + " è stampata larga 32767");
    }

    // The column list ends at the first empty heading: records after it that have a
    // heading are not printed.
    void fineElenco(int numeroRiga, int ultimaConIntestazione)
    {
        const std::string dopo = ultimaConIntestazione == numeroRiga + 1
                                     ? "quella della riga " + std::to_string(numeroRiga + 1) + " non è stampata"
                                     : "quelle delle righe da " + std::to_string(numeroRiga + 1) + " a " +
                                           std::to_string(ultimaConIntestazione) + " non sono stampate";
        avvisa(numeroRiga, "l'intestazione è vuota: le colonne finiscono qui e " + dopo);
    }

    void oltreIlMassimo(int primaRiga, int righe)
    {
        if (righe == 1)
            avvisa(primaRiga, "è oltre le 50 colonne di una definizione: non è letta");
        else
            avvisa(primaRiga, "questa riga e le " + std::to_string(righe - 1) +
                                  " seguenti sono oltre le 50 colonne di una definizione: non sono lette");
    }

private:
    void avvisa(int riga, const std::string& testo)
    {
        if (avvisi_)
            avvisi_->aggiungi(file_, riga, testo);
    }

    std::string file_;
    AvvisiImpostazioni* avvisi_;
};

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

DefinizioneStampa LeggiDefinizioneStampa(const std::filesystem::path& file, AvvisiImpostazioni* avvisi)
{
    const std::vector<std::string> righe = RigheFileStampa(leggiFile(file));
    DefinizioneStampa d;
    if (righe.empty())
        return d;
    AvvisiDefinizione avvisiRighe(file, avvisi);
    d.testata = SpezzaRigaDefinizione(righe[0]);
    avvisiRighe.testata(righe[0]);
    for (size_t i = 1; i < righe.size(); ++i) {
        if (i > static_cast<size_t>(DefinizioneStampa::MassimoColonne)) {
            ++d.righeIgnorate;
            continue;
        }
        d.colonne[i - 1] = SpezzaRigaDefinizione(righe[i]);
        d.larghezzaTabella += d.colonne[i - 1].larghezza + 1;
    }

    const int stampate = d.numeroColonne();
    for (int c = 0; c < stampate; ++c)
        avvisiRighe.colonna(c + 2, righe[static_cast<size_t>(c) + 1], d.colonne[static_cast<size_t>(c)]);
    int ultimaConIntestazione = 0;
    for (int c = stampate; c < DefinizioneStampa::MassimoColonne; ++c)
        if (!d.colonne[static_cast<size_t>(c)].intestazione().empty())
            ultimaConIntestazione = c + 2;
    if (ultimaConIntestazione > 0)
        avvisiRighe.fineElenco(stampate + 2, ultimaConIntestazione);
    if (d.righeIgnorate > 0)
        avvisiRighe.oltreIlMassimo(DefinizioneStampa::MassimoColonne + 2, d.righeIgnorate);
    return d;
}

ColonnaStampa LeggiTestataStampa(const std::filesystem::path& file, AvvisiImpostazioni* avvisi)
{
    const std::vector<std::string> righe = RigheFileStampa(leggiFile(file));
    ColonnaStampa r = ColonnaStampa::Mancante();
    r.campi[7].clear();
    r.campi[8].clear();
    if (righe.empty())
        return r;
    AvvisiDefinizione(file, avvisi).testata(righe[0]);
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
