#pragma once
#include "platform/Environment.h"
#include "shell/MessagePresenter.h"
#include "shell/ReportRequest.h"

#include <filesystem>
#include <functional>
#include <string>

namespace ravelt {

class RaveltDT;

// The collaborators of the main window, given to it by the program's entry point. The
// shell cannot reach the dialogs, the report builder or the column setup itself, so it
// receives them here; tests give it their own.
struct MainWindowServices {
    // Shows the management password gate modally; it sets AccessoConsentito.
    // Empty: nobody grants access and the program closes with a message.
    std::function<void()> showGate;
    // Asks one value (prompt, title, default answer); "" when the operator cancels.
    std::function<std::string(const std::string& testo, const std::string& titolo, const std::string& predefinito)>
        richiediDato;
    // Shows the column setup modally.
    std::function<void()> showImpostazioni;
    // Runs the report for the request; it may show progress with RaveltDT::showProgress
    // and the hourglass with RaveltDT::setHourglass. An exception it raises is shown to
    // the operator and the window stays. Empty: Label2 says the report is not available.
    std::function<void(RaveltDT&, const ReportRequest&)> runReport;
    // Where messages go; null sends them to standard error.
    MessagePresenter* messages = nullptr;
    // The workstation's variables (PCLocal, NTerm); null reads the process environment.
    const Environment* env = nullptr;
    // The working folder holding the stores and Security.pwd; empty: the current folder.
    std::filesystem::path folder;
};

}
