#pragma once

#include <QString>

#include <cstdint>

using FourCharCode = std::uint32_t;

// 'TEXT' as a number, the way the old platform wrote its type and event codes.
constexpr FourCharCode fourCharCode(const char (&code)[5])
{
    return FourCharCode(std::uint8_t(code[0])) << 24 | FourCharCode(std::uint8_t(code[1])) << 16 |
           FourCharCode(std::uint8_t(code[2])) << 8 | FourCharCode(std::uint8_t(code[3]));
}

// The code as its four characters.
inline QString fourCharCodeText(FourCharCode code)
{
    QString text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text.append(QChar(char16_t((code >> shift) & 0xff)));
    return text;
}
