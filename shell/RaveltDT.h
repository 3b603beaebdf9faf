#pragma once
#include "platform/Environment.h"
#include "shell/MainFormRules.h"
#include "shell/MainWindowServices.h"
#include "shell/StartupSequence.h"
#include "shell/program_state.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ravelt {

// The main window "Dettaglio movimenti di cassa": the period, the document type and the
// "Stampa" and "Esci" buttons, with the menu "Impostazioni". It reads its controls and
// leaves the work to StartupSequence, the rules of MainFormRules and the collaborators
// it was given.
class RaveltDT : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* PromptContatore = "Inserire il contatore contabile di riferimento (0 per tutti)";
    static constexpr const char* TitoloContatore = "Contatore QMT";

    RaveltDT(MainWindowServices services, ProgramState& state, QWidget* parent = nullptr);
    ~RaveltDT() override;

    // Runs the load (registry, password file, gate, workstation) and the first
    // activation. Returns false when the program must end (empty or missing registry,
    // access refused: the operator has been told why); the window is then closed and
    // must not be shown. Call once, before show().
    bool start();

    // For the report run: the progress label, and the hourglass while it works.
    QLabel* Label2() const { return label2_; }
    void showProgress(const std::string& text);
    void setHourglass(bool on);

    ProgramState& state() { return state_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    bool activation();
    void dateEnter(int index);
    void stampa();
    void impostazioni();
    void focusOn(FocusTarget target);
    void tell(const std::string& text);

    MainWindowServices services_;
    ProgramState& state_;
    SystemEnvironment systemEnv_;
    std::unique_ptr<StartupSequence> startup_;
    bool started_ = false;

    QLabel* label1_[3] = {};
    QLineEdit* text1_[2] = {};
    QFrame* shape1_[2] = {};
    QComboBox* combo1_ = nullptr;
    QPushButton* tasto_[2] = {};
    QLabel* label2_ = nullptr;
    QAction* menu1_ = nullptr;
};

}
