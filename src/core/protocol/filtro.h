#pragma once

// Fits a page text into the sign's 16-column line and translates it into the sign's
// character codes. Codes below 0x20, 0x7F and 0x80 up are the sign's own glyphs and
// commands, so only the translation table may produce them.

#include <cstdint>
#include <optional>
#include <string>

namespace brelo {

inline constexpr int AnchoCampo = 16;

enum ModoFiltro : std::uint8_t { ModoLibre = 0, ModoFijo = 16 };

// xmen is replaced by the text as filled with blanks (the stream relies on it: the model
// keeps the filled text). Fails only in fixed mode for a short text whose alignment code is
// neither left (0) nor centre (2), since such a field cannot be filled.
std::optional<std::string> Filtro(std::string& xmen, std::uint8_t xnu, std::uint8_t xas);

// One editor character as the sign code it is sent as.
std::uint8_t CodigoCartel(std::uint8_t c);

} // namespace brelo
