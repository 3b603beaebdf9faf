#pragma once
#include <string>

namespace ravelt {

// How the program's windows and routines put a message to the operator and get the
// answer. The program's own message box implements it; tests answer it themselves.
// 'stile' and the answer codes are those of the message box (buttons, icon, default).
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual int MostraMessaggio(const std::string& testo, int stile, const std::string& titolo) = 0;
};

}
