#include "dialogs/InputBox_form.h"

#include "shell/KeyboardFocus.h"
#include "shell/TextChars.h"
#include "shell/Twips.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace ravelt {

namespace {

constexpr int DesignWidth = 4680, DesignHeight = 3120;
constexpr int LabelHeight = 375, Text1Top = 600, EntryHeight = 375, ButtonWidth = 975, ButtonHeight = 615;
// The largest counts whose products (x 90, x 300) stay within 16 bits.
constexpr int MaxColumns = 32767 / 90, MaxLines = 32767 / 300;

void place(QWidget* w, const TwipsBox& b)
{
    w->setGeometry(twipsToPixels(b.left), twipsToPixels(b.top), twipsToPixels(b.width), twipsToPixels(b.height));
}

// The prompt separates lines with a carriage return, usually followed by a line feed;
// the text area shows each as one line break.
QString displayText(const std::string& testo)
{
    QString t = QString::fromStdString(testo);
    t.replace("\r\n", "\n");
    t.replace('\r', '\n');
    return t;
}

}

InputBox_form::InputBox_form(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName("InputBox_form");
    setModal(true);
    setFixedSize(twipsToPixels(DesignWidth), twipsToPixels(DesignHeight));

    shape1_ = new QFrame(this);
    shape1_->setObjectName("Shape1");
    shape1_->setFrameShape(QFrame::Box);
    place(shape1_, {0, 0, 4695, 3135});

    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    label1_->setFont(designFont("Corbel", 12, true));
    label1_->setAlignment(Qt::AlignCenter);
    label1_->setAutoFillBackground(true);
    place(label1_, {0, 0, 4695, LabelHeight});

    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName("Text1");
    text1_->setFont(designFont("Corbel", 9.75));
    text1_->setReadOnly(true);
    // The prompt area is sized to its lines (300 twips each): no frame or scroll bars
    // that would take the room of the text itself.
    text1_->setFrameShape(QFrame::NoFrame);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text1_->document()->setDocumentMargin(1);
    text1_->setStyleSheet("QPlainTextEdit { background: transparent; }");
    place(text1_, {120, Text1Top, 4455, 1215});

    text2_ = new QLineEdit(this);
    text2_->setObjectName("Text2");
    text2_->setFont(designFont("Arial", 12, true));
    place(text2_, {120, 1920, 4335, EntryHeight});
    text2_->installEventFilter(this);

    const char* captions[2] = {"Ok", "Annulla"};
    const int lefts[2] = {2520, 3600};
    for (int i = 0; i < 2; ++i) {
        t_[i] = new QPushButton(captions[i], this);
        t_[i]->setObjectName(QString("T_%1").arg(i));
        t_[i]->setFont(designFont("Corbel", 12));
        t_[i]->setAutoDefault(true);
        place(t_[i], {lefts[i], 2400, ButtonWidth, ButtonHeight});
        connect(t_[i], &QPushButton::clicked, this, [this, i] { answer(i); });
    }

    setTabOrder(text2_, t_[0]);
    setTabOrder(t_[0], t_[1]);
    setTabOrder(t_[1], text1_);
    text2_->setFocus();
    centre();
}

void InputBox_form::setTesto(const std::string& testo)
{
    testo_ = testo;
    text1_->setPlainText(displayText(testo));
}

void InputBox_form::setTitolo(const std::string& titolo)
{
    label1_->setText(QString::fromStdString(titolo));
    setWindowTitle(QString::fromStdString(titolo));
}

void InputBox_form::setPredefinito(const std::string& predefinito)
{
    text2_->setText(QString::fromStdString(predefinito));
}

std::int16_t InputBox_form::CalcolaRighe(const std::string& testo)
{
    int righe = 1;
    for (char ch : testo)
        if (ch == '\r' && righe < 32767)
            ++righe;
    return static_cast<std::int16_t>(righe);
}

std::int16_t InputBox_form::CalcolaColonne(const std::string& testo)
{
    int widest = 80, run = 0;
    for (char32_t c : toCodePoints(testo)) {
        if (c != U'\r') {
            run = std::min(run + 1, 32767);
        } else {
            widest = std::max(widest, run);
            run = 0;
        }
    }
    return static_cast<std::int16_t>(std::max(widest, run));
}

InputBoxLayout InputBox_form::layoutFor(const std::string& testo)
{
    const int righe = std::min<int>(CalcolaRighe(testo), MaxLines);
    const int colonne = std::min<int>(CalcolaColonne(testo), MaxColumns);
    InputBoxLayout l;
    l.width = colonne * 90;
    l.label1 = {0, 0, l.width, LabelHeight};
    l.text1 = {120, Text1Top, l.width - 180, righe * 300};
    l.text2 = {120, l.text1.top + l.text1.height + 200, l.width - 180, EntryHeight};
    l.height = l.text1.height + LabelHeight + EntryHeight + ButtonHeight + 600;
    const int buttonsTop = l.text1.top + l.text1.height + EntryHeight + 300;
    l.ok = {l.width - (2 * ButtonWidth + 200), buttonsTop, ButtonWidth, ButtonHeight};
    l.annulla = {l.ok.left + ButtonWidth + 70, buttonsTop, ButtonWidth, ButtonHeight};
    return l;
}

// The activation: lay out for the prompt, select the default so typing replaces it,
// and centre for the new size.
void InputBox_form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    applyLayout();
    text2_->setSelection(0, static_cast<int>(text2_->text().size()));
    text2_->setFocus();
    centre();
}

void InputBox_form::applyLayout()
{
    const InputBoxLayout l = layoutFor(testo_);
    setFixedSize(twipsToPixels(l.width), twipsToPixels(l.height));
    place(shape1_, {0, 0, l.width, l.height});
    place(label1_, l.label1);
    place(text1_, l.text1);
    place(text2_, l.text2);
    place(t_[0], l.ok);
    place(t_[1], l.annulla);
}

void InputBox_form::centre()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size();
    move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

// Enter that reaches the box itself (from the prompt area) presses nothing: only a
// focused button answers to Enter. Esc still closes the box without an answer.
void InputBox_form::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool InputBox_form::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == text2_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            setKeyboardFocus(*t_[0]);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void InputBox_form::answer(int index)
{
    esito_.premuto = true;
    esito_.RispostaInput = index == 0 ? text2_->text().toStdString() : std::string();
    accept();
}

}
