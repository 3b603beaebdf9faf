#include "app/GuiMain.h"

#include "app/ReportRun.h"
#include "columns/ImpRavelt.h"
#include "dialogs/InputBoxRoutine.h"
#include "dialogs/MsgBoxPresenter.h"
#include "dialogs/PasswdSecurity.h"
#include "shell/RaveltDT.h"
#include "shell/program_state.h"
#include "tableprint/ApriStampa.h"

#include <QApplication>
#include <QFont>
#include <filesystem>

namespace ravelt {

// The windows are drawn in Corbel and Arial at fixed sizes; where those fonts are not
// installed, faces of the same widths keep every caption inside its control.
static void substituteFonts()
{
    QFont::insertSubstitutions("Corbel", {"Carlito", "Liberation Sans Narrow", "Liberation Sans"});
    QFont::insertSubstitutions("Arial", {"Liberation Sans"});
    QFont::insertSubstitutions("Courier New", {"Liberation Mono"});
}

int runGui(int argc, char** argv)
{
    QApplication app(argc, argv);
    substituteFonts();
    ProgramState state;
    MsgBoxPresenter messages;
    InputBoxRoutine inputBox;
    MainWindowServices services;
    services.messages = &messages;
    services.folder = std::filesystem::current_path();
    services.showGate = [&state] { PasswdSecurity::Mostra(state); };
    services.richiediDato = [&inputBox](const std::string& t, const std::string& ti, const std::string& p) {
        return inputBox.RichiediDato(t, ti, p);
    };
    services.showImpostazioni = [&state, &messages] {
        const std::filesystem::path folder = std::filesystem::current_path();
        ImpRavelt* opened = nullptr;
        ImpRavelt window(folder, state, messages, [&] { ApriStampa(folder, state, messages, opened); });
        opened = &window;
        window.exec();
    };
    services.runReport = [&messages](RaveltDT& w, const ReportRequest& r) { runCashReportWindow(w, r, messages); };
    RaveltDT window(services, state);
    if (!window.start())
        return 1;
    window.show();
    return app.exec();
}

}
