#pragma once
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "shell/MessagePresenter.h"
#include "shell/program_state.h"
#include "tableprint/CampiTabella.h"
#include "tableprint/FiltroSalvato.h"
#include "tableprint/SceltaFiltro.h"

#include <QColor>
#include <QDialog>
#include <filesystem>
#include <functional>
#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ravelt {

// The filtered print screen "Stampa - <NomeStampa>": eight criteria rows (field,
// comparison, value), the order field, compressed or normal print, the destination
// list; "&Anteprima" prints the definition's table with the rows' condition into the
// report file and shows the preview, "Salva &Filtro" keeps the choices in the saved
// filter, "&Esci" closes. At every activation (the first showing, and each return from
// the preview) it reads the definition and the table's fields again and restores the
// saved filter, marking the restored controls light yellow.
//
// Its messages go to the platform's standard message box through 'messaggi'. Failures
// of the stores or of the print are told there and the screen stays open; the report
// file and the saved filter are written whole or not at all. So are the lines of the
// definition, the saved filter and euro.txt that were not used, each once while the
// screen is open.
class Stampa : public QDialog {
    Q_OBJECT
public:
    struct Servizi {
        std::filesystem::path cartella;                 // the working folder
        MessagePresenter* messaggi = nullptr;           // the standard message box
        std::function<void(QWidget*)> anteprima;        // shows the preview of the report file, modally
        ParametriFiltro parametri;                      // what Param1 to Param8 stand for
        const Clock* orologio = nullptr;                // null: the system's
        const Environment* ambiente = nullptr;          // null: no variable overrides a device
    };

    // 'stato' gives NomeStampa (read at each activation), the hotel, its option letters
    // and the workstation number.
    Stampa(Servizi servizi, ProgramState& stato, QWidget* parent = nullptr);

    // The buttons by index: 1 "&Esci", 2 "&Anteprima", 3 "Salva &Filtro".
    void Tasto_Click(int index);
    // Re-reads the definition, the destinations and the fields, and restores the filter.
    void attivazione();

    // The light yellow of restored criteria, and the controls' own colours.
    static QColor Giallo();
    static QColor Azzurro();   // the window
    static QColor Pesca();     // the lists

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SceltaFiltro leggiControlli() const;
    void scriviControlli(const SceltaFiltro& scelta);
    void riempiDestinazioni();
    void invio(int riga);
    void anteprima();
    void salvaFiltro();
    void messaggio(const std::string& testo, int stile, const std::string& titolo);
    void mostraAvvisi();

    Servizi servizi_;
    ProgramState& stato_;
    std::string fileDefinizione_;
    CampiTabella campi_;
    AvvisiImpostazioni avvisi_;
    bool mostrata_ = false;
    bool chiusa_ = false;

    QComboBox* combo1_[10];
    QComboBox* combo2_[8];
    QLineEdit* text1_[8];
    QRadioButton* opt_[2];
    QPushButton* tasto_[4] = {nullptr, nullptr, nullptr, nullptr};
};

}
