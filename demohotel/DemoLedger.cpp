#include "demohotel/DemoLedger.h"

#include "demohotel/DemoCatalog.h"
#include "demohotel/DemoRandom.h"
#include "platform/BulkInsert.h"
#include "platform/Currency.h"
#include "platform/Database.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace ravelt {

namespace {

const char* const Fattura = "Fattura n.";
const char* const Ricevuta = "Ricevuta n.";

enum class Amount { Normal, Null, Zero, Negative };

struct PaymentPlan {
    PaymentPlan() = default;
    PaymentPlan(std::string s, Amount a = Amount::Normal, int offset = 0, bool other = false,
                std::optional<long long> fixed = std::nullopt)
        : sigla(std::move(s)), amount(a), dayOffset(offset), otherCounter(other), cents(fixed)
    {
    }
    std::string sigla;
    Amount amount = Amount::Normal;
    int dayOffset = 0;          // the payment's date against the document's
    bool otherCounter = false;  // booked on counter 4, not the document's
    std::optional<long long> cents;  // a fixed amount instead of a drawn share
};

struct DocumentPlan {
    bool invoice = true;
    int hotel = 1;
    int counter = 1;
    std::string annullato;
    std::string riepAcc;
    int corrNonPagato = 0;
    std::vector<PaymentPlan> payments;
};

struct ExternalPlan {
    int counter = 1;
    int code = 1;  // 0: a note that starts with no code
    std::string text;
    Amount amount = Amount::Normal;
};

// The first day's documents: one of each case, so that even a demo of one day and one
// room lets the cash report's every rule be seen at work.
std::vector<DocumentPlan> showcaseDocuments()
{
    using A = Amount;
    return {
        // an ordinary invoice: a code of one column, one gathered twice, one of no column
        {true, 1, 1, "", "", 0, {{"01"}, {"06"}, {"09"}}},
        {true, 1, 1, "S", "", 0, {{"01"}}},                               // cancelled
        {true, 1, 1, "", "N", 0, {{"04", A::Normal, 0, false, 10000}}},  // taken off: 100,00 of column 3
        {false, 1, 1, "", "N", 0, {{"01"}}},                             // receipt taken off
        {false, 1, 1, "", "N", 1, {{"01"}}},                             // receipt "N" not paid in full
        {false, 1, 1, "", "A", 0, {{"03"}}},                             // left out with the R option
        {true, 1, 1, "", "A", 0, {{"04"}}},                              // invoice "A": out for "Tutti" with R
        {false, 1, 1, "", "", 1, {{"01"}}},                              // not paid in full
        {false, 1, 1, "N", "S", 0, {{"01", A::Null}, {"03", A::Zero}, {"01", A::Negative}}},
        {true, 1, 1, "", "", 0, {{"05", A::Normal, 1}, {"08", A::Normal, -2}}},  // paid on other days
        {true, 1, 1, "", "N", 0, {{"01", A::Normal, 1}}},                // "N" paid another day: not taken off
        {false, 1, 2, "", "", 0, {{"01"}, {"04", A::Normal, 0, true}}},  // one payment on counter 4
        {false, 1, 3, "", "S", 0, {{"07"}, {"10"}}},
        {true, 2, 1, "", "", 0, {{"01"}}},                               // hotel 2
    };
}

std::vector<ExternalPlan> showcaseExternals()
{
    using A = Amount;
    return {
        {1, 1, "Fondo cassa iniziale"}, {2, 4, "POS ristorante"}, {3, 8, "Caparra prenotazione"},
        {1, 9, "Addebito agenzia"},     {1, 0, "Rimborso spese"}, {2, 1, "Incasso bar", A::Null},
        {3, 3, "Bancomat bar", A::Zero}, {1, 1, "Prelievo cassa", A::Negative}, {2, 6, "Amex esterno"},
    };
}

// Draws a day's count around a mean given in thousandths, spread by up to 30% either
// way; the fraction left is a last draw, so small hotels still get the odd one.
long drawCount(DemoRandom& rng, long long meanMilli)
{
    long long spread = meanMilli * rng.between(700, 1300) / 1000;
    return static_cast<long>(spread / 1000 + (rng.between(0, 999) < spread % 1000 ? 1 : 0));
}

Amount drawAmountKind(DemoRandom& rng)
{
    static const std::array<int, 4> weights = {960, 10, 15, 15};
    return static_cast<Amount>(rng.pick(weights));
}

DocumentPlan randomDocument(DemoRandom& rng)
{
    static const std::array<int, 3> counters = {700, 200, 100};
    static const std::array<int, 4> riepAcc = {30, 40, 400, 530};
    static const char* const riepAccText[] = {"N", "A", "S", ""};
    static const std::array<int, 3> paymentCounts = {550, 300, 150};
    static const int offsets[] = {-3, -2, -1, 1, 2};
    static const std::vector<int> formWeights = [] {
        std::vector<int> w;
        for (const auto& f : demoPaymentForms())
            w.push_back(f.weight);
        return w;
    }();

    DocumentPlan d;
    d.hotel = rng.chance(10) ? 2 : 1;
    d.invoice = rng.chance(350);
    d.counter = 1 + static_cast<int>(rng.pick(counters));
    d.annullato = rng.chance(20) ? "S" : (rng.chance(500) ? "N" : "");
    d.riepAcc = riepAccText[rng.pick(riepAcc)];
    if (d.invoice)
        d.corrNonPagato = rng.chance(5) ? 1 : 0;
    else
        d.corrNonPagato = rng.chance(50) ? (rng.chance(800) ? 1 : 2) : 0;
    const int n = 1 + static_cast<int>(rng.pick(paymentCounts));
    for (int i = 0; i < n; ++i) {
        PaymentPlan p;
        p.sigla = demoPaymentForms()[rng.pick(formWeights)].sigla;
        p.amount = drawAmountKind(rng);
        if (rng.chance(50))
            p.dayOffset = offsets[rng.between(0, 4)];
        p.otherCounter = rng.chance(5);
        d.payments.push_back(p);
    }
    return d;
}

ExternalPlan randomExternal(DemoRandom& rng)
{
    struct Kind {
        int code;
        const char* text;
        int weight;
    };
    static const Kind kinds[] = {
        {1, "Versamento fondo cassa", 250}, {1, "Incasso bar", 250},  {1, "Prelievo cassa", 80},
        {4, "POS ristorante", 150},         {3, "Bancomat bar", 100}, {8, "Caparra prenotazione", 80},
        {9, "Addebito agenzia", 50},        {0, "Rimborso spese", 40},
    };
    static const std::vector<int> weights = [] {
        std::vector<int> w;
        for (const auto& k : kinds)
            w.push_back(k.weight);
        return w;
    }();
    static const std::array<int, 3> counters = {500, 300, 200};
    const Kind& k = kinds[rng.pick(weights)];
    ExternalPlan e;
    e.counter = 1 + static_cast<int>(rng.pick(counters));
    e.code = k.code;
    e.text = k.text;
    e.amount = drawAmountKind(rng);
    if (e.text == "Prelievo cassa" && e.amount == Amount::Normal)
        e.amount = Amount::Negative;
    if (e.code == 8)
        e.text += " n. " + std::to_string(rng.between(100, 9999));
    return e;
}

Value amountValue(Amount kind, long long cents)
{
    switch (kind) {
    case Amount::Null: return Value();
    case Amount::Zero: return Value(Currency());
    case Amount::Negative: return Value(Currency::fromUnits(-cents * 100));
    case Amount::Normal: break;
    }
    return Value(Currency::fromUnits(cents * 100));
}

// The state of one run: the random source, the two prepared inserts, the next number
// of each series and what was written so far.
struct LedgerRun {
    DemoRandom rng;
    BulkInsert documents;
    BulkInsert payments;
    std::map<std::tuple<int, bool, int>, long> numbers;  // hotel, invoice, counter -> last number
    DemoLedgerCounts counts;
};

// Writes a document and its payments. Their amounts are the document's total, drawn
// from the range of its kind and shared out over the payments; a fixed amount of the
// plan replaces the drawn share.
void writeDocument(LedgerRun& run, const DocumentPlan& d, const CivilDate& day)
{
    const char* type = d.invoice ? Fattura : Ricevuta;
    // Payments name their document by type, number and counter only, so hotel 2
    // numbers its documents from 900001: none of its payments can be taken for one of
    // hotel 1, and only the hotel test of the cash report keeps them out.
    const long number = (d.hotel == 1 ? 0 : 900000) + ++run.numbers[{d.hotel, d.invoice, d.counter}];
    run.documents.insert({Value(d.hotel), Value(type), Value(static_cast<std::int64_t>(number)), Value(day.iso()),
                          Value(d.counter), Value(d.annullato), Value(d.riepAcc), Value(d.corrNonPagato)});
    ++run.counts.documents;

    // The front desk (counter 1) issues the larger documents, the restaurant and the bar
    // the small ones.
    long long total;
    if (d.invoice)
        total = d.counter == 1 ? run.rng.between(8000, 150000) : run.rng.between(2000, 30000);
    else
        total = d.counter == 1 ? run.rng.between(3000, 60000) : run.rng.between(300, 12000);
    for (std::size_t i = 0; i < d.payments.size(); ++i) {
        const PaymentPlan& p = d.payments[i];
        long long share = total;
        if (i + 1 < d.payments.size()) {
            share = std::max<long long>(1, total * run.rng.between(25, 65) / 100);
            total = std::max<long long>(1, total - share);
        }
        const long long cents = p.cents ? *p.cents : share;
        // Counter 4 issues no documents, so a payment booked there can only be taken
        // for its own document by a report that forgets to match counters.
        const int counter = p.otherCounter ? 4 : d.counter;
        run.payments.insert({Value(type), Value(static_cast<std::int64_t>(number)),
                             Value(day.plusDays(p.dayOffset).iso()), Value(counter), Value(p.sigla),
                             amountValue(p.amount, cents), Value("")});
        ++run.counts.payments;
    }
}

// Writes an external cash entry: number 0, its code as four digits at the start of
// the note and as the payment-form code ("0004 POS ristorante", "04").
void writeExternal(LedgerRun& run, const ExternalPlan& e, const CivilDate& day)
{
    char code[8];
    std::snprintf(code, sizeof code, "%04d", e.code);
    const std::string nota = e.code > 0 ? std::string(code) + " " + e.text : e.text;
    const std::string sigla = e.code > 0 ? std::string(code + 2) : std::string();
    run.payments.insert({Value("ESTERNI"), Value(0), Value(day.iso()), Value(e.counter), Value(sigla),
                         amountValue(e.amount, run.rng.between(500, 50000)), Value(nota)});
    ++run.counts.payments;
    ++run.counts.externals;
}

}

DemoLedger::DemoLedger(const DemoOptions& options, CivilDate firstDay) : options_(options), firstDay_(firstDay)
{
}

DemoLedgerCounts DemoLedger::write(Database& fatture)
{
    DemoLedgerCounts counts;
    {
        LedgerRun run{
            DemoRandom(options_.seed, 1),
            BulkInsert(fatture, "DatiFattura",
                       {"NumeroHotel", "TipoDocumento", "NDocumento", "DataEmissione", "Contatore", "Annullato", "RiepAcc",
                        "CorrNonPagato"}),
            BulkInsert(fatture, "Incassi",
                       {"TipoDocumento", "NDocumento", "DataEmissione", "Contatore", "Sigla", "Importo", "Nota"}),
            {},
            {}};
        for (int d = 0; d < options_.days; ++d) {
            const CivilDate day = firstDay_.plusDays(d);
            const long long season = demoSeasonPerMille(day.month());
            if (d == 0)
                for (const auto& plan : showcaseDocuments())
                    writeDocument(run, plan, day);
            // About 0.8 documents a room a day, 1.6 payments each.
            const long documents = drawCount(run.rng, options_.rooms * 800LL * season / 1000);
            for (long i = 0; i < documents; ++i)
                writeDocument(run, randomDocument(run.rng), day);
            if (d == 0)
                for (const auto& plan : showcaseExternals())
                    writeExternal(run, plan, day);
            // About one external entry a day for every fifteen rooms.
            const long externals = drawCount(run.rng, options_.rooms * 1000LL / 15);
            for (long i = 0; i < externals; ++i)
                writeExternal(run, randomExternal(run.rng), day);
        }
        counts = run.counts;
    }
    return counts;
}

}
