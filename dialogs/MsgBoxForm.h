#pragma once
#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QFrame;

namespace ravelt {

// What one showing of the message box answered.
struct EsitoMsgBox {
    bool premuto = false;          // false when the box was closed without a button
    std::int16_t RispostaMsg = 0;  // the button's RispostaMessaggio: OkSemplice, Si, No or Annulla
};

// The program's own message box: a title strip, the message, and one to three buttons
// chosen by the style. It sizes itself from the text (90 twips a character column, 300
// a line), stays above every other window and is modal. After it closes, esito() tells
// whether a button was pressed and which answer code it gave.
class MsgBoxForm : public QDialog {
    Q_OBJECT
public:
    explicit MsgBoxForm(QWidget* parent = nullptr);

    // The message's line count: carriage returns plus two (one spare line).
    static std::int16_t CalcolaRighe(const std::string& testo);
    // The widest run between carriage returns (line feeds count), at least 50, plus one.
    static std::int16_t CalcolaColonne(const std::string& testo);

    void setTesto(const std::string& testo);
    void setTitolo(const std::string& titolo);
    // Captions and visibility of the three buttons for the style; the style also places
    // the buttons when the box is shown.
    void applicaStile(std::int16_t stile);

    const EsitoMsgBox& esito() const { return esito_; }

    QPushButton* pulsante(int i) const { return t_[i]; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void attivazione();
    void premuto(int index);

    QLabel* label1_;
    QPlainTextEdit* text1_;
    QPushButton* t_[3];
    QFrame* shape1_;
    bool activated_ = false;
    std::int16_t StilePulsanti_ = 0;
    EsitoMsgBox esito_;
};

}
