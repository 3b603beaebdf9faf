#pragma once
#include "spedix/EsitoInvio.h"

#include <QDialog>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace ravelt {

// spedix's own window, for the operator who started a sending from the print preview:
// the recipients, the subject and the attached files' names, "Invio in corso…" while
// the mail goes, then "Inviata" (the window closes by itself after a few seconds) or
// "NON inviata" with the reason, which stays until the operator closes it. The sending
// runs on a worker thread, so the window keeps drawing; it cannot be closed while the
// sending runs (the sending's own time limits end it). The window only shows: what is
// sent and what the outcome means is decided by the function it is given.
class FinestraInvio : public QDialog {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds ChiusuraPredefinita{4000};

    FinestraInvio(const std::vector<std::string>& destinatari, const std::string& oggetto,
                  const std::vector<std::string>& allegati, QWidget* parent = nullptr);
    // Waits for a sending still running: the thread uses the window until it ends.
    ~FinestraInvio() override;

    // How long the window of a sent mail stays before it closes itself.
    void impostaChiusura(std::chrono::milliseconds attesa);

    // Shows "Invio in corso…" and runs 'invio' on a worker thread; its outcome is shown
    // through the event loop when it returns (an exception becomes a failed sending with
    // its text). Called once per window.
    void avvia(std::function<EsitoInvio()> invio);

    // Shows an outcome: the one of the sending, or one known without sending (a request
    // that cannot be sent).
    void mostraEsito(const EsitoInvio& esito);

    // The outcome shown, once there is one.
    const std::optional<EsitoInvio>& esito() const { return esito_; }

    // Every way of closing the window (the button, Esc, the title bar) ends here: while
    // the sending runs it is refused.
    void done(int result) override;

private:
    QLabel* stato_;
    QProgressBar* avanzamento_;
    QLabel* dettaglio_;
    QPushButton* chiudi_;
    QTimer* chiusura_;
    bool inCorso_ = false;
    std::optional<EsitoInvio> esito_;
    std::thread lavoro_;
};

}
