#include "output/CaricaProfiloStampa.h"

#include "output/CodiciStampa.h"
#include "output/FileImpostazioni.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/SqlQuote.h"
#include "platform/Value.h"

#include <cmath>
#include <stdexcept>

namespace ravelt {

namespace {

// The page length of the hotel's Contatori row; nullopt without a row (or a value).
std::optional<std::int16_t> lunghezzaPagina(const ContestoStampa& c, bool compresso)
{
    auto db = Database::OpenDatabase("Contatori.mdb", c.folder);
    auto rs = db->OpenRecordset("Contatori");
    rs->FindFirst("NumeroHotel = " + std::to_string(c.numeroHotel));
    std::optional<std::int16_t> result;
    if (!rs->NoMatch()) {
        const char* field = compresso ? "LungPagComp" : "LungPagNoComp";
        const Value& v = rs->Fields(field);
        if (!v.isNull()) {
            std::int64_t n = v.toInt();
            if (n < 1 || n > 32767)
                throw std::runtime_error("la lunghezza pagina " + std::to_string(n) + " (" + field + " dell'hotel " +
                                         std::to_string(c.numeroHotel) + " in Contatori.mdb) non è valida: "
                                         "deve essere un numero di righe da 1 a 32767");
            result = static_cast<std::int16_t>(n);
        }
    }
    rs->Close();
    db->Close();
    return result;
}

}

ProfiloStampa CaricaProfiloStampa(const ContestoStampa& c, const std::string& destinazione, bool compresso)
{
    ProfiloStampa p;
    p.NomeFont = LeggiNomeFont(c.folder, c.avvisi);
    if (auto len = lunghezzaPagina(c, compresso)) {
        p.LunghezzaPagina = *len;
        p.RigaContatori = true;
    }

    auto db = Database::OpenDatabase("Stampanti.mdb", c.folder);
    auto dest = db->OpenRecordset("Stampanti");
    dest->FindFirst("Destinazione = " + sqlTextLiteral(destinazione));
    if (dest->NoMatch()) {
        dest->Close();
        db->Close();
        return p;
    }
    p.Trovata = true;
    p.TipoStampa = static_cast<std::int16_t>(dest->Fields("TipoStampa").toInt());
    std::string linea = dest->Fields("Linea").toText();
    dest->Close();

    auto set = db->OpenRecordset("SetStampa");
    set->FindFirst("TipoStampa = " + std::to_string(p.TipoStampa));
    if (!set->NoMatch()) {
        p.RigaSetStampa = true;
        p.CodiciCompresso = LeggiCodici(set->Fields("Compresso").toText());
        auto grassetto = LeggiCodici(set->Fields("Grassetto").toText());
        for (size_t i = 0; i < grassetto.size(); ++i)
            p.CodiciGrassetto[i] = static_cast<std::int16_t>(std::lround(grassetto[i]));
        p.CodiciCorsivo = LeggiCodici(set->Fields("Corsivo").toText());
        p.CodiciSottolineato = LeggiCodici(set->Fields("Sottolineato").toText());
    }
    set->Close();
    db->Close();

    p.StampanteWindows = p.CodiciCompresso[5] == 1;
    p.MargineSuperiore = p.CodiciGrassetto[5];
    if (p.RigaSetStampa)
        p.LunghezzaModulo = compresso ? p.CodiciGrassetto[6] : p.CodiciGrassetto[7];
    p.DimensioneFont = compresso ? p.CodiciCompresso[0] : p.CodiciCompresso[6];
    size_t first = compresso ? 0 : 6;
    for (size_t k = 0; k < 5; ++k) {
        double code = p.CodiciCompresso[first + k];
        long byte = std::lround(code);
        if (byte < 0 || byte > 255) {
            if (!p.StampanteWindows)
                throw std::runtime_error("il codice di controllo " + Value(code).toText() + " del tipo di stampa " +
                                         std::to_string(p.TipoStampa) + " (Compresso, posizione " +
                                         std::to_string(first + k + 1) + ") non è un byte da 0 a 255");
            byte = 0;
        }
        p.SequenzaControllo[k] = static_cast<char>(byte);
    }

    std::optional<std::string> variable = c.env ? c.env->get(destinazione) : std::nullopt;
    p.Dispositivo = variable && !variable->empty() ? *variable : linea;
    return p;
}

std::vector<std::string> ElencoDestinazioni(const std::filesystem::path& folder)
{
    auto db = Database::OpenDatabase("Stampanti.mdb", folder);
    auto rs = db->OpenRecordset("Stampanti");
    std::vector<std::string> names;
    rs->FindFirst("NumeroHotel = 1");
    while (!rs->NoMatch()) {
        names.push_back(rs->Fields("Destinazione").toText());
        rs->FindNext("NumeroHotel = 1");
    }
    rs->Close();
    db->Close();
    return names;
}

bool DestinazionePdf(const std::string& destinazione)
{
    return destinazione.find("PDF") != std::string::npos;
}

std::optional<std::size_t> UltimaDestinazionePdf(const std::vector<std::string>& destinazioni)
{
    for (std::size_t i = destinazioni.size(); i-- > 0;)
        if (DestinazionePdf(destinazioni[i]))
            return i;
    return std::nullopt;
}

}
