#pragma once
#include "shell/MessagePresenter.h"

#include <QString>
#include <vector>

namespace ravelt {

// A stand-in for the program's own message box, on the toolkit's standard one. Styles
// and answers are the message box's:
//   0, 48       "Ok"                 -> 0
//   4, 36       "Si", "No"           -> 6, 7   (also 200 to 400)
//   35, 51      "Si", "No", "Annulla" -> 6, 7, 2
// any other style shows "Ok". The icon follows the style's icon bits (16 stop, 32
// question, 48 exclamation, 64 information). Closed without a button, the box answers
// what the previous one answered (0 before any), as the program's box does.
class QtMessagePresenter : public MessagePresenter {
public:
    int MostraMessaggio(const std::string& testo, int stile, const std::string& titolo) override;

    struct Button {
        QString caption;
        int answer;
    };
    // The buttons a style shows, in order.
    static std::vector<Button> buttonsFor(int stile);

private:
    int rispostaMsg_ = 0;
};

}
