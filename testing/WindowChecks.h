#pragma once
#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <string>
#include <vector>

namespace ravelt::testing {

// The room a control gives its caption: a label's contents rectangle, the part of a
// check box or push button that the style leaves beside the indicator and inside the
// bevel.
inline QRect captionRoom(const QWidget& w)
{
    if (auto* box = qobject_cast<const QCheckBox*>(&w)) {
        QStyleOptionButton opt;
        opt.initFrom(box);
        opt.text = box->text();
        return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, box);
    }
    if (auto* button = qobject_cast<const QPushButton*>(&w)) {
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = button->text();
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, button);
    }
    return w.contentsRect();
}

// The caption as drawn: the mnemonic marker of a button is not shown.
inline QString shownCaption(const QWidget& w)
{
    if (auto* label = qobject_cast<const QLabel*>(&w))
        return label->text();
    QString text = static_cast<const QAbstractButton&>(w).text();
    text.replace(QRegularExpression("&(.)"), "\\1");
    return text;
}

// True when the style draws the focus frame on 'w': it has the focus and its window has
// been told the focus moved by keyboard (the styles draw the frame only then).
inline bool drawsFocusFrame(const QWidget& w)
{
    QStyleOption opt;
    opt.initFrom(&w);
    return (opt.state & QStyle::State_HasFocus) && (opt.state & QStyle::State_KeyboardFocusChange);
}

inline std::string describe(const QWidget& w)
{
    return w.objectName().toStdString() + " \"" + shownCaption(w).toStdString() + "\"";
}

// What keeps a window from reading well, one line each: a caption (label, check box,
// push button with text) wider or taller than the room its control gives it, with the
// fonts actually installed; a control that reaches its window's edge; two sibling
// controls that touch or overlap. Plain frames are left out of the overlap check: they are drawn
// around other controls on purpose.
inline std::vector<std::string> captionProblems(const QWidget& window)
{
    std::vector<std::string> problems;
    // The window's own controls, named by the program; the toolkit's inner parts of a
    // control (scroll bars, viewports, a combo's editor) are its business.
    QList<QWidget*> all;
    for (QWidget* w : window.findChildren<QWidget*>())
        if (w->isVisibleTo(&window) && !w->isWindow() && !w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
            all.push_back(w);
    for (QWidget* w : all) {
        const bool captioned = qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QPushButton*>(w);
        if (!captioned || shownCaption(*w).isEmpty())
            continue;
        const QFontMetrics fm(w->font());
        const QRect room = captionRoom(*w);
        const int needed = fm.horizontalAdvance(shownCaption(*w));
        if (needed > room.width())
            problems.push_back(describe(*w) + ": the caption needs " + std::to_string(needed) + " px, the control gives " +
                               std::to_string(room.width()));
        if (fm.height() > room.height())
            problems.push_back(describe(*w) + ": the caption is " + std::to_string(fm.height()) + " px high, the control gives " +
                               std::to_string(room.height()));
    }
    // A control keeps Gap pixels from its neighbours and from the edges of the window;
    // plain containers (the client area of a main window) fill their parent on purpose.
    constexpr int Gap = 2;
    auto container = [](const QWidget* w) { return std::string(w->metaObject()->className()) == "QWidget"; };
    for (QWidget* w : all) {
        if (container(w))
            continue;
        const QRect inside = w->parentWidget()->rect().adjusted(Gap, Gap, -Gap, -Gap);
        if (!inside.contains(w->geometry()))
            problems.push_back(w->objectName().toStdString() + " reaches the edge of " +
                               w->parentWidget()->objectName().toStdString());
    }
    auto plainFrame = [](const QWidget* w) { return std::string(w->metaObject()->className()) == "QFrame"; };
    for (int i = 0; i < all.size(); ++i) {
        QWidget* a = all[i];
        if (plainFrame(a))
            continue;
        for (int j = i + 1; j < all.size(); ++j) {
            QWidget* b = all[j];
            if (b->parentWidget() != a->parentWidget() || plainFrame(b))
                continue;
            if (a->geometry().adjusted(-Gap, -Gap, Gap, Gap).intersects(b->geometry()))
                problems.push_back(a->objectName().toStdString() + " and " + b->objectName().toStdString() +
                                   " touch or overlap");
        }
    }
    return problems;
}

}
