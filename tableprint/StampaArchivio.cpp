#include "tableprint/StampaArchivio.h"

#include "output/CaricaProfiloStampa.h"
#include "output/FileImpostazioni.h"
#include "output/ImpostazioneNonValida.h"
#include "platform/ReportFile.h"
#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "shell/TextChars.h"
#include "tableprint/DefinizioneStampa.h"
#include "tableprint/ErroreStampa.h"
#include "tableprint/NumeriRegionali.h"
#include "platform/PlainText.h"
#include "platform/SqlQuote.h"
#include "platform/BoxDrawing.h"

#include <QString>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>

namespace ravelt {

namespace {

const char* const TitoloErrore = "Errore di stampa";

// The frame pieces of one border: start, fill, between columns, end.
struct Bordo {
    char inizio, riempimento, tra, fine;
};

struct Linee {
    char verticale;
    Bordo sopra, mezzo, sotto;
};

const Linee LineeSemplici{'|', {'|', '=', '|', '|'}, {'|', '=', '|', '|'}, {'|', '=', '|', '|'}};
using Box = BoxDrawing;
const Linee LineeRiquadro{Box::Vertical,
                          {Box::TopLeft, Box::Horizontal, Box::TopTee, Box::TopRight},
                          {Box::LeftTee, Box::Horizontal, Box::Cross, Box::RightTee},
                          {Box::BottomLeft, Box::Horizontal, Box::BottomTee, Box::BottomRight}};

std::string aDestra(const std::string& t, size_t w)
{
    return t.size() >= w ? t : t + std::string(w - t.size(), ' ');
}

std::string aSinistra(const std::string& t, size_t w)
{
    return t.size() >= w ? t : std::string(w - t.size(), ' ') + t;
}

std::string dueCifre(int v)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

std::string senzaBlanchi(const std::string& t)
{
    size_t a = t.find_first_not_of(' ');
    if (a == std::string::npos)
        return {};
    return t.substr(a, t.find_last_not_of(' ') - a + 1);
}

// The Destinazione of the first row of Stampanti, in table order.
std::optional<std::string> primaDestinazione(const std::filesystem::path& cartella)
{
    auto db = Database::OpenDatabase("Stampanti.mdb", cartella);
    auto rs = db->OpenRecordset("Stampanti");
    if (rs->RecordCount() == 0)
        return std::nullopt;
    rs->MoveFirst();
    return rs->Fields("Destinazione").toText();
}

// The page-fill length P: the form length (Grassetto slot 7 compressed, 8 normal) of
// the destination's printer type, or of the first destination's when this one is not
// in Stampanti. 0 when the type has no SetStampa row or the settings cannot be read:
// a store that cannot be read, or a value the profile refuses (only the form length is
// used here), is told as a notice and the print goes on without fill lines.
int lunghezzaModulo(const ContestoArchivio& c, const std::string& destinazione, bool compresso)
{
    auto di = [&c](const std::exception& e) {
        if (c.avvisi)
            c.avvisi->aggiungi("Stampanti.mdb", 0, std::string(e.what()) + "; la stampa non ha righe di riempimento");
    };
    try {
        ContestoStampa cs{c.cartella, c.ambiente, c.NumeroHotel};
        ProfiloStampa p = CaricaProfiloStampa(cs, destinazione, compresso);
        if (!p.Trovata) {
            auto prima = primaDestinazione(c.cartella);
            if (!prima)
                return 0;
            p = CaricaProfiloStampa(cs, *prima, compresso);
        }
        if (!p.Trovata || !p.RigaSetStampa)
            return 0;
        return p.CodiciGrassetto[compresso ? 6 : 7];
    } catch (const DbError& e) {
        di(e);
    } catch (const std::runtime_error& e) {
        // A page length or a control code out of range, as CaricaProfiloStampa raises it.
        di(e);
    }
    return 0;
}

std::string rigaHotel(const ContestoArchivio& c)
{
    try {
        auto db = Database::OpenDatabase("AnagraficaHotels.mdb", c.cartella);
        auto rs = db->OpenRecordset("AnagraficaHotels");
        rs->FindFirst("Numero = " + std::to_string(c.NumeroHotel));
        if (rs->NoMatch())
            return {};
        return "Hotel : " + toCp1252(rs->Fields("RagioneSociale").toText());
    } catch (const DbError& e) {
        if (c.avvisi)
            c.avvisi->aggiungi("AnagraficaHotels.mdb", 0, std::string(e.what()) + "; la riga dell'hotel resta vuota");
        return {};
    }
}

std::string rigaTitolo(const std::string& titolo, int larghezza, const DateTime& ora)
{
    const std::string data = dueCifre(ora.day) + "/" + dueCifre(ora.month) + "/" + std::to_string(ora.year);
    const int resto = larghezza - 15 - static_cast<int>(titolo.size());
    const int p = resto >= 0 ? resto / 2 : -((-resto + 1) / 2);
    if (p < 0)
        return data;
    const std::string blanchi(static_cast<size_t>(p), ' ');
    return data + blanchi + titolo + blanchi + dueCifre(ora.hour) + ":" + dueCifre(ora.minute);
}

// The found row of a look-up: its fields by name.
struct RigaCollegata {
    std::vector<std::string> nomi;
    std::vector<Value> valori;

    const Value& campo(const std::string& nome, const std::string& tabella) const
    {
        const QString cercato = QString::fromStdString(nome);
        for (size_t i = 0; i < nomi.size(); ++i)
            if (QString::fromStdString(nomi[i]).compare(cercato, Qt::CaseInsensitive) == 0)
                return valori[i];
        throw DbError("campo inesistente: " + nome + " (tabella " + tabella + ")");
    }
};

// The look-ups of one run. Each store is opened once for the run and each distinct
// look-up query is run once: the stores do not change while the report is written,
// so a query asked again finds what it found the first time.
class Ricerche {
public:
    explicit Ricerche(std::filesystem::path cartella) : cartella_(std::move(cartella)) {}

    const RigaCollegata* cerca(const std::string& archivio, const std::string& sql, const std::string& criterio)
    {
        const std::string chiave = archivio + '\n' + sql;
        auto trovata = memoria_.find(chiave);
        if (trovata != memoria_.end())
            return trovata->second.get();
        auto& db = archivi_[lowerAscii(archivio)];
        if (!db)
            db = Database::OpenDatabase(archivio, cartella_);
        auto rs = db->OpenRecordset(sql);
        rs->FindFirst(criterio);
        std::unique_ptr<RigaCollegata> riga;
        if (!rs->NoMatch()) {
            riga = std::make_unique<RigaCollegata>();
            for (int i = 0; i < rs->fieldCount(); ++i) {
                riga->nomi.push_back(rs->fieldName(i));
                riga->valori.push_back(rs->Fields(i));
            }
        }
        rs->Close();
        return (memoria_[chiave] = std::move(riga)).get();
    }

private:
    std::filesystem::path cartella_;
    std::map<std::string, std::unique_ptr<Database>> archivi_;
    std::map<std::string, std::unique_ptr<RigaCollegata>> memoria_;
};

// A key value as it goes into a look-up query: text between apostrophes (an apostrophe
// inside doubled, so that the key is compared as it stands), numbers bare.
std::string chiaveSql(const Value& v, FieldType tipo)
{
    std::string t = v.toText();
    if (tipo != FieldType::Text)
        return t;
    return sqlTextLiteral(t);
}

bool ugualeAZero(const Value& v, const std::string& testo)
{
    if (v.isInteger() || v.isDouble() || v.isCurrency())
        if (v.toDouble() == 0)
            return true;
    auto n = LeggiNumeroRegionale(testo);
    return n && n->units() == 0;
}

// How a column gets its value: from a look-up row, as an EURO amount divided by the
// factor, or straight from the row.
enum class TipoColonna { Ricerca, Euro, Semplice };

TipoColonna tipoColonna(const ColonnaStampa& col)
{
    return col.ricerca() ? TipoColonna::Ricerca : col.nomeCampo().starts_with("EURO") ? TipoColonna::Euro : TipoColonna::Semplice;
}

// A "Data" value yyyymmdd as dd/mm/yyyy; a value that is not a date after 1900 as ten
// blanks.
std::string comeData(const std::string& testo)
{
    const std::string t = senzaBlanchi(testo);
    if (!(t > "19000000"))
        return std::string(10, ' ');
    const std::u32string d = toCodePoints(t);
    auto mid = [&d](size_t da, size_t n) { return da - 1 < d.size() ? fromCodePoints(d.substr(da - 1, n)) : std::string(); };
    return mid(7, 2) + "/" + mid(5, 2) + "/" + mid(1, 4);
}

// One run: the definition, the running state of each column and the lines written.
struct Corsa {
    const ContestoArchivio& contesto;
    const DefinizioneStampa& def;
    const Linee& linee;
    Currency fattore;
    int colonne = 0;
    std::vector<std::string> precedente;  // per column, the value of the row above as text
    std::vector<Currency> totali;
    Ricerche ricerche;

    Corsa(const ContestoArchivio& c, const DefinizioneStampa& d, const Linee& l, Currency f)
        : contesto(c), def(d), linee(l), fattore(f), colonne(d.numeroColonne()),
          precedente(static_cast<size_t>(colonne)), totali(static_cast<size_t>(colonne)), ricerche(c.cartella)
    {
    }

    std::string cella(int c, Recordset& rs);

private:
    std::optional<std::string> testo(int c, Recordset& rs, Value& valore);
    std::string ripetuto(int c, const Value& valore);
    std::string incolonna(int c, const std::string& testo, const Value& valore);
};

// The cell of column c for the current row, exactly the column's width: the column's
// text for the row, "Data" values as dd/mm/yyyy, then cut to the width or aligned by
// whether it reads as a number. A value its field's type cannot hold is shown as
// stored, but where a figure is made of it (a totalled column, an EURO column) it
// raises UnreadableValueError, which stops the print.
std::string Corsa::cella(int c, Recordset& rs)
{
    const ColonnaStampa& col = def.colonne[static_cast<size_t>(c)];
    Value valore;
    std::optional<std::string> t = testo(c, rs, valore);
    if (!t)
        return std::string(static_cast<size_t>(col.larghezza), ' ');
    if (col.nomeCampo().starts_with("Data"))
        *t = comeData(*t);
    return incolonna(c, *t, valore);
}

// The text of column c for the current row and, in valore, the value it comes from:
// the look-up row's field, EURO divided by the factor, or the row's field. Nothing
// (a blank cell) when a look-up's key is empty or finds no row.
std::optional<std::string> Corsa::testo(int c, Recordset& rs, Value& valore)
{
    const ColonnaStampa& col = def.colonne[static_cast<size_t>(c)];
    const std::string& f = col.nomeCampo();
    switch (tipoColonna(col)) {
    case TipoColonna::Ricerca: {
        const Value& chiave = rs.Fields(col.campo(10));
        if (chiave.isNull())
            return std::nullopt;
        const std::string numeroHotel = rs.Fields("NumeroHotel").toText();
        const std::string criterio = "NumeroHotel = " + numeroHotel + " and " + col.campo(9) + " = " +
                                     chiaveSql(chiave, rs.fieldType(col.campo(10)));
        const RigaCollegata* riga =
            ricerche.cerca(col.campo(3), "SELECT * FROM " + col.campo(4) + " WHERE " + criterio, criterio);
        if (!riga)
            return std::nullopt;
        valore = riga->campo(f, col.campo(4));
        return ripetuto(c, valore);
    }
    case TipoColonna::Euro: {
        valore = rs.Fields(f.substr(4));
        valore.requireReadable();
        std::optional<Currency> importo;
        if (valore.isInteger() || valore.isDouble() || valore.isCurrency())
            importo = valore.toCurrency();
        else if (valore.isText())
            importo = LeggiNumeroRegionale(valore.toText());
        if (importo)
            return DividiEFormatta(*importo, fattore).value_or(std::string());
        return std::string();
    }
    case TipoColonna::Semplice:
        break;
    }
    valore = rs.Fields(f);
    return ripetuto(c, valore);
}

// The value of column c as text, or a single blank when the column hides repeats and
// the row above showed the same text; a totalled column's value must be readable.
std::string Corsa::ripetuto(int c, const Value& valore)
{
    const ColonnaStampa& col = def.colonne[static_cast<size_t>(c)];
    if (col.totale())
        valore.requireReadable();
    const std::string comeTesto = TestoRegionale(valore);
    std::string& sopra = precedente[static_cast<size_t>(c)];
    std::string t = col.nascondiRipetuti() && comeTesto == sopra ? " " : comeTesto;
    sopra = comeTesto;
    return t;
}

// The text of column c fitted to its width: cut when longer, blanks when empty, to the
// right when it reads as a number (or as zero), to the left otherwise. A number that is
// not zero adds into the column's total when the column is totalled: a look-up column
// by its leading figure, the others when the whole text reads as an amount.
std::string Corsa::incolonna(int c, const std::string& testo, const Value& valore)
{
    const ColonnaStampa& col = def.colonne[static_cast<size_t>(c)];
    const size_t w = static_cast<size_t>(col.larghezza);
    std::string t = toCp1252(testo);
    if (t.size() > w)
        return t.substr(0, w);
    if (t.empty())
        t = std::string(w, ' ');
    const double n = NumeroIniziale(t);
    if (n != 0) {
        if (col.totale()) {
            if (tipoColonna(col) == TipoColonna::Ricerca)
                totali[static_cast<size_t>(c)] += Currency::fromDouble(n);
            else if (auto importo = LeggiNumeroRegionale(t))
                totali[static_cast<size_t>(c)] += *importo;
        }
        return aSinistra(t, w);
    }
    if (ugualeAZero(valore, t))
        return aSinistra(t, w);
    return aDestra(t, w);
}

std::string errore(const DefinizioneStampa& def, const std::string& cosa)
{
    return "Stampa di " + def.tabella() + " (" + def.archivio() + ") non eseguita: " + cosa;
}

// The currency factor of the EURO columns: 1 without euro.txt. A euro.txt that is
// there but gives no factor stops the print when a printed column is an EURO column,
// whose figures would otherwise be divided by a factor nobody wrote; when no column
// needs it, the print goes on and the operator is told that the file was not used.
Currency fattoreEuro(const ContestoArchivio& contesto, const DefinizioneStampa& def)
{
    bool colonneEuro = false;
    for (int c = 0; c < def.numeroColonne(); ++c) {
        colonneEuro = colonneEuro || tipoColonna(def.colonne[static_cast<size_t>(c)]) == TipoColonna::Euro;
    }
    try {
        return LeggiEuro(contesto.cartella);
    } catch (const std::exception& e) {
        const auto* nonValida = dynamic_cast<const ImpostazioneNonValida*>(&e);
        AvvisoImpostazioni avviso = nonValida ? nonValida->avviso() : AvvisoImpostazioni{"euro.txt", 0, e.what()};
        if (colonneEuro)
            throw ErroreStampa(TitoloErrore, errore(def, avviso.messaggio() + ": le colonne EURO non si possono calcolare"));
        avviso.testo += "; nessuna colonna EURO lo usa";
        if (contesto.avvisi)
            contesto.avvisi->aggiungi(std::move(avviso));
    }
    return Currency::fromWhole(1);
}

// The frame of the table: the rule above the headings, the headings line, the rule
// under them (also above the totals) and the closing rule, each as wide as the columns.
struct Cornice {
    std::string sopra, intestazioni, mezzo, sotto;
};

Cornice cornice(const DefinizioneStampa& def, const Linee& linee)
{
    Cornice k{std::string(1, linee.sopra.inizio), std::string(1, linee.verticale), std::string(1, linee.mezzo.inizio),
              std::string(1, linee.sotto.inizio)};
    for (int c = 0; c < def.numeroColonne(); ++c) {
        const ColonnaStampa& col = def.colonne[static_cast<size_t>(c)];
        const size_t w = static_cast<size_t>(col.larghezza);
        k.intestazioni += aDestra(toCp1252(col.intestazione()), w).substr(0, w) + linee.verticale;
        k.sopra += std::string(w, linee.sopra.riempimento) + linee.sopra.tra;
        k.mezzo += std::string(w, linee.mezzo.riempimento) + linee.mezzo.tra;
        k.sotto += std::string(w, linee.sotto.riempimento) + linee.sotto.tra;
    }
    k.sopra.back() = linee.sopra.fine;
    k.mezzo.back() = linee.mezzo.fine;
    k.sotto.back() = linee.sotto.fine;
    return k;
}

// Reads the rows of the definition's table that meet the condition, in the order of
// the order field, keeping those of the run's hotel, and appends one framed line of
// cells per row to righe. Returns the number of rows printed. The stores' failures and
// a figure out of the currency range leave it by their own exceptions.
long leggiRighe(Corsa& corsa, const std::string& condizione, const std::string& campoOrdine,
                std::vector<std::string>& righe)
{
    const std::string numeroHotel = "NumeroHotel = " + std::to_string(corsa.contesto.NumeroHotel);
    auto db = Database::OpenDatabase(corsa.def.archivio(), corsa.contesto.cartella);
    auto rs = db->OpenRecordset("SELECT * FROM " + corsa.def.tabella() + " WHERE " + condizione + " ORDER BY " + campoOrdine);
    long lette = 0;
    for (rs->FindFirst(numeroHotel); !rs->NoMatch(); rs->FindNext(numeroHotel)) {
        std::string riga(1, corsa.linee.verticale);
        for (int c = 0; c < corsa.colonne; ++c)
            riga += corsa.cella(c, *rs) + corsa.linee.verticale;
        righe.push_back(std::move(riga));
        ++lette;
    }
    return lette;
}

// The framed totals line: each column's total in the general form, to the right, or
// blanks when it is zero (a column that is not totalled stays zero).
std::string rigaTotali(const Corsa& corsa)
{
    std::string totali(1, corsa.linee.verticale);
    for (int c = 0; c < corsa.colonne; ++c) {
        const size_t w = static_cast<size_t>(corsa.def.colonne[static_cast<size_t>(c)].larghezza);
        const Currency t = corsa.totali[static_cast<size_t>(c)];
        totali += (t.units() != 0 ? aSinistra(FormaGenerale(t), w) : std::string(w, ' ')) + corsa.linee.verticale;
    }
    return totali;
}

// Ends the page and gives the file's bytes, every line ended by CR LF. With option U the
// page is filled with empty lines up to the form length (none when the lines already
// reach it), the empty lines joining righe; otherwise a form feed follows the last line.
std::string chiudiPagina(std::vector<std::string>& righe, const std::string& codiceAssistenza, int lunghezzaModulo)
{
    const bool riempi = codiceAssistenza.find('U') != std::string::npos;
    if (riempi)
        while (static_cast<long>(righe.size()) < lunghezzaModulo)
            righe.emplace_back();
    std::string bytes;
    for (const auto& r : righe)
        bytes += r + "\r\n";
    if (!riempi)
        bytes += '\f';
    return bytes;
}

}

EsitoStampaArchivio StampaArchivio(const ContestoArchivio& contesto, const std::string& fileDefinizione,
                                   const std::string& destinazione, const std::string& condizione,
                                   const std::string& campoOrdine, bool compresso)
{
    EsitoStampaArchivio esito;
    esito.lunghezzaModulo = lunghezzaModulo(contesto, destinazione, compresso);
    const Linee& linee = contesto.CodiceAssistenza.find('K') != std::string::npos ? LineeRiquadro : LineeSemplici;

    const DefinizioneStampa def = LeggiDefinizioneStampa(contesto.cartella / fileDefinizione, contesto.avvisi);
    if (def.archivio().empty() || def.tabella().empty())
        throw ErroreStampa(TitoloErrore, "La prima riga di " + fileDefinizione +
                                             " non indica l'archivio (campo 3) e la tabella (campo 4) da stampare");
    const Currency fattore = fattoreEuro(contesto, def);

    SystemClock orologioDiSistema;
    const DateTime ora = (contesto.orologio ? *contesto.orologio : static_cast<const Clock&>(orologioDiSistema)).now();

    std::vector<std::string> righe;
    righe.push_back(rigaHotel(contesto));
    righe.push_back(rigaTitolo(toCp1252(def.titolo()), def.larghezzaTabella, ora));

    Corsa corsa(contesto, def, linee, fattore);
    const Cornice k = cornice(def, linee);
    righe.push_back(k.sopra);
    righe.push_back(k.intestazioni);
    righe.push_back(k.mezzo);

    try {
        esito.righeTabella = leggiRighe(corsa, condizione, campoOrdine, righe);
    } catch (const DbError& e) {
        throw ErroreStampa(TitoloErrore, errore(def, e.what()));
    } catch (const std::overflow_error&) {
        throw ErroreStampa(TitoloErrore, errore(def, "un importo o un totale esce dall'intervallo della valuta (" + Currency::rangeText() + ")"));
    }

    righe.push_back(k.mezzo);
    righe.push_back(rigaTotali(corsa));
    righe.push_back(k.sotto);
    const std::string bytes = chiudiPagina(righe, contesto.CodiceAssistenza, esito.lunghezzaModulo);

    esito.report = reportFilePath(contesto.cartella, contesto.PCLocal);
    esito.righeFile = static_cast<long>(righe.size());
    try {
        writeFileAtomically(esito.report, bytes);
    } catch (const std::exception& e) {
        throw ErroreStampa(TitoloErrore, errore(def, e.what()));
    }
    return esito;
}

}
