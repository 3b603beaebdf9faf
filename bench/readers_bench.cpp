// How long each reader of the files the program takes from outside needs for one very
// long line: the password file, print definitions, saved filters, the report file (as
// the preview, the print engine and the CSV export read it), the small settings files,
// the mail settings and the mail request. Each reader is timed on growing sizes up to
// 10 MB; a reader that needs more than two seconds at one size is not tried on the
// larger ones, so a reader that slows down with the square of the line shows itself
// without keeping the benchmark running for hours. Each size gives the elapsed time and
// the processor time of the reading (the latter barely moves when other programs share
// the machine). Nothing is asserted.
//
//   readers_bench [MB]   the largest size, in megabytes (10 unless given)
#include "output/ConvertiXLS.h"
#include "output/FileImpostazioni.h"
#include "output/ImpostazioneNonValida.h"
#include "output/LettoreReport.h"
#include "output/RigheReport.h"
#include "platform/TextLines.h"
#include "shell/PasswordRoutines.h"
#include "spedix/ImpostazioniPosta.h"
#include "spedix/RichiestaPosta.h"
#include "tableprint/DefinizioneStampa.h"
#include "tableprint/FiltroSalvato.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace ravelt;

namespace {

constexpr double Limite = 2.0;  // seconds: a size slower than this ends the reader's series

// A text of exactly n bytes made by repeating a piece.
std::string ripetuto(const std::string& pezzo, size_t n)
{
    std::string t;
    t.reserve(n + pezzo.size());
    while (t.size() < n)
        t += pezzo;
    t.resize(n);
    return t;
}

void scrivi(const fs::path& file, const std::string& testo)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << testo;
}

struct Lettore {
    const char* nome;
    // Writes the input of about n bytes into the folder and returns the work to time.
    std::function<std::function<void()>(const fs::path& cartella, size_t n)> prepara;
};

std::vector<Lettore> lettori()
{
    return {
        {"Security.pwd, password", [](const fs::path& d, size_t n) {
             scrivi(d / "Security.pwd", ripetuto("567", n) + ",1404\r\n");
             return std::function<void()>([d] { readPasswordSettings(d); });
         }},
        {"Security.pwd, commas", [](const fs::path& d, size_t n) {
             scrivi(d / "Security.pwd", ripetuto("5,", n) + "1404\r\n");
             return std::function<void()>([d] { readPasswordSettings(d); });
         }},
        {"Security.pwd, check value", [](const fs::path& d, size_t n) {
             scrivi(d / "Security.pwd", "567," + ripetuto("1", n) + "\r\n");
             return std::function<void()>([d] { readPasswordSettings(d); });
         }},
        {".stp, header line", [](const fs::path& d, size_t n) {
             scrivi(d / "L.stp", "0,Titolo,Prova.mdb,Tabella," + ripetuto("campo,", n) + "\r\n1,A,,,A,5,N,N,,\r\n");
             return std::function<void()>([d] { LeggiDefinizioneStampa(d / "L.stp"); LeggiTestataStampa(d / "L.stp"); });
         }},
        {".stp, column width", [](const fs::path& d, size_t n) {
             scrivi(d / "W.stp", "0,Titolo,Prova.mdb,Tabella,,,,,,\r\n1,A,,,A," + ripetuto("1", n) + ",N,N,,\r\n");
             return std::function<void()>([d] { LeggiDefinizioneStampa(d / "W.stp"); });
         }},
        {".stp, column heading", [](const fs::path& d, size_t n) {
             scrivi(d / "H.stp", "0,Titolo,Prova.mdb,Tabella,,,,,,\r\n1," + ripetuto("Intestazione ", n) + ",,,A,5,N,N,,\r\n");
             return std::function<void()>([d] { LeggiDefinizioneStampa(d / "H.stp"); });
         }},
        {".fil, criteria value", [](const fs::path& d, size_t n) {
             scrivi(d / "F.fil", "Compresso = S\r\nIn Ordine di Numero\r\nCampo = " + ripetuto("valore ", n) + "\r\n");
             return std::function<void()>([d] { FiltroSalvato::Leggi(d / "F.fil", {}); });
         }},
        {".fil, first line", [](const fs::path& d, size_t n) {
             scrivi(d / "G.fil", "Compresso = S" + ripetuto(" S", n) + "\r\nIn Ordine di " + ripetuto("N", n) + "\r\n");
             return std::function<void()>([d] { FiltroSalvato::Leggi(d / "G.fil", {}); });
         }},
        {"report file, preview", [](const fs::path& d, size_t n) {
             scrivi(d / "FD1", "Hotel\r\n\xb3" + ripetuto("  1.234,56\xb3", n) + "\r\n\f");
             return std::function<void()>([d] {
                 LettoreReport lettore(d, 1);
                 lettore.apri();
                 while (lettore.LeggiBlocco(LettoreReport::BloccoSuccessivo).altro) {
                 }
             });
         }},
        {"report file, lines", [](const fs::path& d, size_t n) {
             scrivi(d / "FD2", ripetuto("\xb3 1,00\xb3\r\n", n));
             return std::function<void()>([d] { LeggiRigheReport(d, 2); });
         }},
        {"report file, CSV amounts", [](const fs::path& d, size_t n) {
             scrivi(d / "FD3", "\xb3" + ripetuto("  1.234,56\xb3", n) + "\r\n");
             return std::function<void()>([d] { ConvertiXLS(d / "FD3", d / "fd3.csv", LeggiSeparatoreXLS(d)); });
         }},
        {"report file, CSV no blanks", [](const fs::path& d, size_t n) {
             scrivi(d / "FD4", "\xb3" + ripetuto("1,23", n) + "\r\n");
             return std::function<void()>([d] { ConvertiXLS(d / "FD4", d / "fd4.csv", LeggiSeparatoreXLS(d)); });
         }},
        {"line splitter", [](const fs::path&, size_t n) {
             auto testo = std::make_shared<std::string>(ripetuto("x", n) + "\r\n" + ripetuto("ab\r\n", n));
             return std::function<void()>([testo] { splitLines(*testo); });
         }},
        {"FontStp.txt", [](const fs::path& d, size_t n) {
             scrivi(d / "FontStp.txt", ripetuto("Courier New ", n) + "\r\n");
             return std::function<void()>([d] { LeggiNomeFont(d); });
         }},
        {"euro.txt", [](const fs::path& d, size_t n) {
             scrivi(d / "euro.txt", ripetuto("1.936", n) + "\r\n");
             return std::function<void()>([d] {
                 // The long line is not a rate: the reader's refusal is the path timed.
                 try {
                     LeggiEuro(d);
                 } catch (const ImpostazioneNonValida&) {
                 }
             });
         }},
        {"SeparatoreXLS.txt", [](const fs::path& d, size_t n) {
             scrivi(d / "SeparatoreXLS.txt", ripetuto(";", n) + "\r\n" + ripetuto(",", n) + "\r\n\r\n");
             return std::function<void()>([d] { LeggiSeparatoreXLS(d); });
         }},
        {"Spedix.ini, recipients", [](const fs::path& d, size_t n) {
             scrivi(d / "Spedix.ini", "server=127.0.0.1\r\nmittente=cassa@hotel.example\r\ndestinatari=" +
                                          ripetuto("a@hotel.example, ", n) + "b@hotel.example\r\n");
             return std::function<void()>([d] { LeggiImpostazioniPosta(d / "Spedix.ini"); });
         }},
        {"Spedix.ini, one value", [](const fs::path& d, size_t n) {
             scrivi(d / "Spedix.ini", "server=" + ripetuto("s", n) + "\r\nmittente=cassa@hotel.example\r\ndestinatari=b@x.example\r\n");
             return std::function<void()>([d] { LeggiImpostazioniPosta(d / "Spedix.ini"); });
         }},
        {"mail request", [](const fs::path&, size_t n) {
             auto testo = std::make_shared<std::string>("OGGETTO\r\nHotel\r\n" + ripetuto("|  1.234,56 ", n) + "\r\n");
             return std::function<void()>([testo] { LeggiRichiestaPosta(*testo, 1); });
         }},
    };
}

double secondiDa(std::chrono::steady_clock::time_point inizio)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
}

}

int main(int argc, char** argv)
{
    const double mega = argc > 1 ? std::atof(argv[1]) : 10.0;
    const size_t massimo = static_cast<size_t>(mega * 1000 * 1000);
    std::vector<size_t> misure;
    for (size_t n = 100'000; n < massimo; n *= 4)
        misure.push_back(n);
    misure.push_back(massimo);

    const fs::path cartella = fs::temp_directory_path() / ("readers_bench." + std::to_string(getpid()));
    fs::create_directories(cartella);
    std::printf("%-28s %12s %10s %10s %10s\n", "reader", "bytes", "seconds", "cpu s", "MB/s");
    for (const Lettore& l : lettori()) {
        for (size_t n : misure) {
            std::function<void()> lavoro = l.prepara(cartella, n);
            const auto inizio = std::chrono::steady_clock::now();
            const std::clock_t processore = std::clock();
            lavoro();
            const double cpu = static_cast<double>(std::clock() - processore) / CLOCKS_PER_SEC;
            const double s = secondiDa(inizio);
            std::printf("%-28s %12zu %10.3f %10.3f %10.1f\n", l.nome, n, s, cpu, n / 1e6 / s);
            std::fflush(stdout);
            if (s > Limite) {
                std::printf("%-28s %12s (over %.0f s: larger sizes skipped)\n", l.nome, "", Limite);
                break;
            }
        }
    }
    fs::remove_all(cartella);
    return 0;
}
