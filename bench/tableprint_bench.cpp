// How long "ravelt table-print" takes over a 10,000-row table with one look-up column,
// in a demo working folder. Two look-ups: the description of one of 20 codes (keys
// repeat, as payment forms do), and the description of a code of its own for every row
// (10,000 different keys, looked up through the code table's index).
//
//   tableprint_bench [RAVELT]   with the path of the program, the command is also run
//                               as a separate process, start-up included
#include "app/CommandLine.h"
#include "demohotel/DemoHotel.h"
#include "platform/BulkInsert.h"
#include "platform/Database.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace ravelt;

namespace {

constexpr int Righe = 10000;

void creaArchivio(const fs::path& cartella, int codici)
{
    fs::remove(cartella / "Prova.sqlite");
    auto db = Database::CreateDatabase("Prova.mdb", "", cartella);
    TableDef righe = Database::CreateTableDef("Movimenti");
    righe.append(Database::CreateField("NumeroHotel", FieldType::Integer));
    righe.append(Database::CreateField("Numero", FieldType::Long));
    righe.append(Database::CreateField("DataMovimento", FieldType::Text, 8));
    righe.append(Database::CreateField("Codice", FieldType::Text, 6));
    righe.append(Database::CreateField("Importo", FieldType::Currency));
    db->AppendTableDef(righe);
    TableDef tabCodici = Database::CreateTableDef("Codici");
    tabCodici.append(Database::CreateField("NumeroHotel", FieldType::Integer));
    tabCodici.append(Database::CreateField("Codice", FieldType::Text, 6));
    tabCodici.append(Database::CreateField("Descrizione", FieldType::Text, 40));
    db->AppendTableDef(tabCodici);
    db->Execute("CREATE INDEX Codici_Codice ON Codici (NumeroHotel, Codice)");
    db->BeginTrans();
    {
        BulkInsert ins(*db, "Codici", {"NumeroHotel", "Codice", "Descrizione"});
        for (int k = 0; k < codici; ++k)
            ins.insert({Value(1), Value("C" + std::to_string(k)), Value("Descrizione del codice " + std::to_string(k))});
        BulkInsert mov(*db, "Movimenti", {"NumeroHotel", "Numero", "DataMovimento", "Codice", "Importo"});
        for (int r = 0; r < Righe; ++r) {
            char data[16];
            std::snprintf(data, sizeof data, "2026%02d%02d", r % 12 + 1, r % 28 + 1);
            mov.insert({Value(1), Value(r + 1), Value(data), Value("C" + std::to_string(r % codici)),
                        Value(Currency::fromUnits(12345 + r * 100))});
        }
    }
    db->CommitTrans();
}

void scrivi(const fs::path& file, const std::string& testo)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << testo;
}

double secondiDa(std::chrono::steady_clock::time_point inizio)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
}

void misura(const char* caso, const char* ravelt)
{
    std::vector<double> tempi;
    ProgramState stato;  // one run of the program: the workstation is opened by the first print
    for (int i = 0; i < 5; ++i) {
        std::fflush(stdout);
        const int schermo = dup(STDOUT_FILENO);
        std::freopen("/dev/null", "w", stdout);
        auto inizio = std::chrono::steady_clock::now();
        int rc = runCommandLine({"table-print", "Prova"}, {std::cout, std::cerr}, stato);
        std::cout.flush();
        tempi.push_back(secondiDa(inizio));
        std::fflush(stdout);
        dup2(schermo, STDOUT_FILENO);
        close(schermo);
        if (rc != 0) {
            std::printf("%s: la stampa non è riuscita (%d)\n", caso, rc);
            return;
        }
    }
    std::sort(tempi.begin(), tempi.end());
    // the look-ups found what they looked for: every row shows its code's description
    std::ifstream report("FD1", std::ios::binary);
    int trovate = 0;
    for (std::string riga; std::getline(report, riga);)
        trovate += riga.find("Descrizione del codice") != std::string::npos;
    std::printf("%s: %d righe (%d con la descrizione cercata), migliore %.3f s, mediana %.3f s (nel processo)\n", caso, Righe,
                trovate, tempi.front(), tempi[2]);
    if (ravelt) {
        auto inizio = std::chrono::steady_clock::now();
        int rc = std::system((std::string("'") + ravelt + "' table-print Prova > /dev/null").c_str());
        std::printf("%s: %.3f s come processo a parte (uscita %d)\n", caso, secondiDa(inizio), rc);
    }
}

}

int main(int argc, char** argv)
{
    const char* ravelt = argc > 1 ? argv[1] : nullptr;
    std::string modello = (fs::temp_directory_path() / "ravelt-bench-XXXXXX").string();
    if (!mkdtemp(modello.data()))
        return 1;
    const fs::path cartella = modello;
    DemoOptions demo;
    demo.days = 1;
    createDemoHotel(cartella, demo);
    fs::current_path(cartella);
    setenv("PCLocal", "1", 1);

    scrivi(cartella / "Prova.stp",
           "0,Movimenti di prova,Prova.mdb,Movimenti,,,,,,\r\n"
           "1,Numero,,,Numero,7,N,S,,\r\n"
           "2,Data,,,DataMovimento,10,N,S,,\r\n"
           "3,Codice,,,Codice,6,N,S,,\r\n"
           "4,Descrizione,Prova.mdb,Codici,Descrizione,30,N,S,Codice,Codice\r\n"
           "5,Importo,,,Importo,12,S,S,,\r\n");
    scrivi(cartella / "Prova.fil", "Compresso = N\r\nIn Ordine di Numero\r\nNumero >= 1\r\n");

    creaArchivio(cartella, 20);
    misura("20 codici", ravelt);
    creaArchivio(cartella, Righe);
    misura("10000 codici", ravelt);

    std::error_code ec;
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(cartella, ec);
    return 0;
}
