#include "dialogs/MsgBoxForm.h"

#include "shell/KeyboardFocus.h"
#include "shell/MessagePresenter.h"
#include "shell/Twips.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace ravelt {

namespace {

// The box cuts its twips down to whole pixels, where the windows' designed places round
// them: its size follows the text, and keeps the pixel sizes it has always had for it.
constexpr int px(int twips)
{
    return twips / 15;
}

// The buttons the box shows for a style: 1 ("Ok") for a plain message or a warning; 2
// ("Si", "No") for a plain question, one with the question mark, and every style from 200
// to 400; 3 ("Si", "No", "Annulla") for the question or warning with Annulla. 0 for any
// other style, which leaves the buttons as they were.
int pulsantiDelloStile(int stile)
{
    using S = StileMessaggio;
    if (stile == S::SoloOk || stile == S::SoloOk + S::Avviso)
        return 1;
    if (stile == S::SiNo || stile == S::SiNo + S::Domanda || (stile >= 200 && stile <= 400))
        return 2;
    if (stile == S::SiNoAnnulla + S::Domanda || stile == S::SiNoAnnulla + S::Avviso)
        return 3;
    return 0;
}

}

MsgBoxForm::MsgBoxForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("MsgBox_Form");
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    setModal(true);
    resize(px(4695), px(3135));

    shape1_ = new QFrame(this);
    shape1_->setObjectName("Shape1");
    shape1_->setFrameShape(QFrame::Box);
    shape1_->setGeometry(0, 0, px(4695), px(3135));

    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    label1_->setGeometry(0, 0, px(4695), px(375));
    label1_->setFont(designFont("Corbel", 12, true));
    label1_->setAlignment(Qt::AlignCenter);
    label1_->setAutoFillBackground(true);
    label1_->setStyleSheet("QLabel { background: rgb(0,0,128); color: white; }");

    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName("Text1");
    text1_->setGeometry(px(120), px(480), px(4455), px(1695));
    text1_->setReadOnly(true);
    text1_->setFont(designFont("Corbel", 9.75));
    text1_->setFrameShape(QFrame::NoFrame);
    text1_->setFocusPolicy(Qt::NoFocus);

    const char* captions[3] = {"Ok", "Ok", "Annulla"};
    const int lefts[3] = {120, 1200, 2280};
    for (int i = 0; i < 3; ++i) {
        t_[i] = new QPushButton(captions[i], this);
        t_[i]->setObjectName(QString("T_%1").arg(i));
        t_[i]->setGeometry(px(lefts[i]), px(2400), px(975), px(615));
        t_[i]->setFont(designFont("Corbel", 12));
        t_[i]->setAutoDefault(true);
        connect(t_[i], &QPushButton::clicked, this, [this, i] { premuto(i); });
    }
    setTabOrder(t_[0], t_[1]);
    setTabOrder(t_[1], t_[2]);

    // Placed once, centred for the design size; activation resizes without moving.
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        QRect g = s->geometry();
        move((g.width() - width()) / 2, (g.height() - height()) / 2);
    }
}

std::int16_t MsgBoxForm::CalcolaRighe(const std::string& testo)
{
    std::int16_t n = 1;
    for (char ch : testo)
        if (ch == '\r')
            ++n;
    return static_cast<std::int16_t>(n + 1);
}

std::int16_t MsgBoxForm::CalcolaColonne(const std::string& testo)
{
    std::int16_t widest = 50, run = 0;
    QString q = QString::fromStdString(testo);
    for (QChar ch : q) {
        if (ch != QChar('\r')) {
            ++run;
        } else {
            widest = std::max(widest, run);
            run = 0;
        }
    }
    widest = std::max(widest, run);
    return static_cast<std::int16_t>(widest + 1);
}

void MsgBoxForm::setTesto(const std::string& testo)
{
    // The text area shows lines split at carriage returns; a following line feed is part
    // of the same line break.
    QString q = QString::fromStdString(testo);
    q.replace("\r\n", "\n");
    q.replace('\r', '\n');
    text1_->setPlainText(q);
    text1_->setProperty("testo", QString::fromStdString(testo));
}

void MsgBoxForm::setTitolo(const std::string& titolo)
{
    label1_->setText(QString::fromStdString(titolo));
    setWindowTitle(QString::fromStdString(titolo));
}

void MsgBoxForm::applicaStile(std::int16_t stile)
{
    auto set = [&](const char* c0, const char* c1, bool v1, bool v2) {
        t_[0]->setText(c0);
        t_[0]->setVisible(true);
        t_[1]->setText(c1);
        t_[1]->setVisible(v1);
        t_[2]->setVisible(v2);
    };
    switch (pulsantiDelloStile(stile)) {
    case 1: set("Ok", "Ok", false, false); break;
    case 2: set("Si", "No", true, false); break;
    case 3: set("Si", "No", true, true); break;
    default: break;
    }
    StilePulsanti_ = stile;
}

void MsgBoxForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    attivazione();
}

// Lays the box out for its text: the buttons are centred on the width the window has
// when it is activated, then the window takes the width and height of the text.
void MsgBoxForm::attivazione()
{
    const int w = px(975);
    const int w0 = width();
    const std::int16_t s = StilePulsanti_;
    const int pulsanti = pulsantiDelloStile(s);
    if (pulsanti == 1) {
        t_[0]->move((w0 - w) / 2, t_[0]->y());
    } else if (pulsanti == 2) {
        t_[0]->move((w0 - (2 * w + px(70))) / 2, t_[0]->y());
        t_[1]->move(t_[0]->x() + w + px(70), t_[1]->y());
    } else if (pulsanti == 3) {
        t_[0]->move((w0 - (3 * w + px(140))) / 2, t_[0]->y());
        t_[1]->move(t_[0]->x() + w + px(70), t_[1]->y());
        t_[2]->move(t_[1]->x() + t_[1]->width() + px(70), t_[2]->y());
    }
    // A question takes the focus to its first button at every showing; a plain message
    // only at the first.
    using S = StileMessaggio;
    if (s == S::SiNo || s == S::SiNo + S::Domanda || pulsanti == 3)
        setKeyboardFocus(*t_[0]);
    else if (!activated_)
        setKeyboardFocus(*t_[0]);

    std::string testo = text1_->property("testo").toString().toStdString();
    const int r = CalcolaRighe(testo);
    const int c = CalcolaColonne(testo);
    const int wTwips = static_cast<std::int16_t>(c * 90);
    const int textHeight = static_cast<std::int16_t>(r * 300);
    setFixedWidth(px(wTwips));
    shape1_->setFixedWidth(px(wTwips));
    label1_->setFixedWidth(px(wTwips));
    text1_->setFixedSize(px(wTwips - 180), px(textHeight));
    const int hTwips = textHeight + 375 + 615 + 300;
    setFixedHeight(px(hTwips));
    shape1_->setFixedHeight(px(hTwips));
    for (auto* b : t_)
        b->move(b->x(), px(480 + textHeight + 100));
    activated_ = true;
    raise();
}

void MsgBoxForm::premuto(int index)
{
    esito_.premuto = true;
    if (index == 0)
        esito_.RispostaMsg = t_[0]->text() == "Si" ? RispostaMessaggio::Si : RispostaMessaggio::OkSemplice;
    else if (index == 1)
        esito_.RispostaMsg = RispostaMessaggio::No;
    else
        esito_.RispostaMsg = RispostaMessaggio::Annulla;
    accept();
}

}
