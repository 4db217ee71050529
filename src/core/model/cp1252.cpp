#include "core/model/cp1252.h"

#include <array>

namespace brelo {

namespace {
// 0x80-0x9F; 0 marks an unassigned byte.
constexpr std::array<char32_t, 32> Tabla = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void agregarUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}
} // namespace

char32_t Cp1252AUnicode(std::uint8_t b) {
    if (b < 0x80 || b >= 0xA0)
        return b;
    const char32_t c = Tabla[b - 0x80];
    return c != 0 ? c : b;
}

std::optional<std::uint8_t> UnicodeACp1252(char32_t c, Indefinidos modo) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<std::uint8_t>(c);
    if (c < 0xA0) {
        const bool indefinido = Tabla[c - 0x80] == 0;
        if (indefinido && modo == Indefinidos::Conservar)
            return static_cast<std::uint8_t>(c);
        return std::nullopt;
    }
    for (std::size_t i = 0; i < Tabla.size(); ++i)
        if (Tabla[i] == c)
            return static_cast<std::uint8_t>(0x80 + i);
    return std::nullopt;
}

std::string Cp1252AUtf8(std::string_view bytes) {
    std::string s;
    s.reserve(bytes.size());
    for (char b : bytes)
        agregarUtf8(s, Cp1252AUnicode(static_cast<std::uint8_t>(b)));
    return s;
}

} // namespace brelo
