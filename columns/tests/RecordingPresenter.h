#pragma once
#include "shell/MessagePresenter.h"

#include <string>
#include <vector>

namespace ravelt::testing {

// Answers every message with a preset code and keeps what was shown.
class RecordingPresenter : public MessagePresenter {
public:
    struct Shown {
        std::string testo;
        int stile;
        std::string titolo;
    };
    int MostraMessaggio(const std::string& testo, int stile, const std::string& titolo) override
    {
        shown.push_back({testo, stile, titolo});
        return answer;
    }
    std::vector<Shown> shown;
    int answer = 0;
};

}
