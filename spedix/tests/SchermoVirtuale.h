#pragma once
#include <filesystem>
#include <string>
#include <sys/types.h>

namespace ravelt::testing {

// A private X display for the tests: Debian's Xvfb on the first free display number,
// which it picks itself and reports (-displayfd), listening on its local socket only.
// Stopped when the object goes away (and by the kernel if the test program dies).
class SchermoVirtuale {
public:
    explicit SchermoVirtuale(const std::filesystem::path& folder);
    ~SchermoVirtuale();
    SchermoVirtuale(const SchermoVirtuale&) = delete;
    SchermoVirtuale& operator=(const SchermoVirtuale&) = delete;

    // The value for DISPLAY: ":N".
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

}
