#pragma once
#include "platform/Environment.h"

#include <string>

namespace ravelt {

// Whether spedix shows its window. It does when a display is named (DISPLAY or
// WAYLAND_DISPLAY set and not empty) and the toolkit is not told to draw nowhere: a
// QT_QPA_PLATFORM whose first platform is "offscreen" or "minimal" (with or without
// options after ':') means no window, as the tests and scripts that set it want. Without
// a window spedix only writes its lines, as a program started from a script should.
bool SchermoDisponibile(const Environment& env);

// The toolkit platforms to try, as a QT_QPA_PLATFORM list, when SchermoDisponibile
// holds: the one QT_QPA_PLATFORM names, or else Wayland when WAYLAND_DISPLAY is set and
// X11 when DISPLAY is; always followed by "offscreen", so that a display which is named
// but cannot be opened leaves spedix sending without a window instead of ending it.
std::string PiattaformeSchermo(const Environment& env);

}
