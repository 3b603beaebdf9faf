#pragma once
#include "output/AvvisoImpostazioni.h"

#include <string>
#include <vector>

namespace ravelt {

// The notices gathered while settings files are read, for the operator. Whoever has the
// operator's attention owns one and passes it to the readers: a window shows in its
// message box what they added, a command prints it on standard error. Readers given no
// collector say nothing, as before.
//
// A window keeps one collector while it is open and reads the same files at every
// print: a notice equal to one already held is not added again, so the operator is
// told each thing once, not at every activation.
class AvvisiImpostazioni {
public:
    void aggiungi(AvvisoImpostazioni avviso);
    void aggiungi(const std::string& file, int riga, const std::string& testo) { aggiungi({file, riga, testo}); }

    const std::vector<AvvisoImpostazioni>& elenco() const { return avvisi_; }
    bool vuoto() const { return avvisi_.empty(); }

    // The notices added since the last call (all of them at the first), which are then
    // counted as told.
    std::vector<AvvisoImpostazioni> daDire();

    // The text of one message box for some notices: a first line saying that settings
    // were not used, then one notice a line; CR LF between lines, as the boxes take them.
    static std::string Testo(const std::vector<AvvisoImpostazioni>& avvisi);

    // The same notices for standard error: one line each, "<prefisso>avviso: <notice>",
    // each ending with a line feed; empty for no notices.
    static std::string Righe(const std::vector<AvvisoImpostazioni>& avvisi, const std::string& prefisso);

private:
    std::vector<AvvisoImpostazioni> avvisi_;
    size_t detti_ = 0;
};

}
