#pragma once
#include "platform/PrinterObject.h"

#include <string>
#include <vector>

namespace ravelt {

// How a report goes to a printer of the system: the compressed size S1 of the page
// heads, the size S of the text (compressed or normal), the profile's font, top margin
// and page length, the check boxes for landscape and two-sided printing, and option K.
struct ParametriStampaWindows {
    double dimensioneTesta = 8;  // S1: Compresso slot 1
    double dimensione = 8;       // S: slot 1 compressed, slot 7 normal
    std::string nomeFont = "Courier New";
    int margineSuperiore = 0;    // M
    int lunghezzaPagina = 60;    // P
    bool orizzontale = false;
    bool fronteRetro = false;
    bool opzioneK = false;
};

// Prints one report line (code page 1252) on the printer, honouring the bold switch:
// each "ç" prints what came before it, then turns bold on (0.4 point smaller) or off
// (0.4 point larger) and is not printed itself. Bold starts off at every line, but the
// printer's font is not reset: a line with an odd number of switches leaves the next
// lines bold and smaller.
void StampaLaser(const std::string& riga, PrinterObject& stampante);

// Prints the report's lines (code page 1252) as pages on the printer and ends the
// document. Every page starts with its head: one blank line in Times New Roman at S1,
// then M blank lines in the profile's font. Lines are converted with Converti2 unless
// K. A page ends when the line counter (margin included) reaches P; then the next page
// starts with its head, even after the last line. A page-break line ends the page and
// starts the next with its M margin lines, unless the page holds no report line yet
// (a page that has just begun is not ended again); it is not counted as a line.
// Landscape is set for every page and set back to portrait after the document.
void StampaSuStampanteWindows(const std::vector<std::string>& righe, const ParametriStampaWindows& p,
                              PrinterObject& stampante);

}
