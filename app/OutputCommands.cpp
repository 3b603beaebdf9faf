#include "app/OutputCommands.h"

#include "output/ComandiUscita.h"
#include "output/QtPrinterSystem.h"
#include "platform/Environment.h"
#include "platform/ProgramLauncher.h"
#include "shell/program_state.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

namespace ravelt {

namespace {

// The offscreen platform's notes about what a desktop would have (a runtime folder,
// window features) say nothing to a script reading the command's messages.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (message.startsWith("QStandardPaths: XDG_RUNTIME_DIR") || message.startsWith("This plugin does not support"))
        return;
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::cerr << message.toLocal8Bit().constData() << "\n";
}

// The toolkit application the printing needs, made here when the caller has none. A
// machine without a display (DISPLAY and WAYLAND_DISPLAY unset or empty) gets the offscreen
// platform, unless the platform was chosen already.
std::unique_ptr<QCoreApplication> applicazione(bool gui)
{
    if (QCoreApplication::instance())
        return nullptr;
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    if (!set("DISPLAY") && !set("WAYLAND_DISPLAY"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(quietMessages);
    static int argc = 1;
    static char name[] = "ravelt";
    static char* argv[] = {name, nullptr};
    if (gui)
        return std::make_unique<QApplication>(argc, argv);
    return std::make_unique<QCoreApplication>(argc, argv);
}

template <typename Command>
int run(bool gui, Command command, const std::vector<std::string>& args, ProgramState& state)
{
    auto app = applicazione(gui);
    SystemEnvironment env;
    QtPrinterSystem printers;
    SystemProgramLauncher launcher;
    ContestoComandi c;
    c.folder = std::filesystem::current_path();
    c.state = &state;
    c.stampanti = &printers;
    c.env = &env;
    c.launcher = &launcher;
    c.out = &std::cout;
    c.err = &std::cerr;
    int code = command(args, c);
    std::cout.flush();
    return code;
}

}

int commandPrint(const std::vector<std::string>& args, ProgramState& state)
{
    return run(true, ComandoStampa, args, state);
}

int commandCsv(const std::vector<std::string>& args, ProgramState& state)
{
    return run(false, ComandoCsv, args, state);
}

int commandMail(const std::vector<std::string>& args, ProgramState& state)
{
    return run(false, ComandoMail, args, state);
}

}
