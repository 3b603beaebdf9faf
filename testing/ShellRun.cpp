#include "testing/ShellRun.h"

#include "testing/TempFolder.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace ravelt::testing {

std::string shellQuoted(const std::string& word)
{
    std::string q = "'";
    for (char c : word)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// The standard error goes to a file of a temporary folder, read once the command ended,
// so that neither stream can fill its pipe while the other is read.
ShellOutcome runShell(const std::string& commandLine)
{
    TempFolder errors;
    ShellOutcome r;
    FILE* p = popen(("(" + commandLine + ") < /dev/null 2> " + shellQuoted((errors / "err").string())).c_str(), "r");
    if (!p)
        return r;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), n);
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = errors.read("err");
    return r;
}

}
