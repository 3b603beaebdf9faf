#include "tableprint/Stampa.h"

#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "shell/FieldRoutines.h"
#include "shell/MessagePresenter.h"
#include "shell/Twips.h"
#include "tableprint/CondizioneStampa.h"
#include "tableprint/DefinizioneStampa.h"
#include "tableprint/ErroreStampa.h"
#include "tableprint/OperatoreStampa.h"
#include "tableprint/StampaArchivio.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

namespace ravelt {

namespace {

constexpr const char* TitoloAvvisi = "Impostazioni non usate";

// Paints a control's background in every role the styles draw it with.
void colora(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Button, c);
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void scegli(QComboBox* combo, const std::string& testo)
{
    int i = combo->findText(QString::fromStdString(testo), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i >= 0)
        combo->setCurrentIndex(i);
}

// The override cursor for the length of a print, put back however the print ends.
struct CursoreAttesa {
    CursoreAttesa() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursoreAttesa() { QApplication::restoreOverrideCursor(); }
};

}

QColor Stampa::Giallo()
{
    return QColor(0xFF, 0xFF, 0x80);
}

QColor Stampa::Azzurro()
{
    return QColor(0x80, 0x80, 0xFF);
}

QColor Stampa::Pesca()
{
    return QColor(0xFF, 0xE0, 0xC0);
}

Stampa::Stampa(Servizi servizi, ProgramState& stato, QWidget* parent)
    : QDialog(parent), servizi_(std::move(servizi)), stato_(stato)
{
    setObjectName("Stampa");
    setWindowTitle("Stampa - ");
    setFixedSize(8100 / 15, 5220 / 15);
    setModal(true);
    colora(this, Azzurro());

    for (int n = 0; n < 8; ++n) {
        combo1_[n] = new QComboBox(this);
        combo1_[n]->setObjectName(QString("Combo1_%1").arg(n));
        combo1_[n]->setGeometry(twipsRect(120, 510 + 480 * n, 2055, 360));
        combo1_[n]->setFont(designFont("Arial", 9.75));
        colora(combo1_[n], Pesca());

        combo2_[n] = new QComboBox(this);
        combo2_[n]->setObjectName(QString("Combo2_%1").arg(n));
        combo2_[n]->setGeometry(twipsRect(2160, 510 + 480 * n, 1695, 360));
        combo2_[n]->setFont(designFont("Arial", 9.75));
        colora(combo2_[n], Pesca());

        text1_[n] = new QLineEdit(this);
        text1_[n]->setObjectName(QString("Text1_%1").arg(n));
        text1_[n]->setGeometry(twipsRect(3840, 510 + 480 * n, 2055, 360));
        text1_[n]->setFont(designFont("Arial", 9.75));
        colora(text1_[n], Qt::white);
        text1_[n]->installEventFilter(this);
    }
    combo1_[8] = new QComboBox(this);
    combo1_[8]->setGeometry(twipsRect(6000, 2880, 1890, 330));
    combo1_[9] = new QComboBox(this);
    combo1_[9]->setGeometry(twipsRect(6000, 3480, 1890, 330));
    for (int n : {8, 9}) {
        combo1_[n]->setObjectName(QString("Combo1_%1").arg(n));
        combo1_[n]->setFont(designFont("Arial", 8.25, true));
        colora(combo1_[n], Pesca());
    }

    opt_[0] = new QRadioButton("Compresso", this);
    opt_[0]->setGeometry(twipsRect(6120, 1920, 1335, 255));
    opt_[1] = new QRadioButton("Non Compresso", this);
    opt_[1]->setGeometry(twipsRect(6120, 2280, 1695, 255));
    for (int n : {0, 1}) {
        opt_[n]->setObjectName(QString("Opt_%1").arg(n));
        opt_[n]->setFont(designFont("Corbel", 9.75));
    }
    opt_[0]->setChecked(true);

    tasto_[2] = new QPushButton("&Anteprima", this);
    tasto_[2]->setGeometry(twipsRect(6030, 756, 1944, 600));
    tasto_[2]->setFont(designFont("Corbel", 12));
    colora(tasto_[2], QColor(0xFF, 0xC0, 0xFF));
    tasto_[1] = new QPushButton("&Esci", this);
    tasto_[1]->setGeometry(twipsRect(6000, 3960, 1935, 1125));
    tasto_[1]->setFont(designFont("Corbel", 12, true));
    colora(tasto_[1], Qt::white);
    tasto_[3] = new QPushButton("Salva &Filtro", this);
    tasto_[3]->setGeometry(twipsRect(120, 4440, 1944, 630));
    tasto_[3]->setFont(designFont("Corbel", 12));
    colora(tasto_[3], QColor(0xFF, 0x80, 0x80));
    for (int i = 1; i <= 3; ++i) {
        tasto_[i]->setObjectName(QString("Tasto_%1").arg(i));
        tasto_[i]->setAutoDefault(false);
        connect(tasto_[i], &QPushButton::clicked, this, [this, i] { Tasto_Click(i); });
    }

    // Loading: every row on " uguale a ", every value box empty.
    for (int n = 0; n < 8; ++n) {
        combo2_[n]->clear();
        for (const auto& op : OperatoreStampa::Elenco())
            combo2_[n]->addItem(QString::fromUtf8(op.etichetta));
        combo2_[n]->setCurrentIndex(0);
        text1_[n]->clear();
    }
}

void Stampa::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (mostrata_)
        return;
    mostrata_ = true;
    if (QScreen* schermo = screen()) {
        const QRect area = schermo->geometry();
        move(area.x() + (area.width() - frameGeometry().width()) / 2, area.y() + (area.height() - frameGeometry().height()) / 2);
    }
    // After the window is up, so that a missing definition can close it again.
    QTimer::singleShot(0, this, [this] { attivazione(); });
}

void Stampa::messaggio(const std::string& testo, int stile, const std::string& titolo)
{
    if (servizi_.messaggi)
        servizi_.messaggi->MostraMessaggio(testo, stile, titolo);
}

// Tells the lines of the definition, the saved filter and the settings files that were
// not used and that this screen has not told yet.
void Stampa::mostraAvvisi()
{
    const auto nuovi = avvisi_.daDire();
    if (!nuovi.empty())
        messaggio(AvvisiImpostazioni::Testo(nuovi), StileMessaggio::Avviso, TitoloAvvisi);
}

// The activation: a missing definition is told and closes the screen; otherwise the
// caption, the destinations and the table's fields are read again (the field lists are
// filled only the first time) and the saved filter is restored over the rows.
void Stampa::attivazione()
{
    if (chiusa_)
        return;
    fileDefinizione_ = stato_.NomeStampa + ".stp";
    ColonnaStampa testata;
    try {
        testata = LeggiTestataStampa(servizi_.cartella / fileDefinizione_, &avvisi_);
    } catch (const ErroreStampa& e) {
        messaggio(e.testo(), StileMessaggio::Critico, e.titolo());
        chiusa_ = true;
        close();
        return;
    }
    setWindowTitle(QString::fromStdString("Stampa - " + stato_.NomeStampa));
    riempiDestinazioni();
    try {
        campi_ = CampiTabella::Leggi(servizi_.cartella, testata.campo(3), testata.campo(4));
    } catch (const ErroreStampa& e) {
        messaggio(e.testo(), StileMessaggio::Critico, e.titolo());
    }
    if (combo1_[0]->count() == 0) {
        for (int n = 0; n <= 8; ++n) {
            for (const auto& c : campi_.elenco())
                combo1_[n]->addItem(QString::fromStdString(c.nome));
            combo1_[n]->setCurrentIndex(combo1_[n]->count() > 0 ? 0 : -1);
        }
    }
    std::optional<FiltroSalvato> filtro;
    try {
        filtro = FiltroSalvato::Leggi(servizi_.cartella / (stato_.NomeStampa + ".fil"), servizi_.parametri, &avvisi_);
    } catch (const ErroreStampa& e) {
        messaggio(e.testo(), StileMessaggio::Avviso, e.titolo());
    }
    if (!filtro) {
        mostraAvvisi();
        return;
    }
    std::vector<std::string> voci;
    for (int i = 0; i < combo1_[0]->count(); ++i)
        voci.push_back(combo1_[0]->itemText(i).toStdString());
    SceltaFiltro scelta = leggiControlli();
    const SceltaFiltro::Segni segni = scelta.Ripristina(*filtro, voci, &avvisi_);
    scriviControlli(scelta);
    for (int n = 0; n < 8; ++n) {
        if (segni.campo[static_cast<size_t>(n)])
            colora(combo1_[n], Giallo());
        if (segni.operatore[static_cast<size_t>(n)])
            colora(combo2_[n], Giallo());
        if (segni.valore[static_cast<size_t>(n)])
            colora(text1_[n], Giallo());
    }
    mostraAvvisi();
}

// The destinations with a number above 0, in table order. When the printer store cannot
// be read the list stays empty, since nothing on this screen prints to a destination,
// and the operator is told why with the other notices.
void Stampa::riempiDestinazioni()
{
    combo1_[9]->clear();
    try {
        auto db = Database::OpenDatabase("Stampanti.mdb", servizi_.cartella);
        auto rs = db->OpenRecordset("Stampanti");
        for (rs->FindFirst("Numero > 0"); !rs->NoMatch(); rs->FindNext("Numero > 0"))
            combo1_[9]->addItem(QString::fromStdString(rs->Fields("Destinazione").toText()));
    } catch (const DbError& e) {
        avvisi_.aggiungi("Stampanti.mdb", 0, std::string(e.what()) + "; l'elenco delle destinazioni resta vuoto");
    }
    combo1_[9]->setCurrentIndex(combo1_[9]->count() > 0 ? 0 : -1);
}

SceltaFiltro Stampa::leggiControlli() const
{
    SceltaFiltro s;
    for (int n = 0; n < 8; ++n) {
        auto& r = s.righe[static_cast<size_t>(n)];
        r.campo = combo1_[n]->currentText().toStdString();
        r.operatore = combo2_[n]->currentText().toStdString();
        r.valore = text1_[n]->text().toStdString();
    }
    s.campoOrdine = combo1_[8]->currentText().toStdString();
    s.compresso = opt_[0]->isChecked();
    return s;
}

void Stampa::scriviControlli(const SceltaFiltro& s)
{
    for (int n = 0; n < 8; ++n) {
        const auto& r = s.righe[static_cast<size_t>(n)];
        scegli(combo1_[n], r.campo);
        scegli(combo2_[n], r.operatore);
        text1_[n]->setText(QString::fromStdString(r.valore));
    }
    scegli(combo1_[8], s.campoOrdine);
    opt_[s.compresso ? 0 : 1]->setChecked(true);
}

bool Stampa::eventFilter(QObject* watched, QEvent* event)
{
    for (int n = 0; n < 8; ++n) {
        if (watched != text1_[n])
            continue;
        if (event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, text1_[n], [box = text1_[n]] { box->selectAll(); });
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                invio(n);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Enter in a value box: a date typed short in a "Data" field is expanded (except for
// " include ", which looks for a part of a date); the focus goes to the next row, and
// from the last row to "&Anteprima", the screen's next step.
void Stampa::invio(int riga)
{
    const std::string campo = combo1_[riga]->currentText().toStdString();
    if (campo.starts_with("Data") && combo2_[riga]->currentText() != QString(" include ")) {
        std::string v = text1_[riga]->text().toStdString();
        v = FiltraCampo(v, 0);
        text1_[riga]->setText(QString::fromStdString(EspandiData(v)));
    }
    if (riga < 7)
        text1_[riga + 1]->setFocus();
    else
        tasto_[2]->setFocus();
}

void Stampa::Tasto_Click(int index)
{
    switch (index) {
    case 1: close(); break;
    case 2: anteprima(); break;
    case 3: salvaFiltro(); break;
    default: break;
    }
}

// "&Anteprima": the condition from the rows (the value boxes then show the values as it
// used them), the table printed into the report file with the wait cursor, the preview,
// and the activation that follows the preview's closing. Without a counting row, or
// when the print fails, the operator is told and nothing is printed.
void Stampa::anteprima()
{
    SceltaFiltro scelta = leggiControlli();
    std::string condizione;
    try {
        condizione = CondizioneStampa::DaStampare(scelta.righe, campi_);
    } catch (const ErroreStampa& e) {
        for (int n = 0; n < 8; ++n)
            text1_[n]->setText(QString::fromStdString(scelta.righe[static_cast<size_t>(n)].valore));
        messaggio(e.testo(), e.tipo() == ErroreStampa::Tipo::DatiMancanti ? StileMessaggio::SoloOk : StileMessaggio::Avviso, e.titolo());
        return;
    }
    for (int n = 0; n < 8; ++n)
        text1_[n]->setText(QString::fromStdString(scelta.righe[static_cast<size_t>(n)].valore));

    ContestoArchivio contesto;
    contesto.cartella = servizi_.cartella;
    contesto.NumeroHotel = stato_.hotelInUso();
    contesto.CodiceAssistenza = stato_.CodiceAssistenza;
    contesto.PCLocal = stato_.PCLocal;
    contesto.orologio = servizi_.orologio;
    contesto.ambiente = servizi_.ambiente;
    contesto.avvisi = &avvisi_;
    try {
        CursoreAttesa attesa;
        StampaArchivio(contesto, fileDefinizione_, "---", condizione, scelta.campoOrdine, scelta.compresso);
    } catch (const ErroreStampa& e) {
        messaggio(e.testo(), StileMessaggio::Avviso, e.titolo());
        mostraAvvisi();
        return;
    }
    mostraAvvisi();
    if (servizi_.anteprima)
        servizi_.anteprima(this);
    attivazione();
}

// "Salva &Filtro": after a Yes to "Sicuro?" (No is the default), the saved filter named
// after the definition replaces the earlier one in one step.
void Stampa::salvaFiltro()
{
    constexpr int Stile = StileMessaggio::SiNo + StileMessaggio::Domanda + StileMessaggio::SecondoPredefinito;
    if (!servizi_.messaggi || servizi_.messaggi->MostraMessaggio("Sicuro?", Stile, "Salva Filtro") != RispostaMessaggio::Si)
        return;
    std::string nome = fileDefinizione_;
    nome = nome.substr(0, nome.size() >= 4 ? nome.size() - 4 : 0) + ".fil";
    const SceltaFiltro scelta = leggiControlli();
    try {
        FiltroSalvato::Scrivi(servizi_.cartella / nome, scelta.compresso, scelta.campoOrdine, scelta.righe);
    } catch (const ErroreStampa& e) {
        messaggio(e.testo(), StileMessaggio::Avviso, e.titolo());
    }
}

}
