#pragma once
#include "shell/MessagePresenter.h"

#include <string>
#include <vector>

namespace ravelt::testing {

// A message presenter that keeps what it was asked to show and answers 'answer'.
// Header only: the tests of every window library use it without linking the shell.
class RecordingPresenter : public MessagePresenter {
public:
    struct Message {
        std::string testo;
        int stile;
        std::string titolo;
    };

    int MostraMessaggio(const std::string& testo, int stile, const std::string& titolo) override
    {
        shown.push_back({testo, stile, titolo});
        return answer;
    }

    // True when some message shown holds the fragment.
    bool told(const std::string& fragment) const
    {
        for (const auto& m : shown)
            if (m.testo.find(fragment) != std::string::npos)
                return true;
        return false;
    }

    std::vector<Message> shown;
    int answer = 0;
};

}
