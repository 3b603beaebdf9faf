#pragma once
#include <QDialog>
#include <cstdint>
#include <string>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ravelt {

// A rectangle of the input box's design, in twips.
struct TwipsBox {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const TwipsBox&) const = default;
};

// Where the input box puts everything for a prompt, in twips.
struct InputBoxLayout {
    int width = 0, height = 0;  // the window, and Shape1 framing it
    TwipsBox label1, text1, text2, ok, annulla;
};

// What one showing of the input box answered.
struct EsitoInputBox {
    bool premuto = false;       // false when the box was closed without a button
    std::string RispostaInput;  // the entry for "Ok", "" for "Annulla"
};

// The program's input box: a title strip, a multi-line prompt, one entry field holding
// the default answer, and the buttons "Ok" and "Annulla". It sizes itself to the prompt
// when it is shown and centres itself on the screen. After it closes, esito() holds the
// entry when "Ok" was pressed, "" when "Annulla" was, and no answer when it was closed
// otherwise (Esc). Enter in the entry field only moves to "Ok"; Enter on a button presses it.
class InputBox_form : public QDialog {
    Q_OBJECT
public:
    explicit InputBox_form(QWidget* parent = nullptr);

    void setTesto(const std::string& testo);
    void setTitolo(const std::string& titolo);
    void setPredefinito(const std::string& predefinito);

    // Lines of a prompt: its carriage returns plus one.
    static std::int16_t CalcolaRighe(const std::string& testo);
    // Widest run of characters between carriage returns (line feeds count), never below
    // 80: the width of the box in columns of 90 twips.
    static std::int16_t CalcolaColonne(const std::string& testo);
    // The layout for a prompt: W = 90 x columns, prompt height 300 x lines, entry field
    // below it, buttons right-aligned below that; H = 300 x lines + 1965 at design sizes.
    // The box's arithmetic is 16-bit, so a prompt past 364 columns or 109 lines gets the
    // largest box that fits it and its prompt scrolls; nothing of it is cut.
    static InputBoxLayout layoutFor(const std::string& testo);

    const EsitoInputBox& esito() const { return esito_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyLayout();
    void centre();
    void answer(int index);

    EsitoInputBox esito_;
    std::string testo_;
    QLabel* label1_ = nullptr;
    QPlainTextEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QPushButton* t_[2] = {};
    QFrame* shape1_ = nullptr;
};

}
