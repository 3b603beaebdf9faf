#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace ravelt {

// The support code CodiceAssistenza of hotel 1 (the AnagraficaHotels row with Numero
// = 1), whose letters K and U are the print engine's options; nullopt when the
// registry has no such row. A missing or unreadable registry raises DbError naming it.
std::optional<std::string> LeggiCodiceAssistenza(const std::filesystem::path& folder);

}
