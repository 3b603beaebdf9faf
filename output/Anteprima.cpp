#include "output/Anteprima.h"

#include "output/InviaEMail.h"
#include "platform/ReportFile.h"
#include "output/TestoEditor.h"
#include "platform/AtomicFile.h"
#include "shell/Twips.h"
#include "shell/MessagePresenter.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShowEvent>
#include <stdexcept>

namespace ravelt {

namespace {

constexpr const char* Titolo = "Anteprima di Stampa";
constexpr double CorpoTesto = 11.25;

struct Pulsante {
    const char* caption;
    int left, width;
};
// Index 0 is "&Esci", the wide one on the right.
const Pulsante pulsanti[7] = {
    {"&Esci", 6795, 2655}, {"&Riduci", 84, 975},   {"E&spandi", 1200, 1095}, {"&Avanti", 2400, 975},
    {"&Inizio", 3480, 975}, {"E-&mail", 4560, 975}, {"Sa&lva", 5640, 975},
};
constexpr int AltezzaPulsanti = 1125;

}

Anteprima::Anteprima(std::filesystem::path folder, std::int16_t pcLocal, MessagePresenter& messages,
                     ProgramLauncher* launcher, QWidget* parent)
    : QDialog(parent), folder_(std::move(folder)), pcLocal_(pcLocal), messages_(messages), launcher_(launcher),
      lettore_(folder_, pcLocal_)
{
    setObjectName("Anteprima");
    setWindowTitle(Titolo);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 255));
    setPalette(pal);
    resize(twipsToPixels(9525), twipsToPixels(7380));

    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName("Text1");
    text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont mono("Courier New");
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSizeF(CorpoTesto);
    text1_->setFont(mono);
    QPalette tp = text1_->palette();
    tp.setColor(QPalette::Base, QColor(255, 255, 192));
    text1_->setPalette(tp);
    text1_->setGeometry(twipsToPixels(84), twipsToPixels(84), twipsToPixels(9372), twipsToPixels(6048));

    for (int i = 0; i < 7; ++i) {
        tasto_[i] = new QPushButton(pulsanti[i].caption, this);
        tasto_[i]->setObjectName(QString("Tasto_%1").arg(i));
        tasto_[i]->setFont(designFont("Corbel", 12, i == 0));
        tasto_[i]->setAutoDefault(false);
        tasto_[i]->setGeometry(twipsToPixels(pulsanti[i].left), twipsToPixels(6216), twipsToPixels(pulsanti[i].width),
                               twipsToPixels(AltezzaPulsanti));
        connect(tasto_[i], &QPushButton::clicked, this, [this, i] { Tasto_Click(i); });
    }
    tasto_[0]->setStyleSheet("QPushButton { background: white; }");

    // The file is held from the load: a report written after it is read on the
    // first button that needs it. A file that cannot be read now is left closed and not
    // told here: the first showing opens it again and tells that failure over the
    // preview, with the report's path.
    try {
        lettore_.apri();
    } catch (const std::runtime_error&) {
        lettore_.chiudi();
    }
}

Anteprima::~Anteprima()
{
    lettore_.chiudi();
}

void Anteprima::setRicercaProgramma(std::filesystem::path cartella, std::string percorso)
{
    cartellaProgramma_ = std::move(cartella);
    percorsoRicerca_ = std::move(percorso);
}

void Anteprima::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!attivata_) {
        attivata_ = true;
        attivazione();
    }
}

void Anteprima::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    adattaControlli();
}

// Fits the controls to the window: the text box fills it above the row of buttons,
// the buttons keep to the bottom and "&Esci" stretches to the right edge. At the
// designed size the controls stand where they were designed.
void Anteprima::adattaControlli()
{
    const int w = width() * 15, h = height() * 15;  // the client area in twips
    const int top = h - (7380 - 6216);
    text1_->setGeometry(twipsToPixels(84), twipsToPixels(84), std::max(10, twipsToPixels(w - (9525 - 9372))),
                        std::max(10, twipsToPixels(top - 2 * 84)));
    for (int i = 0; i < 7; ++i) {
        int width = i == 0 ? std::max(20, twipsToPixels(w - pulsanti[0].left - 75)) : twipsToPixels(pulsanti[i].width);
        tasto_[i]->setGeometry(twipsToPixels(pulsanti[i].left), twipsToPixels(top), width, twipsToPixels(AltezzaPulsanti));
    }
}

// The first showing: the first chunk, or, with no report file, the preview closes.
// Returning from a message box does not read on: the text stays as it is.
void Anteprima::attivazione()
{
    raise();
    adattaControlli();
    if (!findReportFile(folder_, pcLocal_)) {
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    conReport([this] { mostraBlocco(LettoreReport::PrimoBlocco); });
}

void Anteprima::mostraBlocco(long limite)
{
    LettoreReport::Blocco b = lettore_.LeggiBlocco(limite);
    text1_->setPlainText(QString::fromStdString(b.testo));
    conteggio_ = b.conteggio;
    altro_ = b.altro;
}

// Carries out a step that reads the report file. When the file is not open (it was
// missing at the load, or could not be opened again) it is opened for reading from
// its start and the step is carried out again. Any failure is told and the preview
// stays as it was.
void Anteprima::conReport(const std::function<void()>& passo)
{
    try {
        try {
            passo();
        } catch (const ReportNonAperto&) {
            if (!lettore_.apri())
                throw std::runtime_error("il file della stampa " + lettore_.percorso().string() + " non c'è più");
            passo();
        }
    } catch (const std::exception& e) {
        messages_.MostraMessaggio(std::string("Anteprima non riuscita: ") + e.what(), StileMessaggio::Avviso, Titolo);
    }
}

void Anteprima::Tasto_Click(int index)
{
    switch (index) {
    case 0:
        accept();
        break;
    case 1: {
        QFont f = text1_->font();
        if (f.pointSizeF() > 1) {
            f.setPointSizeF(f.pointSizeF() - 1);
            text1_->setFont(f);
        }
        break;
    }
    case 2: {
        QFont f = text1_->font();
        f.setPointSizeF(f.pointSizeF() + 1);
        text1_->setFont(f);
        break;
    }
    case 3:
        if (altro_)
            conReport([this] { mostraBlocco(LettoreReport::BloccoSuccessivo); });
        text1_->setFocus();
        break;
    case 4:
        conReport([this] {
            lettore_.chiudi();
            if (!lettore_.apri())
                throw std::runtime_error("il file della stampa " + lettore_.percorso().string() + " non c'è più");
            mostraBlocco(LettoreReport::BloccoSuccessivo);
        });
        text1_->setFocus();
        break;
    case 5:
        email();
        break;
    case 6:
        salva();
        break;
    default:
        break;
    }
}

// The text box as the editor holds it: its raw text keeps every character (a
// non-breaking space stays one), with the editor's paragraph separators for line ends.
static std::string testoDi(QPlainTextEdit* box)
{
    return box->document()->toRawText().toStdString();
}

// Writes the shown text over the report file in one step, then reads the file again
// from its start; the shown text, the count and "more" stay as they were. Text the
// code page cannot hold is refused with its place named; the file and the reading
// position are then left as they were.
void Anteprima::salva()
{
    try {
        std::string bytes = TestoEditorInCp1252(testoDi(text1_)) + "\r\n";
        writeFileAtomically(lettore_.percorso(), bytes);
    } catch (const CarattereNonRappresentabile& e) {
        messages_.MostraMessaggio(std::string("Il testo non è stato salvato: ") + e.what() +
                                      ".\r\nToglietelo o sostituitelo e salvate di nuovo.",
                                  StileMessaggio::Avviso, Titolo);
        return;
    } catch (const std::exception& e) {
        messages_.MostraMessaggio(std::string("Il testo non è stato salvato: ") + e.what(), StileMessaggio::Avviso, Titolo);
        return;
    }
    conReport([this] {
        if (!lettore_.apri())
            throw std::runtime_error("il file della stampa " + lettore_.percorso().string() + " non c'è più");
    });
}

void Anteprima::email()
{
    try {
        if (!launcher_) {
            launcherProprio_ = std::make_unique<SystemProgramLauncher>();
            launcher_ = launcherProprio_.get();
        }
        ContestoEMail c;
        c.folder = folder_;
        c.pcLocal = pcLocal_;
        c.launcher = launcher_;
        c.cartellaProgramma = cartellaProgramma_;
        c.percorsoRicerca = percorsoRicerca_;
        InviaEMail(testoDi(text1_), c);
    } catch (const CarattereNonRappresentabile& e) {
        messages_.MostraMessaggio(std::string("L'e-mail non è stata spedita: ") + e.what() +
                                      ".\r\nToglietelo o sostituitelo e spedite di nuovo.",
                                  StileMessaggio::Avviso, Titolo);
    } catch (const std::exception& e) {
        messages_.MostraMessaggio(std::string("L'e-mail non è stata spedita: ") + e.what(), StileMessaggio::Avviso, Titolo);
    }
}

}
