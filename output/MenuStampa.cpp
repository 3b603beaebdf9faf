#include "output/MenuStampa.h"

#include "output/Anteprima.h"
#include "output/CaricaProfiloStampa.h"
#include "output/CodiceHotel.h"
#include "output/ConvertiXLS.h"
#include "output/IconeMenuStampa.h"
#include "output/QtPrinterSystem.h"
#include "platform/ReportFile.h"
#include "shell/Twips.h"
#include "shell/MessagePresenter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <QUrl>
#include <stdexcept>

namespace ravelt {

namespace {

constexpr const char* Titolo = "Stampa";

// The buttons by index: left edge in twips and the action the tooltip names.
struct Pulsante {
    int left;
    const char* tooltip;
};
const Pulsante pulsanti[6] = {
    {2190, "Apri la copia del report per l'elaboratore di testi"},
    {3150, "Esporta il report in CSV e aprilo con il foglio di calcolo"},
    {4110, "Stampa sulla destinazione PDF"},
    {150, "Stampa sulla destinazione scelta"},
    {1110, "Anteprima di stampa"},
    {5190, "Esci"},
};

// Restores the cursor however the action ends.
struct Clessidra {
    Clessidra() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Clessidra() { QApplication::restoreOverrideCursor(); }
};

}

MenuStampa::MenuStampa(std::filesystem::path folder, std::int16_t pcLocal, ProgramState& state, const Clock* clock,
                       MessagePresenter& messages, ServiziMenuStampa servizi, QWidget* parent)
    : QDialog(parent), folder_(std::move(folder)), pcLocal_(pcLocal), state_(state), messages_(messages),
      servizi_(std::move(servizi)), codiceAssistenza_(state.CodiceAssistenza)
{
    completaServizi();
    impostaFinestra();
    costruisciControlli();
    costruisciPulsanti();
    carica(clock);
}

// The services the caller left empty become the workstation's own.
void MenuStampa::completaServizi()
{
    if (!servizi_.stampanti) {
        stampantiProprie_ = std::make_unique<QtPrinterSystem>();
        servizi_.stampanti = stampantiProprie_.get();
    }
    if (!servizi_.env) {
        envProprio_ = std::make_unique<SystemEnvironment>();
        servizi_.env = envProprio_.get();
    }
}

void MenuStampa::impostaFinestra()
{
    setObjectName("MenuStampa");
    setWindowTitle("Stampe non modificabili");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(128, 128, 255));
    setPalette(pal);
    setFixedSize(twipsToPixels(6165), twipsToPixels(2760));
    // The window was designed for 8-point captions: at the desktop's larger size the
    // check boxes' captions would not fit their places. The face is a designed one, so
    // the captions measure the same whatever face the desktop prefers.
    setFont(designFont("Arial", 8));
}

// The captions, the two lists and the check boxes, in the order the focus visits them.
void MenuStampa::costruisciControlli()
{
    // The captions of the two lists, the first check box and the two-sided box are a
    // little narrower than designed, so that each keeps a gap from the control beside it
    // and the two-sided box from the window's edge, which its designed width passed.
    const char* testi[3] = {"Stampante ", "Virtuale ", "SELEZIONE"};
    const QRect posti[3] = {twipsRect(150, 1320, 1170, 255), twipsRect(150, 480, 1170, 255), twipsRect(120, 120, 5895, 255)};
    for (int i = 0; i < 3; ++i) {
        label_[i] = new QLabel(testi[i], this);
        label_[i]->setObjectName(QString("Label1_%1").arg(i));
        label_[i]->setGeometry(posti[i]);
    }
    label_[2]->setAlignment(Qt::AlignCenter);
    QFont bold = label_[2]->font();
    bold.setBold(true);
    label_[2]->setFont(bold);

    combo1_ = new QComboBox(this);
    combo1_->setObjectName("Combo1");
    combo1_->setGeometry(twipsRect(1350, 480, 4695, 330));

    chk_ = new QCheckBox("Stampa Compressa", this);
    chk_->setObjectName("Chk");
    chk_->setGeometry(twipsRect(120, 960, 1890, 255));
    chk_->setChecked(true);
    chk2_ = new QCheckBox("Stampa orizzontale", this);
    chk2_->setObjectName("Chk2");
    chk2_->setGeometry(twipsRect(2070, 960, 1980, 264));
    chk3_ = new QCheckBox("Stampa fronte / retro", this);
    chk3_->setObjectName("Chk3");
    chk3_->setGeometry(twipsRect(4110, 960, 2010, 264));

    combo2_ = new QComboBox(this);
    combo2_->setObjectName("Combo2");
    combo2_->setEditable(true);
    combo2_->setInsertPolicy(QComboBox::NoInsert);
    combo2_->setGeometry(twipsRect(1350, 1320, 4695, 330));
}

// The six picture buttons, each with its action's tooltip, wired to Tst_Click.
void MenuStampa::costruisciPulsanti()
{
    for (int i = 0; i < 6; ++i) {
        tst_[i] = new QToolButton(this);
        tst_[i]->setObjectName(QString("Tst_%1").arg(i));
        tst_[i]->setGeometry(twipsRect(pulsanti[i].left, 1800, 855, 855));
        tst_[i]->setIcon(IconaMenuStampa(i));
        tst_[i]->setIconSize(QSize(44, 44));
        tst_[i]->setToolTip(pulsanti[i].tooltip);
        tst_[i]->setAccessibleName(pulsanti[i].tooltip);
        connect(tst_[i], &QToolButton::clicked, this, [this, i] { Tst_Click(i); });
    }
}

// The load: centres the menu, settles the hotel number, copies the report for the word
// processor, fills the printer list and makes the print engine on the settled hotel.
// Each step that fails is passed over: the menu still opens.
void MenuStampa::carica(const Clock* clock)
{
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        QRect g = s->geometry();
        move(std::max(0, (g.width() - width()) / 2), std::max(0, (g.height() - height()) / 2));
    }
    state_.NumeroHotel = state_.hotelInUso();
    SystemClock systemClock;
    copiaDoc_ = CreaCopiaDoc(folder_, pcLocal_, clock ? *clock : static_cast<const Clock&>(systemClock));
    caricaStampanti();

    ContestoStampa contesto{folder_, servizi_.env, state_.NumeroHotel, &avvisi_};
    motore_ = std::make_unique<MotoreStampa>(contesto, pcLocal_, *servizi_.stampanti);
}

// The installed printers in the system's order, none chosen; "<nessuna stampante>" when
// there is none or the print service cannot say, the latter kept to be told.
void MenuStampa::caricaStampanti()
{
    try {
        auto names = servizi_.stampanti->deviceNames();
        for (const auto& n : names)
            combo2_->addItem(QString::fromStdString(n));
        if (names.empty())
            combo2_->addItem(NessunaStampante);
    } catch (const std::runtime_error& e) {
        combo2_->addItem(NessunaStampante);
        problemaStampanti_ = std::string("Impossibile leggere l'elenco delle stampanti installate: ") + e.what();
    }
    combo2_->setCurrentIndex(-1);
    combo2_->setEditText(QString());
}

MenuStampa::~MenuStampa() = default;

void MenuStampa::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!attivata_) {
        attivata_ = true;
        if (!problemaStampanti_.empty())
            errore(problemaStampanti_);
        attivazione();
    }
}

// Reads the support code again from the hotel registry (kept when the registry has no
// hotel 1), fills the destinations and shows the first; closes the menu when there is
// no destination to print on.
void MenuStampa::attivazione()
{
    raise();
    combo1_->clear();
    try {
        if (auto code = LeggiCodiceAssistenza(folder_))
            codiceAssistenza_ = *code;
    } catch (const std::exception& e) {
        errore(std::string("Impossibile leggere il codice dell'hotel: ") + e.what() +
               ".\r\nSi stampa con le opzioni lette all'avvio.");
    }
    try {
        for (const auto& d : ElencoDestinazioni(folder_))
            combo1_->addItem(QString::fromStdString(d));
    } catch (const std::exception& e) {
        errore(std::string("Impossibile leggere le destinazioni di stampa: ") + e.what());
    }
    if (combo1_->count() == 0) {
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    combo1_->setCurrentIndex(0);
}

void MenuStampa::Tst_Click(int index)
{
    switch (index) {
    case 0:
        apriCopia();
        break;
    case 1:
        esportaCsv();
        break;
    case 2:
        stampaPdf();
        break;
    case 3:
        stampa();
        break;
    case 4:
        if (servizi_.mostraAnteprima) {
            servizi_.mostraAnteprima(this);
        } else {
            Anteprima anteprima(folder_, pcLocal_, messages_, servizi_.launcher, this);
            anteprima.exec();
        }
        attivazione();
        break;
    case 5:
        accept();
        break;
    default:
        break;
    }
}

void MenuStampa::errore(const std::string& testo)
{
    messages_.MostraMessaggio(testo, StileMessaggio::Avviso, Titolo);
}

// Tells the settings lines that the last print or export ignored and that the menu
// has not told yet.
void MenuStampa::mostraAvvisi()
{
    const auto nuovi = avvisi_.daDire();
    if (!nuovi.empty())
        messages_.MostraMessaggio(AvvisiImpostazioni::Testo(nuovi), StileMessaggio::Avviso, Titolo);
}

// The printer button: the destination shown in Combo1, the check boxes, and the
// printer list's text when it names something other than the no-printer entry.
void MenuStampa::stampa()
{
    RichiestaStampa r;
    r.destinazione = combo1_->currentText().toStdString();
    r.compresso = chk_->isChecked();
    r.orizzontale = chk2_->isChecked();
    r.fronteRetro = chk3_->isChecked();
    QString scelta = combo2_->currentText().trimmed();
    if (scelta != NessunaStampante)
        r.stampante = scelta.toStdString();
    r.codiceAssistenza = codiceAssistenza_;
    try {
        Clessidra c;
        motore_->Stampa(r);
    } catch (const std::exception& e) {
        errore("Stampa non riuscita su \"" + r.destinazione + "\":\r\n" + e.what());
    }
    mostraAvvisi();
}

// The PDF button: the last destination whose name holds "PDF" becomes Combo1's and is
// printed on as the printer button prints.
void MenuStampa::stampaPdf()
{
    std::vector<std::string> destinazioni;
    for (int i = 0; i < combo1_->count(); ++i)
        destinazioni.push_back(combo1_->itemText(i).toStdString());
    const auto found = UltimaDestinazionePdf(destinazioni);
    if (!found) {
        if (servizi_.avvisoStandard)
            servizi_.avvisoStandard(this, Titolo, "Nessuna stampante PDF impostata!");
        else
            QMessageBox::warning(this, Titolo, "Nessuna stampante PDF impostata!");
        return;
    }
    combo1_->setCurrentIndex(static_cast<int>(*found));
    stampa();
}

void MenuStampa::esportaCsv()
{
    std::filesystem::path csv = folder_ / NomeFileCsv(pcLocal_);
    try {
        auto report = findReportFile(folder_, pcLocal_);
        if (!report)
            throw std::runtime_error("il file della stampa " + reportFilePath(folder_, pcLocal_).string() + " non esiste");
        Clessidra c;
        ConvertiXLS(*report, csv, LeggiSeparatoreXLS(folder_, &avvisi_));
    } catch (const std::exception& e) {
        errore(std::string("Esportazione CSV non riuscita: ") + e.what());
        return;
    }
    mostraAvvisi();
    if (!apri(csv))
        errore("Il file " + csv.string() + " è stato scritto, ma non si è potuto aprirlo con il programma associato.");
}

void MenuStampa::apriCopia()
{
    if (!copiaDoc_.copiata) {
        std::string why = copiaDoc_.problema.empty()
                              ? "quando il menu di stampa è stato aperto non c'era il file della stampa"
                              : copiaDoc_.problema;
        errore("La copia per l'elaboratore di testi " + copiaDoc_.percorso.string() + " non c'è: " + why + ".");
        return;
    }
    if (!apri(copiaDoc_.percorso))
        errore("Non si è potuto aprire " + copiaDoc_.percorso.string() + " con il programma associato.");
}

bool MenuStampa::apri(const std::filesystem::path& file)
{
    if (servizi_.apriFile)
        return servizi_.apriFile(file);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

}
