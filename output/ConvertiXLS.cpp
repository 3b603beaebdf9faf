#include "output/ConvertiXLS.h"

#include "output/FileImpostazioni.h"
#include "output/RigheReport.h"
#include "platform/AtomicFile.h"
#include "platform/BoxDrawing.h"

#include <stdexcept>
#include <vector>

namespace ravelt {

namespace {

constexpr const char* FileSeparatori = "SeparatoreXLS.txt";

bool digitAt(std::string_view s, long i)
{
    return i >= 0 && i < static_cast<long>(s.size()) && s[i] >= '0' && s[i] <= '9';
}

// A frame byte that parts two fields. The horizontal line and the right tee are not
// among them: the one becomes a blank, the other parts fields only at the line's end.
bool frame(unsigned char b)
{
    using Box = BoxDrawing;
    for (char piece : {Box::Vertical, Box::TopLeft, Box::TopRight, Box::BottomLeft, Box::BottomRight, Box::TopTee,
                       Box::BottomTee, Box::LeftTee, Box::Cross})
        if (b == static_cast<unsigned char>(piece))
            return true;
    return false;
}

// A CSV row as it is built: the fields already closed, and the current field kept apart
// with the positions of its blanks and the number of currency marks put at its start.
// The currency mark of an amount replaces the last blank of its field, or goes at the
// field's start when the field has none left: keeping the blanks' positions and
// counting the marks at the start, instead of searching the field and inserting into
// it, makes every step take the same time however long the line is.
class RigaInCostruzione {
public:
    explicit RigaInCostruzione(char segno) : segno_(segno) {}

    void aggiungi(char c)
    {
        if (c == ' ')
            blanchi_.push_back(campo_.size());
        campo_ += c;
    }

    void aggiungi(const std::string& testo)
    {
        for (char c : testo)
            aggiungi(c);
    }

    // Closes the current field and appends the separator, which belongs to no field.
    void separatore(const std::string& testo)
    {
        chiudiCampo();
        riga_ += testo;
    }

    // The mark of an amount: in place of the field's last blank; without one, at the
    // field's start when 'daMettere' (a currency text is set). A mark that is itself a
    // blank leaves a blank where it goes, so it stays there for the next amount.
    void segnaImporto(bool daMettere)
    {
        if (!blanchi_.empty()) {
            campo_[blanchi_.back()] = segno_;
            if (segno_ != ' ')
                blanchi_.pop_back();
        } else if (daMettere && !(segniIniziali_ > 0 && segno_ == ' ')) {
            ++segniIniziali_;  // a blank mark already at the start would take it instead
        }
    }

    std::string fine()
    {
        chiudiCampo();
        return std::move(riga_);
    }

private:
    void chiudiCampo()
    {
        riga_.append(segniIniziali_, segno_);
        riga_ += campo_;
        campo_.clear();
        blanchi_.clear();
        segniIniziali_ = 0;
    }

    char segno_;
    std::string riga_;
    std::string campo_;
    std::vector<size_t> blanchi_;
    size_t segniIniziali_ = 0;
};

}

SeparatoreXLS LeggiSeparatoreXLS(const std::filesystem::path& folder, AvvisiImpostazioni* avvisi)
{
    SeparatoreXLS s;
    auto lines = LeggiRigheImpostazioni(folder / FileSeparatori);
    if (!lines)
        return s;
    auto avvisa = [avvisi](int riga, const std::string& testo) {
        if (avvisi)
            avvisi->aggiungi(FileSeparatori, riga, testo);
    };
    const size_t n = lines->size();
    if (n == 0) {
        avvisa(0, "il file è vuoto: si usano il separatore dei campi \",\", quello dei decimali \".\" e la valuta \"€\"");
        return s;
    }

    if (!(*lines)[0].empty())
        s.separatore = (*lines)[0];
    else
        avvisa(1, "è vuota: come separatore dei campi si usa \"" + s.separatore + "\"");

    // The default decimal separator must differ from the field separator, or every
    // amount would be cut in two fields.
    s.decimale = s.separatore == "." ? "," : ".";
    const std::string comeDecimale = ": come separatore dei decimali si usa \"" + s.decimale + "\"";
    if (n < 2)
        avvisa(2, "manca" + comeDecimale);
    else if ((*lines)[1].empty())
        avvisa(2, "è vuota" + comeDecimale);
    else if ((*lines)[1] == s.separatore)
        avvisa(2, CitaRigaCp1252((*lines)[1]) + " è anche il separatore dei campi" + comeDecimale);
    else
        s.decimale = (*lines)[1];

    if (n < 3)
        avvisa(3, "manca: come simbolo della valuta si usa \"€\"");
    else
        s.valuta = (*lines)[2];
    return s;
}

std::string RigaCsv(std::string_view riga, const SeparatoreXLS& s)
{
    RigaInCostruzione row(s.valuta.empty() ? ' ' : s.valuta[0]);
    const long n = static_cast<long>(riga.size());
    for (long i = 0; i < n; ++i) {
        unsigned char b = static_cast<unsigned char>(riga[i]);
        bool amountAround = digitAt(riga, i - 1) && digitAt(riga, i + 1) && digitAt(riga, i + 2);
        if (frame(b) || b == '|' || b == '+') {
            row.separatore(s.separatore);
        } else if (b == static_cast<unsigned char>(BoxDrawing::RightTee)) {
            if (i == n - 1)
                row.separatore(s.separatore);
            else
                row.aggiungi(' ');
        } else if (b == static_cast<unsigned char>(BoxDrawing::Horizontal)) {
            row.aggiungi(' ');
        } else if (b == ',') {
            if (!amountAround) {
                row.aggiungi(' ');
                continue;
            }
            row.segnaImporto(!s.valuta.empty());
            row.aggiungi(s.decimale);
        } else if (b == '.') {
            if (!amountAround)
                row.aggiungi('.');
        } else if (b == '-') {
            row.aggiungi(digitAt(riga, i + 1) ? '-' : ' ');
        } else {
            row.aggiungi(static_cast<char>(b));
        }
    }
    return row.fine();
}

void ConvertiXLS(const std::filesystem::path& report, const std::filesystem::path& csv, const SeparatoreXLS& s)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(report, ec))
        throw std::runtime_error("il file della stampa " + report.string() + " non esiste");
    std::string out;
    for (const auto& line : DividiRighe(readFileBytes(report))) {
        out += RigaCsv(line, s);
        out += "\r\n";
    }
    writeFileAtomically(csv, out);
}

std::string NomeFileCsv(std::int16_t pcLocal)
{
    return "fd" + std::to_string(pcLocal) + ".csv";
}

}
