#include "shell/RaveltDT.h"

#include "shell/KeyboardFocus.h"
#include "shell/Twips.h"
#include "shell/MessagePresenter.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <iostream>

namespace ravelt {

namespace {

void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twipsRect(left, top, width, height));
}

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

}

RaveltDT::RaveltDT(MainWindowServices services, ProgramState& state, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), state_(state)
{
    if (services_.folder.empty())
        services_.folder = std::filesystem::current_path();
    const Environment& env = services_.env ? *services_.env : systemEnv_;
    startup_ = std::make_unique<StartupSequence>(state_, services_.folder, env, services_.messages, services_.showGate);
    buildControls();
}

RaveltDT::~RaveltDT() = default;

// The controls of the design, in twips converted to pixels; the client area is
// 3975 x 3375 twips below the menu bar. The captions' dotted leaders need more room than
// the design's 1245 twips with the installed faces, and the field column began under
// the captions' ends: the captions are widened keeping their left and top, and the
// fields, their frames and the type list move right together into the margin the
// client area has there, so the order and the alignment of the controls stay.
void RaveltDT::buildControls()
{
    constexpr int LabelWidth = 1590;
    constexpr int FieldShift = 420;
    setObjectName("RaveltDT");
    setWindowTitle("Dettaglio movimenti di cassa");

    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(twipsToPixels(3975), twipsToPixels(3375));
    setCentralWidget(client);

    const char* captions[3] = {"Dalla data .............:", "Alla data ................:", "Tipo Documento :"};
    const int labelTops[3] = {240, 840, 1320};
    for (int i = 0; i < 3; ++i) {
        label1_[i] = new QLabel(captions[i], client);
        label1_[i]->setObjectName(QString("Label1_%1").arg(i));
        label1_[i]->setFont(designFont("Corbel", 9.75));
        place(label1_[i], 360, labelTops[i], LabelWidth, 255);
    }
    for (int i = 0; i < 2; ++i) {
        shape1_[i] = new QFrame(client);
        shape1_[i]->setObjectName(QString("Shape1_%1").arg(i));
        shape1_[i]->setFrameShape(QFrame::Box);
        place(shape1_[i], 1560 + FieldShift, i == 0 ? 120 : 720, 1575, 495);

        text1_[i] = new QLineEdit(client);
        text1_[i]->setObjectName(QString("Text1_%1").arg(i));
        text1_[i]->setFont(designFont("Arial", 9.75));
        place(text1_[i], 1680 + FieldShift, i == 0 ? 240 : 840, 1335, 285);
        text1_[i]->installEventFilter(this);
    }

    combo1_ = new QComboBox(client);
    combo1_->setObjectName("Combo1");
    combo1_->setFont(designFont("Arial", 9.75));
    place(combo1_, 1560 + FieldShift, 1320, 1575, 360);

    tasto_[0] = new QPushButton("&Stampa", client);
    tasto_[0]->setObjectName("Tasto_0");
    tasto_[0]->setFont(designFont("Corbel", 12));
    place(tasto_[0], 120, 1800, 1860, 1125);
    tasto_[1] = new QPushButton("&Esci", client);
    tasto_[1]->setObjectName("Tasto_1");
    tasto_[1]->setFont(designFont("Corbel", 12, true));
    place(tasto_[1], 2040, 1800, 1776, 1125);
    for (auto* b : tasto_)
        b->installEventFilter(this);

    label2_ = new QLabel(client);
    label2_->setObjectName("Label2");
    place(label2_, 120, 3000, 3735, 270);

    menu1_ = menuBar()->addAction("Impostazioni");
    menu1_->setObjectName("menu1");

    setTabOrder(text1_[0], text1_[1]);
    setTabOrder(text1_[1], combo1_);
    setTabOrder(combo1_, tasto_[0]);
    setTabOrder(tasto_[0], tasto_[1]);

    connect(tasto_[0], &QPushButton::clicked, this, [this] { stampa(); });
    connect(tasto_[1], &QPushButton::clicked, this, [this] { close(); });
    connect(menu1_, &QAction::triggered, this, [this] { impostazioni(); });

    setFixedSize(sizeHint());
}

bool RaveltDT::start()
{
    started_ = true;
    if (startup_->load()) {
        combo1_->clear();
        for (const auto& tipo : StartupSequence::tipiDocumento())
            combo1_->addItem(qs(tipo));
        combo1_->setCurrentIndex(0);
    }
    if (!activation()) {
        close();
        return false;
    }
    return true;
}

// Runs at every activation of the window, and explicitly after each modal window it
// opened has closed, so that the reset never depends on the desktop activating the
// window again. Closes the window when access was not granted.
bool RaveltDT::activation()
{
    if (startup_->activate())
        return true;
    close();
    return false;
}

void RaveltDT::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (started_ && event->type() == QEvent::ActivationChange && isActiveWindow())
        activation();
}

// Got-focus selects the whole date, so that typing replaces it. The selection is made
// once the focus change is complete, because a mouse press that brought the focus
// would otherwise move the cursor and drop it.
// Enter on a focused button presses it, as the operator expects after the end date has
// sent the focus to "Stampa" (a main window has no default button to take the key).
bool RaveltDT::eventFilter(QObject* watched, QEvent* event)
{
    for (auto* b : tasto_) {
        if (watched == b && event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                b->click();
                return true;
            }
        }
    }
    for (int i = 0; i < 2; ++i) {
        if (watched != text1_[i])
            continue;
        if (event->type() == QEvent::FocusIn) {
            QLineEdit* field = text1_[i];
            QTimer::singleShot(0, field, [field] { field->selectAll(); });
        } else if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                dateEnter(i);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void RaveltDT::dateEnter(int index)
{
    DateEnterResult r = dateFieldEnter(index, text1_[0]->text().toStdString(), text1_[1]->text().toStdString(),
                                       state_.GiorniMese);
    text1_[index]->setText(qs(r.text));
    focusOn(r.focus);
}

void RaveltDT::focusOn(FocusTarget target)
{
    switch (target) {
    case FocusTarget::Text1_0: setKeyboardFocus(*text1_[0]); break;
    case FocusTarget::Text1_1: setKeyboardFocus(*text1_[1]); break;
    case FocusTarget::Tasto0: setKeyboardFocus(*tasto_[0]); break;
    }
}

void RaveltDT::tell(const std::string& text)
{
    if (services_.messages)
        services_.messages->MostraMessaggio(text, StileMessaggio::Avviso, StartupSequence::Titolo);
    else
        std::cerr << text << '\n';
}

// "Stampa": the period is checked first, then the counter is asked. A cancelled prompt
// (empty answer) ends here silently; an answer that is not a 16-bit whole number is
// told and nothing runs. Otherwise ContatoreScelto is set and the report runs.
void RaveltDT::stampa()
{
    const std::string dal = text1_[0]->text().toStdString();
    const std::string al = text1_[1]->text().toStdString();
    PeriodCheck period = checkPeriod(dal, al, state_.GiorniMese);
    if (!period.ok) {
        tell(period.message);
        focusOn(period.focus);
        return;
    }
    if (!services_.richiediDato) {
        tell("La richiesta del contatore non è disponibile in questa versione.");
        return;
    }
    std::string answer = services_.richiediDato(PromptContatore, TitoloContatore, "1");
    activation();
    if (answer.empty())
        return;
    auto counter = parseInt16(answer);
    if (!counter) {
        tell("Contatore non valido: \"" + answer +
             "\".\r\nInserire un numero intero tra -32768 e 32767 (0 per tutti i contatori).");
        return;
    }
    state_.ContatoreScelto = *counter;
    if (!services_.runReport) {
        showProgress("Rapporto non disponibile in questa versione.");
        return;
    }
    ReportRequest request{dal, al, combo1_->currentText().toStdString(), *counter};
    try {
        services_.runReport(*this, request);
    } catch (const std::exception& e) {
        setHourglass(false);
        tell(std::string("Dettaglio forme di incasso: ") + e.what());
    }
    activation();
}

void RaveltDT::impostazioni()
{
    if (!services_.showImpostazioni) {
        tell("Le impostazioni delle colonne non sono disponibili in questa versione.");
        return;
    }
    services_.showImpostazioni();
    activation();
}

void RaveltDT::showProgress(const std::string& text)
{
    label2_->setText(qs(text));
    label2_->repaint();
}

void RaveltDT::setHourglass(bool on)
{
    if (on)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

}
