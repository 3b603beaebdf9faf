#include "demohotel/DemoHotel.h"

#include "demohotel/CivilDate.h"
#include "demohotel/DemoCatalog.h"
#include "demohotel/DemoDailyDetail.h"
#include "demohotel/DemoLedger.h"
#include "platform/BulkInsert.h"
#include "platform/Database.h"
#include "platform/StoreCatalog.h"
#include "platform/StoreLocation.h"
#include "platform/StoreSchema.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace ravelt {

namespace {

namespace fs = std::filesystem;

const char* const HotelName = "Hotel Bellavista e Caffè Rossi & C. s.n.c.";

// The small text files of the working folder, each as the suite writes it (CR LF lines).
struct TextFile {
    const char* name;
    std::string bytes;
};
const TextFile textFiles[] = {
    {"FontStp.txt", "Courier New\r\n"},
    // Field separator, decimal separator and currency mark (the euro sign in code page 1252).
    {"SeparatoreXLS.txt", ";\r\n.\r\n\x80\r\n"},
    {"euro.txt", "1\r\n"},
    // The mail program's settings: an SMTP server on this machine, without encryption or
    // login, as a test server listens (aiosmtpd -n -l 127.0.0.1:2525).
    {"Spedix.ini", "server=127.0.0.1\r\nporta=2525\r\nstarttls=no\r\n"
                   "mittente=Cassa Hotel Bellavista <cassa@hotel-demo.example>\r\n"
                   "destinatari=direzione@hotel-demo.example\r\n"},
    // The print definition of the column set-up's list, the one the column store comes
    // with, and a saved filter for it: every column, in column order, normal print.
    {"ColonneRavelt.stp", DefinizioneStampaColonne()},
    {"ColonneRavelt.fil", "Compresso = N\r\nIn Ordine di NumeroColonna\r\nNumeroColonna >= 1\r\n"},
};

CivilDate checkedOptions(const DemoOptions& o)
{
    if (o.days < 1 || o.days > 36600)
        throw std::invalid_argument("Giorni del demo fuori dai limiti (1-36600): " + std::to_string(o.days));
    if (o.rooms < 1 || o.rooms > 5000)
        throw std::invalid_argument("Camere del demo fuori dai limiti (1-5000): " + std::to_string(o.rooms));
    if (o.supportCode.size() > 20)
        throw std::invalid_argument("Codice assistenza più lungo di 20 caratteri: " + o.supportCode);
    auto first = CivilDate::fromYmd(o.fromYear, o.fromMonth, o.fromDay);
    if (!first) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", o.fromDay, o.fromMonth, o.fromYear);
        throw std::invalid_argument(std::string("Data di inizio del demo non valida: ") + buf);
    }
    if (first->plusDays(o.days - 1).year() > 9999)
        throw std::invalid_argument("Il periodo del demo va oltre l'anno 9999");
    return *first;
}

// The names of every file the demo writes in the folder: the stores' files when the
// stores are files, the text files, and Database.txt when the folder is to name the
// server of its stores.
std::vector<std::string> demoFileNames(const StoreLocation& where, const DemoOptions& o)
{
    std::vector<std::string> names;
    if (!where.onServer())
        for (const auto& s : knownStores())
            names.push_back(storePath(where.folder(), s).filename().string());
    for (const auto& t : textFiles)
        names.push_back(t.name);
    if (where.onServer() && o.databaseFile)
        names.push_back(DatabaseFileName);
    return names;
}

// Refuses a folder that holds any file of a working folder: a demo never writes over
// the stores of a hotel, not even over one of them.
void requireFreeFolder(const fs::path& folder, const std::vector<std::string>& names)
{
    std::error_code ec;
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec))
        throw std::runtime_error("Il percorso " + folder.string() + " non è una cartella");
    std::string present;
    for (const auto& n : names)
        if (fs::exists(folder / n, ec))
            present += (present.empty() ? "" : ", ") + n;
    if (!present.empty())
        throw std::runtime_error("La cartella " + folder.string() + " contiene già " + present +
                                 ": l'hotel dimostrativo non viene creato, nessun file è stato toccato");
}

// Refuses a server that holds any of the demo's stores, for the same reason; every
// store is looked for before anything is made.
void requireFreeServer(const StoreLocation& where)
{
    std::string present;
    for (const auto& s : knownStores())
        if (storeExists(where, s))
            present += (present.empty() ? "" : ", ") + s;
    if (!present.empty())
        throw std::runtime_error("Il server " + where.serverLabel() + " contiene già " + present +
                                 ": l'hotel dimostrativo non viene creato, nulla è stato scritto");
}

void writeRegistry(Database& db, const DemoOptions& o)
{
    BulkInsert ins(db, "AnagraficaHotels", {"Numero", "RagioneSociale", "CodiceAssistenza"});
    // The workstation's hotel comes first: the start-up takes the support code (and
    // with it the password gate and the print options) from the first record. A
    // second hotel of the suite follows, so readers must still look hotels up by number.
    ins.insert({Value(1), Value(HotelName), Value(o.supportCode)});
    ins.insert({Value(2), Value("Albergo Miramare S.r.l."), Value("RK")});
}

void writeCodes(Database& db)
{
    BulkInsert ins(db, "CodiciVari", {"NumeroHotel", "Sigla", "Descrizione", "Tipo"});
    for (const auto& c : demoOtherCodes())
        if (c.tipo < 4)
            ins.insert({Value(c.numeroHotel), Value(c.sigla), Value(c.descrizione), Value(c.tipo)});
    for (const auto& f : demoPaymentForms())
        ins.insert({Value(1), Value(f.sigla), Value(f.descrizione), Value(4)});
    for (const auto& c : demoOtherCodes())
        if (c.tipo >= 4)
            ins.insert({Value(c.numeroHotel), Value(c.sigla), Value(c.descrizione), Value(c.tipo)});
}

// The description a column row carries: the one of its code in the row's hotel's forms of payment.
std::string paymentFormDescription(int hotel, const std::string& sigla)
{
    if (hotel == 1)
        for (const auto& f : demoPaymentForms())
            if (sigla == f.sigla)
                return f.descrizione;
    for (const auto& c : demoOtherCodes())
        if (c.numeroHotel == hotel && c.tipo == 4 && sigla == c.sigla)
            return c.descrizione;
    throw std::logic_error("Forma di pagamento " + sigla + " dell'hotel " + std::to_string(hotel) + " assente dai codici");
}

void writeColumns(Database& db)
{
    BulkInsert ins(db, "ColonneRavelt", {"NumeroHotel", "NumeroColonna", "Intestazione", "Sigla", "Descrizione"});
    for (const auto& r : demoColumnRows())
        ins.insert({Value(r.numeroHotel), Value(r.numeroColonna), Value(r.intestazione), Value(r.sigla),
                    Value(paymentFormDescription(r.numeroHotel, r.sigla))});
}

// A code text of the printer types: twelve slots of three characters, each slot's
// text right-aligned; slots not given are "  0".
std::string codeSlots(std::initializer_list<const char*> slots)
{
    std::string out;
    int n = 0;
    for (const char* s : slots) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%3s", s);
        out += buf;
        ++n;
    }
    for (; n < 12; ++n)
        out += "  0";
    return out;
}

void writePrinters(Database& db)
{
    BulkInsert dest(db, "Stampanti", {"NumeroHotel", "Numero", "Destinazione", "TipoStampa", "Linea"});
    // A Windows printer (a print queue of the system), a text printer whose bytes go
    // to a file of the working folder, and a PDF file written by the program itself.
    dest.insert({Value(1), Value(1), Value("Laser Ufficio"), Value(1), Value("Laser_Ufficio")});
    dest.insert({Value(1), Value(2), Value("Stampante ad aghi"), Value(2), Value("stampa.txt")});
    dest.insert({Value(1), Value(3), Value("Stampa PDF"), Value(3), Value("report.pdf")});

    BulkInsert types(db, "SetStampa", {"TipoStampa", "Compresso", "Grassetto", "Corsivo", "Sottolineato"});
    // Windows printer: 8 points compressed, 12 normal; 2 lines of top margin; forms of 88 and 66 lines.
    types.insert({Value(1), Value(codeSlots({"8", "0", "0", "0", "0", "1", "12"})),
                  Value(codeSlots({"0", "0", "0", "0", "0", "2", "88", "66"})), Value(codeSlots({})),
                  Value(codeSlots({}))});
    // Text printer: ESC SI (compressed) and ESC DC2 (normal) ahead of the report,
    // ESC E / ESC F around bold, ESC 4 / ESC 5 italics, ESC - 1 / ESC - 0 underline.
    types.insert({Value(2), Value(codeSlots({"27", "15", "0", "0", "0", "0", "27", "18"})),
                  Value(codeSlots({"27", "69", "0", "0", "0", "1", "88", "66", "27", "70"})),
                  Value(codeSlots({"27", "52", "0", "0", "0", "0", "27", "53"})),
                  Value(codeSlots({"27", "45", "1", "0", "0", "0", "27", "45", "0"}))});
    // PDF: a Windows-printer type with 6-point compressed type (the whole report line
    // fits an A4 page standing up) and 10-point normal type.
    types.insert({Value(3), Value(codeSlots({"6", "0", "0", "0", "0", "1", "10"})),
                  Value(codeSlots({"0", "0", "0", "0", "0", "0", "88", "66"})), Value(codeSlots({})),
                  Value(codeSlots({}))});
}

void writeCounters(Database& db)
{
    BulkInsert ins(db, "Contatori", {"NumeroHotel", "LungPagComp", "LungPagNoComp"});
    ins.insert({Value(2), Value(66), Value(66)});
    ins.insert({Value(1), Value(72), Value(60)});
}

void writeTextFiles(const fs::path& folder)
{
    for (const auto& t : textFiles) {
        std::ofstream out(folder / t.name, std::ios::binary | std::ios::trunc);
        out << t.bytes;
        out.close();
        if (!out)
            throw std::runtime_error("Impossibile scrivere " + (folder / t.name).string());
    }
}

// A fresh hidden folder inside the target folder, where the demo is built before it is
// published: on the same file system, so publishing is a link, not a copy.
fs::path makeStagingFolder(const fs::path& folder)
{
    std::string pattern = (folder / ".ravelt-demo-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("Impossibile creare una cartella di lavoro in " + folder.string());
    return pattern;
}

// Moves the built files into the folder without ever replacing one: each file gets a
// new name by a hard link, which fails when the name is taken (by another program
// since the folder was checked); where the file system has no links, by a rename
// after a last check. On a name already taken, the files published so far are taken
// back and the error names the file.
void publish(const fs::path& staging, const fs::path& folder, const std::vector<std::string>& names)
{
    std::vector<fs::path> published;
    try {
        for (const auto& name : names) {
            const fs::path built = staging / name;
            const fs::path target = folder / name;
            std::error_code ec;
            fs::create_hard_link(built, target, ec);
            if (ec && ec != std::errc::file_exists) {
                if (!fs::exists(target))
                    fs::rename(built, target, ec);
                else
                    ec = std::make_error_code(std::errc::file_exists);
            }
            if (ec == std::errc::file_exists)
                throw std::runtime_error("La cartella " + folder.string() + " contiene già " +
                                         target.filename().string() + ": l'hotel dimostrativo non viene creato");
            if (ec)
                throw std::runtime_error("Impossibile scrivere " + target.string() + ": " + ec.message());
            published.push_back(target);
        }
    } catch (...) {
        // Whatever stopped the publishing (a name taken, a file system error, memory)
        // takes back what was published and goes on to the caller unchanged: nothing
        // is swallowed, so every kind is caught.
        std::error_code ec;
        for (const auto& p : published)
            fs::remove(p, ec);
        throw;
    }
}

// Makes one store, fills it and commits it in one transaction, so that it appears whole
// or not at all: on a server the one CreateDatabase leaves open, for a file one begun
// here.
void makeStore(const StoreLocation& where, const std::string& name, const std::function<void(Database&)>& fill)
{
    auto db = Database::CreateDatabase(where, name);
    if (!db->inTransaction())
        db->BeginTrans();
    createStoreTables(*db);
    if (fill)
        fill(*db);
    db->CommitTrans();
}

// Makes every known store, in the catalogue's order, adding each to 'made' once it is
// committed; a store the demo has nothing for is made empty.
void buildStores(const StoreLocation& where, const DemoOptions& options, const CivilDate& firstDay, DemoSummary& summary,
                 std::vector<std::string>& made)
{
    const std::map<std::string, std::function<void(Database&)>> fillers = {
        {"AnagraficaHotels.mdb", [&](Database& db) { writeRegistry(db, options); }},
        {"CodiciVari.mdb", writeCodes},
        {"Fatture.mdb",
         [&](Database& db) {
             const DemoLedgerCounts c = DemoLedger(options, firstDay).write(db);
             summary.documents = c.documents;
             summary.payments = c.payments;
             summary.externalEntries = c.externals;
         }},
        {"Dettaglio.mdb", [&](Database& db) { summary.presenceRows = DemoDailyDetail(options, firstDay).write(db); }},
        {"ColonneRavelt.mdb", writeColumns},
        {"Stampanti.mdb", writePrinters},
        {"Contatori.mdb", writeCounters},
    };
    for (const auto& s : knownStores()) {
        const auto f = fillers.find(s);
        makeStore(where, s, f == fillers.end() ? nullptr : f->second);
        made.push_back(s);
    }
}

std::string messageOf(const std::exception_ptr& e)
{
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& x) {
        return x.what();
    } catch (...) {
        return "errore imprevisto";
    }
}

// Takes the stores made on the server away again after a failure. Returns "" when all
// went, or the words that tell which stayed and why.
std::string takeBackStores(const StoreLocation& where, const std::vector<std::string>& made)
{
    std::string stayed, why;
    for (const auto& s : made) {
        try {
            dropStore(where, s);
        } catch (const std::exception& e) {
            stayed += (stayed.empty() ? "" : ", ") + s;
            why = e.what();
        }
    }
    if (stayed.empty())
        return {};
    return "; sul server " + where.serverLabel() + " restano " + stayed + ", che non si sono potuti togliere (" + why + ")";
}

}

DemoSummary createDemoHotel(const fs::path& folder, const DemoOptions& options)
{
    return createDemoHotel(StoreLocation::of(folder), options);
}

// The demo's files are built in a staging folder and published only when complete, and
// its stores on a server are taken back on a failure, so a failure half-way leaves no
// half-made working folder behind. Database.txt goes first into the staging folder: a
// connection string it cannot hold is refused before any store is made.
DemoSummary createDemoHotel(const StoreLocation& where, const DemoOptions& options)
{
    const CivilDate firstDay = checkedOptions(options);
    const fs::path& folder = where.folder();
    const std::vector<std::string> names = demoFileNames(where, options);
    requireFreeFolder(folder, names);
    if (where.onServer())
        requireFreeServer(where);
    bool madeFolder = false;
    if (!fs::exists(folder)) {
        fs::create_directories(folder);
        madeFolder = true;
    }
    DemoSummary summary;
    fs::path staging;
    std::vector<std::string> made;
    try {
        staging = makeStagingFolder(folder);
        if (where.onServer() && options.databaseFile)
            writeDatabaseFile(staging, where.conninfo());
        buildStores(where.onServer() ? where : StoreLocation::files(staging), options, firstDay, summary, made);
        writeTextFiles(staging);
        publish(staging, folder, names);
    } catch (...) {
        // Any failure, of the store engine, the file system or memory, removes the
        // staging folder (and the folder made for the demo) and the stores made on the
        // server, and goes on to the caller unchanged, unless a store could not be
        // taken back, which the message then adds: nothing is swallowed, so every kind
        // is caught.
        const std::exception_ptr failure = std::current_exception();
        std::error_code ec;
        if (!staging.empty())
            fs::remove_all(staging, ec);
        if (madeFolder)
            fs::remove(folder, ec);
        const std::string stayed = where.onServer() ? takeBackStores(where, made) : std::string();
        if (!stayed.empty())
            throw std::runtime_error(messageOf(failure) + stayed);
        throw;
    }
    std::error_code ec;
    fs::remove_all(staging, ec);
    return summary;
}

}
