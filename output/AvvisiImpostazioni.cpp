#include "output/AvvisiImpostazioni.h"

#include <algorithm>

namespace ravelt {

void AvvisiImpostazioni::aggiungi(AvvisoImpostazioni avviso)
{
    if (std::find(avvisi_.begin(), avvisi_.end(), avviso) == avvisi_.end())
        avvisi_.push_back(std::move(avviso));
}

std::vector<AvvisoImpostazioni> AvvisiImpostazioni::daDire()
{
    std::vector<AvvisoImpostazioni> nuovi(avvisi_.begin() + static_cast<long>(detti_), avvisi_.end());
    detti_ = avvisi_.size();
    return nuovi;
}

std::string AvvisiImpostazioni::Testo(const std::vector<AvvisoImpostazioni>& avvisi)
{
    std::string t = "Alcune impostazioni non sono state usate:";
    for (const auto& a : avvisi)
        t += "\r\n" + a.messaggio();
    return t;
}

std::string AvvisiImpostazioni::Righe(const std::vector<AvvisoImpostazioni>& avvisi, const std::string& prefisso)
{
    std::string t;
    for (const auto& a : avvisi)
        t += prefisso + "avviso: " + a.messaggio() + "\n";
    return t;
}

}
