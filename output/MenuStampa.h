#pragma once
#include "output/CopiaDoc.h"
#include "output/MotoreStampa.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/PrinterSystem.h"
#include "platform/ProgramLauncher.h"
#include "shell/MessagePresenter.h"
#include "shell/program_state.h"

#include <QDialog>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;

namespace ravelt {

// What the print menu reaches outside itself. Every member may stay empty: the menu
// then uses the workstation's own (the system's printers, the process environment, the
// desktop's program for a file, the preview window, the toolkit's standard warning
// box, real processes for the mail program).
struct ServiziMenuStampa {
    PrinterSystem* stampanti = nullptr;
    const Environment* env = nullptr;
    // Opens a file with the program the desktop associates with it; false when it cannot.
    std::function<bool(const std::filesystem::path&)> apriFile;
    // Shows the preview modally over the menu.
    std::function<void(QWidget* menu)> mostraAnteprima;
    // The platform's standard warning box (title, text), for the PDF button's warning.
    std::function<void(QWidget* parent, const QString& titolo, const QString& testo)> avvisoStandard;
    ProgramLauncher* launcher = nullptr;
};

// The print menu "Stampe non modificabili", opened modally after a report has been
// written to the workstation's report file. It prints the report on a destination of
// Stampanti (or on the PDF one), shows the preview, exports to CSV and opens it, and
// opens the word-processor copy it made of the report when it was loaded.
//
// Load (constructor): centres itself, sets NumeroHotel to 1 when it is 0, copies the
// report to doc/fd<N><yyyymmddhhmm>.doc, fills the printer list (Combo2) with the
// installed printers, none chosen, or "<nessuna stampante>". Activation (first showing
// and every return from the preview): reads the support code again from the hotel
// registry, fills the destinations (Combo1) and shows the first; with no destination
// the menu closes itself. A printer list the system cannot give is told at the first
// showing, and the list holds "<nessuna stampante>". Every failure is told through the
// message box and the menu stays open; so is a settings file (FontStp.txt for a print, SeparatoreXLS.txt for the
// CSV export) whose line was ignored for a default, once while the menu is open.
class MenuStampa : public QDialog {
    Q_OBJECT
public:
    MenuStampa(std::filesystem::path folder, std::int16_t pcLocal, ProgramState& state, const Clock* clock,
               MessagePresenter& messages, ServiziMenuStampa servizi = {}, QWidget* parent = nullptr);
    ~MenuStampa() override;

    // The six buttons, by index: 0 word-processor copy, 1 CSV, 2 PDF, 3 print, 4 preview,
    // 5 exit.
    void Tst_Click(int index);

    // The support code the print engine reads its options from.
    const std::string& codiceAssistenza() const { return codiceAssistenza_; }
    const CopiaDoc& copiaDoc() const { return copiaDoc_; }

    static constexpr const char* NessunaStampante = "<nessuna stampante>";

protected:
    void showEvent(QShowEvent* event) override;

private:
    void completaServizi();
    void impostaFinestra();
    void costruisciControlli();
    void costruisciPulsanti();
    void carica(const Clock* clock);
    void caricaStampanti();
    void attivazione();
    void stampa();
    void stampaPdf();
    void esportaCsv();
    void apriCopia();
    bool apri(const std::filesystem::path& file);
    void errore(const std::string& testo);
    void mostraAvvisi();

    std::filesystem::path folder_;
    std::int16_t pcLocal_;
    ProgramState& state_;
    MessagePresenter& messages_;
    ServiziMenuStampa servizi_;
    std::unique_ptr<PrinterSystem> stampantiProprie_;
    std::unique_ptr<Environment> envProprio_;
    AvvisiImpostazioni avvisi_;
    std::unique_ptr<MotoreStampa> motore_;
    std::string codiceAssistenza_;
    CopiaDoc copiaDoc_;
    // Why the list of installed printers could not be read at the load; told over the
    // menu when it is first shown.
    std::string problemaStampanti_;
    bool attivata_ = false;

    QLabel* label_[3];
    QComboBox* combo1_;
    QComboBox* combo2_;
    QCheckBox* chk_;
    QCheckBox* chk2_;
    QCheckBox* chk3_;
    QToolButton* tst_[6];
};

}
