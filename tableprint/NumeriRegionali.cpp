#include "tableprint/NumeriRegionali.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ravelt {

namespace {

bool cifra(char c)
{
    return c >= '0' && c <= '9';
}

std::string conVirgola(std::string s)
{
    for (char& ch : s)
        if (ch == '.')
            ch = ',';
    return s;
}

// Reads &H or &O digits from 'i' on.
double interoInBase(std::string_view t, size_t i, int base)
{
    double v = 0;
    for (; i < t.size(); ++i) {
        char c = t[i];
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0 || d >= base)
            break;
        v = v * base + d;
    }
    return v;
}

}

std::string TestoRegionale(const Value& valore)
{
    if (valore.isDouble()) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", std::get<double>(valore.raw()));
        return conVirgola(buf);
    }
    if (valore.isCurrency())
        return FormaGenerale(std::get<Currency>(valore.raw()));
    return valore.toText();
}

double NumeroIniziale(std::string_view testo)
{
    std::string t;
    for (char c : testo)
        if (c != ' ' && c != '\t' && c != '\n')
            t += c;
    if (t.size() >= 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h'))
        return interoInBase(t, 2, 16);
    if (t.size() >= 2 && t[0] == '&' && (t[1] == 'O' || t[1] == 'o'))
        return interoInBase(t, 2, 8);
    std::string numero;
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        numero += t[i++];
    bool separatore = false, cifre = false;
    for (; i < t.size(); ++i) {
        if (cifra(t[i])) {
            numero += t[i];
            cifre = true;
        } else if ((t[i] == '.' || t[i] == ',') && !separatore) {
            numero += '.';
            separatore = true;
        } else {
            break;
        }
    }
    if (!cifre)
        return 0;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        size_t j = i + 1;
        std::string esponente = "e";
        if (j < t.size() && (t[j] == '+' || t[j] == '-'))
            esponente += t[j++];
        size_t inizio = j;
        while (j < t.size() && cifra(t[j]))
            esponente += t[j++];
        if (j > inizio)
            numero += esponente;
    }
    return std::strtod(numero.c_str(), nullptr);
}

std::optional<Currency> LeggiNumeroRegionale(std::string_view testo)
{
    size_t a = testo.find_first_not_of(' ');
    if (a == std::string_view::npos)
        return std::nullopt;
    size_t b = testo.find_last_not_of(' ');
    std::string_view t = testo.substr(a, b - a + 1);
    size_t i = 0;
    bool negativo = false;
    if (t[i] == '-' || t[i] == '+')
        negativo = t[i++] == '-';
    std::string intero, decimali;
    size_t gruppo = 0;  // digits since the last point, checked when points are used
    bool punti = false;
    for (; i < t.size() && t[i] != ','; ++i) {
        if (cifra(t[i])) {
            intero += t[i];
            ++gruppo;
        } else if (t[i] == '.' && !intero.empty() && (!punti || gruppo == 3) && (punti || gruppo <= 3)) {
            punti = true;
            gruppo = 0;
        } else {
            return std::nullopt;
        }
    }
    if (punti && gruppo != 3)
        return std::nullopt;
    if (i < t.size()) {
        for (++i; i < t.size(); ++i) {
            if (!cifra(t[i]))
                return std::nullopt;
            decimali += t[i];
        }
        if (decimali.empty())
            return std::nullopt;
    }
    if (intero.empty() && decimali.empty())
        return std::nullopt;
    if (intero.size() > 14)
        return std::nullopt;
    std::int64_t unita = intero.empty() ? 0 : std::stoll(intero) * Currency::Scale;
    std::int64_t frazione = 0;
    for (size_t k = 0; k < 4; ++k)
        frazione = frazione * 10 + (k < decimali.size() ? decimali[k] - '0' : 0);
    if (decimali.size() > 4 && decimali[4] >= '5')
        ++frazione;
    unita += frazione;
    return Currency::fromUnits(negativo ? -unita : unita);
}

std::string FormaGenerale(Currency importo)
{
    std::string s = importo.format(4, false);
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == ',')
        s.pop_back();
    if (s == "-0")
        s = "0";
    return s;
}

std::optional<std::string> DividiEFormatta(Currency importo, Currency fattore)
{
    if (fattore.units() == 0)
        return std::nullopt;
    // hundredths = importo / fattore * 100, both counted in ten-thousandths
    __int128 num = static_cast<__int128>(importo.units()) * 100;
    __int128 den = fattore.units();
    if (den < 0) {
        num = -num;
        den = -den;
    }
    bool negativo = num < 0;
    if (negativo)
        num = -num;
    __int128 centesimi = (num * 2 + den) / (den * 2);
    std::string intero;
    __int128 w = centesimi / 100;
    do {
        intero.insert(intero.begin(), static_cast<char>('0' + static_cast<int>(w % 10)));
        w /= 10;
    } while (w > 0);
    int dec = static_cast<int>(centesimi % 100);
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02d", dec);
    return std::string(negativo && centesimi != 0 ? "-" : "") + intero + "," + buf;
}

}
