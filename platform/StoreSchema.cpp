#include "platform/StoreSchema.h"

#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/PgConnection.h"
#include "platform/StoreCatalog.h"
#include "platform/StoreLocation.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace ravelt {

namespace {

using F = FieldType;

struct Table {
    const char* name;
    std::vector<FieldDef> fields;
    std::vector<const char*> indexes;  // CREATE INDEX statements
};

struct Store {
    const char* name;
    std::vector<Table> tables;
};

const std::vector<Store>& stores()
{
    static const std::vector<Store> all = {
        {"AnagraficaHotels.mdb",
         {{"AnagraficaHotels",
           {{"Numero", F::Long, 4}, {"RagioneSociale", F::Text, 60}, {"CodiceAssistenza", F::Text, 20}},
           {}}}},
        {"CodiciVari.mdb",
         {{"CodiciVari",
           {{"NumeroHotel", F::Integer, 2}, {"Sigla", F::Text, 6}, {"Descrizione", F::Text, 40}, {"Tipo", F::Integer, 2}},
           {"CREATE INDEX CodiciVari_Tipo ON CodiciVari (NumeroHotel, Tipo)"}}}},
        {"Fatture.mdb",
         {{"DatiFattura",
           {{"NumeroHotel", F::Integer, 2},
            {"TipoDocumento", F::Text, 20},
            {"NDocumento", F::Long, 4},
            {"DataEmissione", F::Text, 8},
            {"Contatore", F::Integer, 2},
            {"Annullato", F::Text, 1},
            {"RiepAcc", F::Text, 1},
            {"CorrNonPagato", F::Integer, 2}},
           {"CREATE INDEX DatiFattura_Data ON DatiFattura (DataEmissione)",
            "CREATE INDEX DatiFattura_Numero ON DatiFattura (NDocumento)",
            "CREATE INDEX DatiFattura_Documento ON DatiFattura (NDocumento, DataEmissione, TipoDocumento, Contatore, NumeroHotel, "
            "RiepAcc, Annullato, CorrNonPagato)"}},
          {"Incassi",
           {{"TipoDocumento", F::Text, 20},
            {"NDocumento", F::Long, 4},
            {"DataEmissione", F::Text, 8},
            {"Contatore", F::Integer, 2},
            {"Sigla", F::Text, 6},
            {"Importo", F::Currency, 8},
            {"Nota", F::Text, 50}},
           {"CREATE INDEX Incassi_Data ON Incassi (DataEmissione)",
            "CREATE INDEX Incassi_Numero ON Incassi (NDocumento)",
            "CREATE INDEX Incassi_Giorno ON Incassi (DataEmissione, Sigla, TipoDocumento, Nota, NDocumento, Contatore, Importo)"}}}},
        {"Dettaglio.mdb",
         {{"Dettaglio",
           {{"DataInserimento", F::Text, 8}, {"Tipo", F::Text, 20}, {"Dettaglio", F::Text, 20}, {"Valore", F::Long, 4}},
           {"CREATE INDEX Dettaglio_Data ON Dettaglio (DataInserimento)"}}}},
        {"ColonneRavelt.mdb",
         {{"ColonneRavelt",
           {{"NumeroHotel", F::Integer, 2},
            {"NumeroColonna", F::Integer, 2},
            {"Intestazione", F::Text, 10},
            {"Sigla", F::Text, 6},
            {"Descrizione", F::Text, 40}},
           {}}}},
        {"Stampanti.mdb",
         {{"Stampanti",
           {{"NumeroHotel", F::Integer, 2},
            {"Numero", F::Integer, 2},
            {"Destinazione", F::Text, 30},
            {"TipoStampa", F::Integer, 2},
            {"Linea", F::Text, 255}},
           {}},
          {"SetStampa",
           {{"TipoStampa", F::Integer, 2},
            {"Compresso", F::Text, 36},
            {"Grassetto", F::Text, 36},
            {"Corsivo", F::Text, 36},
            {"Sottolineato", F::Text, 36}},
           {}}}},
        {"Contatori.mdb",
         {{"Contatori", {{"NumeroHotel", F::Integer, 2}, {"LungPagComp", F::Integer, 2}, {"LungPagNoComp", F::Integer, 2}}, {}}}},
    };
    return all;
}

}

const std::vector<std::string>& knownStores()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const auto& s : stores())
            n.push_back(s.name);
        return n;
    }();
    return names;
}

void createStore(const std::filesystem::path& folder, const std::string& mdbName)
{
    createStore(StoreLocation::of(folder), mdbName);
}

void createStore(const StoreLocation& where, const std::string& mdbName)
{
    auto db = Database::CreateDatabase(where, mdbName);
    createStoreTables(*db);
    if (db->inTransaction())
        db->CommitTrans();
    db->Close();
}

void createStoreTables(Database& db)
{
    for (const auto& s : stores()) {
        if (db.name() != s.name)
            continue;
        for (const auto& t : s.tables) {
            TableDef def = Database::CreateTableDef(t.name);
            for (const auto& f : t.fields)
                def.append(Database::CreateField(f.name, f.type, f.size));
            db.AppendTableDef(def);
            for (const char* ix : t.indexes)
                db.Execute(ix);
        }
        return;
    }
    throw DbError("Archivio sconosciuto: " + db.name());
}

namespace {

// The name of the index a CREATE INDEX statement of the catalogue makes.
std::string indexNameOf(const char* statement)
{
    const std::string s = statement;
    const std::size_t from = std::string("CREATE INDEX ").size();
    return s.substr(from, s.find(' ', from) - from);
}

bool sameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y)); });
}

}

int addMissingIndexes(Database& db)
{
    std::vector<const char*> missing;
    for (const auto& s : stores()) {
        if (db.name() != s.name)
            continue;
        const std::vector<std::string> present = db.IndexNames();
        for (const auto& t : s.tables)
            for (const char* ix : t.indexes)
                if (std::none_of(present.begin(), present.end(), [&](const std::string& p) { return sameName(p, indexNameOf(ix)); }))
                    missing.push_back(ix);
    }
    if (missing.empty())
        return 0;
    try {
        db.BeginTrans();
        for (const char* ix : missing)
            db.Execute(ix);
        db.CommitTrans();
    } catch (const DbError&) {
        db.Rollback();
        return 0;
    }
    return static_cast<int>(missing.size());
}

void dropStore(const StoreLocation& where, const std::string& mdbName)
{
    if (where.onServer()) {
        PgConnection::dropStore(where.conninfo(), mdbName);
        return;
    }
    const std::filesystem::path file = storePath(where.folder(), mdbName);
    for (const char* suffix : {"-journal", "-wal", "-shm", ""}) {
        const std::filesystem::path p = file.string() + suffix;
        std::error_code ec;
        std::filesystem::remove(p, ec);
        if (ec)
            throw std::runtime_error("Impossibile eliminare " + p.string() + ": " + ec.message());
    }
}

const std::string& DefinizioneStampaColonne()
{
    static const std::string text =
        "0,Colonne del dettaglio cassa,ColonneRavelt.mdb,ColonneRavelt,,,,,,\r\n"
        "1,Col.,,,NumeroColonna,4,N,N,,\r\n"
        "2,Intestazione,,,Intestazione,12,N,N,,\r\n"
        "3,Sigla,,,Sigla,6,N,S,,\r\n"
        "4,Descrizione,,,Descrizione,40,N,S,,\r\n";
    return text;
}

namespace {

// Writes a file only when its name is free: the bytes go to a temporary file that is
// then linked under the name, which fails, leaving the other file alone, when another
// program made one in between. Returns false when the name was taken.
bool writeNewFile(const std::filesystem::path& target, const std::string& bytes)
{
    namespace fs = std::filesystem;
    std::string pattern = (target.parent_path() / ".ravelt-new-XXXXXX").string();
    int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw std::runtime_error("Impossibile scrivere nella cartella " + target.parent_path().string());
    const fs::path temp = pattern;
    bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    written = ::close(fd) == 0 && written;
    std::error_code ec;
    if (!written) {
        fs::remove(temp, ec);
        throw std::runtime_error("Impossibile scrivere " + target.string());
    }
    fs::create_hard_link(temp, target, ec);
    if (ec && ec != std::errc::file_exists && !fs::exists(target)) {
        std::error_code renamed;
        fs::rename(temp, target, renamed);
        if (renamed)
            ec = renamed;
        else
            return true;
    }
    std::error_code ignored;
    fs::remove(temp, ignored);
    if (ec == std::errc::file_exists)
        return false;
    if (ec)
        throw std::runtime_error("Impossibile scrivere " + target.string() + ": " + ec.message());
    return true;
}

}

// Creates ColonneRavelt.mdb with the table ColonneRavelt: NumeroHotel, NumeroColonna
// (16-bit integers), Intestazione (text 10), Sigla (text 6), Descrizione (text 40), in
// that order, no index and no key. It looks for the file again itself, so a caller that
// checked a moment ago cannot make it replace a store another workstation just made.
// The column list's print definition comes with it, unless the folder has one.
bool CreaArchivioColonne(const std::filesystem::path& folder)
{
    if (storeExists(folder, "ColonneRavelt.mdb"))
        return false;
    createStore(folder, "ColonneRavelt.mdb");
    std::error_code ec;
    if (!std::filesystem::exists(folder / "ColonneRavelt.stp", ec))
        writeNewFile(folder / "ColonneRavelt.stp", DefinizioneStampaColonne());
    return true;
}

}
