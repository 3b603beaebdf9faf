#include "output/LettoreReport.h"

#include "platform/ReportFile.h"
#include "output/RigheReport.h"
#include "output/TestoEditor.h"

namespace ravelt {

LettoreReport::LettoreReport(std::filesystem::path folder, std::int16_t pcLocal)
    : folder_(std::move(folder)), pcLocal_(pcLocal)
{
}

bool LettoreReport::apri()
{
    chiudi();
    auto righe = LeggiRigheReport(folder_, pcLocal_);
    if (!righe)
        return false;
    righe_ = std::move(*righe);
    posizione_ = 0;
    aperto_ = true;
    return true;
}

void LettoreReport::chiudi()
{
    aperto_ = false;
    righe_.clear();
    posizione_ = 0;
}

LettoreReport::Blocco LettoreReport::LeggiBlocco(long limite)
{
    if (!aperto_)
        throw ReportNonAperto();
    Blocco b;
    while (posizione_ < righe_.size() && b.conteggio < limite) {
        const std::string& riga = righe_[posizione_++];
        b.conteggio += static_cast<long>(riga.size());
        b.testo += RigaPerEditor(riga);
        b.testo += '\n';
    }
    b.altro = posizione_ < righe_.size();
    return b;
}

std::filesystem::path LettoreReport::percorso() const
{
    if (auto found = findReportFile(folder_, pcLocal_))
        return *found;
    return reportFilePath(folder_, pcLocal_);
}

}
