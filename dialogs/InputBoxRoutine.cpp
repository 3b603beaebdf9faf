#include "dialogs/InputBoxRoutine.h"

#include "dialogs/InputBox_form.h"

namespace ravelt {

namespace {

// The last answer given through the box's buttons, for the whole run.
std::string& rispostaInput()
{
    static std::string risposta;
    return risposta;
}

}

std::string RichiediDato(const std::string& testo, const std::string& titolo, const std::string& predefinito)
{
    InputBox_form box(rispostaInput());
    box.setTesto(testo);
    box.setTitolo(titolo);
    box.setPredefinito(predefinito);
    box.exec();
    return rispostaInput();
}

}
