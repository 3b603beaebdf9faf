// Security.pwd as the start-up reads it, then the gate's check on what it read.
//
// The file's first line holds the stored password, a comma and a check value; any
// bytes may stand there (the file comes from another program). The reader must say
// Read or Unreadable, never Missing for a file that is there; a file it could not read
// gives no password and no check value, only a reason; a file it read gives a
// password in UTF-8 that the gate can clean and check without failing.
#include "fuzz/FuzzCheck.h"
#include "shell/FieldRoutines.h"
#include "shell/PasswordRoutines.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

using namespace ravelt;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto& folder = fuzz::scratch();
    folder.write("Security.pwd", std::string(reinterpret_cast<const char*>(data), size));
    const PasswordSettings s = readPasswordSettings(folder.path());

    fuzz::require(s.status != PasswordFileStatus::Missing, "a file that is there is not missing");
    if (s.status == PasswordFileStatus::Unreadable) {
        fuzz::require(!s.problem.empty(), "an unreadable file says why");
        fuzz::require(s.PasswordDirezione.empty() && s.ValoreControllo == 0,
                      "an unreadable file gives no password and no check value");
        return 0;
    }
    fuzz::require(fuzz::isUtf8(s.PasswordDirezione), "the decoded password is UTF-8");

    // The gate: the entry cleaned as typed text, then its check value. A long text may
    // overflow the 32-bit sum, which CalcolaControllo reports by raising.
    std::string entry = s.PasswordDirezione;
    const std::string cleaned = FiltraCampo(entry, 0);
    fuzz::require(!cleaned.empty() && fuzz::isUtf8(cleaned), "a cleaned entry is never empty");
    try {
        const std::string check = CalcolaControllo(cleaned);
        fuzz::require(!check.empty() && check.find_first_not_of("0123456789") == std::string::npos,
                      "a check value is decimal digits");
    } catch (const std::overflow_error&) {
    }
    return 0;
}
