#pragma once
#include <QFont>
#include <QRect>
#include <QStringList>
#include <cmath>

namespace ravelt {

// Window geometry is designed in twips; the screen is laid out at 96 dpi, 15 twips a
// pixel. Rounds to the nearest pixel so that a designed width like 1776 twips keeps its
// proportion (118 px) instead of being cut.
inline int twipsToPixels(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

// A control's designed place (left, top, width, height in twips) in pixels.
inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

// The faces of the same widths that stand in for a designed family where it is not
// installed: Carlito for Corbel (then the narrow and the plain Liberation Sans, where even
// Carlito is missing), Liberation for Arial and Courier New. Empty for any other family.
inline QStringList standInFaces(const QString& family)
{
    if (family == "Corbel")
        return {"Carlito", "Liberation Sans Narrow", "Liberation Sans"};
    if (family == "Arial")
        return {"Liberation Sans"};
    if (family == "Courier New")
        return {"Liberation Mono"};
    return {};
}

// The designed families that have stand-in faces.
inline const QStringList& designedFamilies()
{
    static const QStringList families{"Corbel", "Arial", "Courier New"};
    return families;
}

// A designed font: family, size in points (9.75 and the like), bold or not. The
// family's stand-in faces follow it in the font's list, so a window is measured and
// drawn with the same face wherever it is built (the program, a test, a tool), not
// with whatever face the desktop would pick for an unknown name.
inline QFont designFont(const char* family, double points, bool bold = false)
{
    QFont f(family);
    f.setFamilies(QStringList{family} + standInFaces(family));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

}
