#include "output/CodiceHotel.h"

#include "platform/Database.h"
#include "platform/Recordset.h"

namespace ravelt {

std::optional<std::string> LeggiCodiceAssistenza(const std::filesystem::path& folder)
{
    auto db = Database::OpenDatabase("AnagraficaHotels.mdb", folder);
    auto rs = db->OpenRecordset("AnagraficaHotels");
    rs->FindFirst("Numero = 1");
    std::optional<std::string> code;
    if (!rs->NoMatch())
        code = rs->Fields("CodiceAssistenza").toText();
    rs->Close();
    db->Close();
    return code;
}

}
