#pragma once
#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QFrame;

namespace ravelt {

// The program's own message box: a title strip, the message, and one to three buttons
// chosen by the style. It sizes itself from the text (90 twips a character column, 300
// a line), stays above every other window and is modal. The answer goes to the module's
// answer code; closing the box without a button leaves the previous answer.
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
    // Captions and visibility of the three buttons for the style.
    void applicaStile(std::int16_t stile);

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
};

// Module-wide state of the message box: the style being shown and the last answer.
extern std::int16_t StilePulsanti;
extern std::int16_t RispostaMsg;

// Shows the message and returns the answer code: 0 for "Ok", 6 "Si", 7 "No", 2 "Annulla".
// Lines of 'testo' are separated by a carriage return (and usually a line feed).
std::int16_t MostraMessaggio(const std::string& testo, std::int16_t stile, const std::string& titolo);

}
