#include "output/MotoreStampa.h"

#include "platform/ReportFile.h"
#include "output/RigheReport.h"
#include "output/StampaTesto.h"
#include "output/StampaWindows.h"

#include <algorithm>
#include <stdexcept>

namespace ravelt {

namespace {

std::string trimmed(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

bool has(const std::string& code, char option)
{
    return code.find(option) != std::string::npos;
}

std::string number(double v)
{
    std::string s = std::to_string(v);
    s.erase(s.find_last_not_of('0') + 1);
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s;
}

}

bool DispositivoPdf(const std::string& dispositivo)
{
    if (dispositivo.size() < 4)
        return false;
    std::string ext = dispositivo.substr(dispositivo.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".pdf";
}

MotoreStampa::MotoreStampa(ContestoStampa contesto, std::int16_t pcLocal, PrinterSystem& stampanti)
    : contesto_(std::move(contesto)), pcLocal_(pcLocal), stampanti_(stampanti)
{
}

std::string MotoreStampa::stampanteCorrente() const
{
    return corrente_ ? *corrente_ : stampanti_.defaultDeviceName();
}

RisultatoStampa MotoreStampa::Stampa(const RichiestaStampa& r)
{
    RisultatoStampa out;
    out.profilo = CaricaProfiloStampa(contesto_, r.destinazione, r.compresso);
    ProfiloStampa& p = out.profilo;
    if (!p.Trovata) {
        out.esito = EsitoStampa::DestinazioneSconosciuta;
        return out;
    }
    std::string scelta = trimmed(r.stampante);
    if (!scelta.empty())
        p.Dispositivo = scelta;
    const std::string titolo = "Ravelt " + reportFileName(pcLocal_);

    if (p.StampanteWindows) {
        const bool pdf = DispositivoPdf(p.Dispositivo);
        if (!pdf) {
            auto nomi = stampanti_.deviceNames();
            out.stampanteDelDispositivo = std::find(nomi.begin(), nomi.end(), p.Dispositivo) != nomi.end();
            if (out.stampanteDelDispositivo)
                corrente_ = p.Dispositivo;
        }
        auto righe = LeggiRigheReport(contesto_.folder, pcLocal_);
        if (!righe) {
            out.esito = EsitoStampa::ReportMancante;
            return out;
        }
        ParametriStampaWindows w;
        w.dimensioneTesta = p.CodiciCompresso[0];
        w.dimensione = r.compresso ? p.CodiciCompresso[0] : p.CodiciCompresso[6];
        if (w.dimensioneTesta <= 0 || w.dimensione <= 0)
            throw std::runtime_error("il tipo di stampa " + std::to_string(p.TipoStampa) + " della destinazione \"" +
                                     r.destinazione + "\" non indica la dimensione del carattere (Compresso, posizione " +
                                     (w.dimensioneTesta <= 0 ? "1" : "7") + ": " +
                                     number(w.dimensioneTesta <= 0 ? w.dimensioneTesta : w.dimensione) + ")");
        w.nomeFont = p.NomeFont;
        w.margineSuperiore = p.MargineSuperiore;
        w.lunghezzaPagina = p.LunghezzaPagina;
        w.orizzontale = r.orizzontale;
        w.fronteRetro = r.fronteRetro;
        w.opzioneK = has(r.codiceAssistenza, 'K');
        std::unique_ptr<PrinterObject> job;
        if (pdf) {
            std::filesystem::path file(p.Dispositivo);
            if (file.is_relative())
                file = contesto_.folder / file;
            job = stampanti_.startPdfJob(file, titolo);
            out.uscita = file.string();
        } else {
            std::string corrente = stampanteCorrente();
            if (corrente.empty())
                throw std::runtime_error("nessuna stampante installata: la destinazione \"" + r.destinazione +
                                         "\" indica la stampante \"" + p.Dispositivo + "\", che non esiste");
            job = stampanti_.startPrinterJob(corrente, titolo);
            out.uscita = corrente;
        }
        StampaSuStampanteWindows(*righe, w, *job);
        return out;
    }

    auto righe = LeggiRigheReport(contesto_.folder, pcLocal_);
    if (!righe) {
        out.esito = EsitoStampa::ReportMancante;
        return out;
    }
    ParametriStampaTesto t;
    t.sequenzaControllo = p.SequenzaControllo;
    t.margineSuperiore = p.MargineSuperiore;
    t.lunghezzaPagina = p.LunghezzaPagina;
    t.lunghezzaModulo = p.LunghezzaModulo;
    t.opzioneK = has(r.codiceAssistenza, 'K');
    t.opzioneU = has(r.codiceAssistenza, 'U');
    std::string bytes = ComponiStampaTesto(*righe, t);
    auto device = stampanti_.openTextDevice(p.Dispositivo, contesto_.folder, titolo);
    device->write(bytes);
    device->close();
    out.uscita = device->description();
    return out;
}

}
