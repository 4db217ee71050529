#pragma once

// What the page box accepts from the keyboard.

#include <cstddef>
#include <cstdint>
#include <string>

namespace brelo {

inline constexpr std::size_t LargoMaximoTexto = 1023;

// Control characters other than backspace, "@", "[" to "`" and "{" to DEL are refused:
// the sign takes them as its own glyphs, reachable only through the special-character list.
bool TeclaAceptada(std::uint8_t codigo);

} // namespace brelo
