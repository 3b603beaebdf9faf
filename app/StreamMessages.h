#pragma once
#include "shell/MessagePresenter.h"

#include <ostream>

namespace ravelt {

// The messages of the start-up and the gate for a command without windows: each text on
// its own line of a stream, answered "Ok".
class StreamMessages : public MessagePresenter {
public:
    explicit StreamMessages(std::ostream& stream) : stream_(stream) {}
    int MostraMessaggio(const std::string& testo, int stile, const std::string& titolo) override;

private:
    std::ostream& stream_;
};

}
