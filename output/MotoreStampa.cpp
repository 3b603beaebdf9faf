#include "output/MotoreStampa.h"

#include "platform/ReportFile.h"
#include "output/RigheReport.h"
#include "output/StampaTesto.h"
#include "output/StampaWindows.h"
#include "platform/PlainText.h"
#include "platform/Value.h"

#include <algorithm>
#include <stdexcept>

namespace ravelt {

namespace {

bool has(const std::string& code, char option)
{
    return code.find(option) != std::string::npos;
}

}

bool DispositivoPdf(const std::string& dispositivo)
{
    if (dispositivo.size() < 4)
        return false;
    return lowerAscii(dispositivo.substr(dispositivo.size() - 4)) == ".pdf";
}

MotoreStampa::MotoreStampa(ContestoStampa contesto, std::int16_t pcLocal, PrinterSystem& stampanti)
    : contesto_(std::move(contesto)), pcLocal_(pcLocal), stampanti_(stampanti)
{
}

std::string MotoreStampa::stampanteCorrente() const
{
    return corrente_ ? *corrente_ : stampanti_.defaultDeviceName();
}

namespace {

// The job's title in the queue: the program's name and the report file's name.
std::string titoloLavoro(std::int16_t pcLocal)
{
    return "Ravelt " + reportFileName(pcLocal);
}

// The page setup of a printer job from the destination's profile and the request's
// boxes: the headings' character size is Compresso position 1, the body's position 1
// when compressed and 7 when not. A size that is not above zero stops the job with a
// message naming the print type, the destination and the position.
ParametriStampaWindows parametriStampante(const ProfiloStampa& p, const RichiestaStampa& r)
{
    ParametriStampaWindows w;
    w.dimensioneTesta = p.CodiciCompresso[0];
    w.dimensione = r.compresso ? p.CodiciCompresso[0] : p.CodiciCompresso[6];
    if (w.dimensioneTesta <= 0 || w.dimensione <= 0)
        throw std::runtime_error("il tipo di stampa " + std::to_string(p.TipoStampa) + " della destinazione \"" +
                                 r.destinazione + "\" non indica la dimensione del carattere (Compresso, posizione " +
                                 (w.dimensioneTesta <= 0 ? "1" : "7") + ": " +
                                 Value(w.dimensioneTesta <= 0 ? w.dimensioneTesta : w.dimensione).toText() + ")");
    w.nomeFont = p.NomeFont;
    w.margineSuperiore = p.MargineSuperiore;
    w.lunghezzaPagina = p.LunghezzaPagina;
    w.orizzontale = r.orizzontale;
    w.fronteRetro = r.fronteRetro;
    w.opzioneK = has(r.codiceAssistenza, 'K');
    return w;
}

// The page setup of a text device job: the profile's control sequence, margin and
// lengths, with the support code's options K and U.
ParametriStampaTesto parametriTesto(const ProfiloStampa& p, const RichiestaStampa& r)
{
    ParametriStampaTesto t;
    t.sequenzaControllo = p.SequenzaControllo;
    t.margineSuperiore = p.MargineSuperiore;
    t.lunghezzaPagina = p.LunghezzaPagina;
    t.lunghezzaModulo = p.LunghezzaModulo;
    t.opzioneK = has(r.codiceAssistenza, 'K');
    t.opzioneU = has(r.codiceAssistenza, 'U');
    return t;
}

}

ProfiloStampa MotoreStampa::profiloDelLavoro(const RichiestaStampa& r) const
{
    ProfiloStampa p = CaricaProfiloStampa(contesto_, r.destinazione, r.compresso);
    if (!p.Trovata)
        return p;
    std::string scelta = trimBlanks(r.stampante);
    if (!scelta.empty())
        p.Dispositivo = scelta;
    return p;
}

RisultatoStampa MotoreStampa::Stampa(const RichiestaStampa& r)
{
    RisultatoStampa out;
    out.profilo = profiloDelLavoro(r);
    if (!out.profilo.Trovata) {
        out.esito = EsitoStampa::DestinazioneSconosciuta;
        return out;
    }
    if (out.profilo.StampanteWindows)
        stampaSuStampante(r, out);
    else
        stampaSuDispositivo(r, out);
    return out;
}

// The printer named by the device becomes current before the report is read, so that
// a later job without a printer of its own goes there even when this one finds no
// report; a PDF device leaves the current printer as it is.
void MotoreStampa::stampaSuStampante(const RichiestaStampa& r, RisultatoStampa& out)
{
    const ProfiloStampa& p = out.profilo;
    if (!DispositivoPdf(p.Dispositivo)) {
        auto nomi = stampanti_.deviceNames();
        out.stampanteDelDispositivo = std::find(nomi.begin(), nomi.end(), p.Dispositivo) != nomi.end();
        if (out.stampanteDelDispositivo)
            corrente_ = p.Dispositivo;
    }
    auto righe = LeggiRigheReport(contesto_.folder, pcLocal_);
    if (!righe) {
        out.esito = EsitoStampa::ReportMancante;
        return;
    }
    const ParametriStampaWindows w = parametriStampante(p, r);
    auto job = apriLavoro(r, p, out);
    StampaSuStampanteWindows(*righe, w, *job);
}

// A PDF device is a file relative to the working folder unless absolute; any other
// device goes to the current printer, and with no printer installed at all the job
// stops with a message naming the destination and its device.
std::unique_ptr<PrinterObject> MotoreStampa::apriLavoro(const RichiestaStampa& r, const ProfiloStampa& p,
                                                        RisultatoStampa& out)
{
    const std::string titolo = titoloLavoro(pcLocal_);
    if (DispositivoPdf(p.Dispositivo)) {
        std::filesystem::path file(p.Dispositivo);
        if (file.is_relative())
            file = contesto_.folder / file;
        out.uscita = file.string();
        return stampanti_.startPdfJob(file, titolo);
    }
    std::string corrente = stampanteCorrente();
    if (corrente.empty())
        throw std::runtime_error("nessuna stampante installata: la destinazione \"" + r.destinazione +
                                 "\" indica la stampante \"" + p.Dispositivo + "\", che non esiste");
    out.uscita = corrente;
    return stampanti_.startPrinterJob(corrente, titolo);
}

void MotoreStampa::stampaSuDispositivo(const RichiestaStampa& r, RisultatoStampa& out)
{
    auto righe = LeggiRigheReport(contesto_.folder, pcLocal_);
    if (!righe) {
        out.esito = EsitoStampa::ReportMancante;
        return;
    }
    std::string bytes = ComponiStampaTesto(*righe, parametriTesto(out.profilo, r));
    auto device = stampanti_.openTextDevice(out.profilo.Dispositivo, contesto_.folder, titoloLavoro(pcLocal_));
    device->write(bytes);
    device->close();
    out.uscita = device->description();
}

}
