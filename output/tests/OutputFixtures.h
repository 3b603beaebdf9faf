#pragma once
#include "testing/RecordingPresenter.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace ravelt::testing {

// A destination row of Stampanti and a printer-type row of SetStampa.
struct Destinazione {
    int hotel = 1;
    int numero = 1;
    std::string nome;
    int tipo = 1;
    std::string linea;
};
struct TipoStampa {
    int tipo = 1;
    std::string compresso;
    std::string grassetto;
};

// Creates Stampanti.mdb in the folder with the rows given.
void scriviStampanti(const std::filesystem::path& folder, const std::vector<Destinazione>& destinazioni,
                     const std::vector<TipoStampa>& tipi);
// Creates Contatori.mdb with one row per (hotel, compressed length, normal length).
void scriviContatori(const std::filesystem::path& folder, std::initializer_list<std::array<int, 3>> righe);
// Creates AnagraficaHotels.mdb with hotel 1 and its support code.
void scriviAnagrafica(const std::filesystem::path& folder, const std::string& codiceAssistenza);

// A code text of twelve three-character slots, each value right-aligned: the values
// given, then blanks ("" leaves a slot blank).
std::string codici(std::initializer_list<const char*> values);

// Report lines "Riga 001 ..." padded with dots to 'width' characters.
std::vector<std::string> righeNumerate(int count, int width = 40);
// Lines joined with CR LF after each.
std::string comeFile(const std::vector<std::string>& lines);

}
