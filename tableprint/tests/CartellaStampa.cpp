#include "tableprint/tests/CartellaStampa.h"

#include "platform/BulkInsert.h"
#include "platform/Database.h"
#include "platform/StoreCatalog.h"
#include "platform/StoreSchema.h"

namespace ravelt::testing {

CartellaStampa::CartellaStampa(Engine engine) : dir_(engine), orologio_(DateTime{2026, 12, 7, 11, 30, 0}) {}

void CartellaStampa::anagrafica(const std::string& ragioneSociale, const std::string& codiceAssistenza)
{
    createStore(path(), "AnagraficaHotels.mdb");
    auto db = Database::OpenDatabase("AnagraficaHotels.mdb", path());
    BulkInsert ins(*db, "AnagraficaHotels", {"Numero", "RagioneSociale", "CodiceAssistenza"});
    ins.insert({Value(2), Value("ALTRO HOTEL"), Value("")});
    ins.insert({Value(1), Value(ragioneSociale), Value(codiceAssistenza)});
}

void CartellaStampa::stampanti(int compresso, int normale, bool conTipo)
{
    createStore(path(), "Stampanti.mdb");
    auto db = Database::OpenDatabase("Stampanti.mdb", path());
    {
        BulkInsert dest(*db, "Stampanti", {"NumeroHotel", "Numero", "Destinazione", "TipoStampa", "Linea"});
        dest.insert({Value(1), Value(1), Value("Laser"), Value(1), Value("laser.txt")});
        dest.insert({Value(1), Value(2), Value("Aghi"), Value(2), Value("aghi.txt")});
        BulkInsert tipi(*db, "SetStampa", {"TipoStampa", "Compresso", "Grassetto", "Corsivo", "Sottolineato"});
        char grassetto[40];
        std::snprintf(grassetto, sizeof grassetto, "  0  0  0  0  0  0%3d%3d  0  0  0  0", compresso, normale);
        if (conTipo)
            tipi.insert({Value(1), Value("  8  0  0  0  0  1 12  0  0  0  0  0"), Value(std::string(grassetto)), Value(""),
                         Value("")});
        tipi.insert({Value(2), Value(" 27 15  0  0  0  0 27 18  0  0  0  0"), Value("  0  0  0  0  0  0 99 99  0  0  0  0"),
                     Value(""), Value("")});
    }
    db->Close();
    createStore(path(), "Contatori.mdb");
    auto cont = Database::OpenDatabase("Contatori.mdb", path());
    cont->Execute("INSERT INTO Contatori VALUES (1, 80, 60)");
}

void CartellaStampa::tabella(const std::string& archivio, const std::string& tabella, const std::vector<CampoProva>& campi,
                             const std::vector<std::vector<Value>>& righe)
{
    auto db = storeExists(path(), archivio) ? Database::OpenDatabase(archivio, path())
                                            : Database::CreateDatabase(archivio, "", path());
    TableDef def = Database::CreateTableDef(tabella);
    std::vector<std::string> nomi;
    for (const auto& c : campi) {
        def.append(Database::CreateField(c.nome, c.tipo, c.tipo == FieldType::Text ? 50 : 0));
        nomi.push_back(c.nome);
    }
    db->AppendTableDef(def);
    BulkInsert ins(*db, tabella, nomi);
    for (const auto& r : righe)
        ins.insert(std::span<const Value>(r.data(), r.size()));
}

ContestoArchivio CartellaStampa::contesto(const std::string& codiceAssistenza) const
{
    ContestoArchivio c;
    c.cartella = path();
    c.NumeroHotel = 1;
    c.CodiceAssistenza = codiceAssistenza;
    c.PCLocal = 1;
    c.orologio = &orologio_;
    return c;
}

std::vector<std::string> righeDi(const std::string& bytes)
{
    std::vector<std::string> righe;
    size_t da = 0;
    while (da < bytes.size()) {
        size_t fine = bytes.find("\r\n", da);
        if (fine == std::string::npos) {
            righe.push_back(bytes.substr(da));
            break;
        }
        righe.push_back(bytes.substr(da, fine - da));
        da = fine + 2;
    }
    return righe;
}

}
