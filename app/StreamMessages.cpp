#include "app/StreamMessages.h"

namespace ravelt {

int StreamMessages::MostraMessaggio(const std::string& testo, int, const std::string&)
{
    stream_ << testo << '\n';
    return 0;  // the message box's answer for "Ok"
}

}
