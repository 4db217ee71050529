#pragma once

// The characters of a text file to import, in the pages' Windows-1252. Most text files
// today are UTF-8; older ones, and many from Windows, are Windows-1252; some are UTF-16.

#include <string>
#include <string_view>

namespace brelo {

struct TextoDecodificado {
    std::string texto;    // Windows-1252
    int reemplazados = 0; // characters Windows-1252 has not, written as a near one or "#"
};

// UTF-16 with its byte-order mark; UTF-8 with its mark, or with a whole multi-byte sequence
// and no more damaged ones than whole (each damaged one a counted "#"); anything else is
// Windows-1252 already. A ÿ comes in as a counted "y".
TextoDecodificado DecodificarTexto(std::string_view datos);

// A character Windows-1252 lacks, as a page takes it: the letter it is built on ("ő" is "o"),
// a plain quote or dash for a typographic one, otherwise "#".
char Parecido(char32_t c);

// "Mensaje importado OK!" with what was replaced or left out, when anything was.
std::string TextoImportado(int reemplazados, int lineasSinImportar);

} // namespace brelo
