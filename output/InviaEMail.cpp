#include "output/InviaEMail.h"

#include "output/TestoEditor.h"
#include "platform/AtomicFile.h"
#include "platform/Environment.h"

#include <cstdlib>
#include <stdexcept>

namespace ravelt {

std::string NomeRichiestaEMail(std::int16_t pcLocal)
{
    return "e-mail" + std::to_string(pcLocal) + ".txt";
}

std::string ContenutoRichiestaEMail(const std::string& testo)
{
    return "OGGETTO\r\n" + TestoEditorInCp1252(testo) + "\r\n";
}

int InviaEMail(const std::string& testo, const ContestoEMail& c)
{
    if (!c.launcher)
        throw std::logic_error("InviaEMail without a program launcher");
    std::string bytes = ContenutoRichiestaEMail(testo);
    writeFileAtomically(c.folder / NomeRichiestaEMail(c.pcLocal), bytes);

    std::filesystem::path own = c.cartellaProgramma.empty() ? runningProgramFolder() : c.cartellaProgramma;
    std::string path = c.percorsoRicerca;
    if (path.empty())
        path = SystemEnvironment().get("PATH").value_or(std::string());
    auto program = findProgram(ProgrammaPosta, c.folder, own, path);
    if (!program)
        throw std::runtime_error(std::string("il programma di posta ") + ProgrammaPosta +
                                 " non è stato trovato (cercato nella cartella di lavoro " + c.folder.string() +
                                 ", nella cartella del programma " + own.string() +
                                 " e nel percorso di ricerca PATH). La richiesta " + NomeRichiestaEMail(c.pcLocal) +
                                 " è pronta: si potrà spedire quando il programma sarà installato.");
    std::map<std::string, std::string> env{{"PCLocal", std::to_string(c.pcLocal)}};
    if (c.attendi) {
        std::vector<std::string> args;
        for (const auto& a : c.allegati) {
            args.push_back("--allegato");
            args.push_back(a.string());
        }
        return c.launcher->run(*program, c.folder, env, args);
    }
    c.launcher->start(*program, c.folder, env);
    return 0;
}

}
