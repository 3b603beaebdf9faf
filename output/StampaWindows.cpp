#include "output/StampaWindows.h"

#include "output/RigheReport.h"
#include "output/TogliAccenti.h"
#include "platform/Cp1252.h"

namespace ravelt {

namespace {

constexpr char Grassetto = static_cast<char>(231);  // ç
constexpr double PassoGrassetto = 0.4;
const char* const FontTesta = "Times New Roman";

}

void StampaLaser(const std::string& riga, PrinterObject& stampante)
{
    std::string buffer;
    bool grassetto = false;
    for (char ch : riga) {
        if (ch != Grassetto) {
            buffer += ch;
            continue;
        }
        stampante.print(fromCp1252(buffer), false);
        buffer.clear();
        grassetto = !grassetto;
        stampante.setFontSize(stampante.fontSize() + (grassetto ? -PassoGrassetto : PassoGrassetto));
        stampante.setFontBold(grassetto);
    }
    stampante.print(fromCp1252(buffer), true);
}

void StampaSuStampanteWindows(const std::vector<std::string>& righe, const ParametriStampaWindows& p,
                              PrinterObject& stampante)
{
    const int orientamento = p.orizzontale ? PrinterObject::Landscape : PrinterObject::Portrait;
    auto margine = [&] {
        for (int k = 0; k < p.margineSuperiore; ++k)
            stampante.print(" ", true);
    };
    auto testa = [&] {
        stampante.setFontName(FontTesta);
        stampante.setFontSize(p.dimensioneTesta);
        stampante.print(" ", true);
        stampante.setFontName(p.nomeFont);
    };

    if (p.fronteRetro)
        stampante.setDuplex(2);
    stampante.setOrientation(orientamento);
    testa();
    margine();
    int contatore = p.margineSuperiore;
    stampante.setFontSize(p.dimensione);
    bool paginaIniziata = true;  // the page holds only its head so far

    for (const std::string& originale : righe) {
        std::string riga = p.opzioneK ? originale : Converti2(originale);
        if (RigaSaltoPagina(riga)) {
            if (!paginaIniziata) {
                stampante.newPage();
                stampante.setOrientation(orientamento);
                margine();
                contatore = p.margineSuperiore;
                paginaIniziata = true;
            }
            continue;
        }
        StampaLaser(riga, stampante);
        paginaIniziata = false;
        ++contatore;
        if (contatore >= p.lunghezzaPagina) {
            stampante.newPage();
            stampante.setOrientation(orientamento);
            testa();
            stampante.setFontSize(p.dimensione);
            margine();
            contatore = p.margineSuperiore;
            paginaIniziata = true;
        }
    }
    stampante.endDoc();
    if (p.orizzontale)
        stampante.setOrientation(PrinterObject::Portrait);
}

}
