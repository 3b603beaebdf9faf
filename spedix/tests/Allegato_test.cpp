#include "spedix/Allegato.h"
#include "spedix/ErrorePosta.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ravelt;

namespace {

TEST(TipoAllegato, FromTheExtensionInAnyCase)
{
    struct Case {
        const char* file;
        const char* type;
    } cases[] = {
        {"report.pdf", "application/pdf"},
        {"REPORT.PDF", "application/pdf"},
        {"cartella/fd1.csv", "text/csv"},
        {"fd1.Csv", "text/csv"},
        {"report.pdf.bak", "application/octet-stream"},
        {"incassi.xlsx", "application/octet-stream"},
        {"pdf", "application/octet-stream"},
        {"senza-estensione", "application/octet-stream"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TipoAllegato(c.file), c.type) << c.file;
}

// Every byte value, a NUL among them, comes back as it is: the file is attached, not
// read as text.
TEST(LeggiAllegato, BytesUnchangedAndTheNameWithoutFolders)
{
    ravelt::testing::TempFolder dir;
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    std::filesystem::create_directory(dir / "stampe");
    dir.write("stampe/Incassi città.PDF", bytes);
    Allegato a = LeggiAllegato(dir / "stampe/Incassi città.PDF");
    EXPECT_EQ(a.nome, "Incassi città.PDF");
    EXPECT_EQ(a.tipo, "application/pdf");
    EXPECT_EQ(a.contenuto, bytes);

    dir.write("vuoto.csv", "");
    EXPECT_EQ(LeggiAllegato(dir / "vuoto.csv").contenuto, "") << "an empty file is still a file";
}

TEST(LeggiAllegato, WhatCannotBeAttachedIsNamed)
{
    ravelt::testing::TempFolder dir;
    std::filesystem::create_directory(dir / "stampe");
    dir.write("chiuso.pdf", "%PDF");
    ::chmod((dir / "chiuso.pdf").c_str(), 0);
    ::mkfifo((dir / "coda").c_str(), 0600);
    struct Case {
        const char* name;
        std::filesystem::path file;
        const char* said;
    } cases[] = {
        {"no name", "", "manca il nome del file"},
        {"not there", dir / "manca.pdf", "manca.pdf non esiste"},
        {"a folder", dir / "stampe", "stampe è una cartella"},
        {"a pipe, which would wait for a writer", dir / "coda", "coda non è un file ordinario"},
        {"a device", "/dev/null", "/dev/null non è un file ordinario"},
        {"no permission", dir / "chiuso.pdf", "chiuso.pdf non si può leggere"},
    };
    for (const auto& c : cases) {
        if (c.file == dir / "chiuso.pdf" && ::geteuid() == 0)
            continue;  // the superuser reads any file: no file is closed to it
        try {
            LeggiAllegato(c.file);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const ErrorePosta& e) {
            EXPECT_NE(std::string(e.what()).find(c.said), std::string::npos) << c.name << ": " << e.what();
        }
    }
}

}
