#include "app/OutputCommands.h"

#include "app/Workstation.h"
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

// Where the toolkit's warnings go while a command runs: the command's error stream.
std::ostream* toolkitMessages = &std::cerr;

// The offscreen platform's notes about what a desktop would have (a runtime folder,
// window features) say nothing to a script reading the command's messages.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (message.startsWith("QStandardPaths: XDG_RUNTIME_DIR") || message.startsWith("This plugin does not support"))
        return;
    if (type != QtDebugMsg && type != QtInfoMsg)
        *toolkitMessages << message.toLocal8Bit().constData() << "\n";
}

// The toolkit application the printing needs, made here when the caller has none. A
// machine without a display (DISPLAY and WAYLAND_DISPLAY unset or empty) gets the offscreen
// platform, unless the platform was chosen already.
std::unique_ptr<QCoreApplication> applicazione(bool gui)
{
    if (QCoreApplication::instance())
        return nullptr;
    auto set = [](const char* name) {
        const auto v = SystemEnvironment().get(name);
        return v && !v->empty();
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

}

int withOutputContext(bool gui, const CommandStreams& io, ProgramState& state, const std::function<int(const ContestoComandi&)>& command)
{
    if (!openWorkstation(state, io))
        return EsitoFallito;
    toolkitMessages = &io.err;
    struct Restore {
        ~Restore() { toolkitMessages = &std::cerr; }
    } restore;  // outlives the application, whose end may still warn
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
    c.out = &io.out;
    c.err = &io.err;
    const int code = command(c);
    io.out.flush();
    return code;
}

int commandPrint(const ParsedArguments& args, const CommandStreams& io, ProgramState& state)
{
    OpzioniStampa o;
    if (const std::string* destinazione = args.value("destination"))
        o.destinazione = *destinazione;
    if (const std::string* stampante = args.value("printer"))
        o.stampante = *stampante;
    o.pdf = args.flag("pdf");
    o.normale = args.flag("normal");
    o.orizzontale = args.flag("landscape");
    o.fronteRetro = args.flag("duplex");
    return withOutputContext(true, io, state, [&o](const ContestoComandi& c) { return ComandoStampa(o, c); });
}

int commandCsv(const ParsedArguments&, const CommandStreams& io, ProgramState& state)
{
    return withOutputContext(false, io, state, [](const ContestoComandi& c) { return ComandoCsv(c); });
}

int commandMail(const ParsedArguments&, const CommandStreams& io, ProgramState& state)
{
    return withOutputContext(false, io, state, [](const ContestoComandi& c) { return ComandoMail(c); });
}

}
