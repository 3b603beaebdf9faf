#include "columns/ColumnSetup.h"

#include "columns/CaricaGriglia.h"
#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "shell/FieldRoutines.h"
#include "shell/MessagePresenter.h"
#include "platform/PlainText.h"
#include "platform/SqlQuote.h"

#include <QString>

namespace ravelt {

namespace {

const char* const kFormeOrdinate = "Select * from CodiciVari Order by Sigla;";
const char* const kFormeAlClic = "Select * from CodiciVari Where Tipo = 4 Order by Sigla;";
const char* const kAssegnateOrdinate = "Select * from ColonneRavelt Order by Sigla;";

}

ColumnSetup::ColumnSetup(std::filesystem::path folder, std::int16_t numeroHotel, MessagePresenter& messages)
    : folder_(std::move(folder)), numeroHotel_(numeroHotel), messages_(messages)
{
}

ColonneGriglia ColumnSetup::colonneCodici()
{
    ColonneGriglia c;
    InizializzaColonne(c);
    c[1] = ColonnaGriglia{"Sigla", "Sigla", 6, "S", "L"};
    c[2] = ColonnaGriglia{"Descrizione", "Descrizione", 30, "S", "L"};
    return c;
}

std::string ColumnSetup::intestazione(int colonna) const
{
    try {
        auto db = Database::OpenDatabase("ColonneRavelt.mdb", folder_);
        auto rs = db->OpenRecordset("ColonneRavelt");
        rs->FindFirst(criterioColonna(colonna));
        if (rs->NoMatch())
            return {};
        return rs->Fields("Intestazione").toText();
    } catch (const std::exception& e) {
        segnalaErrore(e);
        return {};
    }
}

GridContent ColumnSetup::riempi(const std::string& archivio, const std::string& origine, const std::string& filtro) const
{
    try {
        auto db = Database::OpenDatabase(archivio, folder_);
        auto rs = db->OpenRecordset(origine);
        GridContent g = CaricaGriglia(*rs, filtro, colonneCodici(), 9999);
        if (!g.problema.empty())
            segnala("La griglia non mostra tutto il contenuto di " + archivio + ":\r\n" + g.problema);
        return g;
    } catch (const std::exception& e) {
        segnalaErrore(e);
        return {};
    }
}

std::string ColumnSetup::criterioColonna(int colonna) const
{
    return "NumeroHotel = " + std::to_string(numeroHotel_) + " and NumeroColonna = " + std::to_string(colonna);
}

GridContent ColumnSetup::griglia(int colonna) const
{
    return riempi("ColonneRavelt.mdb", "ColonneRavelt", criterioColonna(colonna));
}

GridContent ColumnSetup::grigliaOrdinata(int colonna) const
{
    return riempi("ColonneRavelt.mdb", kAssegnateOrdinate, criterioColonna(colonna));
}

GridContent ColumnSetup::formeDiPagamento() const
{
    return riempi("CodiciVari.mdb", kFormeOrdinate, "NumeroHotel = " + std::to_string(numeroHotel_) + " and Tipo = 4");
}

// The payment form must exist in the hotel's code list; the check and the new row are
// one transaction on the column store, so two workstations cannot both assign the same
// form, and a failed write leaves the store as it was.
ColumnSetup::Esito ColumnSetup::assegna(int colonna, const std::string& testoIntestazione, const std::string& sigla)
{
    if (trimBlanks(testoIntestazione).empty()) {
        messages_.MostraMessaggio("E' Necessario intestare prima la colonna!", StileMessaggio::Avviso, "Dati Incompleti");
        return Esito::SenzaIntestazione;
    }
    std::string criterio = "NumeroHotel = " + std::to_string(numeroHotel_) + " and Sigla = " + sqlTextLiteral(sigla);
    try {
        auto codici = Database::OpenDatabase("CodiciVari.mdb", folder_);
        auto forme = codici->OpenRecordset(kFormeAlClic);
        forme->FindFirst(criterio);
        if (forme->NoMatch())
            return Esito::CodiceIgnoto;
        std::string descrizione = forme->Fields("Descrizione").toText();

        auto db = Database::OpenDatabase("ColonneRavelt.mdb", folder_);
        db->BeginTrans();
        auto rs = db->OpenRecordset(kAssegnateOrdinate);
        rs->FindFirst(criterio);
        if (!rs->NoMatch()) {
            std::string testo = "Forma di pagamento gi\xC3\xA0 utilizzata!\r\nColonna : " + rs->Fields("NumeroColonna").toText() + " (" +
                                rs->Fields("Intestazione").toText() + ")";
            db->Rollback();
            messages_.MostraMessaggio(testo, StileMessaggio::SoloOk, "Codice Errato");
            return Esito::GiaUtilizzato;
        }
        std::string intestazione = testoIntestazione;
        intestazione = FiltraCampo(intestazione, 0);
        auto tabella = db->OpenRecordset("ColonneRavelt");
        tabella->AddNew();
        tabella->SetField("NumeroHotel", Value(static_cast<int>(numeroHotel_)));
        tabella->SetField("NumeroColonna", Value(colonna));
        tabella->SetField("Intestazione", Value(intestazione));
        tabella->SetField("Sigla", Value(sigla));
        tabella->SetField("Descrizione", Value(descrizione));
        tabella->Update();
        db->CommitTrans();
        return Esito::Assegnato;
    } catch (const std::exception& e) {
        segnalaErrore(e);
        return Esito::Errore;
    }
}

ColumnSetup::Esito ColumnSetup::rimuovi(const std::string& sigla)
{
    std::string criterio = "NumeroHotel = " + std::to_string(numeroHotel_) + " and Sigla = " + sqlTextLiteral(sigla);
    try {
        auto db = Database::OpenDatabase("ColonneRavelt.mdb", folder_);
        db->BeginTrans();
        auto rs = db->OpenRecordset("ColonneRavelt");
        rs->FindFirst(criterio);
        if (rs->NoMatch()) {
            db->Rollback();
            return Esito::CodiceIgnoto;
        }
        rs->Delete();
        db->CommitTrans();
        return Esito::Rimosso;
    } catch (const std::exception& e) {
        segnalaErrore(e);
        return Esito::Errore;
    }
}

void ColumnSetup::segnalaErrore(const std::exception& e) const
{
    segnala(std::string("Errore nell'archivio delle colonne, nessuna modifica registrata:\r\n") + e.what());
}

void ColumnSetup::segnala(const std::string& testo) const
{
    messages_.MostraMessaggio(testo, StileMessaggio::Avviso, "Errore Archivio");
}

}
