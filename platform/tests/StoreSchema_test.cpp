#include "platform/StoreSchema.h"

#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/StoreCatalog.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using ravelt::testing::TempFolder;

namespace {

TEST(CreaArchivioColonne, CreatesTheStoreAndTheColumnListDefinition)
{
    TempFolder dir;
    EXPECT_TRUE(ravelt::CreaArchivioColonne(dir.path()));
    EXPECT_TRUE(ravelt::storeExists(dir.path(), "ColonneRavelt.mdb"));
    EXPECT_EQ(dir.read("ColonneRavelt.stp"), ravelt::DefinizioneStampaColonne());
    // the definition names the store and its table, and prints fields the table has
    const std::string stp = dir.read("ColonneRavelt.stp");
    EXPECT_EQ(stp.rfind("0,Colonne del dettaglio cassa,ColonneRavelt.mdb,ColonneRavelt,", 0), 0u);
    auto db = ravelt::Database::OpenDatabase("ColonneRavelt.mdb", dir.path());
    auto rs = db->OpenRecordset("ColonneRavelt");
    for (const char* campo : {"NumeroColonna", "Intestazione", "Sigla", "Descrizione"}) {
        EXPECT_NE(stp.find(std::string(",,,") + campo + ","), std::string::npos) << campo;
        EXPECT_GE(rs->fieldIndex(campo), 0) << campo;
    }
    // no temporary file is left behind
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 2);
}

TEST(CreaArchivioColonne, KeepsADefinitionThatIsThere)
{
    TempFolder dir;
    dir.write("ColonneRavelt.stp", "0,Quella della suite,ColonneRavelt.mdb,ColonneRavelt,,,,,,\r\n");
    EXPECT_TRUE(ravelt::CreaArchivioColonne(dir.path()));
    EXPECT_EQ(dir.read("ColonneRavelt.stp"), "0,Quella della suite,ColonneRavelt.mdb,ColonneRavelt,,,,,,\r\n");
}

TEST(CreaArchivioColonne, DoesNothingWhenTheStoreExists)
{
    TempFolder dir;
    ravelt::createStore(dir.path(), "ColonneRavelt.mdb");
    EXPECT_FALSE(ravelt::CreaArchivioColonne(dir.path()));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "ColonneRavelt.stp"));
}

}
