#include "demohotel/DemoCatalog.h"

namespace ravelt {

// Codes 09 and 10 are forms of payment that no column gathers: their payments show in
// no column and in no total.
std::span<const DemoPaymentForm> demoPaymentForms()
{
    static const DemoPaymentForm forms[] = {
        {"01", "Contanti", 300},
        {"02", "Assegno", 30},
        {"03", "Bancomat", 150},
        {"04", "Carta di credito", 250},
        {"05", "Bonifico bancario", 60},
        {"06", "American Express", 50},
        {"07", "Buoni e voucher", 30},
        {"08", "Caparra", 60},
        {"09", "Addebito in conto agenzia", 40},
        {"10", "Omaggio", 30},
    };
    return forms;
}

// Other lists reuse the payment forms' codes ("01" is also a room type and a
// department), so a reader that forgets the list number picks the wrong row; hotel 2
// has forms of payment of its own, one of them described differently.
std::span<const DemoCode> demoOtherCodes()
{
    static const DemoCode codes[] = {
        {1, 1, "01", "Camera singola"},
        {1, 1, "02", "Camera doppia"},
        {1, 1, "03", "Camera tripla"},
        {1, 1, "04", "Suite"},
        {1, 2, "BB", "Pernottamento e colazione"},
        {1, 2, "HB", "Mezza pensione"},
        {1, 2, "FB", "Pensione completa"},
        {1, 3, "AG", "Agenzia"},
        {1, 3, "DI", "Cliente diretto"},
        {1, 3, "WEB", "Prenotazione internet"},
        {1, 5, "01", "Reparto camere"},
        {1, 5, "02", "Ristorante"},
        {1, 5, "03", "Bar"},
        {2, 4, "01", "Cassa contanti"},
        {2, 4, "04", "Carte di credito"},
        {2, 4, "06", "Amex"},
        {2, 4, "11", "Buono pasto"},
        {2, 1, "01", "Singola"},
    };
    return codes;
}

// Six headed columns. Code 06 is gathered twice: in column 3 by hotel 1 and in
// column 6 by a row of hotel 2, which the column set-up of hotel 1 cannot see. That
// row comes first in column 6, yet the heading shown is the one of hotel 1's row.
std::span<const DemoColumnRow> demoColumnRows()
{
    static const DemoColumnRow rows[] = {
        {1, 1, "CONTANTI", "01"},
        {1, 2, "ASSEGNI", "02"},
        {1, 3, "CARTE", "03"},
        {1, 3, "CARTE", "04"},
        {1, 3, "CARTE", "06"},
        {1, 4, "BONIFICI", "05"},
        {1, 5, "CAPARRE", "08"},
        {2, 6, "AMEX", "06"},
        {1, 6, "BUONI", "07"},
    };
    return rows;
}

int demoSeasonPerMille(int month)
{
    static const int season[] = {800, 850, 950, 1050, 1100, 1200, 1300, 1350, 1100, 950, 750, 900};
    return season[(month - 1) % 12];
}

}
