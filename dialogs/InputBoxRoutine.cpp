#include "dialogs/InputBoxRoutine.h"

#include "dialogs/InputBox_form.h"

namespace ravelt {

std::string InputBoxRoutine::RichiediDato(const std::string& testo, const std::string& titolo, const std::string& predefinito)
{
    InputBox_form box;
    box.setTesto(testo);
    box.setTitolo(titolo);
    box.setPredefinito(predefinito);
    box.exec();
    if (box.esito().premuto)
        RispostaInput_ = box.esito().RispostaInput;
    return RispostaInput_;
}

}
