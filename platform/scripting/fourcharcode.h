#pragma once

#include <cstdint>

using FourCharCode = std::uint32_t;

// 'TEXT' as a number, the way the old platform wrote its type and event codes.
constexpr FourCharCode fourCharCode(const char (&code)[5])
{
    return FourCharCode(std::uint8_t(code[0])) << 24 | FourCharCode(std::uint8_t(code[1])) << 16 |
           FourCharCode(std::uint8_t(code[2])) << 8 | FourCharCode(std::uint8_t(code[3]));
}
