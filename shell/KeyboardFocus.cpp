#include "shell/KeyboardFocus.h"

#include <QWidget>

namespace ravelt {

void setKeyboardFocus(QWidget& target)
{
    target.window()->setAttribute(Qt::WA_KeyboardFocusChange);
    target.setFocus(Qt::TabFocusReason);
    target.update();
}

}
