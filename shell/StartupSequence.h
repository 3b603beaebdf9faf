#pragma once
#include "platform/Environment.h"
#include "shell/MessagePresenter.h"
#include "shell/program_state.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace ravelt {

// The main window's load and activation, without the window: reads the hotel registry
// and Security.pwd into the program state, shows the password gate, reads the
// workstation's variables, and on activation creates the column store and resets the
// month table. Every reason the program closes is told to the operator first.
class StartupSequence {
public:
    // 'showGate' shows the password gate modally; it sets AccessoConsentito. Left empty,
    // nothing grants access. 'messages' may be null: messages then go to standard error.
    StartupSequence(ProgramState& state, std::filesystem::path folder, const Environment& env,
                    MessagePresenter* messages, std::function<void()> showGate);

    // The load, in order:
    //  1-3. AnagraficaHotels.mdb, table AnagraficaHotels: CodiceAssistenza from its first
    //       record. A missing store or table, or an empty table, ends here with a message
    //       naming it; the gate is not shown.
    //  4.   Security.pwd: PasswordDirezione and ValoreControllo (empty and 0 when missing),
    //       read only when the support code makes the gate consult the password ("^"
    //       or "P"); otherwise they stay empty and 0 and the file is not opened.
    //       When the file is there but unusable, access is refused with a message
    //       instead of asking: a password that cannot be read must not open the module.
    //  5.   PasswordDigitata cleared, gate shown. A refusal is told to the operator.
    //  6.   When granted: NTerm and PCLocal from the environment. A PCLocal that is
    //       missing or not a 16-bit whole number becomes 0 (report file FD0) with a
    //       warning; NTerm, which nothing else uses, becomes 0 silently.
    // Returns true when access was granted (the window then fills its type list).
    bool load();

    // The activation: false when access was not granted (the window closes, the program
    // ends). Otherwise creates ColonneRavelt.mdb when it is missing, fills GiorniMese
    // with the month lengths (February 28) and sets NumeroHotel to 1, and returns true.
    // A column store that cannot be created is told once, not at every activation (the
    // message box itself would activate the window again).
    bool activate();

    // The document types of Combo1, in order.
    static const std::vector<std::string>& tipiDocumento();

    // The caption used as the title of the start-up messages.
    static constexpr const char* Titolo = "Dettaglio movimenti di cassa";

private:
    void tell(const std::string& text, int stile);
    bool readRegistry();
    void readWorkstation();

    ProgramState& state_;
    std::filesystem::path folder_;
    const Environment& env_;
    MessagePresenter* messages_;
    std::function<void()> showGate_;
    bool columnStoreFailureTold_ = false;
};

}
