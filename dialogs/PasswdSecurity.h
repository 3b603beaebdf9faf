#pragma once
#include "shell/program_state.h"

#include <QDialog>

class QFrame;
class QLineEdit;

namespace ravelt {

// The management password gate "Direzione": one masked field of at most 30
// characters. Enter decides and closes; closing it any other way leaves
// AccessoConsentito as it was, which the main window reads as refused.
class PasswdSecurity : public QDialog {
    Q_OBJECT
public:
    explicit PasswdSecurity(ProgramState& state, QWidget* parent = nullptr);

    // The gate as the main window uses it: decides by decideGate and, when the password
    // must be asked, shows the window modally until Enter or close. When access is
    // granted at once the window is not shown at all (it would close at once anyway).
    static void Mostra(ProgramState& state, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void enter();

    ProgramState& state_;
    QLineEdit* text1_ = nullptr;
    QFrame* shape1_ = nullptr;
};

}
