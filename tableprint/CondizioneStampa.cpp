#include "tableprint/CondizioneStampa.h"

#include "shell/FieldRoutines.h"
#include "shell/TextChars.h"
#include "tableprint/ErroreStampa.h"
#include "tableprint/OperatoreStampa.h"
#include "platform/PlainText.h"
#include "platform/Calendar.h"

namespace ravelt {

namespace {

// Characters [da, da + quanti) counted from 1, as the suite's Mid takes them: what lies
// beyond the text is simply not there.
std::string mid(const std::u32string& t, size_t da, size_t quanti)
{
    if (da - 1 >= t.size())
        return {};
    return fromCodePoints(t.substr(da - 1, quanti));
}

std::string primiQuattro(const std::string& campo)
{
    return mid(toCodePoints(campo), 1, 4);
}

bool campoData(const std::string& campo)
{
    std::string inizio = primiQuattro(campo);
    return FiltraCampo(inizio, 0) == "DATA";
}

// A value the condition may carry bare: a plain number, as the engine reads one.
bool numeroSemplice(const std::string& v)
{
    size_t i = 0;
    if (i < v.size() && (v[i] == '-' || v[i] == '+'))
        ++i;
    bool cifre = false, punto = false;
    for (; i < v.size(); ++i) {
        if (v[i] >= '0' && v[i] <= '9')
            cifre = true;
        else if (v[i] == '.' && !punto)
            punto = true;
        else
            return false;
    }
    return cifre;
}

}

CondizioneStampa CondizioneStampa::Costruisci(std::array<CriterioStampa, 8>& righe, const CampiTabella& campi)
{
    std::array<std::int16_t, 13> giorniMese = CommonYearMonthLengths;
    CondizioneStampa c;
    for (auto& riga : righe) {
        const std::string& f = riga.campo;
        const OperatoreStampa* op = OperatoreStampa::PerEtichetta(riga.operatore);
        if (!op)
            op = &OperatoreStampa::Elenco()[0];
        std::string& v = riga.valore;
        if (campoData(f)) {
            if (!op->ricercaTesto()) {
                v = FiltraCampo(v, 0);
                EspandiData(v);
                if (ControllaData(v, giorniMese) == 0)
                    v.clear();
            } else {
                const std::u32string t = toCodePoints(v);
                v = mid(t, 3, 2) + mid(t, 1, 2);
            }
        }
        // A value of blanks alone is no criterion: it would only look for a blank.
        if (!(trimSpaces(v) > " "))
            continue;
        v = FiltraCampo(v, 0);
        const auto tipo = campi.tipo(f);
        if (!tipo)
            throw ErroreStampa("Stampa", "Il campo " + f + " non è nella tabella da stampare");
        std::string condizioneRiga;
        if (op->ricercaTesto()) {
            condizioneRiga = "Instr(" + f + ",'" + v + (std::string(op->simbolo) == "In" ? "') > 0" : "') = 0");
        } else {
            condizioneRiga = f + op->confronto;
            if (*tipo == FieldType::Text) {
                std::string w = v;
                if (primiQuattro(f) == "Data") {
                    const std::u32string t = toCodePoints(v);
                    w = mid(t, 7, 4) + mid(t, 4, 2) + mid(t, 1, 2);
                }
                condizioneRiga += " '" + w + "' ";
            } else {
                condizioneRiga += v;
                if (!numeroSemplice(v))
                    c.valoriNonNumerici.push_back(f + ": " + v);
            }
        }
        c.testo += " and " + condizioneRiga;
    }
    if (c.testo.starts_with(" and "))
        c.testo.erase(0, 5);
    return c;
}

std::string CondizioneStampa::messaggioNonNumerici() const
{
    std::string t = "Il valore di un campo numerico deve essere un numero:";
    for (const auto& v : valoriNonNumerici)
        t += "\r\n" + v;
    return t;
}

std::string CondizioneStampa::DaStampare(std::array<CriterioStampa, 8>& righe, const CampiTabella& campi)
{
    CondizioneStampa c = Costruisci(righe, campi);
    if (!c.contaRighe())
        throw ErroreStampa("Mancano dati!", "E' necessario definire un criterio di stampa!", ErroreStampa::Tipo::DatiMancanti);
    if (!c.valoriNonNumerici.empty())
        throw ErroreStampa("Stampa", c.messaggioNonNumerici());
    return c.testo;
}

}
