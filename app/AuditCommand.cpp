#include "app/AuditCommand.h"

#include "app/AuditOptions.h"
#include "app/OutputCommands.h"
#include "app/ReportCommand.h"
#include "platform/Clock.h"

#include <filesystem>
#include <vector>

namespace ravelt {

int commandAudit(const ParsedArguments& args, const CommandStreams& io, ProgramState& state)
{
    const SystemClock clock;
    return runAudit(args, io, state, clock);
}

int runAudit(const ParsedArguments& args, const CommandStreams& io, ProgramState& state, const Clock& clock)
{
    checkAuditArguments(args);
    ParsedArguments report = args;
    if (!report.value("period"))
        report.values["period"] = "yesterday";

    const ReportOutcome outcome = runReportCommand(report, io, state, clock);
    if (outcome.code != 0) {
        io.err << "ravelt audit: il report non si è potuto fare: nessun'altra uscita\n";
        return outcome.code;
    }
    io.out << "audit: report scritto in " << outcome.reportPath.string() << "\n";
    if (args.flag("strict") && !outcome.unassigned.empty()) {
        io.err << "ravelt audit: degli incassi non sono in nessuna colonna (--strict): nessun'altra uscita\n";
        return EsitoNonAssegnati;
    }
    if (!args.flag("pdf") && !args.value("print") && !args.flag("mail"))
        return EsitoRiuscito;

    return withOutputContext(true, io, state, [&](const ContestoComandi& c) {
        std::vector<std::filesystem::path> attachments;
        if (args.flag("pdf")) {
            OpzioniStampa o;
            o.pdf = true;
            std::string file;
            if (ComandoStampa(o, c, &file) != EsitoRiuscito) {
                io.err << "ravelt audit: il PDF non si è potuto fare: nessun'altra uscita\n";
                return EsitoFallito;
            }
            std::filesystem::path pdf = file;
            if (pdf.is_relative())
                pdf = c.folder / pdf;
            attachments.push_back(pdf);
            io.out << "audit: PDF scritto in " << pdf.string() << "\n";
        }
        if (const std::string* destination = args.value("print")) {
            OpzioniStampa o;
            o.destinazione = *destination;
            if (ComandoStampa(o, c) != EsitoRiuscito) {
                io.err << "ravelt audit: la stampa su \"" << *destination << "\" non è riuscita: nessun'altra uscita\n";
                return EsitoFallito;
            }
            io.out << "audit: stampato su \"" << *destination << "\"\n";
        }
        if (args.flag("mail")) {
            const int code = ComandoMail(c, attachments);
            if (code != EsitoRiuscito) {
                io.err << "ravelt audit: la posta non è partita (codice " << code << ")\n";
                return code;
            }
            io.out << "audit: posta inviata" << (attachments.empty() ? "" : ", con il PDF allegato") << "\n";
        }
        return EsitoRiuscito;
    });
}

}
