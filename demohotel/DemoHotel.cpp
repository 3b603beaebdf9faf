#include "demohotel/DemoHotel.h"

#include "demohotel/CivilDate.h"
#include "demohotel/DemoCatalog.h"
#include "demohotel/DemoDailyDetail.h"
#include "demohotel/DemoLedger.h"
#include "platform/BulkInsert.h"
#include "platform/Database.h"
#include "platform/StoreCatalog.h"
#include "platform/StoreSchema.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
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

// Every file the demo writes, as paths in the folder.
std::vector<fs::path> demoFiles(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& s : knownStores())
        files.push_back(storePath(folder, s));
    for (const auto& t : textFiles)
        files.push_back(folder / t.name);
    return files;
}

// Refuses a folder that holds any file of a working folder: a demo never writes over
// the stores of a hotel, not even over one of them.
void requireFreeFolder(const fs::path& folder)
{
    std::error_code ec;
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec))
        throw std::runtime_error("Il percorso " + folder.string() + " non è una cartella");
    std::string present;
    for (const auto& f : demoFiles(folder))
        if (fs::exists(f, ec))
            present += (present.empty() ? "" : ", ") + f.filename().string();
    if (!present.empty())
        throw std::runtime_error("La cartella " + folder.string() + " contiene già " + present +
                                 ": l'hotel dimostrativo non viene creato, nessun file è stato toccato");
}

void writeRegistry(const fs::path& folder, const DemoOptions& o)
{
    auto db = Database::OpenDatabase("AnagraficaHotels.mdb", folder);
    db->BeginTrans();
    {
        BulkInsert ins(*db, "AnagraficaHotels", {"Numero", "RagioneSociale", "CodiceAssistenza"});
        // The workstation's hotel comes first: the start-up takes the support code (and
        // with it the password gate and the print options) from the first record. A
        // second hotel of the suite follows, so readers must still look hotels up by number.
        ins.insert({Value(1), Value(HotelName), Value(o.supportCode)});
        ins.insert({Value(2), Value("Albergo Miramare S.r.l."), Value("RK")});
    }
    db->CommitTrans();
}

void writeCodes(const fs::path& folder)
{
    auto db = Database::OpenDatabase("CodiciVari.mdb", folder);
    db->BeginTrans();
    {
        BulkInsert ins(*db, "CodiciVari", {"NumeroHotel", "Sigla", "Descrizione", "Tipo"});
        for (const auto& c : demoOtherCodes())
            if (c.tipo < 4)
                ins.insert({Value(c.numeroHotel), Value(c.sigla), Value(c.descrizione), Value(c.tipo)});
        for (const auto& f : demoPaymentForms())
            ins.insert({Value(1), Value(f.sigla), Value(f.descrizione), Value(4)});
        for (const auto& c : demoOtherCodes())
            if (c.tipo >= 4)
                ins.insert({Value(c.numeroHotel), Value(c.sigla), Value(c.descrizione), Value(c.tipo)});
    }
    db->CommitTrans();
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

void writeColumns(const fs::path& folder)
{
    auto db = Database::OpenDatabase("ColonneRavelt.mdb", folder);
    db->BeginTrans();
    {
        BulkInsert ins(*db, "ColonneRavelt", {"NumeroHotel", "NumeroColonna", "Intestazione", "Sigla", "Descrizione"});
        for (const auto& r : demoColumnRows())
            ins.insert({Value(r.numeroHotel), Value(r.numeroColonna), Value(r.intestazione), Value(r.sigla),
                        Value(paymentFormDescription(r.numeroHotel, r.sigla))});
    }
    db->CommitTrans();
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

void writePrinters(const fs::path& folder)
{
    auto db = Database::OpenDatabase("Stampanti.mdb", folder);
    db->BeginTrans();
    {
        BulkInsert dest(*db, "Stampanti", {"NumeroHotel", "Numero", "Destinazione", "TipoStampa", "Linea"});
        // A Windows printer (a print queue of the system), a text printer whose bytes go
        // to a file of the working folder, and a PDF file written by the program itself.
        dest.insert({Value(1), Value(1), Value("Laser Ufficio"), Value(1), Value("Laser_Ufficio")});
        dest.insert({Value(1), Value(2), Value("Stampante ad aghi"), Value(2), Value("stampa.txt")});
        dest.insert({Value(1), Value(3), Value("Stampa PDF"), Value(3), Value("report.pdf")});

        BulkInsert types(*db, "SetStampa", {"TipoStampa", "Compresso", "Grassetto", "Corsivo", "Sottolineato"});
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
    db->CommitTrans();

    auto counters = Database::OpenDatabase("Contatori.mdb", folder);
    counters->BeginTrans();
    {
        BulkInsert ins(*counters, "Contatori", {"NumeroHotel", "LungPagComp", "LungPagNoComp"});
        ins.insert({Value(2), Value(66), Value(66)});
        ins.insert({Value(1), Value(72), Value(60)});
    }
    counters->CommitTrans();
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
void publish(const fs::path& staging, const fs::path& folder)
{
    std::vector<fs::path> published;
    try {
        for (const auto& built : demoFiles(staging)) {
            const fs::path target = folder / built.filename();
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

void buildDemo(const fs::path& folder, const DemoOptions& options, const CivilDate& firstDay, DemoSummary& summary)
{
    for (const auto& s : knownStores())
        createStore(folder, s);
    writeRegistry(folder, options);
    writeCodes(folder);
    writeColumns(folder);
    writePrinters(folder);
    {
        auto db = Database::OpenDatabase("Fatture.mdb", folder);
        DemoLedgerCounts c = DemoLedger(options, firstDay).write(*db);
        summary.documents = c.documents;
        summary.payments = c.payments;
        summary.externalEntries = c.externals;
    }
    {
        auto db = Database::OpenDatabase("Dettaglio.mdb", folder);
        summary.presenceRows = DemoDailyDetail(options, firstDay).write(*db);
    }
    writeTextFiles(folder);
}

}

// The demo is built in a staging folder and published only when complete, so a
// failure half-way leaves no half-made working folder behind.
DemoSummary createDemoHotel(const fs::path& folder, const DemoOptions& options)
{
    const CivilDate firstDay = checkedOptions(options);
    requireFreeFolder(folder);
    bool madeFolder = false;
    if (!fs::exists(folder)) {
        fs::create_directories(folder);
        madeFolder = true;
    }
    DemoSummary summary;
    fs::path staging;
    try {
        staging = makeStagingFolder(folder);
        buildDemo(staging, options, firstDay, summary);
        publish(staging, folder);
    } catch (...) {
        // Any failure, of the store engine, the file system or memory, removes the
        // staging folder (and the folder made for the demo) and goes on to the caller
        // unchanged: nothing is swallowed, so every kind is caught.
        std::error_code ec;
        if (!staging.empty())
            fs::remove_all(staging, ec);
        if (madeFolder)
            fs::remove(folder, ec);
        throw;
    }
    std::error_code ec;
    fs::remove_all(staging, ec);
    return summary;
}

}
