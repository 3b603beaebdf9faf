#include "columns/GridContent.h"

#include <QHeaderView>
#include <QTableWidget>

namespace ravelt {

void MostraGriglia(QTableWidget& grid, const GridContent& content)
{
    grid.setUpdatesEnabled(false);
    grid.clear();
    int cols = content.columns();
    int rows = std::max(0, content.rows() - 1);
    grid.setColumnCount(cols);
    grid.setRowCount(rows);
    QStringList header;
    for (int c = 0; c < cols; ++c)
        header << (content.rows() > 0 ? QString::fromStdString(content.cell(0, c)) : QString());
    grid.setHorizontalHeaderLabels(header);
    grid.verticalHeader()->setVisible(false);
    grid.verticalHeader()->setDefaultSectionSize(grid.fontMetrics().height() + 6);
    for (int c = 0; c < cols; ++c) {
        grid.setColumnWidth(c, content.widthsTwips[c] / 15);
        Qt::Alignment align = (content.alignRight[c] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        if (auto* h = grid.horizontalHeaderItem(c))
            h->setTextAlignment(align);
        for (int r = 0; r < rows; ++r) {
            auto* item = new QTableWidgetItem(QString::fromStdString(content.cell(r + 1, c)));
            item->setTextAlignment(align);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            grid.setItem(r, c, item);
        }
    }
    grid.setFrameShape(QFrame::NoFrame);
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid.setSelectionBehavior(QAbstractItemView::SelectRows);
    grid.setSelectionMode(content.selectionShown ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
    grid.setStyleSheet(content.selectionShown ? "QTableWidget { selection-background-color: rgb(192,192,255); selection-color: black; }"
                                              : "QTableWidget { selection-background-color: transparent; }");
    grid.setFocusPolicy(content.selectionShown ? Qt::StrongFocus : Qt::NoFocus);
    grid.setUpdatesEnabled(true);
    grid.show();
}

std::string TestoCella(const QTableWidget& grid, int row, int col)
{
    const QTableWidgetItem* item = grid.item(row - 1, col);
    return item ? item->text().toStdString() : std::string();
}

}
