#include "dialogs/MsgBoxPresenter.h"

#include "dialogs/MsgBoxForm.h"

namespace ravelt {

int MsgBoxPresenter::MostraMessaggio(const std::string& testo, int stile, const std::string& titolo)
{
    return ravelt::MostraMessaggio(testo, static_cast<std::int16_t>(stile), titolo);
}

}
