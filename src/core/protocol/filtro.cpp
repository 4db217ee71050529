#include "core/protocol/filtro.h"

#include <array>
#include <string_view>

namespace brelo {

namespace {

// Windows-1252 characters from 0x80 up without a glyph of their own on the sign. Each is sent
// as one plain character, never as a byte of 0x80 or above, which the sign takes as a
// command: letters lose their diacritic, typographic quotes and dashes become plain ones.
constexpr std::array<std::string_view, 2> Llanos = {
    // 0x80-0xBF
    "E#'f\"#####S<O#Z#"
    "#''\"\"#--##s>o#zY"
    " !####|####<#-##"
    "###########>###?",
    // 0xC0-0xFF
    "AAAAAAACEEEEIIIIDNOOOOO#OUUUUY#s"
    "aaaaaaaceeeeiiiidnooooo#ouuuuy#y",
};

static_assert(Llanos[0].size() == 64 && Llanos[1].size() == 64);

constexpr std::array<std::uint8_t, 256> armarTabla() {
    std::array<std::uint8_t, 256> t{};
    for (int c = 0; c < 256; ++c) {
        if (c < 0x20)
            t[c] = '#';
        else if (c < 0x80)
            t[c] = static_cast<std::uint8_t>(c);
        else
            t[c] = static_cast<std::uint8_t>(Llanos[(c - 0x80) / 64][(c - 0x80) % 64]);
    }
    const std::pair<int, int> propios[] = {
        {0xE1, 0x10}, {0xE9, 0x11}, {0xED, 0x12}, {0xF3, 0x13}, {0xFA, 0x14},
        {0xF1, 0x15}, {0xD1, 0x16}, {0xFC, 0x17}, {0xA1, 0x18}, {0xBF, 0x19},
        {0xBB, 0x1A}, {0xAB, 0x1B}, {0x40, 0x1E}, {0x5F, 0x1F}, {0xA6, 0x7F},
    };
    for (auto [editor, cartel] : propios)
        t[editor] = static_cast<std::uint8_t>(cartel);
    return t;
}

constexpr std::array<std::uint8_t, 256> Tabla = armarTabla();

} // namespace

std::uint8_t CodigoCartel(std::uint8_t c) {
    return Tabla[c];
}

std::optional<std::string> Filtro(std::string& xmen, std::uint8_t xnu, std::uint8_t xas) {
    std::size_t n = xnu == ModoLibre ? xmen.size() : xnu == ModoFijo ? AnchoCampo : 0;
    if (xmen.size() < AnchoCampo) {
        if (xas == 0) {
            xmen.append(AnchoCampo - xmen.size(), ' ');
        } else if (xas == 2) {
            const std::size_t k = (AnchoCampo - xmen.size()) / 2;
            xmen = std::string(k, ' ') + xmen + std::string(k, ' ');
            if (xmen.size() < AnchoCampo)
                xmen += ' ';
            n = xmen.size();
        }
    }
    if (n > xmen.size())
        return std::nullopt;
    std::string campo(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        campo[i] = static_cast<char>(Tabla[static_cast<std::uint8_t>(xmen[i])]);
    return campo;
}

} // namespace brelo
