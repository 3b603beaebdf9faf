#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace ravelt {

// Hands a document to a print queue of the system through the CUPS client (lp), which
// talks to the server named by CUPS_SERVER or the system's own. Either the bytes
// (sent on standard input) or a file is printed; 'options' are lp's -o options
// ("raw", "sides=two-sided-long-edge"). A queue that refuses the job, a server that
// cannot be reached or a missing client raise std::runtime_error with the reason the
// client gave.
void submitCupsBytes(const std::string& queue, const std::string& title, const std::string& bytes,
                     const std::vector<std::string>& options);
void submitCupsFile(const std::string& queue, const std::string& title, const std::filesystem::path& file,
                    const std::vector<std::string>& options);

}
