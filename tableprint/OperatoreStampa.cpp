#include "tableprint/OperatoreStampa.h"

#include "shell/TextChars.h"
#include "platform/PlainText.h"

namespace ravelt {

const std::array<OperatoreStampa, 8>& OperatoreStampa::Elenco()
{
    static const std::array<OperatoreStampa, 8> elenco = {{
        {" uguale a ", "=", " = "},
        {" inferiore a ", "<", " < "},
        {" superiore a ", ">", " > "},
        {" fino a ", "<=", " <= "},
        {" da ", ">=", " >= "},
        {" diverso da ", "<>", " <> "},
        {" include ", "In", ""},
        {" non include ", "Non", ""},
    }};
    return elenco;
}

const OperatoreStampa* OperatoreStampa::PerEtichetta(const std::string& etichetta)
{
    const std::string cercata = trimSpaces(etichetta);
    for (const auto& o : Elenco())
        if (trimSpaces(o.etichetta) == cercata)
            return &o;
    return nullptr;
}

const OperatoreStampa* OperatoreStampa::PerSimbolo(const std::string& simbolo)
{
    for (const auto& o : Elenco())
        if (simbolo == o.simbolo)
            return &o;
    return nullptr;
}

}
