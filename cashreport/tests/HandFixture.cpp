#include "cashreport/tests/HandFixture.h"

#include "platform/Database.h"
#include "platform/StoreSchema.h"

#include <vector>

namespace ravelt::testing {

// The hand-made fixture: three days over the end of February of a leap year,
// D1 = 28/02/2024, D2 = 29/02/2024, D3 = 01/03/2024.
//
// Columns (ColonneRavelt: hotel, column, heading, code):
//   (2, 1, Cash, ch)  listed first, so the heading search must skip another hotel's row
//   (1, 1, Contanti, CA)                  col 1 gathers CA and ch (the hotel-2 row counts for codes)
//   (1, 2, "  Carte di credito", CC)      heading cut to 10 then trimmed: "Carte di"
//   (1, 2, ignored, CA)                   col 2 gathers CC and CA; CA is in two columns
//   (1, 3, Bonifico, BO)
//   (2, 5, Altro, AL)                     col 5 has no row of hotel 1: blank, AL counts nowhere
//   (1, 6, Esterni, 4) (1, 6, Esterni, 04) (1, 6, Esterni, XX)
//                                         col 6: the numbers 4 (twice) for external notes
//   (1, 7, Città, AS)                     a heading outside ASCII
//   (1, 8, D'Agenzia, A'G)                apostrophes in a heading and in a code
//   (1, 9, "", BO)                        an empty heading: blank column, BO not counted there
//   (1, 10, Grandi, GR)
// Headed columns: 1 2 3 6 7 8 10. Column 4 has no row.
//
// Documents (DatiFattura; hotel 1 unless said; Annullato "" and RiepAcc "" unless said):
//   F1  Fattura 1,  D1, counter 5               ordinary
//   F2  Fattura 2,  D1, counter 7, Annullato S  cancelled
//   R1  Ricevuta 1, D1, counter 5, RiepAcc A    receipt marked A
//   R2  Ricevuta 2, D1, counter 7, CorrNonPagato 1
//   N1  Fattura 3,  D1, counter 5, RiepAcc N
//   F3  Fattura 4,  D2, counter 5
//   H2  Fattura 5,  D2, counter 5, hotel 2
//   NA  "Nota d'accredito n." 6, D2, counter 5, RiepAcc N
//   NB  "Nota d'accredito n." 7, D2, counter 5
//   RN1 Ricevuta 8, D2, counter 7, RiepAcc N
//   RN2 Ricevuta 9, D2, counter 7, RiepAcc N, CorrNonPagato 1
//   N2  Fattura 10, D2, counter 5, RiepAcc N    (its payment is dated D3)
//   N3  Fattura 11, D3, counter 5, RiepAcc N
//   F4  Fattura 13, D3, counter 5
//
// Payments (Incassi: type number day counter code amount):
//   p1 Fattura 1 D1 5 CA 100.00     p2 Fattura 1 D1 5 CC 50.50    p3 Fattura 1 D1 5 AL 30.00
//   p4 Fattura 1 D1 5 XZ 7.00       p5 Fattura 1 D2 5 CA 20.00    p6 Fattura 1 D1 5 CC Null
//   p7 Fattura 1 D1 5 CA 0          p8 Fattura 2 D1 7 CA 1000.00  p9 Ricevuta 1 D1 5 BO 40.00
//   p10 Ricevuta 2 D1 7 CA 25.00    p11 Fattura 3 D1 5 BO 100.00
//   p12 Fattura 4 D2 5 CA 200.00    p13 Fattura 4 D2 5 A'G 12.34  p14 Fattura 4 D2 5 AS 0.01
//   p15 Fattura 4 D2 5 GR 1500000.00                              p16 Fattura 5 D2 5 CA 77.00
//   p17 "Nota d'accredito n." 6 D2 5 CA 10.00                     p18 "Nota d'accredito n." 7 D2 5 CC 5.00
//   p19 Ricevuta 8 D2 7 AS 3.00     p20 Ricevuta 9 D2 7 AS 2.00   p21 Fattura 10 D3 5 BO 50.00
//   p22 Fattura 11 D3 5 GR 150000.00
//   p23 Fattura 13 D3 7 CA 33.00    p24 Fattura 13 D3 5 CH 8.00   p25 Fattura 3 D1 5 XZ 2.00
//   External entries (ESTERNI, number 0; counter, note, amount):
//   e1 D1 5 "0004 cassa" 15.00   e2 D1 7 "12ab" 9.99   e3 D1 7 "0004" Null   e4 D1 7 "0004" 3.00
//   e5 D2 5 "4" -5.00
//
// Presences (Dettaglio): D1 Presenze/Generale 40 and 2, Presenze/Piano1 10 (not Generale),
// PresenzeNC/Generale 20 and PresenzeNC/Piano1 5 (any Dettaglio counts): 42 and 25.
// D2 Presenze/Generale 1234 (a day count wider than its cell: "1.234"). D3 none: 0 and 0.
//
// Working out, stage by stage.
//
// Stage 1 (every type). The note's first four characters read as a number: "0004 cassa"
// and "0004" give 4, "4" gives 4, "12ab" gives 12. Only column 6 holds 4 (as "4" and
// "04": the subquery counts an entry once). Null e3 is skipped.
//   counter 0: D1 col 6 = e1 15.00 + e4 3.00 = 18.00; D2 col 6 = e5 -5.00.
//   counter 5: D1 col 6 = 15.00 (e4 is counter 7); D2 col 6 = -5.00.
//
// Stage 2, the documents of D with the variant's conditions, a payment counting when
// its own day is the document's and a document of hotel 1 has its type, number, day
// and counter. Never: p5 (paid D2, invoice of D1), p8 (F2 cancelled), p16 (hotel 2),
// p23 (counter 7 against F4's 5), p3, p4 and p25 (codes in no headed column), p6 (Null),
// p7 (zero).
//   Tutti, no R (receipts only with CorrNonPagato 0, invoices, nothing else):
//     D1: F1 and R1 are in D. p1 CA 100 in cols 1, 2; p2 CC 50.50 col 2; p9 BO 40 col 3.
//     D2: F3 (and H2, not of hotel 1). p12 CA 200 cols 1, 2; p13 12.34 col 8; p14 0.01 col 7;
//         p15 1,500,000 col 10. NB is not an invoice or receipt: p18 not counted.
//     D3: F4. p24 CH 8 col 1 (ch of the hotel-2 row, letter case aside).
//   Tutti, R (documents marked A left out, any type): D1: F1 and R2 (R1 is A):
//     p1, p2 as before, p10 CA 25 cols 1, 2, p9 no. D2: F3 and NB: as before plus
//     p18 CC 5 col 2, found by a search for "Nota d''accredito n.". D3: as without R.
//   Fatture: F1 (D1), F3 (D2), F4 (D3): p1, p2, p12..p15, p24 as above.
//   Ricevute, no R: R1 (D1, CorrNonPagato 0): p9 BO 40 col 3. Nothing on D2, D3.
//   Ricevute, R: R2 (D1, not marked A): p10 CA 25 cols 1, 2.
//   Counter 5: documents and payments of counter 5 only. Tutti no R: F1, R1 (D1), F3
//     (D2), F4 (D3) as before. Tutti R: F1 (R1 is A, R2 counter 7), F3, NB, F4.
//     Fatture: as with counter 0 (p23 is out either way). Ricevute no R: R1. Ricevute R:
//     nothing (R1 is A, R2 counter 7).
//
// Stage 3, the documents marked N of the day, their payments taken off:
//   Tutti (no type test, no CorrNonPagato test): D1 N1: p11 BO -100 col 3. D2 NA, RN1,
//     RN2, N2: p17 CA -10 cols 1, 2 (a search for "Nota d''accredito n."), p19 AS -3 and
//     p20 AS -2 col 7; p21 is dated D3, not D2. D3 N3: p22 GR -150,000 col 10.
//   Fatture ("Fat" letters): D1 p11 -100 col 3; D2 N2 only, whose payment p21 is dated D3,
//     so the search for it among D2's documents fails; D3 p22 -150,000.
//   Ricevute ("Ric" letters, CorrNonPagato 0 whatever R): D2 RN1: p19 -3 col 7 (RN2 has
//     CorrNonPagato 1).
//   Counter 5: p19 and p20 (counter 7) drop out; the rest is of counter 5.
//
// Totals of each variant, by day (columns not listed are 0):
//   Tutti 0 no R  D1: c1 100.00 c2 150.50 c3 -60.00 c6 18.00                 = 208.50
//                 D2: c1 190.00 c2 190.00 c6 -5.00 c7 -4.99 c8 12.34 c10 1,500,000.00
//                                                                             = 1,500,382.35
//                 D3: c1 8.00 c10 -150,000.00                                = -149,992.00
//                 period: c1 298.00 c2 340.50 c3 -60.00 c6 13.00 c7 -4.99 c8 12.34
//                         c10 1,350,000.00, total 1,350,598.85; counts 1276 and 25
//   Tutti 0 R     D1: c1 125.00 c2 175.50 c3 -100.00 c6 18.00; D2: c1 190.00 c2 195.00
//                 c6 -5.00 c7 -4.99 c8 12.34 c10 1,500,000.00; D3 as without R
//   Tutti 5 no R  D1: c1 100.00 c2 150.50 c3 -60.00 c6 15.00; D2: c1 190.00 c2 190.00
//                 c6 -5.00 c7 0.01 c8 12.34 c10 1,500,000.00; D3: c1 8.00 c10 -150,000.00
//   Tutti 5 R     D1: c1 100.00 c2 150.50 c3 -100.00 c6 15.00; D2: c1 190.00 c2 195.00
//                 c6 -5.00 c7 0.01 c8 12.34 c10 1,500,000.00 (= 1,500,392.35); D3 as above.
//                 period: c1 298.00 c2 345.50 c3 -100.00 c6 10.00 c7 0.01 c8 12.34
//                         c10 1,350,000.00, total 1,350,565.85
//   Fatture 0     D1: c1 100.00 c2 150.50 c3 -100.00 c6 18.00; D2: c1 200.00 c2 200.00
//                 c6 -5.00 c7 0.01 c8 12.34 c10 1,500,000.00; D3: c1 8.00 c10 -150,000.00
//   Fatture 5     as Fatture 0 with D1 c6 15.00
//   Ricevute 0 no R  D1: c3 40.00 c6 18.00; D2: c6 -5.00 c7 -3.00 (day total -8.00)
//   Ricevute 0 R     D1: c1 25.00 c2 25.00 c6 18.00; D2: c6 -5.00 c7 -3.00
//   Ricevute 5 no R  D1: c3 40.00 c6 15.00; D2: c6 -5.00
//   Ricevute 5 R     D1: c6 15.00; D2: c6 -5.00
// The option makes no difference to Fatture.

namespace {

void run(const std::filesystem::path& folder, const std::string& store, const std::vector<std::string>& statements)
{
    createStore(folder, store);
    auto db = Database::OpenDatabase(store, folder);
    db->BeginTrans();
    for (const auto& sql : statements)
        db->Execute(sql);
    db->CommitTrans();
}

}

void createHandFixture(const std::filesystem::path& folder, const std::string& codiceAssistenza)
{
    run(folder, "AnagraficaHotels.mdb",
        {"Insert Into AnagraficaHotels Values (2, 'Altro albergo', 'R')",
         "Insert Into AnagraficaHotels Values (1, 'Hôtel L''Étoile', '')"});
    setSupportCode(folder, codiceAssistenza);

    run(folder, "ColonneRavelt.mdb",
        {"Insert Into ColonneRavelt Values (2, 1, 'Cash', 'ch', '')",
         "Insert Into ColonneRavelt Values (1, 1, 'Contanti', 'CA', 'Contanti')",
         "Insert Into ColonneRavelt Values (1, 2, '  Carte di credito', 'CC', '')",
         "Insert Into ColonneRavelt Values (1, 2, 'ignored', 'CA', '')",
         "Insert Into ColonneRavelt Values (1, 3, 'Bonifico', 'BO', '')",
         "Insert Into ColonneRavelt Values (2, 5, 'Altro', 'AL', '')",
         "Insert Into ColonneRavelt Values (1, 6, 'Esterni', '4', '')",
         "Insert Into ColonneRavelt Values (1, 6, 'Esterni', '04', '')",
         "Insert Into ColonneRavelt Values (1, 6, 'Esterni', 'XX', '')",
         "Insert Into ColonneRavelt Values (1, 7, 'Città', 'AS', '')",
         "Insert Into ColonneRavelt Values (1, 8, 'D''Agenzia', 'A''G', '')",
         "Insert Into ColonneRavelt Values (1, 9, '', 'BO', '')",
         "Insert Into ColonneRavelt Values (1, 10, 'Grandi', 'GR', '')"});

    // NumeroHotel, TipoDocumento, NDocumento, DataEmissione, Contatore, Annullato, RiepAcc, CorrNonPagato
    const std::string doc = "Insert Into DatiFattura Values ";
    // TipoDocumento, NDocumento, DataEmissione, Contatore, Sigla, Importo, Nota
    const std::string pay = "Insert Into Incassi Values ";
    run(folder, "Fatture.mdb",
        {doc + "(1, 'Fattura n.', 1, '20240228', 5, '', '', 0)",       // F1
         doc + "(1, 'Fattura n.', 2, '20240228', 7, 'S', '', 0)",      // F2
         doc + "(1, 'Ricevuta n.', 1, '20240228', 5, '', 'A', 0)",     // R1
         doc + "(1, 'Ricevuta n.', 2, '20240228', 7, '', '', 1)",      // R2
         doc + "(1, 'Fattura n.', 3, '20240228', 5, '', 'N', 0)",      // N1
         doc + "(1, 'Fattura n.', 4, '20240229', 5, '', '', 0)",       // F3
         doc + "(2, 'Fattura n.', 5, '20240229', 5, '', '', 0)",       // H2
         doc + "(1, 'Nota d''accredito n.', 6, '20240229', 5, '', 'N', 0)",  // NA
         doc + "(1, 'Nota d''accredito n.', 7, '20240229', 5, '', '', 0)",   // NB
         doc + "(1, 'Ricevuta n.', 8, '20240229', 7, '', 'N', 0)",     // RN1
         doc + "(1, 'Ricevuta n.', 9, '20240229', 7, '', 'N', 1)",     // RN2
         doc + "(1, 'Fattura n.', 10, '20240229', 5, '', 'N', 0)",     // N2
         doc + "(1, 'Fattura n.', 11, '20240301', 5, '', 'N', 0)",     // N3
         doc + "(1, 'Fattura n.', 13, '20240301', 5, '', '', 0)",      // F4
         pay + "('Fattura n.', 1, '20240228', 5, 'CA', 100.00, '')",   // p1
         pay + "('Fattura n.', 1, '20240228', 5, 'CC', 50.50, '')",    // p2
         pay + "('Fattura n.', 1, '20240228', 5, 'AL', 30.00, '')",    // p3
         pay + "('Fattura n.', 1, '20240228', 5, 'XZ', 7.00, '')",     // p4
         pay + "('Fattura n.', 1, '20240229', 5, 'CA', 20.00, '')",    // p5
         pay + "('Fattura n.', 1, '20240228', 5, 'CC', Null, '')",     // p6
         pay + "('Fattura n.', 1, '20240228', 5, 'CA', 0, '')",        // p7
         pay + "('Fattura n.', 2, '20240228', 7, 'CA', 1000.00, '')",  // p8
         pay + "('Ricevuta n.', 1, '20240228', 5, 'BO', 40.00, '')",   // p9
         pay + "('Ricevuta n.', 2, '20240228', 7, 'CA', 25.00, '')",   // p10
         pay + "('Fattura n.', 3, '20240228', 5, 'BO', 100.00, '')",   // p11
         pay + "('Fattura n.', 4, '20240229', 5, 'CA', 200.00, '')",   // p12
         pay + "('Fattura n.', 4, '20240229', 5, 'A''G', 12.34, '')",  // p13
         pay + "('Fattura n.', 4, '20240229', 5, 'AS', 0.01, '')",     // p14
         pay + "('Fattura n.', 4, '20240229', 5, 'GR', 1500000.00, '')",  // p15
         pay + "('Fattura n.', 5, '20240229', 5, 'CA', 77.00, '')",    // p16
         pay + "('Nota d''accredito n.', 6, '20240229', 5, 'CA', 10.00, '')",  // p17
         pay + "('Nota d''accredito n.', 7, '20240229', 5, 'CC', 5.00, '')",   // p18
         pay + "('Ricevuta n.', 8, '20240229', 7, 'AS', 3.00, '')",    // p19
         pay + "('Ricevuta n.', 9, '20240229', 7, 'AS', 2.00, '')",    // p20
         pay + "('Fattura n.', 10, '20240301', 5, 'BO', 50.00, '')",   // p21
         pay + "('Fattura n.', 11, '20240301', 5, 'GR', 150000.00, '')",  // p22
         pay + "('Fattura n.', 13, '20240301', 7, 'CA', 33.00, '')",   // p23
         pay + "('Fattura n.', 13, '20240301', 5, 'CH', 8.00, '')",    // p24
         pay + "('Fattura n.', 3, '20240228', 5, 'XZ', 2.00, '')",     // p25
         pay + "('ESTERNI', 0, '20240228', 5, 'XX', 15.00, '0004 cassa')",  // e1
         pay + "('ESTERNI', 0, '20240228', 7, '', 9.99, '12ab')",      // e2
         pay + "('ESTERNI', 0, '20240228', 7, '', Null, '0004')",      // e3
         pay + "('ESTERNI', 0, '20240228', 7, '', 3.00, '0004')",      // e4
         pay + "('ESTERNI', 0, '20240229', 5, '', -5.00, '4')"});      // e5

    const std::string det = "Insert Into Dettaglio Values ";
    run(folder, "Dettaglio.mdb",
        {det + "('20240228', 'Presenze', 'Generale', 40)", det + "('20240228', 'Presenze', 'Generale', 2)",
         det + "('20240228', 'Presenze', 'Piano1', 10)", det + "('20240228', 'PresenzeNC', 'Generale', 20)",
         det + "('20240228', 'PresenzeNC', 'Piano1', 5)", det + "('20240229', 'Presenze', 'Generale', 1234)"});
}

void setSupportCode(const std::filesystem::path& folder, const std::string& codiceAssistenza)
{
    auto db = Database::OpenDatabase("AnagraficaHotels.mdb", folder);
    std::string quoted;
    for (char ch : codiceAssistenza)
        quoted += ch == '\'' ? std::string("''") : std::string(1, ch);
    db->Execute("Update AnagraficaHotels Set CodiceAssistenza = '" + quoted + "' Where Numero = 1");
}

const std::vector<HandVariant>& handVariants()
{
    using T = DocumentType;
    static const std::vector<HandVariant> all = {
        {"Tutti 0 no R", T::Tutti, 0, false,
         {{{D1, 1}, 10000}, {{D1, 2}, 15050}, {{D1, 3}, -6000}, {{D1, 6}, 1800},
          {{D2, 1}, 19000}, {{D2, 2}, 19000}, {{D2, 6}, -500}, {{D2, 7}, -499}, {{D2, 8}, 1234}, {{D2, 10}, 150000000},
          {{D3, 1}, 800}, {{D3, 10}, -15000000}}},
        {"Tutti 0 R", T::Tutti, 0, true,
         {{{D1, 1}, 12500}, {{D1, 2}, 17550}, {{D1, 3}, -10000}, {{D1, 6}, 1800},
          {{D2, 1}, 19000}, {{D2, 2}, 19500}, {{D2, 6}, -500}, {{D2, 7}, -499}, {{D2, 8}, 1234}, {{D2, 10}, 150000000},
          {{D3, 1}, 800}, {{D3, 10}, -15000000}}},
        {"Tutti 5 no R", T::Tutti, 5, false,
         {{{D1, 1}, 10000}, {{D1, 2}, 15050}, {{D1, 3}, -6000}, {{D1, 6}, 1500},
          {{D2, 1}, 19000}, {{D2, 2}, 19000}, {{D2, 6}, -500}, {{D2, 7}, 1}, {{D2, 8}, 1234}, {{D2, 10}, 150000000},
          {{D3, 1}, 800}, {{D3, 10}, -15000000}}},
        {"Tutti 5 R", T::Tutti, 5, true,
         {{{D1, 1}, 10000}, {{D1, 2}, 15050}, {{D1, 3}, -10000}, {{D1, 6}, 1500},
          {{D2, 1}, 19000}, {{D2, 2}, 19500}, {{D2, 6}, -500}, {{D2, 7}, 1}, {{D2, 8}, 1234}, {{D2, 10}, 150000000},
          {{D3, 1}, 800}, {{D3, 10}, -15000000}}},
        {"Fatture 0", T::Fatture, 0, false,
         {{{D1, 1}, 10000}, {{D1, 2}, 15050}, {{D1, 3}, -10000}, {{D1, 6}, 1800},
          {{D2, 1}, 20000}, {{D2, 2}, 20000}, {{D2, 6}, -500}, {{D2, 7}, 1}, {{D2, 8}, 1234}, {{D2, 10}, 150000000},
          {{D3, 1}, 800}, {{D3, 10}, -15000000}}},
        {"Fatture 0 R", T::Fatture, 0, true,
         {{{D1, 1}, 10000}, {{D1, 2}, 15050}, {{D1, 3}, -10000}, {{D1, 6}, 1800},
          {{D2, 1}, 20000}, {{D2, 2}, 20000}, {{D2, 6}, -500}, {{D2, 7}, 1}, {{D2, 8}, 1234}, {{D2, 10}, 150000000},
          {{D3, 1}, 800}, {{D3, 10}, -15000000}}},
        {"Fatture 5", T::Fatture, 5, false,
         {{{D1, 1}, 10000}, {{D1, 2}, 15050}, {{D1, 3}, -10000}, {{D1, 6}, 1500},
          {{D2, 1}, 20000}, {{D2, 2}, 20000}, {{D2, 6}, -500}, {{D2, 7}, 1}, {{D2, 8}, 1234}, {{D2, 10}, 150000000},
          {{D3, 1}, 800}, {{D3, 10}, -15000000}}},
        {"Ricevute 0 no R", T::Ricevute, 0, false, {{{D1, 3}, 4000}, {{D1, 6}, 1800}, {{D2, 6}, -500}, {{D2, 7}, -300}}},
        {"Ricevute 0 R", T::Ricevute, 0, true,
         {{{D1, 1}, 2500}, {{D1, 2}, 2500}, {{D1, 6}, 1800}, {{D2, 6}, -500}, {{D2, 7}, -300}}},
        {"Ricevute 5 no R", T::Ricevute, 5, false, {{{D1, 3}, 4000}, {{D1, 6}, 1500}, {{D2, 6}, -500}}},
        {"Ricevute 5 R", T::Ricevute, 5, true, {{{D1, 6}, 1500}, {{D2, 6}, -500}}},
    };
    return all;
}

}
