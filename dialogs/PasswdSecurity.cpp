#include "dialogs/PasswdSecurity.h"

#include "dialogs/PasswordGate.h"
#include "shell/Twips.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>

namespace ravelt {

PasswdSecurity::PasswdSecurity(ProgramState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName("PasswdSecurity");
    setWindowTitle("Direzione");
    setModal(true);
    setFixedSize(twipsToPixels(3030), twipsToPixels(720));

    shape1_ = new QFrame(this);
    shape1_->setObjectName("Shape1");
    shape1_->setFrameShape(QFrame::Box);
    shape1_->setGeometry(twipsToPixels(120), twipsToPixels(120), twipsToPixels(2775), twipsToPixels(525));

    text1_ = new QLineEdit(this);
    text1_->setObjectName("Text1");
    QFont f("Arial");
    f.setPointSizeF(9.75);
    text1_->setFont(f);
    text1_->setGeometry(twipsToPixels(240), twipsToPixels(240), twipsToPixels(2535), twipsToPixels(285));
    text1_->setMaxLength(30);
    text1_->setEchoMode(QLineEdit::Password);
    text1_->setStyleSheet("QLineEdit { lineedit-password-character: 42; }");  // '*'
    text1_->installEventFilter(this);
    text1_->setFocus();
}

void PasswdSecurity::Mostra(ProgramState& state, QWidget* parent)
{
    if (decideGate(state.CodiceAssistenza, state.PasswordDirezione, state.PasswordDigitata) == GateDecision::Grant) {
        state.AccessoConsentito = std::string("S");
        return;
    }
    PasswdSecurity gate(state, parent);
    gate.exec();
}

void PasswdSecurity::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // move() places the frame, so the frame's size is what is centred.
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        const QSize outer = frameGeometry().size();
        move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
    }
}

// Enter is the gate's only answer; the dialog's own Enter handling (a default button)
// must not see it.
bool PasswdSecurity::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == text1_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            enter();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PasswdSecurity::enter()
{
    std::string entry = text1_->text().toStdString();
    state_.AccessoConsentito = checkPassword(entry, state_.PasswordDirezione, state_.ValoreControllo);
    text1_->setText(QString::fromStdString(entry));
    accept();
}

}
