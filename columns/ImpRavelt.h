#pragma once
#include "columns/ColumnSetup.h"
#include "shell/program_state.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;
class QTableWidget;
class QPushButton;
class QLabel;

namespace ravelt {

// The column setup window: choose a report column, name it, click payment forms into it
// (lower grid) and out of it (upper grid). The work is done by ColumnSetup; the window
// only reads its controls and shows the outcome. 'stato' gives the hotel (1 when it is
// not set yet) and receives NomeStampa for the print; 'apriStampa' opens the filtered
// print screen for the column list; without it the button tells the operator it is missing.
class ImpRavelt : public QDialog {
    Q_OBJECT
public:
    ImpRavelt(std::filesystem::path folder, ProgramState& stato, MessagePresenter& messages,
              std::function<void()> apriStampa = {}, QWidget* parent = nullptr);

    int colonnaCorrente() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void sceltaColonna();
    void invioIntestazione();
    void clicFormeDiPagamento(int row);
    void clicAssegnate(int row);

    ColumnSetup setup_;
    ProgramState& stato_;
    MessagePresenter& messages_;
    std::function<void()> apriStampa_;
    QComboBox* combo_;
    QLineEdit* text_;
    QTableWidget* grid0_;
    QTableWidget* grid1_;
};

}
