#pragma once
#include "shell/MessagePresenter.h"

#include <deque>
#include <string>
#include <vector>

namespace ravelt::testing {

// Stands in for a message box: keeps every message shown and answers with the next of
// the answers given, then with 'risposta'.
class MessaggiRegistrati : public MessagePresenter {
public:
    struct Mostrato {
        std::string testo;
        int stile;
        std::string titolo;
        bool operator==(const Mostrato&) const = default;
    };

    int MostraMessaggio(const std::string& testo, int stile, const std::string& titolo) override
    {
        mostrati.push_back({testo, stile, titolo});
        if (!risposte.empty()) {
            int r = risposte.front();
            risposte.pop_front();
            return r;
        }
        return risposta;
    }

    std::vector<Mostrato> mostrati;
    std::deque<int> risposte;
    int risposta = 1;
};

}
