#include "app/ReportRun.h"

#include "cashreport/CreaDettaglioCassa.h"
#include "output/MenuStampa.h"
#include "platform/Clock.h"
#include "shell/RaveltDT.h"
#include "shell/program_state.h"
#include "shell/MessagePresenter.h"

#include <QApplication>
#include <filesystem>

namespace ravelt {

void runCashReportWindow(RaveltDT& window, const ReportRequest& request, MessagePresenter& messages)
{
    ProgramState& state = window.state();
    CashReportRequest r;
    r.folder = std::filesystem::current_path();
    r.startDate = request.dataIniziale;
    r.endDate = request.dataFinale;
    r.documentType = request.tipoDocumento;
    r.ContatoreScelto = request.contatore;
    r.NumeroHotel = state.hotelInUso();
    r.PCLocal = state.PCLocal;
    r.CodiceAssistenza = state.CodiceAssistenza;
    r.progress = [&window](const std::string& text) { window.showProgress(text); };
    window.setHourglass(true);
    try {
        CashReportResult result = CreaDettaglioCassa(r);
        window.setHourglass(false);
        if (result.CodiceAssistenza)
            state.CodiceAssistenza = *result.CodiceAssistenza;
        if (!result.unassigned.empty()) {
            std::string text = unassignedText(result.unassigned);
            text.pop_back();
            std::string lines;
            for (char ch : text)
                lines += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
            messages.MostraMessaggio(lines, StileMessaggio::SoloOk + StileMessaggio::Avviso, "Dettaglio forme di incasso");
        }
        SystemClock clock;
        MenuStampa menu(r.folder, state.PCLocal, state, &clock, messages, {}, &window);
        menu.exec();
    } catch (const CashReportError& e) {
        window.setHourglass(false);
        messages.MostraMessaggio(e.description() + "\r\n(" + e.source() + ")", StileMessaggio::Avviso, e.source());
    }
}

}
