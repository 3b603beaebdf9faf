#include "spedix/Schermo.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

// Whether spedix shows its window, and the platforms it then tries, for the
// environments it meets: a desktop session, a script or test that forces offscreen,
// a terminal without a display.
TEST(SchermoDisponibile, ADisplayNamedAndNotForcedOffscreen)
{
    struct Case {
        const char* name;
        std::map<std::string, std::string> env;
        bool window;
        const char* platforms;  // when there is a window
    } cases[] = {
        {"nothing set", {}, false, ""},
        {"X11 desktop", {{"DISPLAY", ":0"}}, true, "xcb;offscreen"},
        {"Wayland desktop with XWayland", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, true,
         "wayland;xcb;offscreen"},
        {"Wayland alone", {{"WAYLAND_DISPLAY", "wayland-0"}}, true, "wayland;offscreen"},
        {"empty values are no display", {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}, false, ""},
        {"tests force offscreen", {{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "offscreen"}}, false, ""},
        {"offscreen with options", {{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "offscreen:fontengine=freetype"}}, false, ""},
        {"minimal platform", {{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "minimal"}}, false, ""},
        {"platform chosen by the user", {{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "xcb"}}, true, "xcb;offscreen"},
        {"user's list already ending offscreen", {{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "xcb;offscreen"}}, true,
         "xcb;offscreen"},
        {"empty platform is no choice", {{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", ""}}, true, "xcb;offscreen"},
        {"a platform chosen but no display", {{"QT_QPA_PLATFORM", "xcb"}}, false, ""},
    };
    for (const auto& c : cases) {
        MapEnvironment env(c.env);
        EXPECT_EQ(SchermoDisponibile(env), c.window) << c.name;
        if (c.window) {
            EXPECT_EQ(PiattaformeSchermo(env), c.platforms) << c.name;
        }
    }
}

}
