#pragma once

// The byte stream a whole message becomes for the sign: header "W-NT9" DF, one record per
// page with text, terminator 01 01, cut to at most 8002 bytes.

#include <string>

namespace brelo {

struct Mensaje;

inline constexpr std::size_t LargoMaximoTrama = 8000;

struct ResultadoTrama {
    std::string Trama;      // one byte per character; LargoTrama is its size
    int paginaConError = 0; // the page whose text the filter could not fit, 0 when none

    bool ok() const { return paginaConError == 0; }
};

// Builds the stream from all 99 slots. Leaves the filtered page texts filled with blanks in the
// model, as the sign's protocol has always done, but for left-aligned scrolling texts, whose
// fill would otherwise reach the sign on the next build; building twice gives the same bytes.
ResultadoTrama ArmarTrama(Mensaje& m);

// "Salida.txt": the stream between quotation marks, then CR LF.
std::string FormatoSalida(const std::string& trama);

} // namespace brelo
