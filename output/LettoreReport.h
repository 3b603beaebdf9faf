#pragma once
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace ravelt {

// Reading a report while it is not open: the preview's cue to open it again and retry.
class ReportNonAperto : public std::runtime_error {
public:
    ReportNonAperto() : std::runtime_error("il file della stampa non è aperto") {}
};

// The preview's hold on the workstation's report file: opened for reading from its
// start, then read chunk after chunk. The file is read whole when it is opened, so a
// save over it while the preview shows it cannot tear a chunk in two.
class LettoreReport {
public:
    // The shown text of a chunk: each line converted with TogliAccenti, as UTF-8, each
    // followed by a line feed; the count of characters read (line ends not counted);
    // and whether the file has lines after the chunk.
    struct Blocco {
        std::string testo;
        long conteggio = 0;
        bool altro = false;
    };

    static constexpr long PrimoBlocco = 20000;
    static constexpr long BloccoSuccessivo = 26000;

    LettoreReport(std::filesystem::path folder, std::int16_t pcLocal);

    // Opens the report file from its start (closing it first when open). False, and
    // closed, when the workstation has no report file; an unreadable file raises.
    bool apri();
    void chiudi();
    bool aperto() const { return aperto_; }

    // Reads lines from the current position while the file has lines and the count is
    // below 'limite': the line that crosses the limit is read whole. Raises
    // ReportNonAperto when the file is not open.
    Blocco LeggiBlocco(long limite);

    // Where the report file is, or would be written: the existing file of the
    // workstation in any letter case, else FD + the workstation number.
    std::filesystem::path percorso() const;

private:
    std::filesystem::path folder_;
    std::int16_t pcLocal_;
    bool aperto_ = false;
    std::vector<std::string> righe_;
    size_t posizione_ = 0;
};

}
