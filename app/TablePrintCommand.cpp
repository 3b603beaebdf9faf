#include "app/TablePrintCommand.h"

#include "app/CliGate.h"
#include "app/ShownArgument.h"
#include "platform/Environment.h"
#include "shell/StartupSequence.h"
#include "shell/program_state.h"
#include "tableprint/ErroreStampa.h"
#include "tableprint/StampaTabella.h"

#include <climits>
#include <cstdio>
#include <filesystem>

namespace ravelt {

namespace {

// The longest name: NAME.stp and NAME.fil must still be file names (NAME_MAX bytes).
constexpr size_t NomeMassimo = NAME_MAX - 4;

// Why 'nome' is not the plain name of a definition in the working folder, or "" when it
// is one. A name with a separator ("/", or the suite's "\"), "." or ".." would read a
// definition, and write a saved filter, outside the folder or under another name.
std::string nomeNonSemplice(const std::string& nome)
{
    if (nome.empty())
        return "manca il nome della stampa (NOME per NOME.stp della cartella di lavoro)";
    const std::string prefisso = shownArgument(nome) + " non è il nome di una stampa della cartella di lavoro: ";
    if (nome.size() > NomeMassimo)
        return prefisso + "è più lungo di " + std::to_string(NomeMassimo) + " caratteri";
    if (nome.find('/') != std::string::npos)
        return prefisso + "contiene \"/\"";
    if (nome.find('\\') != std::string::npos)
        return prefisso + "contiene \"\\\"";
    if (nome == "." || nome == "..")
        return prefisso + "\"" + nome + "\" non è un nome di file";
    for (unsigned char c : nome)
        if (c < 0x20 || c == 0x7F)
            return prefisso + "contiene caratteri di controllo";
    return "";
}

}

int commandTablePrint(const std::vector<std::string>& args, ProgramState& state)
{
    if (args.size() != 1 || args[0].starts_with("-")) {
        std::fprintf(stderr, "uso: ravelt table-print NOME   (stampa la tabella della definizione NOME.stp)\n");
        return 2;
    }
    std::string nome = args[0];
    if (nome.size() > 4 && nome.ends_with(".stp"))
        nome.resize(nome.size() - 4);
    if (const std::string perche = nomeNonSemplice(nome); !perche.empty()) {
        std::fprintf(stderr, "ravelt table-print: %s\n", perche.c_str());
        return 2;
    }
    // The lines of the settings files, the definition and the filter that were not
    // used, told whether the print is written or not.
    AvvisiImpostazioni avvisi;
    auto diAvvisi = [&avvisi] {
        std::fputs(AvvisiImpostazioni::Righe(avvisi.daDire(), "ravelt table-print: ").c_str(), stderr);
    };
    try {
        SystemEnvironment env;
        const std::filesystem::path folder = std::filesystem::current_path();
        // A caller that has opened the workstation already (access granted) is not asked
        // for the password a second time.
        if (state.AccessoConsentito != "S") {
            StartupSequence startup(state, folder, env, nullptr, [&state] { cliGate(state); });
            if (!startup.load() || !startup.activate())
                return 1;
        }
        state.NomeStampa = nome;

        ContestoArchivio contesto;
        contesto.cartella = folder;
        contesto.NumeroHotel = state.NumeroHotel;
        contesto.CodiceAssistenza = state.CodiceAssistenza;
        contesto.PCLocal = state.PCLocal;
        contesto.ambiente = &env;
        contesto.avvisi = &avvisi;
        const EsitoStampaArchivio esito = StampaTabella(contesto, nome, state.ParametriStampa);
        diAvvisi();
        std::printf("Report scritto in %s (%ld righe della tabella)\n", esito.report.string().c_str(), esito.righeTabella);
        return 0;
    } catch (const ErroreStampa& e) {
        diAvvisi();
        std::fprintf(stderr, "ravelt table-print: %s\n", e.testo().c_str());
        return 1;
    } catch (const std::exception& e) {
        diAvvisi();
        std::fprintf(stderr, "ravelt table-print: %s\n", e.what());
        return 1;
    }
}

}
