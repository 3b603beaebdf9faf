#include "shell/TextChars.h"

#include "platform/Cp1252.h"

#include <QChar>
#include <QList>
#include <QString>

namespace ravelt {

std::u32string toCodePoints(const std::string& utf8)
{
    const QList<uint> ucs4 = QString::fromStdString(utf8).toUcs4();
    std::u32string out;
    out.reserve(ucs4.size());
    for (uint c : ucs4)
        out += static_cast<char32_t>(c);
    return out;
}

std::string fromCodePoints(const std::u32string& chars)
{
    return QString::fromUcs4(chars.data(), static_cast<qsizetype>(chars.size())).toStdString();
}

namespace {

bool inCp1252(char32_t c)
{
    if (c == U'?')
        return true;
    std::u32string one(1, c);
    return toCp1252(fromCodePoints(one)) != "?";
}

}

char32_t upperCaseChar(char32_t c)
{
    char32_t upper = QChar::toUpper(c);
    if (upper != c && inCp1252(c) && !inCp1252(upper))
        return c;
    return upper;
}

}
