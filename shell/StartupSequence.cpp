#include "shell/StartupSequence.h"

#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "platform/StoreCatalog.h"
#include "platform/StoreSchema.h"
#include "shell/MainFormRules.h"
#include "shell/PasswordRoutines.h"
#include "platform/Calendar.h"
#include "shell/MessagePresenter.h"

#include <iostream>

namespace ravelt {

namespace {

constexpr const char* Chiusura = "\r\nIl programma viene chiuso.";

}

StartupSequence::StartupSequence(ProgramState& state, std::filesystem::path folder, const Environment& env,
                                 MessagePresenter* messages, std::function<void()> showGate)
    : state_(state), folder_(std::move(folder)), env_(env), messages_(messages), showGate_(std::move(showGate))
{
}

const std::vector<std::string>& StartupSequence::tipiDocumento()
{
    static const std::vector<std::string> tipi = {"Tutti", "Fatture", "Ricevute"};
    return tipi;
}

void StartupSequence::tell(const std::string& text, int stile)
{
    if (messages_)
        messages_->MostraMessaggio(text, stile, Titolo);
    else
        std::cerr << text << '\n';
}

// Steps 1-3 of the load. False when the program cannot go on (already told).
bool StartupSequence::readRegistry()
{
    try {
        auto db = Database::OpenDatabase("AnagraficaHotels.mdb", folder_);
        auto rs = db->OpenRecordset("AnagraficaHotels");
        if (rs->RecordCount() == 0) {
            rs->Close();
            db->Close();
            tell(std::string("L'anagrafica degli hotel (AnagraficaHotels.mdb) non contiene alcun hotel.") + Chiusura,
                 StileMessaggio::Avviso);
            return false;
        }
        rs->MoveFirst();
        state_.CodiceAssistenza = rs->Fields("CodiceAssistenza").toText();
        rs->Close();
        db->Close();
        return true;
    } catch (const std::exception& e) {
        tell(std::string("Impossibile leggere l'anagrafica degli hotel: ") + e.what() + Chiusura, StileMessaggio::Avviso);
        return false;
    }
}

void StartupSequence::readWorkstation()
{
    auto nterm = env_.get("NTerm");
    state_.NTerm = nterm ? parseInt16(*nterm).value_or(0) : 0;

    auto pc = env_.get("PCLocal");
    auto number = pc ? parseInt16(*pc) : std::nullopt;
    state_.PCLocal = number.value_or(0);
    if (!number) {
        std::string why = pc ? "vale \"" + *pc + "\", che non è un numero di postazione" : "non è impostata";
        tell("La variabile d'ambiente PCLocal " + why +
                 ".\r\nSi usa la postazione 0: il file di stampa sarà FD0.",
             StileMessaggio::Avviso);
    }
}

bool StartupSequence::load()
{
    if (!readRegistry())
        return false;

    state_.PasswordDirezione.clear();
    state_.ValoreControllo = 0;
    // Without "^" or "P" the gate grants access without looking at the password, so
    // the file is not read at all: whatever it holds cannot change the outcome.
    PasswordSettings pwd;
    if (gateUsesPassword(state_.CodiceAssistenza))
        pwd = readPasswordSettings(folder_);
    if (pwd.status == PasswordFileStatus::Unreadable) {
        state_.AccessoConsentito = std::string("N");
        tell("Il file delle password della direzione (Security.pwd) non è utilizzabile: " + pwd.problem +
                 ".\r\nL'accesso è riservato alla direzione e non può essere verificato." + Chiusura,
             StileMessaggio::Avviso);
        return false;
    }
    state_.PasswordDirezione = pwd.PasswordDirezione;
    state_.ValoreControllo = pwd.ValoreControllo;

    state_.PasswordDigitata.clear();
    if (showGate_)
        showGate_();

    if (state_.AccessoConsentito != "S") {
        if (state_.AccessoConsentito == "N")
            tell(std::string("Password della direzione errata: accesso non consentito.") + Chiusura, StileMessaggio::Avviso);
        else
            tell(std::string("Password della direzione non inserita: accesso non consentito.") + Chiusura, StileMessaggio::Avviso);
        return false;
    }
    readWorkstation();
    return true;
}

bool StartupSequence::activate()
{
    if (state_.AccessoConsentito != "S")
        return false;
    // On a server even asking whether the store is there can fail: that is told as a
    // failure to make it, once, and the window goes on.
    try {
        if (!storeExists(folder_, "ColonneRavelt.mdb"))
            CreaArchivioColonne(folder_);
    } catch (const std::exception& e) {
        if (!columnStoreFailureTold_) {
            columnStoreFailureTold_ = true;
            tell(std::string("Impossibile creare l'archivio delle colonne: ") + e.what(), StileMessaggio::Avviso);
        }
    }
    state_.GiorniMese = CommonYearMonthLengths;
    state_.NumeroHotel = 1;
    return true;
}

}
