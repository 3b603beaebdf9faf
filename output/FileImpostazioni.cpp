#include "output/FileImpostazioni.h"

#include "output/ImpostazioneNonValida.h"
#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "platform/TextLines.h"
#include "platform/PlainText.h"

#include <algorithm>

namespace ravelt {

namespace {

constexpr const char* FileFont = "FontStp.txt";
constexpr const char* FontPredefinito = "Courier New";
constexpr const char* FileEuro = "euro.txt";

// The text of a number written the Italian way without its thousands points, or
// nullopt when a point is anywhere else than between groups of three digits of the
// whole part: "1.936,27" is 1936,27, while "1936.27" and "1.936.27" are no number.
std::optional<std::string> senzaPuntiDelleMigliaia(const std::string& testo)
{
    const size_t virgola = testo.find(',');
    const size_t fineIntero = virgola == std::string::npos ? testo.size() : virgola;
    if (testo.find('.', fineIntero) != std::string::npos)
        return std::nullopt;
    std::string out;
    size_t cifre = 0;  // digits since the start of the whole part or the last point
    bool punti = false;
    for (size_t i = 0; i < fineIntero; ++i) {
        const char c = testo[i];
        if (c == '.') {
            if (cifre == 0 || cifre > 3 || (punti && cifre != 3))
                return std::nullopt;
            punti = true;
            cifre = 0;
            continue;
        }
        cifre = c >= '0' && c <= '9' ? cifre + 1 : 0;
        out += c;
    }
    if (punti && cifre != 3)
        return std::nullopt;
    return out + testo.substr(fineIntero);
}

bool conCaratteriDiControllo(const std::string& bytes)
{
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; });
}

}

std::optional<std::vector<std::string>> LeggiRigheImpostazioni(const std::filesystem::path& file)
{
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return std::nullopt;
    return splitLines(readFileBytes(file));
}

std::string LeggiNomeFont(const std::filesystem::path& folder, AvvisiImpostazioni* avvisi)
{
    auto lines = LeggiRigheImpostazioni(folder / FileFont);
    if (!lines)
        return FontPredefinito;
    const std::string name = lines->empty() ? std::string() : trimBlanks(lines->front());
    std::string problema;
    if (lines->empty())
        problema = "manca, il file è vuoto";
    else if (name.empty())
        problema = "è vuota";
    else if (conCaratteriDiControllo(name))
        problema = CitaRigaCp1252(name) + " non è il nome di un carattere";
    else
        return fromCp1252(name);
    if (avvisi)
        avvisi->aggiungi(FileFont, 1, problema + ": si stampa con il carattere " + FontPredefinito);
    return FontPredefinito;
}

Currency LeggiEuro(const std::filesystem::path& folder)
{
    auto lines = LeggiRigheImpostazioni(folder / FileEuro);
    if (!lines)
        return Currency::fromWhole(1);
    auto nonValida = [](const std::string& testo) { return ImpostazioneNonValida({FileEuro, 1, testo}); };
    if (lines->empty())
        throw nonValida("manca, il file è vuoto: non dà il cambio");
    const std::string first = trimBlanks(lines->front());
    const auto plain = senzaPuntiDelleMigliaia(first);
    auto value = plain ? Currency::parse(*plain) : std::nullopt;
    if (!value)
        throw nonValida(first.empty() ? std::string("è vuota: non dà il cambio") : CitaRigaCp1252(first) + " non è un numero");
    if (value->units() <= 0)
        throw nonValida("il cambio " + CitaRigaCp1252(first) + " non è maggiore di zero");
    return *value;
}

}
