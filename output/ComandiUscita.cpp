#include "output/ComandiUscita.h"

#include "output/AvvisiImpostazioni.h"
#include "output/CaricaProfiloStampa.h"
#include "output/CodiceHotel.h"
#include "output/ConvertiXLS.h"
#include "output/InviaEMail.h"
#include "output/MotoreStampa.h"
#include "platform/ReportFile.h"
#include "output/RigheReport.h"
#include "output/TestoEditor.h"

#include <optional>
#include <stdexcept>

namespace ravelt {

namespace {

std::string elenco(const std::vector<std::string>& names)
{
    std::string s;
    for (const auto& n : names)
        s += (s.empty() ? "\"" : ", \"") + n + "\"";
    return s;
}

std::filesystem::path reportOrThrow(const ContestoComandi& c)
{
    auto report = findReportFile(c.folder, c.state->PCLocal);
    if (!report)
        throw std::runtime_error("il file della stampa " + reportFileName(c.state->PCLocal) + " non c'è nella cartella " +
                                 c.folder.string() + ": prima si scrive il report (ravelt report)");
    return *report;
}

// Runs a command's work and turns its failures into the exit code and the message.
template <typename Work>
int eseguiComando(const char* name, const ContestoComandi& c, Work work)
{
    try {
        return work();
    } catch (const std::exception& e) {
        *c.err << "ravelt " << name << ": " << e.what() << "\n";
        return EsitoFallito;
    }
}

}

int ComandoStampa(const OpzioniStampa& o, const ContestoComandi& c, std::string* uscita)
{
    return eseguiComando("print", c, [&] {
        ProgramState& state = *c.state;
        state.NumeroHotel = state.hotelInUso();
        auto destinazioni = ElencoDestinazioni(c.folder);
        if (destinazioni.empty())
            throw std::runtime_error("in Stampanti.mdb non c'è nessuna destinazione di stampa dell'hotel 1");
        std::string destinazione = destinazioni.front();
        if (o.destinazione) {
            destinazione = *o.destinazione;
        } else if (o.pdf) {
            const auto last = UltimaDestinazionePdf(destinazioni);
            if (!last)
                throw std::runtime_error("Nessuna stampante PDF impostata! (nessuna destinazione con \"PDF\" nel nome)");
            destinazione = destinazioni[*last];
        }
        reportOrThrow(c);

        RichiestaStampa r;
        r.destinazione = destinazione;
        r.compresso = !o.normale;
        r.orizzontale = o.orizzontale;
        r.fronteRetro = o.fronteRetro;
        r.stampante = o.stampante;
        r.codiceAssistenza = LeggiCodiceAssistenza(c.folder).value_or(state.CodiceAssistenza);
        AvvisiImpostazioni avvisi;
        MotoreStampa motore(ContestoStampa{c.folder, c.env, state.NumeroHotel, &avvisi}, state.PCLocal, *c.stampanti);
        RisultatoStampa esito = motore.Stampa(r);
        *c.err << AvvisiImpostazioni::Righe(avvisi.daDire(), "ravelt print: ");
        switch (esito.esito) {
        case EsitoStampa::DestinazioneSconosciuta:
            throw std::runtime_error("destinazione sconosciuta: \"" + destinazione + "\" (destinazioni dell'hotel 1: " +
                                     elenco(destinazioni) + ")");
        case EsitoStampa::ReportMancante:
            reportOrThrow(c);
            throw std::runtime_error("il file della stampa non si è potuto leggere");
        case EsitoStampa::Stampato:
            break;
        }
        if (!esito.stampanteDelDispositivo)
            *c.err << "ravelt print: nessuna stampante installata si chiama \"" << esito.profilo.Dispositivo
                   << "\": stampato sulla stampante corrente\n";
        *c.out << "Stampato " << reportFileName(state.PCLocal) << " su \"" << destinazione << "\": " << esito.uscita << "\n";
        if (uscita)
            *uscita = esito.uscita;
        return EsitoRiuscito;
    });
}

int ComandoCsv(const ContestoComandi& c)
{
    return eseguiComando("csv", c, [&] {
        std::filesystem::path report = reportOrThrow(c);
        std::filesystem::path csv = c.folder / NomeFileCsv(c.state->PCLocal);
        AvvisiImpostazioni avvisi;
        ConvertiXLS(report, csv, LeggiSeparatoreXLS(c.folder, &avvisi));
        *c.err << AvvisiImpostazioni::Righe(avvisi.daDire(), "ravelt csv: ");
        *c.out << csv.string() << "\n";
        return EsitoRiuscito;
    });
}

int ComandoMail(const ContestoComandi& c, const std::vector<std::filesystem::path>& allegati)
{
    return eseguiComando("mail", c, [&] {
        auto righe = LeggiRigheReport(c.folder, c.state->PCLocal);
        if (!righe)
            reportOrThrow(c);
        ContestoEMail e;
        e.folder = c.folder;
        e.pcLocal = c.state->PCLocal;
        e.launcher = c.launcher;
        e.attendi = true;
        e.cartellaProgramma = c.cartellaProgramma;
        e.percorsoRicerca = c.percorsoRicerca;
        e.allegati = allegati;
        int code = InviaEMail(RighePerEditor(*righe), e);
        if (code != 0)
            *c.err << "ravelt mail: il programma di posta è terminato con il codice " << code
                   << "; la richiesta " << NomeRichiestaEMail(c.state->PCLocal) << " resta nella cartella\n";
        return code;
    });
}

}
