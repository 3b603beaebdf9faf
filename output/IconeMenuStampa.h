#pragma once
#include <QIcon>

namespace ravelt {

// The pictures of the print menu's six buttons, drawn by the program so that they look
// the same on every desktop: 0 a word-processor document, 1 a spreadsheet, 2 a PDF
// document, 3 a printer, 4 a page under a magnifying glass, 5 an exit door.
QIcon IconaMenuStampa(int indice);

}
