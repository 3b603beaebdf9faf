#include "output/IconeMenuStampa.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ravelt {

namespace {

constexpr int Lato = 48;

// A sheet of paper with a folded corner, the base of the document pictures.
void foglio(QPainter& p, QColor fill = Qt::white)
{
    QPainterPath path;
    path.moveTo(10, 4);
    path.lineTo(30, 4);
    path.lineTo(38, 12);
    path.lineTo(38, 44);
    path.lineTo(10, 44);
    path.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(30, 4), QPointF(30, 12));
    p.drawLine(QPointF(30, 12), QPointF(38, 12));
}

void righe(QPainter& p, int top, int count, QColor color)
{
    p.setPen(QPen(color, 2));
    for (int k = 0; k < count; ++k)
        p.drawLine(14, top + 5 * k, 34, top + 5 * k);
}

void documento(QPainter& p)
{
    foglio(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 200));
    p.drawRect(13, 14, 12, 12);
    p.setPen(Qt::white);
    QFont f("DejaVu Sans", 7, QFont::Bold);
    p.setFont(f);
    p.drawText(QRect(13, 14, 12, 12), Qt::AlignCenter, "W");
    righe(p, 31, 3, QColor(40, 90, 200));
}

void foglioDiCalcolo(QPainter& p)
{
    foglio(p);
    p.setPen(QPen(QColor(30, 130, 60), 1.2));
    for (int y = 16; y <= 40; y += 6)
        p.drawLine(13, y, 35, y);
    for (int x = 13; x <= 35; x += 7)
        p.drawLine(x, 16, x, 40);
    p.fillRect(QRectF(13, 16, 22, 6), QColor(30, 130, 60, 120));
}

void pdf(QPainter& p)
{
    foglio(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    p.drawRoundedRect(QRectF(6, 22, 30, 13), 2, 2);
    p.setPen(Qt::white);
    QFont f("DejaVu Sans", 7, QFont::Bold);
    p.setFont(f);
    p.drawText(QRectF(6, 22, 30, 13), Qt::AlignCenter, "PDF");
}

void stampante(QPainter& p)
{
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(14, 4, 20, 14);  // paper going in
    p.setBrush(QColor(120, 120, 130));
    p.drawRoundedRect(QRectF(5, 17, 38, 18), 3, 3);
    p.setBrush(QColor(80, 200, 80));
    p.drawEllipse(QPointF(37, 22), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(13, 29, 22, 15);  // the printed sheet
    righe(p, 34, 2, QColor(60, 60, 60));
}

void anteprima(QPainter& p)
{
    foglio(p);
    righe(p, 12, 4, QColor(150, 150, 150));
    p.setPen(QPen(QColor(50, 50, 50), 3));
    p.setBrush(QColor(180, 220, 255, 200));
    p.drawEllipse(QPointF(22, 28), 9, 9);
    p.setPen(QPen(QColor(90, 60, 30), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(29, 35), QPointF(40, 45));
}

void uscita(QPainter& p)
{
    p.setPen(QPen(QColor(60, 40, 20), 1.5));
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(8, 4, 26, 40);  // door frame
    QPolygonF anta;
    anta << QPointF(8, 4) << QPointF(24, 9) << QPointF(24, 47) << QPointF(8, 44);
    p.setBrush(QColor(150, 90, 40));
    p.drawPolygon(anta);
    p.setBrush(QColor(240, 200, 60));
    p.drawEllipse(QPointF(20, 27), 1.6, 1.6);
    p.setPen(QPen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(30, 24, 44, 24);
    p.drawLine(39, 19, 44, 24);
    p.drawLine(39, 29, 44, 24);
}

}

QIcon IconaMenuStampa(int indice)
{
    QPixmap pix(Lato, Lato);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    switch (indice) {
    case 0: documento(p); break;
    case 1: foglioDiCalcolo(p); break;
    case 2: pdf(p); break;
    case 3: stampante(p); break;
    case 4: anteprima(p); break;
    default: uscita(p); break;
    }
    p.end();
    return QIcon(pix);
}

}
