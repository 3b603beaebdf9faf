#pragma once
#include "output/CaricaProfiloStampa.h"
#include "output/ProfiloStampa.h"
#include "platform/PrinterSystem.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace ravelt {

// One print job as the print menu's printer button asks for it: the destination, the
// three check boxes, the printer list's text and the hotel's support code (options K
// and U).
struct RichiestaStampa {
    std::string destinazione;
    bool compresso = true;
    bool orizzontale = false;
    bool fronteRetro = false;
    std::string stampante;  // a non-blank text replaces the destination's device
    std::string codiceAssistenza;
};

enum class EsitoStampa {
    Stampato,
    DestinazioneSconosciuta,  // no Stampanti row: nothing printed
    ReportMancante,           // no report file: nothing printed, no device opened
};

struct RisultatoStampa {
    EsitoStampa esito = EsitoStampa::Stampato;
    ProfiloStampa profilo;
    std::string uscita;  // where it went: the printer, the PDF file or the text device
    bool stampanteDelDispositivo = true;  // false: the device named no printer, the current one was used
};

// The print engine of the print menu: resolves the destination's profile afresh for
// every job and prints the workstation's report file on a printer of the system (a
// device ending in ".pdf" is a PDF file written relative to the working folder) or on a
// text device. It remembers the current printer between jobs: the first installed
// printer whose name equals the device becomes current; when none does, the job goes
// to the current one (at first the system's default).
//
// Failures of the stores or the devices raise std::runtime_error (DbError for the
// stores) with words an operator can act on, a full disk included; nothing is
// half-delivered: a PDF file, and a text device that is a plain file, is replaced only
// when every byte of the job is on the disk (otherwise the previous print stays), and a
// queue receives the job only when it is complete. A device node or a pipe takes the
// bytes as a stream, as a printer port does.
class MotoreStampa {
public:
    MotoreStampa(ContestoStampa contesto, std::int16_t pcLocal, PrinterSystem& stampanti);

    RisultatoStampa Stampa(const RichiestaStampa& richiesta);

    // The printer a job goes to when its device names none: the last one selected, at
    // first the system's default.
    std::string stampanteCorrente() const;

private:
    // The destination's profile loaded afresh, its device replaced by the printer list's
    // text when that is not blank.
    ProfiloStampa profiloDelLavoro(const RichiestaStampa& richiesta) const;
    // Prints the report on a printer of the system or in a PDF file; fills out.
    void stampaSuStampante(const RichiestaStampa& richiesta, RisultatoStampa& out);
    // Prints the report on the profile's text device; fills out.
    void stampaSuDispositivo(const RichiestaStampa& richiesta, RisultatoStampa& out);
    // Starts the job on the PDF file or on the current printer; out.uscita says which.
    std::unique_ptr<PrinterObject> apriLavoro(const RichiestaStampa& richiesta, const ProfiloStampa& p,
                                              RisultatoStampa& out);

    ContestoStampa contesto_;
    std::int16_t pcLocal_;
    PrinterSystem& stampanti_;
    std::optional<std::string> corrente_;
};

// True when a device of a printer-type destination names a PDF file (ends in ".pdf",
// in any letter case).
bool DispositivoPdf(const std::string& dispositivo);

}
