#include "tableprint/FiltroSalvato.h"

#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "shell/TextChars.h"
#include "tableprint/DefinizioneStampa.h"
#include "tableprint/ErroreStampa.h"
#include "tableprint/OperatoreStampa.h"

#include <system_error>
#include "platform/PlainText.h"

namespace ravelt {

namespace {

// The two first lines of the file as they are written: the compressed choice follows
// the first, the order field the second.
constexpr const char* PrimaRiga = "Compresso = ";
const std::string SecondaRiga = "In Ordine di ";

// The value of a saved criteria line, with ParamN standing for the caller's parameter.
std::string valoreRipristinato(const std::string& valore, const ParametriFiltro& parametri)
{
    if (valore.size() == 6 && valore.starts_with("Param") && valore[5] >= '1' && valore[5] <= '8')
        return parametri[static_cast<size_t>(valore[5] - '1')];
    return valore;
}

// A criteria line: field, blank, symbol, blank, value. 'conValore' tells whether the
// line gives a value at all (a ParamN standing for an empty parameter does).
CriterioStampa criterioDa(const std::string& riga, const ParametriFiltro& parametri, bool& conValore)
{
    CriterioStampa c;
    conValore = false;
    size_t primo = riga.find(' ');
    if (primo == std::string::npos) {
        c.campo = trimSpaces(riga);
        return c;
    }
    c.campo = trimSpaces(riga.substr(0, primo));
    size_t secondo = riga.find(' ', primo + 1);
    std::string simbolo = trimSpaces(riga.substr(primo + 1, secondo == std::string::npos ? std::string::npos : secondo - primo - 1));
    const OperatoreStampa* op = OperatoreStampa::PerSimbolo(simbolo);
    c.operatore = op ? op->etichetta : simbolo;
    if (secondo != std::string::npos) {
        const std::string valore = trimSpaces(riga.substr(secondo + 1));
        conValore = !valore.empty();
        c.valore = valoreRipristinato(valore, parametri);
    }
    return c;
}

}

std::optional<FiltroSalvato> FiltroSalvato::Leggi(const std::filesystem::path& file, const ParametriFiltro& parametri,
                                                  AvvisiImpostazioni* avvisi)
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
    f.file = file.filename().string();
    auto avvisa = [&](size_t riga, const std::string& testo) {
        if (avvisi)
            avvisi->aggiungi(f.file, static_cast<int>(riga), testo);
    };
    if (righe.size() >= 1) {
        const std::u32string prima = toCodePoints(righe[0]);
        f.compresso = prima.size() >= 13 && prima[12] == U'S';
        if (!righe[0].starts_with(PrimaRiga) || prima.size() < 13 || (prima[12] != U'S' && prima[12] != U'N'))
            avvisa(1, CitaRiga(righe[0]) + " non è \"Compresso = S\" né \"Compresso = N\": si stampa " +
                          (*f.compresso ? "Compresso" : "Non Compresso"));
    }
    if (righe.size() >= 2) {
        const std::u32string seconda = toCodePoints(righe[1]);
        f.campoOrdine = trimSpaces(seconda.size() > 13 ? fromCodePoints(seconda.substr(13)) : std::string());
        if (!righe[1].starts_with(SecondaRiga))
            avvisa(2, CitaRiga(righe[1]) + " non comincia con \"In Ordine di \": come campo d'ordine si legge " +
                          CitaRiga(*f.campoOrdine));
    }
    for (size_t i = 2; i < righe.size(); ++i) {
        if (f.criteri.size() == static_cast<size_t>(MassimoCriteri)) {
            ++f.criteriIgnorati;
            continue;
        }
        bool conValore = false;
        f.criteri.push_back(criterioDa(righe[i], parametri, conValore));
        if (trimSpaces(righe[i]).empty())
            avvisa(i + 1, "è vuota: un criterio senza valore, che non conta");
        else if (!conValore)
            avvisa(i + 1, CitaRiga(righe[i]) + " non ha un valore dopo il campo e l'operatore: il criterio non conta");
    }
    if (f.criteriIgnorati == 1)
        avvisa(2 + MassimoCriteri + 1, "è oltre gli otto criteri dello schermo: non è letta");
    else if (f.criteriIgnorati > 1)
        avvisa(2 + MassimoCriteri + 1, "questa riga e le " + std::to_string(f.criteriIgnorati - 1) +
                                            " seguenti sono oltre gli otto criteri dello schermo: non sono lette");
    return f;
}

std::string FiltroSalvato::Testo(bool compresso, const std::string& campoOrdine, const std::array<CriterioStampa, 8>& righe)
{
    std::string t = std::string(PrimaRiga) + (compresso ? "S\r\n" : "N\r\n");
    t += SecondaRiga + campoOrdine + "\r\n";
    for (const auto& r : righe) {
        if (trimSpaces(r.valore).empty())
            continue;
        const OperatoreStampa* op = OperatoreStampa::PerEtichetta(r.operatore);
        t += r.campo + " " + (op ? std::string(op->simbolo) : trimSpaces(r.operatore)) + " " + r.valore + "\r\n";
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
                                               " non è stato salvato: " + e.what());
    }
}

}
