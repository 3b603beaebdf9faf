#pragma once
#include "output/LettoreReport.h"
#include "platform/ProgramLauncher.h"
#include "shell/MessagePresenter.h"

#include <QDialog>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

class QPlainTextEdit;
class QPushButton;

namespace ravelt {

// The print preview "Anteprima di Stampa": the workstation's report file shown as text,
// converted with TogliAccenti, in chunks of about 20000 characters (26000 for the
// chunks the buttons read). The operator pages on ("&Avanti"), goes back to the start
// ("&Inizio"), reduces or enlarges the type, edits the text and saves it over the
// report file ("Sa&lva"), or mails the text shown ("E-&mail").
//
// Without a report file the preview closes itself when shown. Every failure is told
// through the message box and the preview stays open with its text.
class Anteprima : public QDialog {
    Q_OBJECT
public:
    // 'launcher' starts the mail program; null: real processes.
    Anteprima(std::filesystem::path folder, std::int16_t pcLocal, MessagePresenter& messages,
              ProgramLauncher* launcher = nullptr, QWidget* parent = nullptr);
    ~Anteprima() override;

    // The buttons, by index: 0 exit, 1 smaller, 2 larger, 3 next chunk, 4 start, 5 mail,
    // 6 save.
    void Tasto_Click(int index);

    long conteggio() const { return conteggio_; }
    bool altro() const { return altro_; }

    // Where the mail program is looked for after the working folder (tests); empty: the
    // running program's folder and PATH.
    void setRicercaProgramma(std::filesystem::path cartella, std::string percorso);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void attivazione();
    void adattaControlli();
    void mostraBlocco(long limite);
    void conReport(const std::function<void()>& passo);
    void salva();
    void email();

    std::filesystem::path folder_;
    std::int16_t pcLocal_;
    MessagePresenter& messages_;
    ProgramLauncher* launcher_;
    std::unique_ptr<ProgramLauncher> launcherProprio_;
    LettoreReport lettore_;
    long conteggio_ = 0;
    bool altro_ = false;
    bool attivata_ = false;
    std::filesystem::path cartellaProgramma_;
    std::string percorsoRicerca_;

    QPlainTextEdit* text1_;
    QPushButton* tasto_[7];
};

}
