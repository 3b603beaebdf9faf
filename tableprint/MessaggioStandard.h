#pragma once
#include "shell/MessagePresenter.h"

#include <vector>

namespace ravelt {

// The platform's standard message box, with the styles and answers of the suite's
// standard box (StileMessaggio, RispostaMessaggio): the buttons, the icon and the default
// button each from their part of the style; the answer is the pressed button's. Closing
// the box with Esc answers Annulla or No where the box has one, else its only button.
class MessaggioStandard : public MessagePresenter {
public:
    int MostraMessaggio(const std::string& testo, int stile, const std::string& titolo) override;

    struct Pulsante {
        const char* testo;
        int risposta;
    };
    static std::vector<Pulsante> Pulsanti(int stile);
};

}
