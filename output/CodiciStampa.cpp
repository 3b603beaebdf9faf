#include "output/CodiciStampa.h"

#include "platform/Value.h"

namespace ravelt {

std::array<double, 12> LeggiCodici(std::string_view codici)
{
    std::array<double, 12> slots{};
    for (size_t i = 0; i < slots.size(); ++i) {
        size_t start = 3 * i;
        if (start < codici.size())
            slots[i] = leadingNumber(codici.substr(start, 3));
    }
    return slots;
}

}
