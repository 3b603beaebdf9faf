#pragma once
#include "platform/PrinterSystem.h"
#include "platform/ProgramLauncher.h"
#include "platform/Environment.h"
#include "shell/program_state.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ravelt {

// What the output commands without windows work with: the working folder, the program
// state the start-up filled in (PCLocal, NumeroHotel, CodiceAssistenza), the printers,
// the environment, the launcher for the mail program, and where they report.
struct ContestoComandi {
    std::filesystem::path folder;
    ProgramState* state = nullptr;
    PrinterSystem* stampanti = nullptr;
    const Environment* env = nullptr;
    ProgramLauncher* launcher = nullptr;
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
    // Where the mail program is looked for after the working folder; empty: the running
    // program's folder and PATH.
    std::filesystem::path cartellaProgramma;
    std::string percorsoRicerca;
};

// Exit codes of the commands; EsitoUso is the command line's, for wrong arguments.
inline constexpr int EsitoRiuscito = 0;
inline constexpr int EsitoFallito = 1;
inline constexpr int EsitoUso = 2;

// What the print command is asked for: the print menu's choices.
struct OpzioniStampa {
    std::optional<std::string> destinazione = {};  // a destination of Stampanti.mdb, any letter case
    bool pdf = false;                              // the last destination with "PDF" in its name; not with 'destinazione'
    bool normale = false;                          // normal type instead of compressed
    bool orizzontale = false;                      // landscape
    bool fronteRetro = false;                      // duplex
    std::string stampante = {};                    // an installed printer; empty: the profile's
};

// print: prints the workstation's report file as the print menu's printer button does
// (with 'pdf': its PDF button), compressed unless 'normale'; without a destination the
// first of the list. The support code's options are read again from the registry.
// Returns 0 when printed; 1 with a message on 'err' for an unknown destination, a
// missing report file, a store or device that fails. A FontStp.txt line ignored for the
// default font is told on 'err'.
// When 'uscita' is given it receives where the job went: the printer, the PDF file (as
// the destination names it, relative to the working folder when not absolute) or the
// text device.
int ComandoStampa(const OpzioniStampa& o, const ContestoComandi& c, std::string* uscita = nullptr);

// csv: writes fd<N>.csv from the report file and prints its path; SeparatoreXLS.txt
// lines ignored for their defaults are told on 'err'.
int ComandoCsv(const ContestoComandi& c);

// mail: sends the whole report's text, converted as the preview shows it, through the
// mail program, waits for it and returns its exit code (1 when it cannot be started).
// The files of 'allegati' go with the mail as attachments.
int ComandoMail(const ContestoComandi& c, const std::vector<std::filesystem::path>& allegati = {});

}
