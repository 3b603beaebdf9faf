#pragma once
#include "tableprint/ContestoArchivio.h"
#include "tableprint/FiltroSalvato.h"
#include "tableprint/StampaArchivio.h"

#include <string>

namespace ravelt {

// The print screen's work without its window, as when the operator presses
// "&Anteprima" as soon as the screen is open for the print definition 'nomeStampa':
// the rows as the first activation leaves them, the saved filter nomeStampa.fil
// restored over them, the condition built, and StampaArchivio with the destination
// "---", the order field and the compressed choice of the screen. The lines of the
// definition, the saved filter and the settings files that were not used are told to
// the context's notices.
// Raises ErroreStampa: a missing definition ("<nome>.stp - Inesistente!"), a table that
// cannot be read, no counting row ("E' necessario definire un criterio di stampa!"),
// or whatever the engine cannot print; the report file is then left as it was.
EsitoStampaArchivio StampaTabella(const ContestoArchivio& contesto, const std::string& nomeStampa,
                                  const ParametriFiltro& parametri = {});

}
