#include "tableprint/CampiTabella.h"

#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "tableprint/ErroreStampa.h"

#include <QString>

namespace ravelt {

CampiTabella CampiTabella::Leggi(const std::filesystem::path& cartella, const std::string& archivio, const std::string& tabella)
{
    try {
        auto db = Database::OpenDatabase(archivio, cartella);
        auto rs = db->OpenRecordset("SELECT * FROM " + tabella + " WHERE 1 = 0");
        std::vector<Campo> campi;
        for (int i = 0; i < rs->fieldCount(); ++i)
            campi.push_back({rs->fieldName(i), rs->fieldType(i)});
        rs->Close();
        db->Close();
        return CampiTabella(std::move(campi));
    } catch (const DbError& e) {
        throw ErroreStampa("Errore archivio", "Impossibile leggere la tabella " + tabella + " di " + archivio + ": " + e.what());
    }
}

std::vector<std::string> CampiTabella::nomi() const
{
    std::vector<std::string> n;
    for (const auto& c : campi_)
        n.push_back(c.nome);
    return n;
}

std::optional<FieldType> CampiTabella::tipo(const std::string& nome) const
{
    const QString cercato = QString::fromStdString(nome);
    for (const auto& c : campi_)
        if (QString::fromStdString(c.nome).compare(cercato, Qt::CaseInsensitive) == 0)
            return c.tipo;
    return std::nullopt;
}

}
