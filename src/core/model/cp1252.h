#pragma once

// Windows-1252, the one code page of page texts, files and streams. Qt 6 has no codec for
// it without ICU; it differs from Latin-1 only in 0x80-0x9F, so that range is the table.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brelo {

// Five bytes of 0x80-0x9F are unassigned in Windows-1252. A file may still carry them, so
// they come out as the C1 control of the same number rather than being lost.
char32_t Cp1252AUnicode(std::uint8_t b);

// "ÿ" in Windows-1252. Message files use its byte for a quotation mark inside a page's
// text, so a page never holds it: text coming in writes it as the "y" the sign shows for it.
inline constexpr std::uint8_t YDieresis = 0xFF;

enum class Indefinidos { Rechazar, Conservar };

// The byte for a character, or nothing when Windows-1252 has none. With Conservar the five
// unassigned bytes' stand-ins convert back, so a page read from a file keeps its bytes.
std::optional<std::uint8_t> UnicodeACp1252(char32_t c, Indefinidos modo = Indefinidos::Rechazar);

std::string Cp1252AUtf8(std::string_view bytes);

} // namespace brelo
