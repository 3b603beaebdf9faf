#pragma once
#include "output/AvvisiImpostazioni.h"
#include "output/ProfiloStampa.h"
#include "platform/Environment.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ravelt {

// Where a profile is resolved: the working folder holding Stampanti.mdb, Contatori.mdb
// and FontStp.txt, the workstation's variables (a variable named after a destination
// overrides its device), the hotel whose page lengths apply, and who is told about a
// FontStp.txt that gives no font name.
struct ContestoStampa {
    std::filesystem::path folder;
    const Environment* env = nullptr;  // null: no variable overrides a device
    std::int16_t numeroHotel = 1;
    AvvisiImpostazioni* avvisi = nullptr;  // null: nobody is told
};

// Resolves a destination for compressed (true) or normal printing, reading the stores
// afresh: the font from FontStp.txt (LeggiNomeFont, telling the context's notices), the
// page length of the hotel's Contatori row (60 without a row), the destination's
// Stampanti row (Trovata false without one: nothing else is filled in), the codes of
// its type's SetStampa row (all 0 without one: form length 66, no margin, a text
// device), and the device: the destination's variable when it is set and not empty,
// else Linea.
//
// The destination is looked up as the stores compare text, without regard to letter
// case; an apostrophe in the name is matched as itself. A field without a value reads
// as empty text or 0 (a page length without a value as a missing row). A missing
// store, a page length outside 1 to 32767, or a control code outside 0 to 255 on a text
// device raises an error that names it.
ProfiloStampa CaricaProfiloStampa(const ContestoStampa& contesto, const std::string& destinazione, bool compresso);

// The destinations of hotel 1 (Stampanti rows with NumeroHotel = 1), in the table's
// record order. A missing store or table raises DbError naming it.
std::vector<std::string> ElencoDestinazioni(const std::filesystem::path& folder);

// A destination is a PDF destination when its name holds "PDF" in capitals.
bool DestinazionePdf(const std::string& destinazione);

// Where the print menu's PDF button and the PDF print of the command line print: the
// last of the destinations, in their order, that is a PDF destination; nullopt when
// none is.
std::optional<std::size_t> UltimaDestinazionePdf(const std::vector<std::string>& destinazioni);

}
