#pragma once

class QWidget;

namespace ravelt {

// Gives the keyboard focus to 'target' when the program moves it (after Enter, when a
// window opens), and makes the target's window draw the focus frame at once.
//
// The styles draw the frame only on a window that has seen keyboard navigation, and the
// toolkit records that only for a real Tab key or a shortcut; a focus moved in code
// would stay invisible until the operator pressed Tab. The operator of these windows
// works with the keyboard (Enter moves from field to field), so every focus the program
// moves is shown as if it had come by Tab. A mouse click still hides the frame again, as
// the toolkit does everywhere.
void setKeyboardFocus(QWidget& target);

}
