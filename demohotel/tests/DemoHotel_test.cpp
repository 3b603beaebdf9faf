#include "demohotel/DemoHotel.h"

#include "platform/Currency.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/StoreCatalog.h"
#include "platform/StoreSchema.h"
#include "platform/Value.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using ravelt::Currency;
using ravelt::Database;
using ravelt::DemoOptions;
using ravelt::DemoSummary;
using ravelt::Recordset;
using ravelt::Value;
using ravelt::testing::TempFolder;

namespace {

// Thirty days from 15 February 2026 (across the end of February) of a 40-room hotel.
DemoOptions smallHotel(std::uint64_t seed = 7)
{
    DemoOptions o;
    o.days = 30;
    o.rooms = 40;
    o.seed = seed;
    o.fromYear = 2026;
    o.fromMonth = 2;
    o.fromDay = 15;
    return o;
}
const char* const FirstDay = "20260215";
const char* const LastDay = "20260316";

std::string readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The first field of the first record of a selection, as a number.
long long scalar(const fs::path& folder, const std::string& store, const std::string& sql)
{
    auto db = Database::OpenDatabase(store, folder);
    auto rs = db->OpenRecordset(sql);
    if (rs->RecordCount() == 0)
        return 0;
    rs->MoveFirst();
    return rs->Fields(0).toInt();
}

// Every record of every table of every store, in table order, each value with its
// kind (Null, number, amount, text), then the bytes of the other files of the folder.
std::string dump(const fs::path& folder)
{
    std::ostringstream out;
    for (const auto& store : ravelt::knownStores()) {
        auto db = Database::OpenDatabase(store, folder);
        auto tables = db->OpenRecordset("Select name From sqlite_master Where type = 'table' Order By name");
        std::vector<std::string> names;
        for (tables->MoveFirst(); !tables->EOF_(); tables->MoveNext())
            names.push_back(tables->Fields(0).toText());
        for (const auto& t : names) {
            auto rs = db->OpenRecordset(t);
            out << store << '/' << t << ' ' << rs->RecordCount() << '\n';
            for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
                for (int c = 0; c < rs->fieldCount(); ++c)
                    out << rs->Fields(c).raw().index() << ':' << rs->Fields(c).toText() << '|';
                out << '\n';
            }
        }
    }
    std::set<std::string> others;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().extension() != ".sqlite")
            others.insert(e.path().filename().string());
    for (const auto& name : others)
        out << name << '\n' << readFile(folder / name) << '\n';
    return out.str();
}

// Names and bytes of every file of a folder.
std::map<std::string, std::string> snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder))
        files[e.path().filename().string()] = readFile(e.path());
    return files;
}

// The slot values of a printer-type code text: three characters each, leading number.
std::vector<double> slots(const std::string& codes)
{
    std::vector<double> v;
    for (size_t i = 0; i < 12; ++i)
        v.push_back(i * 3 < codes.size() ? ravelt::leadingNumber(codes.substr(i * 3, 3)) : 0);
    return v;
}

// One demo hotel shared by the tests that only read it.
class CreateDemoHotel : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        demo = new TempFolder;
        summary = ravelt::createDemoHotel(demo->path(), smallHotel());
    }
    static void TearDownTestSuite()
    {
        delete demo;
        demo = nullptr;
    }
    static long long count(const std::string& store, const std::string& sql) { return scalar(demo->path(), store, sql); }

    static TempFolder* demo;
    static DemoSummary summary;
};
TempFolder* CreateDemoHotel::demo = nullptr;
DemoSummary CreateDemoHotel::summary;

TEST_F(CreateDemoHotel, SameSeedAndOptionsGiveTheSameData)
{
    TempFolder again;
    ravelt::createDemoHotel(again.path(), smallHotel());
    const std::string a = dump(demo->path());
    EXPECT_GT(a.size(), 50000u);
    EXPECT_EQ(a, dump(again.path()));
    // Down to the bytes of the files.
    const auto one = snapshot(demo->path()), two = snapshot(again.path());
    ASSERT_EQ(one.size(), two.size());
    for (const auto& [name, bytes] : one)
        EXPECT_TRUE(two.count(name) && two.at(name) == bytes) << name;
}

TEST_F(CreateDemoHotel, AnotherSeedGivesOtherPaymentsOnTheSameSettings)
{
    TempFolder other;
    ravelt::createDemoHotel(other.path(), smallHotel(8));
    EXPECT_NE(dump(demo->path()), dump(other.path()));
    // The seed moves the business, not the hotel's settings.
    for (const char* store : {"AnagraficaHotels.mdb", "CodiciVari.mdb", "ColonneRavelt.mdb", "Stampanti.mdb"}) {
        auto table = [&](const fs::path& f) {
            const std::string name(store);
            auto db = Database::OpenDatabase(name, f);
            auto rs = db->OpenRecordset(name.substr(0, name.size() - 4));
            std::string s;
            for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext())
                for (int c = 0; c < rs->fieldCount(); ++c)
                    s += rs->Fields(c).toText() + "|";
            return s;
        };
        EXPECT_EQ(table(demo->path()), table(other.path())) << store;
    }
    EXPECT_NE(scalar(demo->path(), "Fatture.mdb", "Select Sum(Importo) From Incassi"),
              scalar(other.path(), "Fatture.mdb", "Select Sum(Importo) From Incassi"));
}

// Each case the cash report tells apart is in the demo, on its first day and again on
// the days drawn at random after it.
TEST_F(CreateDemoHotel, EveryCaseOfTheCashReportIsPresent)
{
    const std::string notExternal = "TipoDocumento <> 'ESTERNI'";
    struct Case {
        const char* what;
        std::string store;
        std::string where;  // a condition on DatiFattura or Incassi
        std::string table;
    } cases[] = {
        {"cancelled documents", "Fatture.mdb", "Annullato = 'S'", "DatiFattura"},
        {"invoices marked N", "Fatture.mdb", "RiepAcc = 'N' and TipoDocumento = 'Fattura n.'", "DatiFattura"},
        {"receipts marked N", "Fatture.mdb", "RiepAcc = 'N' and TipoDocumento = 'Ricevuta n.'", "DatiFattura"},
        {"receipts marked A", "Fatture.mdb", "RiepAcc = 'A' and TipoDocumento = 'Ricevuta n.'", "DatiFattura"},
        {"invoices marked A", "Fatture.mdb", "RiepAcc = 'A' and TipoDocumento = 'Fattura n.'", "DatiFattura"},
        {"ordinary documents marked S", "Fatture.mdb", "RiepAcc = 'S'", "DatiFattura"},
        {"ordinary documents unmarked", "Fatture.mdb", "RiepAcc = ''", "DatiFattura"},
        {"receipts not paid in full", "Fatture.mdb", "CorrNonPagato <> 0 and TipoDocumento = 'Ricevuta n.'", "DatiFattura"},
        {"documents of every counter", "Fatture.mdb", "Contatore = 3", "DatiFattura"},
        {"documents of hotel 2", "Fatture.mdb", "NumeroHotel = 2", "DatiFattura"},
        {"payments with a Null amount", "Fatture.mdb", notExternal + " and Importo Is Null", "Incassi"},
        {"payments of zero", "Fatture.mdb", notExternal + " and Importo = 0", "Incassi"},
        {"negative payments", "Fatture.mdb", notExternal + " and Importo < 0", "Incassi"},
        {"payments with cents", "Fatture.mdb", notExternal + " and Importo <> Round(Importo)", "Incassi"},
        {"payments dated off their document", "Fatture.mdb",
         notExternal + " and Not Exists (Select * From DatiFattura D Where D.TipoDocumento = Incassi.TipoDocumento and "
                       "D.NDocumento = Incassi.NDocumento and D.DataEmissione = Incassi.DataEmissione)",
         "Incassi"},
        {"payments booked on another counter than their document's", "Fatture.mdb",
         notExternal + " and Not Exists (Select * From DatiFattura D Where D.TipoDocumento = Incassi.TipoDocumento and "
                       "D.NDocumento = Incassi.NDocumento and D.Contatore = Incassi.Contatore)",
         "Incassi"},
        {"payments with a code of no column", "Fatture.mdb",
         notExternal + " and Sigla Not In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb')", "Incassi"},
        {"payments with the code of two columns", "Fatture.mdb", notExternal + " and Sigla In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' Group By Sigla "
                       "Having Count(Distinct NumeroColonna) > 1)",
         "Incassi"},
        {"external entries", "Fatture.mdb", "TipoDocumento = 'ESTERNI'", "Incassi"},
        {"external entries of counter 3", "Fatture.mdb", "TipoDocumento = 'ESTERNI' and Contatore = 3", "Incassi"},
        {"external entries with a code of no column", "Fatture.mdb",
         "TipoDocumento = 'ESTERNI' and Val(Left(Nota,4)) Not In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb')",
         "Incassi"},
        {"negative external entries", "Fatture.mdb", "TipoDocumento = 'ESTERNI' and Importo < 0", "Incassi"},
    };
    const std::string firstDay = std::string("DataEmissione = '") + FirstDay + "'";
    const std::string laterDays = std::string("DataEmissione > '") + FirstDay + "'";
    for (const auto& c : cases) {
        for (const auto& when : {firstDay, laterDays}) {
            const std::string sql = "Select Count(*) From " + c.table + " Where " + c.where + " and " + when;
            EXPECT_GT(count(c.store, sql), 0) << c.what << " (" << when << ")";
        }
    }
    // The special cases stay special: most documents count as they are.
    EXPECT_GT(count("Fatture.mdb", "Select Count(*) From DatiFattura Where Annullato <> 'S' and RiepAcc <> 'N' and "
                                   "RiepAcc <> 'A' and CorrNonPagato = 0"),
              summary.documents * 8 / 10);
}

TEST_F(CreateDemoHotel, DocumentsAndPaymentsAgree)
{
    // Numbered 1..n (hotel 2 from 900001) per hotel, type and counter, with no gap and no repeat.
    auto db = Database::OpenDatabase("Fatture.mdb", demo->path());
    auto groups = db->OpenRecordset(
        "Select NumeroHotel, TipoDocumento, Contatore, Count(*) as N, Count(Distinct NDocumento) as D, "
        "Min(NDocumento) as Lo, Max(NDocumento) as Hi From DatiFattura Group By NumeroHotel, TipoDocumento, Contatore");
    std::set<std::string> hotelOneSeries;
    for (groups->MoveFirst(); !groups->EOF_(); groups->MoveNext()) {
        const auto hotel = groups->Fields("NumeroHotel").toInt();
        const std::string series = std::to_string(hotel) + " " + groups->Fields("TipoDocumento").toText() + " " +
                                   groups->Fields("Contatore").toText();
        EXPECT_EQ(groups->Fields("N").toInt(), groups->Fields("D").toInt()) << series;
        EXPECT_EQ(groups->Fields("Lo").toInt(), hotel == 1 ? 1 : 900001) << series;
        EXPECT_EQ(groups->Fields("Hi").toInt() - groups->Fields("Lo").toInt() + 1, groups->Fields("N").toInt()) << series;
        if (hotel == 1)
            hotelOneSeries.insert(series);
    }
    EXPECT_EQ(hotelOneSeries.size(), 6u) << "two types times three counters";

    EXPECT_EQ(count("Fatture.mdb", "Select Count(*) From DatiFattura D Where Not Exists (Select * From Incassi I Where "
                                   "I.TipoDocumento = D.TipoDocumento and I.NDocumento = D.NDocumento)"),
              0)
        << "documents without payments";
    EXPECT_EQ(count("Fatture.mdb", "Select Count(*) From Incassi I Where TipoDocumento <> 'ESTERNI' and Not Exists "
                                   "(Select * From DatiFattura D Where I.TipoDocumento = D.TipoDocumento and "
                                   "I.NDocumento = D.NDocumento)"),
              0)
        << "payments of no document";
    EXPECT_EQ(count("Fatture.mdb", std::string("Select Count(*) From DatiFattura Where DataEmissione < '") + FirstDay +
                                       "' or DataEmissione > '" + LastDay + "' or Length(DataEmissione) <> 8"),
              0);
    EXPECT_EQ(count("Fatture.mdb", "Select Count(*) From Incassi Where TipoDocumento Not In "
                                   "('Fattura n.', 'Ricevuta n.', 'ESTERNI')"),
              0);
    // Every document code is a form of payment of hotel 1.
    EXPECT_EQ(count("Fatture.mdb", "Select Count(*) From Incassi Where TipoDocumento <> 'ESTERNI' and Sigla Not In "
                                   "(Select Sigla From CodiciVari In 'CodiciVari.mdb' Where NumeroHotel = 1 and Tipo = 4)"),
              0);

    // Amounts have at most two decimals.
    auto amounts = db->OpenRecordset("Select Importo From Incassi");
    long withCents = 0;
    for (amounts->MoveFirst(); !amounts->EOF_(); amounts->MoveNext()) {
        const Value& v = amounts->Fields(0);
        if (v.isNull())
            continue;
        const Currency c = v.toCurrency();
        ASSERT_EQ(c.units() % 100, 0) << c.format(4);
        withCents += c.units() % Currency::Scale != 0;
    }
    EXPECT_GT(withCents, summary.payments / 2);
}

TEST_F(CreateDemoHotel, ExternalEntriesCarryTheirCodeInTheNote)
{
    EXPECT_EQ(count("Fatture.mdb", "Select Count(*) From Incassi Where TipoDocumento = 'ESTERNI' and NDocumento <> 0"), 0);
    // A note starts with four digits whose value is the code, or with no code at all.
    auto db = Database::OpenDatabase("Fatture.mdb", demo->path());
    auto rs = db->OpenRecordset("Select Nota, Sigla From Incassi Where TipoDocumento = 'ESTERNI'");
    ASSERT_EQ(rs->RecordCount(), summary.externalEntries);
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
        const std::string nota = rs->Fields("Nota").toText();
        const std::string sigla = rs->Fields("Sigla").toText();
        const bool coded = nota.size() > 5 && nota.find_first_not_of("0123456789") == 4 && nota[4] == ' ';
        EXPECT_EQ(coded, !sigla.empty()) << nota;
        if (coded) {
            EXPECT_EQ(std::stoi(nota.substr(0, 4)), std::stoi(sigla)) << nota;
        }
    }
    // Through the report's own selection, an entry reaches the columns that gather its code.
    auto columnsOf = [&](const std::string& nota) {
        std::string found;
        for (int n = 1; n <= 10; ++n) {
            const std::string sql = std::string("Select Importo From Incassi Where TipoDocumento = 'ESTERNI' and "
                                                "DataEmissione = '") +
                                    FirstDay + "' and Nota = '" + nota +
                                    "' and Val(Left(Nota,4)) In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' "
                                    "Where NumeroColonna = " +
                                    std::to_string(n) + ");";
            if (db->OpenRecordset(sql)->RecordCount() > 0)
                found += std::to_string(n) + " ";
        }
        return found;
    };
    EXPECT_EQ(columnsOf("0001 Fondo cassa iniziale"), "1 ");
    EXPECT_EQ(columnsOf("0004 POS ristorante"), "3 ");
    EXPECT_EQ(columnsOf("0006 Amex esterno"), "3 6 ");
    EXPECT_EQ(columnsOf("0009 Addebito agenzia"), "");
    EXPECT_EQ(columnsOf("Rimborso spese"), "");
}

TEST_F(CreateDemoHotel, ColumnsAreHeadedByHotelOneAndDescribedFromTheCodes)
{
    auto db = Database::OpenDatabase("ColonneRavelt.mdb", demo->path());
    auto rs = db->OpenRecordset("ColonneRavelt");
    std::map<long long, std::string> heading;  // first hotel-1 row of each column
    std::map<std::string, std::set<long long>> columnsOfCode;
    std::set<std::string> hotelOneCodes;
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
        const auto col = rs->Fields("NumeroColonna").toInt();
        const std::string sigla = rs->Fields("Sigla").toText();
        columnsOfCode[sigla].insert(col);
        if (rs->Fields("NumeroHotel").toInt() != 1)
            continue;
        EXPECT_TRUE(hotelOneCodes.insert(sigla).second) << "code " << sigla << " twice for hotel 1";
        const std::string h = rs->Fields("Intestazione").toText();
        EXPECT_FALSE(h.empty());
        EXPECT_LE(h.size(), 10u);
        if (!heading.count(col))
            heading[col] = h;
        EXPECT_EQ(h, heading[col]) << "column " << col;
    }
    EXPECT_EQ(heading.size(), 6u);
    EXPECT_EQ(heading[6], "BUONI") << "the heading of a column is read from hotel 1's rows";
    std::vector<std::string> twice;
    for (const auto& [code, cols] : columnsOfCode)
        if (cols.size() > 1)
            twice.push_back(code);
    EXPECT_EQ(twice, std::vector<std::string>{"06"});
    // Each row's description is its code's in the forms of payment of the row's hotel.
    EXPECT_EQ(scalar(demo->path(), "ColonneRavelt.mdb",
                     "Select Count(*) From ColonneRavelt C Where Not Exists (Select * From CodiciVari In "
                     "'CodiciVari.mdb' K Where K.NumeroHotel = C.NumeroHotel and K.Tipo = 4 and K.Sigla = C.Sigla "
                     "and K.Descrizione = C.Descrizione)"),
              0);
    // Forms of payment that no column gathers, and codes of other lists and another hotel.
    EXPECT_GE(count("CodiciVari.mdb", "Select Count(*) From CodiciVari Where NumeroHotel = 1 and Tipo = 4 and Sigla Not In "
                                      "(Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb')"),
              2);
    EXPECT_GT(count("CodiciVari.mdb", "Select Count(*) From CodiciVari Where Tipo <> 4"), 0);
    EXPECT_GT(count("CodiciVari.mdb", "Select Count(*) From CodiciVari Where NumeroHotel <> 1"), 0);
}

TEST_F(CreateDemoHotel, DailyDetailHasGapsAsARealHotel)
{
    auto db = Database::OpenDatabase("Dettaglio.mdb", demo->path());
    auto rs = db->OpenRecordset("Dettaglio");
    struct Day {
        long long generale = -1, italiani = 0, stranieri = 0, rooms = 0;
        int roomRows = 0;
    };
    std::map<std::string, Day> days;
    std::set<std::string> kinds;
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
        Day& d = days[rs->Fields("DataInserimento").toText()];
        const std::string tipo = rs->Fields("Tipo").toText(), det = rs->Fields("Dettaglio").toText();
        const long long v = rs->Fields("Valore").toInt();
        kinds.insert(tipo + "/" + det);
        if (tipo == "Presenze" && det == "Generale")
            d.generale = v;
        else if (tipo == "Presenze" && det == "Italiani")
            d.italiani = v;
        else if (tipo == "Presenze" && det == "Stranieri")
            d.stranieri = v;
        else if (tipo == "PresenzeNC") {
            d.rooms += v;
            ++d.roomRows;
        }
    }
    EXPECT_EQ(static_cast<long>(rs->RecordCount()), summary.presenceRows);
    int withoutRooms = 0, splitRooms = 0;
    for (const auto& [day, d] : days) {
        EXPECT_GE(day, FirstDay);
        EXPECT_LT(day, LastDay) << "the last day has no figures yet";
        ASSERT_GE(d.generale, 0) << day << ": a day with figures has its presences";
        EXPECT_EQ(d.italiani + d.stranieri, d.generale) << day;
        EXPECT_LE(d.rooms, smallHotel().rooms) << day;
        withoutRooms += d.roomRows == 0;
        splitRooms += d.roomRows == 2;
    }
    EXPECT_LT(days.size(), static_cast<size_t>(smallHotel().days));
    EXPECT_GT(withoutRooms, 0);
    EXPECT_GT(splitRooms, 0);
    EXPECT_TRUE(kinds.count("Arrivi/Generale"));
    EXPECT_TRUE(kinds.count("PresenzeNC/Dependance"));
}

TEST_F(CreateDemoHotel, HotelAndPrinterSettings)
{
    auto reg = Database::OpenDatabase("AnagraficaHotels.mdb", demo->path());
    auto hotel = reg->OpenRecordset("AnagraficaHotels");
    hotel->FindFirst("Numero = 1");
    ASSERT_FALSE(hotel->NoMatch());
    EXPECT_NE(hotel->Fields("RagioneSociale").toText().find("è"), std::string::npos);
    const std::string support = hotel->Fields("CodiceAssistenza").toText();
    EXPECT_EQ(support, DemoOptions().supportCode);
    EXPECT_EQ(support.find_first_of("^P"), std::string::npos) << "the default asks for no password";

    auto db = Database::OpenDatabase("Stampanti.mdb", demo->path());
    auto dest = db->OpenRecordset("Stampanti");
    auto types = db->OpenRecordset("SetStampa");
    int pdf = 0, textDevices = 0;
    for (dest->MoveFirst(); !dest->EOF_(); dest->MoveNext()) {
        const std::string name = dest->Fields("Destinazione").toText(), linea = dest->Fields("Linea").toText();
        EXPECT_EQ(dest->Fields("NumeroHotel").toInt(), 1) << name;
        EXPECT_GT(dest->Fields("Numero").toInt(), 0) << name;
        EXPECT_EQ(name.find('\''), std::string::npos);
        types->FindFirst("TipoStampa = " + dest->Fields("TipoStampa").toText());
        ASSERT_FALSE(types->NoMatch()) << name;
        for (const char* f : {"Compresso", "Grassetto", "Corsivo", "Sottolineato"})
            EXPECT_EQ(types->Fields(f).toText().size(), 36u) << name << " " << f;
        const auto comp = slots(types->Fields("Compresso").toText());
        const auto bold = slots(types->Fields("Grassetto").toText());
        EXPECT_GT(bold[6], bold[5]) << name << ": the form is longer than the margin";
        EXPECT_GT(bold[7], bold[5]) << name;
        if (name.find("PDF") != std::string::npos) {
            ++pdf;
            EXPECT_EQ(comp[5], 1) << "a PDF destination is of a Windows-printer type";
            EXPECT_TRUE(linea.ends_with(".pdf")) << linea;
            EXPECT_TRUE(fs::path(linea).is_relative()) << linea;
        } else if (comp[5] != 1) {
            ++textDevices;
            EXPECT_EQ(comp, (std::vector<double>{27, 15, 0, 0, 0, 0, 27, 18, 0, 0, 0, 0}));
            EXPECT_TRUE(fs::path(linea).is_relative()) << "a text device writes a file of the folder: " << linea;
        }
    }
    EXPECT_EQ(pdf, 1);
    EXPECT_EQ(textDevices, 1);

    EXPECT_EQ(scalar(demo->path(), "Contatori.mdb", "Select LungPagComp From Contatori Where NumeroHotel = 1"), 72);
    EXPECT_EQ(scalar(demo->path(), "Contatori.mdb", "Select LungPagNoComp From Contatori Where NumeroHotel = 1"), 60);
    EXPECT_EQ(readFile(demo->path() / "FontStp.txt"), "Courier New\r\n");
    EXPECT_EQ(readFile(demo->path() / "SeparatoreXLS.txt"), ";\r\n.\r\n\x80\r\n");
    EXPECT_EQ(readFile(demo->path() / "euro.txt"), "1\r\n");
    std::string mail = readFile(demo->path() / "Spedix.ini");
    EXPECT_NE(mail.find("server=127.0.0.1\r\n"), std::string::npos) << mail;
    EXPECT_NE(mail.find("porta=2525\r\n"), std::string::npos) << mail;
    EXPECT_EQ(mail.find("password"), std::string::npos) << "the demo's settings hold no password";
}

// The print definition names the column store and fields that exist in it.
TEST_F(CreateDemoHotel, PrintDefinitionMatchesTheColumnStore)
{
    std::istringstream in(readFile(demo->path() / "ColonneRavelt.stp"));
    std::vector<std::vector<std::string>> records;
    for (std::string line; std::getline(in, line);) {
        ASSERT_TRUE(line.ends_with("\r")) << "lines end with CR LF";
        line.pop_back();
        ASSERT_EQ(std::count(line.begin(), line.end(), ','), 9) << line;
        std::vector<std::string> f;
        std::string acc;
        for (char ch : line + ",") {
            if (ch == ',') {
                f.push_back(acc);
                acc.clear();
            } else {
                acc += ch;
            }
        }
        records.push_back(f);
    }
    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(records[0][2], "ColonneRavelt.mdb");
    EXPECT_EQ(records[0][3], "ColonneRavelt");
    auto db = Database::OpenDatabase(records[0][2], demo->path());
    auto rs = db->OpenRecordset(records[0][3]);
    for (size_t i = 1; i < records.size(); ++i) {
        EXPECT_FALSE(records[i][1].empty());
        EXPECT_GE(rs->fieldIndex(records[i][4]), 0) << records[i][4];
        EXPECT_GT(std::stoi(records[i][5]), 0);
    }
}

TEST_F(CreateDemoHotel, SummaryCountsWhatWasWritten)
{
    EXPECT_EQ(count("Fatture.mdb", "Select Count(*) From DatiFattura"), summary.documents);
    EXPECT_EQ(count("Fatture.mdb", "Select Count(*) From Incassi"), summary.payments);
    EXPECT_EQ(count("Fatture.mdb", "Select Count(*) From Incassi Where TipoDocumento = 'ESTERNI'"), summary.externalEntries);
    EXPECT_EQ(count("Dettaglio.mdb", "Select Count(*) From Dettaglio"), summary.presenceRows);
}

TEST(CreateDemoHotelOptions, SupportCodeIsWrittenAsGiven)
{
    TempFolder dir;
    DemoOptions o = smallHotel();
    o.days = 1;
    o.supportCode = "R^P";
    ravelt::createDemoHotel(dir.path(), o);
    auto db = Database::OpenDatabase("AnagraficaHotels.mdb", dir.path());
    auto rs = db->OpenRecordset("Select CodiceAssistenza From AnagraficaHotels Where Numero = 1");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields(0).toText(), "R^P");
}

TEST(CreateDemoHotelOptions, OutOfRangeOptionsWriteNothing)
{
    struct Case {
        const char* what;
        void (*change)(DemoOptions&);
    } cases[] = {
        {"no days", [](DemoOptions& o) { o.days = 0; }},
        {"no rooms", [](DemoOptions& o) { o.rooms = 0; }},
        {"29 February of a common year", [](DemoOptions& o) { o.fromMonth = 2, o.fromDay = 29, o.fromYear = 2026; }},
        {"month 13", [](DemoOptions& o) { o.fromMonth = 13; }},
        {"support code too long", [](DemoOptions& o) { o.supportCode = std::string(21, 'A'); }},
        {"past the year 9999", [](DemoOptions& o) { o.fromYear = 9999, o.fromMonth = 12, o.fromDay = 15; }},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        DemoOptions o = smallHotel();
        c.change(o);
        EXPECT_THROW(ravelt::createDemoHotel(dir.path() / "demo", o), std::invalid_argument) << c.what;
        EXPECT_FALSE(fs::exists(dir.path() / "demo")) << c.what;
    }
}

// A folder that already holds any file of a working folder is refused and left as it was.
TEST(CreateDemoHotelFolder, RefusesAFolderThatHoldsAWorkingFolderFile)
{
    struct Case {
        const char* name;
        void (*prepare)(const fs::path&);
    } cases[] = {
        {"Fatture.sqlite", [](const fs::path& f) { ravelt::createStore(f, "Fatture.mdb"); }},
        {"ColonneRavelt.sqlite", [](const fs::path& f) { ravelt::CreaArchivioColonne(f); }},
        {"Stampanti.sqlite", [](const fs::path& f) { ravelt::createStore(f, "Stampanti.mdb"); }},
        {"euro.txt", [](const fs::path& f) { std::ofstream(f / "euro.txt") << "1936,27\r\n"; }},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        c.prepare(dir.path());
        std::ofstream(dir.path() / "note.txt") << "da non toccare";
        const auto before = snapshot(dir.path());
        try {
            ravelt::createDemoHotel(dir.path(), smallHotel());
            ADD_FAILURE() << "wrote a demo over " << c.name;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.name), std::string::npos) << e.what();
        }
        EXPECT_EQ(snapshot(dir.path()), before) << c.name;
    }
}

TEST(CreateDemoHotelFolder, MakesAMissingFolderAndKeepsOtherFiles)
{
    TempFolder dir;
    std::ofstream(dir.path() / "note.txt") << "da non toccare";
    ravelt::createDemoHotel(dir.path(), smallHotel());
    EXPECT_EQ(readFile(dir.path() / "note.txt"), "da non toccare");
    EXPECT_TRUE(ravelt::storeExists(dir.path(), "Fatture.mdb"));

    const fs::path nested = dir.path() / "nuova" / "cartella";
    ravelt::createDemoHotel(nested, smallHotel());
    for (const auto& s : ravelt::knownStores())
        EXPECT_TRUE(ravelt::storeExists(nested, s)) << s;
}

// Payments grow in proportion to the rooms and the days: a year of a 30-room hotel has
// about a tenth of the 150,000 payments of a year of 300 rooms.
TEST(CreateDemoHotelVolume, GrowsWithRoomsAndDays)
{
    auto payments = [](int rooms, int days) {
        TempFolder dir;
        DemoOptions o;
        o.rooms = rooms;
        o.days = days;
        o.seed = 3;
        return ravelt::createDemoHotel(dir.path(), o);
    };
    const DemoSummary base = payments(30, 60), moreRooms = payments(60, 60), moreDays = payments(30, 120);
    const DemoSummary year = payments(30, 365);
    struct Case {
        const char* what;
        double ratio;
    } cases[] = {
        {"double the rooms", double(moreRooms.payments) / base.payments},
        {"double the days", double(moreDays.payments) / base.payments},
        {"documents, double the rooms", double(moreRooms.documents) / base.documents},
        {"external entries, double the rooms", double(moreRooms.externalEntries) / base.externalEntries},
        {"daily figures, double the days", double(moreDays.presenceRows) / base.presenceRows},
    };
    for (const auto& c : cases) {
        EXPECT_GT(c.ratio, 1.7) << c.what;
        EXPECT_LT(c.ratio, 2.4) << c.what;
    }
    EXPECT_GT(year.payments, 13500);
    EXPECT_LT(year.payments, 16500);
}

}
