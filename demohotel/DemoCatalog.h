#pragma once
#include <span>

namespace ravelt {

// The fixed reference data of the demo hotel, shared by the code lists, the column
// set-up and the payments, so that they agree with each other.

// A form of payment of hotel 1 (CodiciVari, Tipo 4) and how often the demo's
// documents are paid with it (per mille of payments).
struct DemoPaymentForm {
    const char* sigla;
    const char* descrizione;
    int weight;
};
std::span<const DemoPaymentForm> demoPaymentForms();

// A code of any other list, or of another hotel (CodiciVari).
struct DemoCode {
    int numeroHotel;
    int tipo;
    const char* sigla;
    const char* descrizione;
};
std::span<const DemoCode> demoOtherCodes();

// One row of the column set-up (ColonneRavelt), in table order. The description is
// taken from the code lists of the row's hotel when the row is written.
struct DemoColumnRow {
    int numeroHotel;
    int numeroColonna;
    const char* intestazione;
    const char* sigla;
};
std::span<const DemoColumnRow> demoColumnRows();

// How busy the hotel is in a month (1 to 12), per mille of an average month: the
// business of the demo follows the season, with a summer peak and a November trough.
int demoSeasonPerMille(int month);

}
