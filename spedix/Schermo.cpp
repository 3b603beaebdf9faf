#include "spedix/Schermo.h"

namespace ravelt {

namespace {

bool impostata(const Environment& env, const char* name)
{
    const auto v = env.get(name);
    return v && !v->empty();
}

// The first platform of a QT_QPA_PLATFORM list ("xcb;offscreen"), without its options
// ("offscreen:fontengine=freetype").
std::string primaPiattaforma(const std::string& list)
{
    return list.substr(0, list.find_first_of(";:"));
}

}

bool SchermoDisponibile(const Environment& env)
{
    if (impostata(env, "QT_QPA_PLATFORM")) {
        const std::string first = primaPiattaforma(*env.get("QT_QPA_PLATFORM"));
        if (first == "offscreen" || first == "minimal")
            return false;
    }
    return impostata(env, "DISPLAY") || impostata(env, "WAYLAND_DISPLAY");
}

std::string PiattaformeSchermo(const Environment& env)
{
    std::string list;
    if (impostata(env, "QT_QPA_PLATFORM")) {
        list = *env.get("QT_QPA_PLATFORM");
        if ((";" + list + ";").find(";offscreen;") != std::string::npos)
            return list;
        list += ";";
    } else {
        if (impostata(env, "WAYLAND_DISPLAY"))
            list += "wayland;";
        if (impostata(env, "DISPLAY"))
            list += "xcb;";
    }
    return list + "offscreen";
}

}
