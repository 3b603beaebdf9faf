#pragma once
#include <QFont>
#include <QRect>
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

// A designed font: family, size in points (9.75 and the like), bold or not.
inline QFont designFont(const char* family, double points, bool bold = false)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

}
