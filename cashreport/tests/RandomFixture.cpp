#include "cashreport/tests/RandomFixture.h"

#include "platform/BulkInsert.h"
#include "platform/Database.h"
#include "platform/StoreSchema.h"

#include <cctype>
#include <random>
#include <string>
#include <vector>

namespace ravelt::testing {

namespace {

class Draw {
public:
    explicit Draw(std::uint64_t seed) : rng_(seed) {}

    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(int percent) { return between(1, 100) <= percent; }

    // One of the values; a Null in about one case in 'nullOneIn' when it is not 0.
    Value text(const std::vector<const char*>& values, int nullOneIn = 0)
    {
        if (nullOneIn && between(1, nullOneIn) == 1)
            return Value();
        return Value(values[between(0, static_cast<int>(values.size()) - 1)]);
    }
    Value number(int lo, int hi, int nullOneIn = 0)
    {
        if (nullOneIn && between(1, nullOneIn) == 1)
            return Value();
        return Value(between(lo, hi));
    }
    // An amount with up to four decimals, sometimes whole, zero, negative or Null.
    Value amount()
    {
        int kind = between(1, 20);
        if (kind == 1)
            return Value();
        if (kind == 2)
            return Value(Currency());
        if (kind <= 6)
            return Value(Currency::fromWhole(between(-200, 2000)));
        std::int64_t units = static_cast<std::int64_t>(between(-20000, 200000)) * (chance(50) ? 100 : 1);
        return Value(Currency::fromUnits(units));
    }

private:
    std::mt19937_64 rng_;
};

const std::vector<const char*> Days = {"20240226", "20240227", "20240228", "20240229", "20240301", "20240302",
                                       "20240303", "20240304", "20240305"};
const std::vector<const char*> OddDays = {"2024022", "2024022a", "20240230", "", "20240228 "};

const std::vector<const char*> DocumentTypes = {"Fattura n.", "Fattura n.", "Fattura n.", "Ricevuta n.", "Ricevuta n.",
                                                "Ricevuta n.", "FATTURA N.", "ricevuta n.", "Nota d'accredito n.",
                                                "Fatturazione", "Ric. fiscale", ""};
const std::vector<const char*> Codes = {"CA", "ca", "CC", "BO", "A'G", "4", "04", " 4", "12", "XX", "", "ZZ", "Ca"};
const std::vector<const char*> Notes = {"0004", "4", "04xx", "12ab", "abcd", " 4", "0012 cassa", "", "4.5", "-4", "0004 cassa"};

// The same text with its letters all upper-case or all lower-case.
Value otherLetterCase(Draw& d, const Value& v)
{
    if (v.isNull())
        return v;
    std::string s = v.toText();
    bool upper = d.chance(50);
    for (char& ch : s)
        ch = static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(ch)) : std::tolower(static_cast<unsigned char>(ch)));
    return Value(s);
}

Value day(Draw& d)
{
    return d.chance(6) ? d.text(OddDays, 3) : d.text(Days);
}

}

void createRandomFixture(const std::filesystem::path& folder, std::uint64_t seed)
{
    Draw d(seed);

    createStore(folder, "AnagraficaHotels.mdb");
    {
        auto db = Database::OpenDatabase("AnagraficaHotels.mdb", folder);
        db->Execute("Insert Into AnagraficaHotels Values (1, 'Albergo " + std::to_string(seed) + "', '')");
    }

    createStore(folder, "ColonneRavelt.mdb");
    {
        auto db = Database::OpenDatabase("ColonneRavelt.mdb", folder);
        BulkInsert rows(*db, "ColonneRavelt", {"NumeroHotel", "NumeroColonna", "Intestazione", "Sigla", "Descrizione"});
        const std::vector<const char*> headings = {"Contanti", "Carte", "  Bonifico  ", "Città", "L'Agenzia", "", "Assegni lunghi"};
        int rowsWanted = d.between(4, 30);
        for (int r = 0; r < rowsWanted; ++r)
            rows.insert({d.chance(85) ? Value(1) : Value(2), d.number(0, 11), d.text(headings, 8), d.text(Codes, 15), Value("")});
    }

    createStore(folder, "Fatture.mdb");
    {
        auto db = Database::OpenDatabase("Fatture.mdb", folder);
        db->BeginTrans();
        struct Doc {
            Value tipo, numero, data, contatore;
        };
        std::vector<Doc> docs;
        {
            BulkInsert rows(*db, "DatiFattura", {"NumeroHotel", "TipoDocumento", "NDocumento", "DataEmissione", "Contatore",
                                                  "Annullato", "RiepAcc", "CorrNonPagato"});
            int count = d.between(10, 70);
            for (int k = 0; k < count; ++k) {
                Doc doc{d.text(DocumentTypes, 30), d.number(1, 15, 40), day(d), d.number(0, 3, 40)};
                rows.insert({d.chance(90) ? Value(1) : Value(2), doc.tipo, doc.numero, doc.data, doc.contatore,
                             d.text({"", "", "", "S", "s", "N"}, 20), d.text({"", "", "", "N", "N", "n", "A", "a", "X"}, 20),
                             d.number(0, 2, 20)});
                docs.push_back(doc);
            }
        }
        BulkInsert rows(*db, "Incassi", {"TipoDocumento", "NDocumento", "DataEmissione", "Contatore", "Sigla", "Importo", "Nota"});
        int count = d.between(30, 200);
        for (int k = 0; k < count; ++k) {
            if (d.chance(15)) {
                // An external cash entry: its code is in the note.
                rows.insert({d.text({"ESTERNI", "ESTERNI", "esterni"}), Value(0), day(d), d.number(0, 3, 30), d.text(Codes, 5),
                             d.amount(), d.text(Notes, 10)});
                continue;
            }
            // Mostly a payment of a document as it was issued; sometimes on another day,
            // of another counter or type, or of a number no document has.
            Doc doc = docs[d.between(0, static_cast<int>(docs.size()) - 1)];
            if (d.chance(15))
                doc.data = day(d);
            if (d.chance(10))
                doc.contatore = d.number(0, 3, 20);
            if (d.chance(10))
                doc.tipo = d.text(DocumentTypes, 20);
            else if (d.chance(25))
                doc.tipo = otherLetterCase(d, doc.tipo);
            if (d.chance(5))
                doc.numero = d.number(1, 20, 10);
            rows.insert({doc.tipo, doc.numero, doc.data, doc.contatore, d.text(Codes, 20), d.amount(), Value("")});
        }
        db->CommitTrans();
    }

    createStore(folder, "Dettaglio.mdb");
    {
        auto db = Database::OpenDatabase("Dettaglio.mdb", folder);
        BulkInsert rows(*db, "Dettaglio", {"DataInserimento", "Tipo", "Dettaglio", "Valore"});
        int count = d.between(0, 40);
        for (int k = 0; k < count; ++k)
            rows.insert({day(d), d.text({"Presenze", "Presenze", "PresenzeNC", "presenze", "Arrivi"}),
                         d.text({"Generale", "Generale", "generale", "Piano1"}), d.number(-2, 300, 15)});
    }
}

}
