#include "spedix/FinestraInvio.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <stdexcept>

namespace ravelt {

namespace {

QString testo(const std::string& s)
{
    return QString::fromStdString(s);
}

// The text as shown: a word joiner after each hyphen, because the toolkit would wrap a
// line after the hyphen of "e-mail1.txt" or of an address, and a file name or address
// read on two lines is easy to take for two. Lines still break at blanks.
QString senzaACapoAiTrattini(QString s)
{
    return s.replace('-', QStringLiteral("-\u2060"));
}

QString elenco(const std::vector<std::string>& voci)
{
    QStringList l;
    for (const auto& v : voci)
        l << testo(v);
    return l.join(", ");
}

// A value of the window's header: wrapped when long, selectable so the operator can
// copy an address or a file name.
QLabel* valore(const QString& text, const char* name)
{
    auto* l = new QLabel(senzaACapoAiTrattini(text));
    l->setObjectName(name);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

// "4 secondi", "1 secondo": the wait rounded up to whole seconds, so a short one is
// never told as none.
QString secondi(std::chrono::milliseconds attesa)
{
    const long long n = (attesa.count() + 999) / 1000;
    return QString::number(n) + (n == 1 ? " secondo" : " secondi");
}

}

FinestraInvio::FinestraInvio(const std::vector<std::string>& destinatari, const std::string& oggetto,
                             const std::vector<std::string>& allegati, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("FinestraInvio");
    setWindowTitle("spedix - invio per e-mail");
    setMinimumWidth(480);

    auto* intestazione = new QFormLayout;
    intestazione->setObjectName("Intestazione");
    intestazione->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    intestazione->setRowWrapPolicy(QFormLayout::DontWrapRows);
    if (!destinatari.empty())
        intestazione->addRow("A:", valore(elenco(destinatari), "Destinatari"));
    if (!oggetto.empty())
        intestazione->addRow("Oggetto:", valore(testo(oggetto), "Oggetto"));
    if (!allegati.empty())
        intestazione->addRow("Allegati:", valore(elenco(allegati), "Allegati"));

    stato_ = new QLabel;
    stato_->setObjectName("Stato");
    QFont grande = stato_->font();
    grande.setBold(true);
    grande.setPointSizeF(grande.pointSizeF() * 1.3);
    stato_->setFont(grande);

    avanzamento_ = new QProgressBar;
    avanzamento_->setObjectName("Avanzamento");
    avanzamento_->setRange(0, 0);
    avanzamento_->setTextVisible(false);
    avanzamento_->hide();

    dettaglio_ = valore({}, "Dettaglio");
    dettaglio_->hide();

    chiudi_ = new QPushButton("Chiudi");
    chiudi_->setObjectName("Chiudi");
    chiudi_->setEnabled(false);
    connect(chiudi_, &QPushButton::clicked, this, &QDialog::accept);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(chiudi_);

    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(intestazione);
    tutto->addSpacing(8);
    tutto->addWidget(stato_);
    tutto->addWidget(avanzamento_);
    tutto->addWidget(dettaglio_);
    tutto->addStretch();
    tutto->addLayout(pulsanti);

    chiusura_ = new QTimer(this);
    chiusura_->setObjectName("TimerChiusura");
    chiusura_->setSingleShot(true);
    chiusura_->setInterval(ChiusuraPredefinita);
    connect(chiusura_, &QTimer::timeout, this, &QDialog::accept);
}

FinestraInvio::~FinestraInvio()
{
    if (lavoro_.joinable())
        lavoro_.join();
}

void FinestraInvio::impostaChiusura(std::chrono::milliseconds attesa)
{
    chiusura_->setInterval(attesa);
}

void FinestraInvio::avvia(std::function<EsitoInvio()> invio)
{
    if (inCorso_ || esito_ || lavoro_.joinable())
        throw std::logic_error("FinestraInvio::avvia called twice");
    inCorso_ = true;
    stato_->setText("Invio in corso…");
    stato_->setStyleSheet({});
    avanzamento_->show();
    chiudi_->setEnabled(false);
    lavoro_ = std::thread([this, invio = std::move(invio)] {
        EsitoInvio e;
        try {
            e = invio();
        } catch (const std::exception& x) {
            e = {InvioFallito, x.what()};
        } catch (...) {
            e = {InvioFallito, "errore sconosciuto durante l'invio"};
        }
        QMetaObject::invokeMethod(this, [this, e] { mostraEsito(e); }, Qt::QueuedConnection);
    });
}

void FinestraInvio::mostraEsito(const EsitoInvio& esito)
{
    if (lavoro_.joinable())
        lavoro_.join();
    inCorso_ = false;
    esito_ = esito;
    avanzamento_->hide();
    const bool inviata = esito.codice == Inviata;
    stato_->setText(inviata ? "Inviata" : "NON inviata");
    stato_->setStyleSheet(inviata ? "color: #1b6e20;" : "color: #b00020;");
    if (inviata) {
        dettaglio_->setText("La finestra si chiude da sola fra " + secondi(std::chrono::milliseconds(chiusura_->interval())) + ".");
    } else {
        QString motivo = testo(esito.messaggio);
        if (!motivo.isEmpty())
            motivo[0] = motivo[0].toUpper();
        dettaglio_->setText(senzaACapoAiTrattini(motivo));
    }
    dettaglio_->show();
    chiudi_->setEnabled(true);
    chiudi_->setDefault(true);
    chiudi_->setFocus();
    if (inviata)
        chiusura_->start();
}

void FinestraInvio::done(int result)
{
    if (inCorso_)
        return;
    chiusura_->stop();
    QDialog::done(result);
}

}
