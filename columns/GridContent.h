#pragma once
#include <string>
#include <vector>

class QTableWidget;

namespace ravelt {

// What a filled grid shows, independent of the widget: cells by row and column (row 0
// the header), column widths in twips, right alignment per column, and whether the
// selection is drawn (off when no record matched), and what could not be read.
struct GridContent {
    std::vector<std::vector<std::string>> cells;
    std::vector<int> widthsTwips;
    std::vector<bool> alignRight;
    bool selectionShown = false;
    // Why some cells or rows are missing (a field the store lacks, a search the engine
    // could not carry out); empty when everything was read.
    std::string problema;

    int rows() const { return static_cast<int>(cells.size()); }
    int columns() const { return static_cast<int>(widthsTwips.size()); }
    const std::string& cell(int row, int col) const { return cells.at(row).at(col); }
};

// Puts the content on a table widget: row 0 becomes the horizontal header, the other
// rows its cells; widths at 15 twips a pixel; light-blue selection, hidden when off.
void MostraGriglia(QTableWidget& grid, const GridContent& content);

// The text of a widget row's first column (the data row 'row' of the content, counted
// as the content counts them: 1 is the first row under the header); "" when absent.
std::string TestoCella(const QTableWidget& grid, int row, int col);

}
