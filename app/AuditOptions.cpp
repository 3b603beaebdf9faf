#include "app/AuditOptions.h"

#include "app/ArgumentError.h"
#include "app/ArgumentValues.h"
#include "app/ShownArgument.h"
#include "cashreport/DocumentType.h"
#include "cashreport/NamedPeriod.h"
#include "platform/PlainText.h"

namespace ravelt {

std::vector<OptionSyntax> auditOptions()
{
    return {
        {"period", "NOME", std::string("il periodo per nome, dall'orologio della postazione (senza: yesterday): ") + namedPeriodNames()},
        {"type", "Tutti|Fatture|Ricevute", "il tipo di documento (senza: Tutti)"},
        {"counter", "N", "il contatore contabile, 0 per tutti (senza: 0)"},
        {"pdf", "", "stampa il report sull'ultima destinazione con \"PDF\" nel nome"},
        {"print", "DESTINAZIONE", "stampa il report sulla destinazione di Stampanti.mdb"},
        {"mail", "", "invia il report con il programma di posta spedix"},
        {"strict", "", "se degli incassi non sono in nessuna colonna si ferma dopo il report, con esito 3"},
    };
}

void checkAuditArguments(const ParsedArguments& args)
{
    if (const std::string* period = args.value("period"); period && !namedPeriod(*period, CalendarDate{}))
        throw ArgumentError("periodo sconosciuto: " + shownArgument(*period) + " (" + namedPeriodNames() + ")");
    if (const std::string* type = args.value("type"); type && !documentTypeFromText(*type))
        throw ArgumentError("tipo documento sconosciuto: " + shownArgument(*type) + " (Tutti, Fatture o Ricevute)");
    if (const std::string* counter = args.value("counter"))
        wholeNumberArgument(*counter, "contatore", 0, 32767);
    if (const std::string* destination = args.value("print"); destination && trimBlanks(*destination).empty())
        throw ArgumentError("la destinazione di --print è vuota");
}

std::vector<std::string> auditArgumentWords(const ParsedArguments& args)
{
    std::vector<std::string> words;
    for (const auto& o : auditOptions()) {
        if (o.value.empty()) {
            if (args.flag(o.name))
                words.push_back("--" + o.name);
            continue;
        }
        const std::string* value = args.value(o.name);
        if (!value)
            continue;
        words.push_back("--" + o.name);
        words.push_back(o.name == "counter" ? std::to_string(wholeNumberArgument(*value, "contatore", 0, 32767)) : *value);
    }
    return words;
}

}
