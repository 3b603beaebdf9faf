#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace ravelt {

class Clock;

// How the run computes the column amounts; both give the same report.
enum class AmountsPath {
    Period,      // a few set-based queries for the whole period (PeriodColumnAmounts)
    Statements,  // the selections day by day and column by column (StatementColumnAmounts)
};

// What a cash-detail report run is asked for: what the main window (or the command
// line) holds when "Stampa" is pressed.
struct CashReportRequest {
    std::filesystem::path folder;   // the working folder: the stores, and the report file written there
    std::string startDate;          // Text1(0) as typed, dd/mm/yyyy; shown unchanged in the title
    std::string endDate;            // Text1(1) as typed, dd/mm/yyyy
    std::string documentType;       // Combo1: "Tutti", "Fatture" or "Ricevute"
    std::int16_t ContatoreScelto = 0;  // 0 = every counter
    std::int16_t NumeroHotel = 1;
    std::int16_t PCLocal = 0;          // names the report file FD<PCLocal>
    std::string CodiceAssistenza;      // the program-wide support code, kept when the hotel has no record
    const Clock* clock = nullptr;      // today's date and time of the title; null for the system clock
    // Called before each headed column of each day with "dd/mm/yyyy HEADING", the text the
    // main window shows in Label2; once per day and headed column, so a window may want
    // to repaint only now and then.
    std::function<void(const std::string&)> progress;
    AmountsPath path = AmountsPath::Period;
};

}
