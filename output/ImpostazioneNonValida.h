#pragma once
#include "output/AvvisoImpostazioni.h"

#include <stdexcept>

namespace ravelt {

// A settings file whose line cannot be used where no default may stand in for it (a
// figure would be computed from it). what() is the notice's message; the caller decides
// whether to stop or, when nothing depends on the value, to go on and tell.
class ImpostazioneNonValida : public std::runtime_error {
public:
    explicit ImpostazioneNonValida(AvvisoImpostazioni avviso)
        : std::runtime_error(avviso.messaggio()), avviso_(std::move(avviso))
    {
    }
    const AvvisoImpostazioni& avviso() const { return avviso_; }

private:
    AvvisoImpostazioni avviso_;
};

}
