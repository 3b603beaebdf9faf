#pragma once
#include "platform/Clock.h"
#include "platform/Value.h"
#include "tableprint/ContestoArchivio.h"
#include "testing/EngineFolder.h"

#include <string>
#include <vector>

namespace ravelt::testing {

struct CampoProva {
    std::string nome;
    FieldType tipo;
};

// A working folder for the filtered print: the hotel registry, the printer store, a
// store of the test's own with the tables it needs, print definitions and saved
// filters. The clock is pinned at 07/12/2026 11:30 and the workstation is number 1.
// Its stores live on the engine given, the SQLite files unless told otherwise.
class CartellaStampa {
public:
    explicit CartellaStampa(Engine engine = Engine::Sqlite);

    const std::filesystem::path& path() const { return dir_.path(); }

    // AnagraficaHotels.mdb with hotel 2 first (readers must look hotel 1 up), then hotel 1.
    void anagrafica(const std::string& ragioneSociale, const std::string& codiceAssistenza = "");
    // Stampanti.mdb: the destination "Laser" of printer type 1, whose form lengths are
    // 'compresso' and 'normale' lines (Grassetto slots 7 and 8); 'conTipo' false leaves
    // SetStampa empty. Contatori.mdb with hotel 1's page lengths.
    void stampanti(int compresso, int normale, bool conTipo = true);
    // A table in a store (created when missing), filled with the rows given.
    void tabella(const std::string& archivio, const std::string& tabella, const std::vector<CampoProva>& campi,
                 const std::vector<std::vector<Value>>& righe);
    // Takes a store away whole, as deleting its file does.
    void rimuoviArchivio(const std::string& archivio) const { dir_.removeStore(archivio); }
    void scrivi(const std::string& nome, const std::string& bytes) const { dir_.write(nome, bytes); }
    std::string leggi(const std::string& nome) const { return dir_.read(nome); }
    bool esiste(const std::string& nome) const { return std::filesystem::exists(dir_.path() / nome); }

    // The report file FD1.
    std::string report() const { return dir_.read("FD1"); }
    ContestoArchivio contesto(const std::string& codiceAssistenza = "") const;

private:
    EngineFolder dir_;
    FixedClock orologio_;
};

// The lines of report bytes split at CR LF; the page end (a form feed without line end)
// is the last element when present.
std::vector<std::string> righeDi(const std::string& bytes);

}
