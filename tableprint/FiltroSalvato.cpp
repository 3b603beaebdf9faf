#include "tableprint/FiltroSalvato.h"

#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "shell/TextChars.h"
#include "tableprint/DefinizioneStampa.h"
#include "tableprint/ErroreStampa.h"
#include "tableprint/OperatoreStampa.h"

#include <system_error>

namespace ravelt {

namespace {

// The value of a saved criteria line, with ParamN standing for the caller's parameter.
std::string valoreRipristinato(const std::string& valore, const ParametriFiltro& parametri)
{
    if (valore.size() == 6 && valore.starts_with("Param") && valore[5] >= '1' && valore[5] <= '8')
        return parametri[static_cast<size_t>(valore[5] - '1')];
    return valore;
}

CriterioStampa criterioDa(const std::string& riga, const ParametriFiltro& parametri)
{
    CriterioStampa c;
    size_t primo = riga.find(' ');
    if (primo == std::string::npos) {
        c.campo = trimBlanks(riga);
        return c;
    }
    c.campo = trimBlanks(riga.substr(0, primo));
    size_t secondo = riga.find(' ', primo + 1);
    std::string simbolo = trimBlanks(riga.substr(primo + 1, secondo == std::string::npos ? std::string::npos : secondo - primo - 1));
    const OperatoreStampa* op = OperatoreStampa::PerSimbolo(simbolo);
    c.operatore = op ? op->etichetta : simbolo;
    if (secondo != std::string::npos)
        c.valore = valoreRipristinato(trimBlanks(riga.substr(secondo + 1)), parametri);
    return c;
}

}

std::optional<FiltroSalvato> FiltroSalvato::Leggi(const std::filesystem::path& file, const ParametriFiltro& parametri)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return std::nullopt;
    std::string bytes;
    try {
        bytes = readFileBytes(file);
    } catch (const std::exception& e) {
        throw ErroreStampa("Filtro", std::string("Impossibile leggere il filtro ") + file.filename().string() + ": " + e.what());
    }
    const std::vector<std::string> righe = RigheFileStampa(bytes);
    FiltroSalvato f;
    if (righe.size() >= 1) {
        const std::u32string prima = toCodePoints(righe[0]);
        f.compresso = prima.size() >= 13 && prima[12] == U'S';
    }
    if (righe.size() >= 2) {
        const std::u32string seconda = toCodePoints(righe[1]);
        f.campoOrdine = trimBlanks(seconda.size() > 13 ? fromCodePoints(seconda.substr(13)) : std::string());
    }
    for (size_t i = 2; i < righe.size(); ++i) {
        if (f.criteri.size() == static_cast<size_t>(MassimoCriteri)) {
            ++f.criteriIgnorati;
            continue;
        }
        f.criteri.push_back(criterioDa(righe[i], parametri));
    }
    return f;
}

std::string FiltroSalvato::Testo(bool compresso, const std::string& campoOrdine, const std::array<CriterioStampa, 8>& righe)
{
    std::string t = compresso ? "Compresso = S\r\n" : "Compresso = N\r\n";
    t += "In Ordine di " + campoOrdine + "\r\n";
    for (const auto& r : righe) {
        if (trimBlanks(r.valore).empty())
            continue;
        const OperatoreStampa* op = OperatoreStampa::PerEtichetta(r.operatore);
        t += r.campo + " " + (op ? std::string(op->simbolo) : trimBlanks(r.operatore)) + " " + r.valore + "\r\n";
    }
    return toCp1252(t);
}

void FiltroSalvato::Scrivi(const std::filesystem::path& file, bool compresso, const std::string& campoOrdine,
                           const std::array<CriterioStampa, 8>& righe)
{
    const std::string bytes = Testo(compresso, campoOrdine, righe);
    try {
        writeFileAtomically(file, bytes);
    } catch (const std::exception& e) {
        throw ErroreStampa("Salva Filtro", std::string("Il filtro ") + file.filename().string() +
                                               " non e' stato salvato: " + e.what());
    }
}

}
