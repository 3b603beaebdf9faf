#include "cashreport/StatementColumnAmounts.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/StoreSchema.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

using T = DocumentType;
using S = StatementColumnAmounts;

// A few selections joined from their pieces, against the whole texts as the suite
// writes them: a slip in a piece (a blank, a quote, a parenthesis) shows here.
TEST(StatementColumnAmountsTexts, JoinedAsTheSuiteWritesThem)
{
    const std::string cols = "Sigla In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' Where NumeroColonna = ";
    struct Case {
        const char* what;
        std::string text;
        std::string expected;
    } cases[] = {
        {"external, counter 5", S::externalEntries({T::Tutti, 5, 1, false}, "20240229", 6),
         "Select Importo From Incassi Where Contatore = 5 and TipoDocumento = 'ESTERNI' and DataEmissione = '20240229' and "
         "Val(Left(Nota,4)) In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' Where NumeroColonna = 6);"},
        {"Fatture, counter 5", S::ordinaryPayments({T::Fatture, 5, 1, false}, "20240229", 3),
         "Select * From Incassi Where Contatore = 5 and TipoDocumento = 'Fattura n.' and NDocumento In (Select NDocumento From "
         "DatiFattura Where Contatore = 5 and TipoDocumento = 'Fattura n.' and RiepAcc <> 'N' and DataEmissione = '20240229' and "
         "Annullato <> 'S') and " + cols + "3) and DataEmissione = '20240229';"},
        {"Tutti, no R, documents", S::ordinaryDocuments({T::Tutti, 0, 1, false}, "20240229"),
         "Select * From DatiFattura Where RiepAcc <> 'N' and DataEmissione = '20240229' and Annullato <> 'S' and ((CorrNonPagato = 0 "
         "and TipoDocumento = 'Ricevuta n.') or TipoDocumento = 'Fattura n.')"},
        {"Ricevute, R", S::ordinaryPayments({T::Ricevute, 0, 1, true}, "20240229", 10),
         "Select * From Incassi Where TipoDocumento = 'Ricevuta n.' and NDocumento In (Select NDocumento From DatiFattura Where "
         "TipoDocumento = 'Ricevuta n.' and RiepAcc <> 'N' and DataEmissione = '20240229' and Annullato <> 'S' and RiepAcc <> 'A') and " +
             cols + "10) and DataEmissione = '20240229';"},
        {"marked Ricevute, counter 2", S::markedPayments({T::Ricevute, 2, 1, true}, "20240229", 1),
         "Select * From Incassi Where Contatore = 2 and Left(TipoDocumento,3) = 'Ric' and NDocumento In (Select NDocumento From "
         "DatiFattura Where Left(TipoDocumento,3) = 'Ric' and RiepAcc = 'N' and DataEmissione = '20240229' and Annullato <> 'S' and "
         "CorrNonPagato = 0) and " + cols + "1);"},
        {"marked Tutti, counter 2", S::markedPayments({T::Tutti, 2, 1, false}, "20240229", 1),
         "Select * From Incassi Where Contatore = 2 and DataEmissione = '20240229' and NDocumento In (Select NDocumento From "
         "DatiFattura Where RiepAcc = 'N' and DataEmissione = '20240229' and Annullato <> 'S') and " + cols + "1);"},
        {"marked Fatture documents, counter 2", S::markedDocuments({T::Fatture, 2, 1, false}, "20240229"),
         "Select * From DatiFattura Where Contatore = 2 and Left(TipoDocumento,3) = 'Fat' and RiepAcc = 'N' and DataEmissione = "
         "'20240229' and Annullato <> 'S'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, c.expected) << c.what;
}

// A payment's values go into the document search quoted: an apostrophe is doubled, so
// the search is for the value as it is; a Null key is written Null and finds nothing.
TEST(documentCriteria, QuotesValuesAndKeepsNullsFromMatching)
{
    ravelt::testing::TempFolder dir;
    createStore(dir.path(), "Fatture.mdb");
    auto db = Database::OpenDatabase("Fatture.mdb", dir.path());
    db->Execute("Insert Into Incassi Values ('Nota d''accredito n.', 7, '20240229', 5, 'CC', 5, '')");
    db->Execute("Insert Into Incassi Values ('Fattura n.', 8, '20240229', Null, 'CC', 5, '')");
    db->Execute("Insert Into DatiFattura Values (1, 'Nota d''accredito n.', 7, '20240229', 5, '', '', 0)");
    db->Execute("Insert Into DatiFattura Values (1, 'Fattura n.', 8, '20240229', Null, '', '', 0)");
    auto payments = db->OpenRecordset("Select * From Incassi");
    auto documents = db->OpenRecordset("DatiFattura");

    std::string criteria = S::documentCriteria(1, *payments, " and RiepAcc <> 'N'");
    EXPECT_EQ(criteria, "NumeroHotel = 1 and TipoDocumento = 'Nota d''accredito n.' and NDocumento = 7 and DataEmissione = "
                        "'20240229' and Contatore = 5 and RiepAcc <> 'N'");
    documents->FindFirst(criteria);
    ASSERT_FALSE(documents->NoMatch());
    EXPECT_EQ(documents->Fields("NDocumento").toInt(), 7);

    payments->MoveNext();
    criteria = S::documentCriteria(1, *payments, " and RiepAcc <> 'N'");
    EXPECT_NE(criteria.find("Contatore = Null"), std::string::npos) << criteria;
    documents->FindFirst(criteria);
    EXPECT_TRUE(documents->NoMatch()) << "a Null counter matches no document, not even one with a Null counter";
}

}
