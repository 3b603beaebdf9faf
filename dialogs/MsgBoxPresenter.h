#pragma once
#include "shell/MessagePresenter.h"

#include <cstdint>

namespace ravelt {

// Puts every message of the program through its own message box, loaded afresh for each
// message. It keeps RispostaMsg, the answer code of the last button pressed in it, 0 at
// first: a box closed without a button (Esc) answers that again. The shell owns one for
// the whole run, so the answer belongs to that run and to no other presenter.
class MsgBoxPresenter : public MessagePresenter {
public:
    // Shows 'testo' (lines separated by a carriage return) with the buttons of 'stile'
    // under 'titolo', modally, and returns the answer code.
    int MostraMessaggio(const std::string& testo, int stile, const std::string& titolo) override;

private:
    std::int16_t RispostaMsg_ = 0;
};

}
