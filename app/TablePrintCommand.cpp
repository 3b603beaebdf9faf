#include "app/TablePrintCommand.h"

#include "app/ArgumentError.h"
#include "app/ShownArgument.h"
#include "app/Workstation.h"
#include "output/AvvisiImpostazioni.h"
#include "platform/Environment.h"
#include "shell/program_state.h"
#include "tableprint/ErroreStampa.h"
#include "tableprint/StampaTabella.h"

#include <climits>
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

int commandTablePrint(const ParsedArguments& args, const CommandStreams& io, ProgramState& state)
{
    std::string nome = args.operands.at(0);
    if (nome.size() > 4 && nome.ends_with(".stp"))
        nome.resize(nome.size() - 4);
    if (const std::string perche = nomeNonSemplice(nome); !perche.empty())
        throw ArgumentError(perche);
    // A caller that has opened the workstation already (access granted) is not asked
    // for the password a second time.
    if (state.AccessoConsentito != "S" && !openWorkstation(state, io))
        return 1;
    state.NomeStampa = nome;

    SystemEnvironment env;
    ContestoArchivio contesto;
    contesto.cartella = std::filesystem::current_path();
    contesto.NumeroHotel = state.hotelInUso();
    contesto.CodiceAssistenza = state.CodiceAssistenza;
    contesto.PCLocal = state.PCLocal;
    contesto.ambiente = &env;
    // The lines of the settings files, the definition and the filter that were not
    // used, told whether the print is written or not.
    AvvisiImpostazioni avvisi;
    contesto.avvisi = &avvisi;
    auto diAvvisi = [&] { io.err << AvvisiImpostazioni::Righe(avvisi.daDire(), "ravelt table-print: "); };
    try {
        const EsitoStampaArchivio esito = StampaTabella(contesto, nome, state.ParametriStampa);
        diAvvisi();
        io.out << "Report scritto in " << esito.report.string() << " (" << esito.righeTabella << " righe della tabella)\n";
        return 0;
    } catch (const ErroreStampa& e) {
        diAvvisi();
        io.err << "ravelt table-print: " << e.testo() << "\n";
        return 1;
    }
}

}
