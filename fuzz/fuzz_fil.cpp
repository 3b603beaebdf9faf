// A saved filter (.fil) as the print screen restores it, then saved again.
//
// The file is written by the screen but lies in the working folder, where anything may
// have changed it. Reading must give at most eight criteria, all in UTF-8, and count
// the lines it could not place. Saving what was read and reading that back must give
// the same file again: one round through the screen settles a filter, so a filter the
// program wrote itself survives any number of restores and saves unchanged.
#include "fuzz/FuzzCheck.h"
#include "tableprint/ErroreStampa.h"
#include "tableprint/FiltroSalvato.h"

#include <cstddef>
#include <cstdint>

using namespace ravelt;

namespace {

// What a caller could pass as the print parameters: texts that are not ParamN
// themselves, so that a restored parameter reads back as plain text.
const ParametriFiltro parametri = {"Roma", "2026", "Cassa 1", "", "ABC", "01/01/2026", "x y", "99"};

FiltroSalvato leggi(const ravelt::testing::TempFolder& folder)
{
    try {
        auto f = FiltroSalvato::Leggi(folder / "F.fil", parametri);
        fuzz::require(f.has_value(), "a saved filter that exists is read");
        return *f;
    } catch (const ErroreStampa& e) {
        fuzz::require(false, std::string("a saved filter that exists is read: ") + e.what());
    }
    return {};
}

// The file the screen saves after restoring the filter into its eight rows.
std::string salvato(const FiltroSalvato& f)
{
    std::array<CriterioStampa, 8> righe;
    for (std::size_t i = 0; i < f.criteri.size(); ++i)
        righe[i] = f.criteri[i];
    return FiltroSalvato::Testo(f.compresso.value_or(false), f.campoOrdine.value_or(""), righe);
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto& folder = fuzz::scratch();
    folder.write("F.fil", std::string(reinterpret_cast<const char*>(data), size));
    const FiltroSalvato f = leggi(folder);

    fuzz::require(f.criteri.size() <= static_cast<std::size_t>(FiltroSalvato::MassimoCriteri), "at most eight criteria");
    fuzz::require(f.criteriIgnorati == 0 || f.criteri.size() == static_cast<std::size_t>(FiltroSalvato::MassimoCriteri),
                  "criteria are left out only when eight are taken");
    fuzz::require(!f.campoOrdine || f.compresso, "a second line comes with a first");
    for (const auto& c : f.criteri)
        fuzz::require(fuzz::isUtf8(c.campo) && fuzz::isUtf8(c.operatore) && fuzz::isUtf8(c.valore),
                      "criteria are UTF-8");

    const std::string primo = salvato(f);
    folder.write("F.fil", primo);
    const std::string secondo = salvato(leggi(folder));
    fuzz::require(primo == secondo, "a filter saved from a restored one restores and saves unchanged");
    return 0;
}
