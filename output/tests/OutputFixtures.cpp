#include "output/tests/OutputFixtures.h"

#include "platform/BulkInsert.h"
#include "platform/Database.h"
#include "platform/StoreSchema.h"

#include <array>
#include <cstdio>

namespace ravelt::testing {

void scriviStampanti(const std::filesystem::path& folder, const std::vector<Destinazione>& destinazioni,
                     const std::vector<TipoStampa>& tipi)
{
    createStore(folder, "Stampanti.mdb");
    auto db = Database::OpenDatabase("Stampanti.mdb", folder);
    {
        BulkInsert d(*db, "Stampanti", {"NumeroHotel", "Numero", "Destinazione", "TipoStampa", "Linea"});
        for (const auto& x : destinazioni)
            d.insert({Value(x.hotel), Value(x.numero), Value(x.nome), Value(x.tipo), Value(x.linea)});
        BulkInsert t(*db, "SetStampa", {"TipoStampa", "Compresso", "Grassetto", "Corsivo", "Sottolineato"});
        for (const auto& x : tipi)
            t.insert({Value(x.tipo), Value(x.compresso), Value(x.grassetto), Value(""), Value("")});
    }
    db->Close();
}

void scriviContatori(const std::filesystem::path& folder, std::initializer_list<std::array<int, 3>> righe)
{
    createStore(folder, "Contatori.mdb");
    auto db = Database::OpenDatabase("Contatori.mdb", folder);
    {
        BulkInsert c(*db, "Contatori", {"NumeroHotel", "LungPagComp", "LungPagNoComp"});
        for (const auto& r : righe)
            c.insert({Value(r[0]), Value(r[1]), Value(r[2])});
    }
    db->Close();
}

void scriviAnagrafica(const std::filesystem::path& folder, const std::string& codiceAssistenza)
{
    createStore(folder, "AnagraficaHotels.mdb");
    auto db = Database::OpenDatabase("AnagraficaHotels.mdb", folder);
    {
        BulkInsert a(*db, "AnagraficaHotels", {"Numero", "RagioneSociale", "CodiceAssistenza"});
        a.insert({Value(1), Value("Hotel Prova"), Value(codiceAssistenza)});
    }
    db->Close();
}

std::string codici(std::initializer_list<const char*> values)
{
    std::string out;
    for (const char* v : values) {
        char cell[8];
        std::snprintf(cell, sizeof cell, "%3s", v);
        out += cell;
    }
    return out;
}

std::vector<std::string> righeNumerate(int count, int width)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) {
        char head[32];
        std::snprintf(head, sizeof head, "Riga %03d ", i);
        std::string line = head;
        while (static_cast<int>(line.size()) < width)
            line += '.';
        lines.push_back(line);
    }
    return lines;
}

std::string comeFile(const std::vector<std::string>& lines)
{
    std::string s;
    for (const auto& l : lines)
        s += l + "\r\n";
    return s;
}

}
