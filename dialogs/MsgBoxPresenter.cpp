#include "dialogs/MsgBoxPresenter.h"

#include "dialogs/MsgBoxForm.h"

#include <QApplication>

namespace ravelt {

int MsgBoxPresenter::MostraMessaggio(const std::string& testo, int stile, const std::string& titolo)
{
    MsgBoxForm form(QApplication::activeWindow());
    form.setTesto(testo);
    form.setTitolo(titolo);
    form.applicaStile(static_cast<std::int16_t>(stile));
    form.exec();
    if (form.esito().premuto)
        RispostaMsg_ = form.esito().RispostaMsg;
    return RispostaMsg_;
}

}
