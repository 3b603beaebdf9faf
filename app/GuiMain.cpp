#include "app/GuiMain.h"

#include "app/ReportRun.h"
#include "app/WorkingFolder.h"
#include "columns/ImpRavelt.h"
#include "dialogs/InputBoxRoutine.h"
#include "dialogs/MsgBoxPresenter.h"
#include "dialogs/PasswdSecurity.h"
#include "output/ComandiUscita.h"
#include "platform/Environment.h"
#include "shell/MessagePresenter.h"
#include "shell/RaveltDT.h"
#include "shell/StartupSequence.h"
#include "shell/Twips.h"
#include "shell/program_state.h"
#include "tableprint/ApriStampa.h"

#include <QApplication>
#include <QFileDialog>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>
#include <filesystem>

namespace ravelt {

namespace {

// The windows are drawn in Corbel and Arial at fixed sizes; where those fonts are not
// installed, faces of the same widths keep every caption inside its control. Every font
// of a designed family, however it was made, falls back on that family's stand-in faces.
void substituteFonts()
{
    for (const QString& family : designedFamilies())
        QFont::insertSubstitutions(family, standInFaces(family));
}

// The toolkit's own windows (the folder chooser, the printer's dialog) speak Italian, as
// the program does, whatever the desktop's language; where the toolkit's Italian texts
// are not installed they stay in English, which loses nothing.
void speakItalian(QTranslator& translator)
{
    if (translator.load("qtbase_it", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}

// Asks the operator for the working folder with a folder chooser, telling first why
// ('reason', or that nothing names one), until the folder chosen holds the hotel registry (a folder without
// it is told and the chooser opens again), and remembers the answer for the next start.
// nullopt when the operator cancels: nothing is remembered and the next start asks again.
std::optional<std::filesystem::path> askFolder(const WorkingFolder& where, const std::string& reason,
                                               MessagePresenter& messages)
{
    const std::string registry = WorkingFolder::registryStore({}).filename().string();
    const std::string why = reason.empty() ? "Nessuna cartella di lavoro è indicata:\r\n"
                                             "la cartella corrente non contiene " + registry + ",\r\n"
                                             "RAVELT_FOLDER non è impostata e non ce n'è una ricordata."
                                           : reason;
    messages.MostraMessaggio(why + "\r\nScegliere la cartella di lavoro, quella con " + registry + ":\r\n"
                                   "sarà ricordata per le prossime volte.",
                             StileMessaggio::Avviso, StartupSequence::Titolo);
    for (;;) {
        const QString chosen = QFileDialog::getExistingDirectory(
            nullptr, QString::fromStdString("Ravelt: scegliere la cartella di lavoro (quella con " + registry + ")"),
            QString::fromStdString(std::filesystem::current_path().string()));
        if (chosen.isEmpty())
            return std::nullopt;
        const std::filesystem::path folder = chosen.toStdString();
        if (auto r = WorkingFolder::refusal(folder)) {
            messages.MostraMessaggio("Non si può lavorare qui: " + *r + ".", StileMessaggio::Avviso, StartupSequence::Titolo);
            continue;
        }
        try {
            where.remember(folder);
        } catch (const std::exception& e) {
            messages.MostraMessaggio(std::string("La cartella non sarà ricordata: ") + e.what() + ".", StileMessaggio::Avviso,
                                     StartupSequence::Titolo);
        }
        return folder;
    }
}

// The folder the window works in: 'given' (--folder) when there is one, else the one
// WorkingFolder chooses or the operator answers. nullopt, with the reason told, when the
// window must not open; 'code' is then the program's exit code.
std::optional<std::filesystem::path> chooseWindowFolder(const std::optional<std::string>& given,
                                                        MessagePresenter& messages, int& code)
{
    if (given) {
        if (auto p = WorkingFolder::problem(*given)) {
            messages.MostraMessaggio("La cartella di lavoro \"" + *given + "\" " + *p + ".", StileMessaggio::Avviso,
                                     StartupSequence::Titolo);
            code = EsitoUso;
            return std::nullopt;
        }
        return std::filesystem::path(*given);
    }
    static SystemEnvironment env;
    const WorkingFolder where(env, std::filesystem::current_path());
    const WorkingFolder::Choice choice = where.choose();
    code = EsitoFallito;
    switch (choice.kind) {
    case WorkingFolder::Choice::Kind::Refused:
        messages.MostraMessaggio(choice.reason, StileMessaggio::Avviso, StartupSequence::Titolo);
        return std::nullopt;
    case WorkingFolder::Choice::Kind::Ask:
        return askFolder(where, choice.reason, messages);
    default:
        return choice.folder;
    }
}

}

int runGui(int argc, char** argv, const std::optional<std::string>& given)
{
    QApplication app(argc, argv);
    substituteFonts();
    QTranslator toolkitTexts;
    speakItalian(toolkitTexts);
    ProgramState state;
    MsgBoxPresenter messages;
    int code = 0;
    const auto folder = chooseWindowFolder(given, messages, code);
    if (!folder)
        return code;
    std::error_code ec;
    std::filesystem::current_path(*folder, ec);
    if (ec) {
        messages.MostraMessaggio("Non si può entrare nella cartella di lavoro " + folder->string() + ": " + ec.message() + ".",
                                 StileMessaggio::Avviso, StartupSequence::Titolo);
        return EsitoUso;
    }
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
        return EsitoFallito;
    window.show();
    return app.exec();
}

}
