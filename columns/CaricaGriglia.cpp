#include "columns/CaricaGriglia.h"

#include "platform/Currency.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "shell/FieldRoutines.h"

#include <QString>
#include <stdexcept>

namespace ravelt {

namespace {

// A field's value as the grid shows it before cutting: amounts with the decimal comma of
// the workstation's format, so the number routines read them as the operator would.
std::string cellText(const Value& v)
{
    if (v.isCurrency())
        return v.toCurrency().format(4, false);
    return v.toText();
}

std::string leftChars(const std::string& s, int n)
{
    return QString::fromStdString(s).left(std::max(0, n)).toStdString();
}

void tieniProblema(GridContent& g, const std::exception& e)
{
    if (g.problema.empty())
        g.problema = e.what();
}

std::string isoToScreen(const std::string& s)
{
    QString q = QString::fromStdString(s);
    return (q.mid(6, 2) + "/" + q.mid(4, 2) + "/" + q.mid(0, 4)).toStdString();
}

}

GridContent CaricaGriglia(Recordset& archivio, const std::string& filtro, const ColonneGriglia& colonne, std::int16_t maxRighe)
{
    GridContent g;
    int ncol = 0;
    while (ncol + 1 <= 50 && !colonne[ncol + 1].Titolo.empty())
        ++ncol;

    std::vector<std::string> header;
    for (int i = 1; i <= ncol; ++i) {
        header.push_back(leftChars(colonne[i].Titolo, colonne[i].Larghezza));
        g.widthsTwips.push_back(static_cast<std::int16_t>(colonne[i].Larghezza * 110));
        g.alignRight.push_back(colonne[i].Allineamento == "R");
    }
    g.cells.push_back(header);

    std::vector<Currency> totali(ncol + 1);
    std::vector<int> types(ncol + 1, -1);
    int celle = 0;
    try {
        archivio.FindFirst(filtro);
        while (!archivio.NoMatch() && celle < maxRighe) {
            std::vector<std::string> row;
            for (int i = 1; i <= ncol; ++i) {
                const ColonnaGriglia& c = colonne[i];
                // A value its field's type cannot hold shows as stored and adds nothing to
                // the total. A field the record lacks, or an amount beyond the currency's
                // range, leaves the cell empty and the grid goes on; the first such failure
                // is kept for the caller to tell.
                std::string text;
                try {
                    const Value& v = archivio.Fields(c.Campo);
                    types[i] = static_cast<int>(archivio.fieldType(c.Campo));
                    text = leftChars(cellText(v), c.Larghezza - 1);
                    if (types[i] == static_cast<int>(FieldType::Currency) && !v.isUnreadable())
                        text = FiltraCampo(text, 2);
                    if (c.Campo.rfind("Data", 0) == 0)
                        text = isoToScreen(text);
                    if (c.TipoDato == "N" && !v.isUnreadable())
                        totali[i] += v.toCurrency();
                } catch (const DbError& e) {
                    text.clear();
                    tieniProblema(g, e);
                } catch (const std::overflow_error& e) {
                    text.clear();
                    tieniProblema(g, e);
                }
                row.push_back(text);
                ++celle;
            }
            g.cells.push_back(row);
            archivio.FindNext(filtro);
        }
    } catch (const DbError& e) {
        // A criterion the engine cannot evaluate, or a store it cannot search, ends the
        // data rows where the search stopped; the grid is still finished.
        tieniProblema(g, e);
    }

    g.cells.push_back(std::vector<std::string>(ncol));
    std::vector<std::string> totals;
    for (int i = 1; i <= ncol; ++i) {
        std::string t = " ";
        if (colonne[i].TipoDato == "N") {
            std::string general = totali[i].format(4, false);
            while (general.find(',') != std::string::npos && (general.back() == '0' || general.back() == ','))
                general.pop_back();
            if (types[i] == static_cast<int>(FieldType::Currency))
                t = FiltraCampo(general, 2);
            else if (types[i] == static_cast<int>(FieldType::Integer))
                t = FiltraCampo(general, 1);
        }
        totals.push_back(t);
    }
    g.cells.push_back(totals);
    g.selectionShown = g.rows() != 3;
    return g;
}

}
