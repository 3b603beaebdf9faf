#pragma once
#include "platform/Cp1252.h"
#include "platform/Database.h"
#include "platform/StoreSchema.h"
#include "shell/PasswordRoutines.h"
#include "testing/TempFolder.h"

#include <optional>
#include <string>
#include <vector>

namespace ravelt::testing {

// Creates the hotel registry with one record per support code given (nullopt: a Null
// CodiceAssistenza); no codes gives an empty registry.
inline void makeRegistry(const TempFolder& dir, const std::vector<std::optional<std::string>>& codici)
{
    createStore(dir.path(), "AnagraficaHotels.mdb");
    auto db = Database::OpenDatabase("AnagraficaHotels.mdb", dir.path());
    int numero = 1;
    for (const auto& c : codici) {
        std::string code = c ? "'" + *c + "'" : "NULL";
        db->Execute("INSERT INTO AnagraficaHotels VALUES (" + std::to_string(numero++) + ", 'Hotel Prova', " + code + ")");
    }
    db->Close();
}

// Writes Security.pwd as the suite's other program writes it: the stored form of the
// password, a comma, and its check value plus 'checkDelta' (to fake an edited file).
inline void writeSecurityPwd(const TempFolder& dir, std::string password, int checkDelta = 0)
{
    std::string stored = TrasformaPassword(password, 1);  // upper-cases the password too
    std::string check = std::to_string(std::stol(CalcolaControllo(password)) + checkDelta);
    dir.write("Security.pwd", toCp1252(stored + "," + check) + "\r\n");
}

}
