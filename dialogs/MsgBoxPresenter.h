#pragma once
#include "shell/MessagePresenter.h"

namespace ravelt {

// Puts every message of the program through its own message box.
class MsgBoxPresenter : public MessagePresenter {
public:
    int MostraMessaggio(const std::string& testo, int stile, const std::string& titolo) override;
};

}
