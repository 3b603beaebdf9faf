#include "app/GuiMain.h"

#include "app/ReportRun.h"
#include "columns/ImpRavelt.h"
#include "dialogs/InputBoxRoutine.h"
#include "dialogs/MsgBoxPresenter.h"
#include "dialogs/PasswdSecurity.h"
#include "shell/RaveltDT.h"
#include "shell/program_state.h"

#include <QApplication>
#include <filesystem>

namespace ravelt {

int runGui(int argc, char** argv)
{
    QApplication app(argc, argv);
    MsgBoxPresenter messages;
    MainWindowServices services;
    services.messages = &messages;
    services.folder = std::filesystem::current_path();
    services.showGate = [] { PasswdSecurity::Mostra(programState()); };
    services.richiediDato = [](const std::string& t, const std::string& ti, const std::string& p) { return RichiediDato(t, ti, p); };
    services.showImpostazioni = [&messages] {
        ImpRavelt window(std::filesystem::current_path(), messages);
        window.exec();
    };
    services.runReport = [&messages](RaveltDT& w, const ReportRequest& r) { runCashReportWindow(w, r, messages); };
    RaveltDT window(services);
    if (!window.start())
        return 1;
    window.show();
    return app.exec();
}

}
