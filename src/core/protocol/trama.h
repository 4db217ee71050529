#pragma once

// The byte stream a whole message becomes for the sign: header "W-NT9" DF, one record per
// page with text, terminator 01 01, cut to at most 8002 bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brelo {

struct Mensaje;
struct Pagina;

inline constexpr std::size_t LargoMaximoTrama = 8000;

struct ResultadoTrama {
    std::string Trama;      // one byte per character; LargoTrama is its size
    int paginaConError = 0; // the page whose text the filter could not fit, 0 when none

    bool ok() const { return paginaConError == 0; }
};

// One page's record in the stream, built on a copy of its text.
struct PaginaArmada {
    std::string relleno; // the text as the filter filled it with blanks
    std::string campo;   // the sign codes of the field the filter gives
    std::string bytes;   // the page's record
    bool libre = false;  // a left-aligned scrolling text: sent at its own length, never filled
};

// Nothing when the filter cannot fit the text (an alignment code it does not know).
std::optional<PaginaArmada> ArmarPagina(const Pagina& p);

// The n of the pause code Cn the page's record carries, 1 to 9: a transition's pause held to
// that range, 1 for a static page; 0 for a page whose record carries none.
int CodigoPausa(const Pagina& p);

// The bytes after a page's entry part for its exit effect: none for 0, two for the others.
std::string_view ParteSalida(std::uint8_t efeOut);

// Whether the page is sent at all: a page without text is left out of the stream, whatever
// its effect.
bool SeEnvia(const Pagina& p);

// Whether the page's own text reaches the sign; the clock, date, reset, speed and animation
// pages send codes only.
bool EnviaTexto(std::uint8_t efe);

// Builds the stream from all 99 slots. Leaves the filtered page texts filled with blanks in the
// model, as the sign's protocol has always done, but for left-aligned scrolling texts, whose
// fill would otherwise reach the sign on the next build; building twice gives the same bytes.
ResultadoTrama ArmarTrama(Mensaje& m);

// "Salida.txt": the stream between quotation marks, then CR LF.
std::string FormatoSalida(const std::string& trama);

} // namespace brelo
