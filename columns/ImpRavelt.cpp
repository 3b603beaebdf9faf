#include "columns/ImpRavelt.h"

#include "columns/GridContent.h"
#include "shell/KeyboardFocus.h"
#include "shell/Twips.h"
#include "shell/FieldRoutines.h"
#include "shell/MessagePresenter.h"
#include "shell/program_state.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace ravelt {

ImpRavelt::ImpRavelt(std::filesystem::path folder, ProgramState& stato, MessagePresenter& messages,
                     std::function<void()> apriStampa, QWidget* parent)
    : QDialog(parent),
      setup_(std::move(folder), stato.NumeroHotel ? stato.NumeroHotel : 1, messages),
      stato_(stato),
      messages_(messages),
      apriStampa_(std::move(apriStampa))
{
    setObjectName("ImpRavelt");
    setWindowTitle("Impostazione Colonne Cassa");
    setFixedSize(6165 / 15, 4215 / 15);
    setModal(true);
    // One face and size for the captions and both grids: the window's own 9.75-point
    // Corbel, the size of the main window's captions. The two grids are read side by
    // side, and a grid's style sheet would otherwise draw it in the desktop's face.
    setFont(designFont("Corbel", 9.75));

    auto* l0 = new QLabel("N. Colonna :", this);
    l0->setObjectName("Label1_0");
    l0->setGeometry(twipsRect(120, 240, 975, 255));
    combo_ = new QComboBox(this);
    combo_->setObjectName("Combo1");
    combo_->setGeometry(twipsRect(1140, 240, 612, 300));
    auto* l1 = new QLabel("Intestazione :", this);
    l1->setObjectName("Label1_1");
    l1->setGeometry(twipsRect(1800, 240, 1110, 255));
    text_ = new QLineEdit(this);
    text_->setObjectName("Text1");
    text_->setGeometry(twipsRect(2940, 240, 1335, 285));
    text_->setMaxLength(10);
    text_->installEventFilter(this);
    grid0_ = new QTableWidget(this);
    grid0_->setObjectName("Grid_0");
    grid0_->setGeometry(twipsRect(120, 720, 4215, 1335));
    grid1_ = new QTableWidget(this);
    grid1_->setObjectName("Grid_1");
    grid1_->setGeometry(twipsRect(120, 2160, 4215, 1935));
    for (QTableWidget* grid : {grid0_, grid1_}) {
        grid->setFont(designFont("Corbel", 9.75));
        grid->horizontalHeader()->setFont(designFont("Corbel", 9.75));
    }
    auto* stampa = new QPushButton("&Stampa", this);
    stampa->setObjectName("Tasto_0");
    stampa->setGeometry(twipsRect(4440, 120, 1575, 855));
    stampa->setAutoDefault(false);
    auto* esci = new QPushButton("&Esci", this);
    esci->setObjectName("Tasto_1");
    esci->setGeometry(twipsRect(4440, 2880, 1575, 1215));
    esci->setAutoDefault(false);
    QFont bold = esci->font();
    bold.setBold(true);
    esci->setFont(bold);

    for (int i = 1; i <= 10; ++i)
        combo_->addItem(QString::number(i));
    connect(combo_, &QComboBox::currentIndexChanged, this, [this] { sceltaColonna(); });
    sceltaColonna();
    MostraGriglia(*grid1_, setup_.formeDiPagamento());
    MostraGriglia(*grid0_, setup_.grigliaOrdinata(1));

    connect(grid1_, &QTableWidget::cellClicked, this, [this](int row, int) { clicFormeDiPagamento(row); });
    connect(grid0_, &QTableWidget::cellClicked, this, [this](int row, int) { clicAssegnate(row); });
    connect(stampa, &QPushButton::clicked, this, [this] {
        stato_.NomeStampa = "ColonneRavelt";
        if (apriStampa_)
            apriStampa_();
        else
            messages_.MostraMessaggio("La stampa delle tabelle non è ancora disponibile in questa versione.", StileMessaggio::Avviso, "Stampa");
    });
    connect(esci, &QPushButton::clicked, this, &QDialog::accept);
}

int ImpRavelt::colonnaCorrente() const
{
    return combo_->currentText().toInt();
}

void ImpRavelt::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    setKeyboardFocus(*combo_);
}

void ImpRavelt::sceltaColonna()
{
    int c = colonnaCorrente();
    text_->setText(QString::fromStdString(setup_.intestazione(c)));
    MostraGriglia(*grid0_, setup_.griglia(c));
}

// Enter cleans the heading; the reserved word VELK empties it. Only a heading that is
// not blank moves on to the payment forms. Nothing is saved here: the heading reaches
// the store with the next assignment.
void ImpRavelt::invioIntestazione()
{
    std::string t = text_->text().toStdString();
    t = FiltraCampo(t, 0);
    if (t == "VELK")
        t.clear();
    text_->setText(QString::fromStdString(t));
    if (t > " ")
        setKeyboardFocus(*grid1_);
}

void ImpRavelt::clicFormeDiPagamento(int row)
{
    std::string sigla = TestoCella(*grid1_, row + 1, 0);
    if (setup_.assegna(colonnaCorrente(), text_->text().toStdString(), sigla) == ColumnSetup::Esito::Assegnato)
        MostraGriglia(*grid0_, setup_.grigliaOrdinata(colonnaCorrente()));
}

void ImpRavelt::clicAssegnate(int row)
{
    std::string sigla = TestoCella(*grid0_, row + 1, 0);
    if (setup_.rimuovi(sigla) == ColumnSetup::Esito::Rimosso)
        MostraGriglia(*grid0_, setup_.grigliaOrdinata(colonnaCorrente()));
}

bool ImpRavelt::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == text_) {
        if (event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, text_, [this] { text_->selectAll(); });
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                invioIntestazione();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

}
