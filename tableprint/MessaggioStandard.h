#pragma once
#include "shell/MessagePresenter.h"

#include <vector>

namespace ravelt {

// The platform's standard message box, with the style codes and answers of the suite's
// standard box: buttons by style & 7 (0 OK, 1 OK/Annulla, 2 Interrompi/Riprova/Ignora,
// 3 Si/No/Annulla, 4 Si/No, 5 Riprova/Annulla), icon by style & 0x70 (16 critical,
// 32 question, 48 warning, 64 information), default button by style & 0x300 (0 the
// first, 256 the second, 512 the third). Answers: 1 OK, 2 Annulla, 3 Interrompi,
// 4 Riprova, 5 Ignora, 6 Si, 7 No; closing the box with Esc answers Annulla or No where
// the box has one, else its only button.
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
