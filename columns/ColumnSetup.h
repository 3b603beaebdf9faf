#pragma once
#include "columns/ColonnaGriglia.h"
#include "columns/GridContent.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace ravelt {

class MessagePresenter;

// The work of the column setup screen, without the window: which codes a report column
// gathers, its heading, and assigning or removing a payment form. Every operation opens
// the stores it needs and closes them before returning. Each assignment and removal is
// one transaction of its own, so a failure loses no row already written and two
// workstations editing at once never see or leave half a change.
class ColumnSetup {
public:
    ColumnSetup(std::filesystem::path folder, std::int16_t numeroHotel, MessagePresenter& messages);

    // The two grid columns both grids show: code (6) and description (30).
    static ColonneGriglia colonneCodici();

    // The heading of a column: that of its first row in table order, "" when it has none.
    std::string intestazione(int colonna) const;
    // The codes of a column in table order, as choosing a column shows them.
    GridContent griglia(int colonna) const;
    // The codes of a column ordered by code, as the grid shows them after a change.
    GridContent grigliaOrdinata(int colonna) const;
    // Every payment form of the hotel, ordered by code.
    GridContent formeDiPagamento() const;

    enum class Esito { Assegnato, GiaUtilizzato, SenzaIntestazione, CodiceIgnoto, Errore, Rimosso };
    // Puts the payment form 'sigla' into column 'colonna' under the heading typed in the
    // heading field. Messages the operator when the heading is blank, when the form is in
    // a column already, or when a store fails.
    Esito assegna(int colonna, const std::string& testoIntestazione, const std::string& sigla);
    // Takes the code out of whatever column holds it (without confirmation).
    Esito rimuovi(const std::string& sigla);

private:
    // A grid of the two code columns from a store's table or statement, filtered; what
    // the store would not give is told, and the grid shows what was read.
    GridContent riempi(const std::string& archivio, const std::string& origine, const std::string& filtro) const;
    std::string criterioColonna(int colonna) const;
    void segnalaErrore(const std::exception& e) const;
    void segnala(const std::string& testo) const;

    std::filesystem::path folder_;
    std::int16_t numeroHotel_;
    MessagePresenter& messages_;
};

}
