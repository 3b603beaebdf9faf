#pragma once
#include <string>
#include <vector>

namespace ravelt {

// Hands a document to a print queue of the system through the CUPS client (lp), which
// talks to the server named by CUPS_SERVER or the system's own. The bytes are sent on
// lp's standard input; 'options' are lp's -o options ("raw",
// "sides=two-sided-long-edge"). A queue that refuses the job, a server that cannot be
// reached or a missing client raise std::runtime_error with the reason the client gave.
void submitCupsBytes(const std::string& queue, const std::string& title, const std::string& bytes,
                     const std::vector<std::string>& options);

}
