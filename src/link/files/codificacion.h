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

// UTF-16 with its byte-order mark; UTF-8 with its mark, or valid and with at least one
// character beyond ASCII; anything else is Windows-1252 already.
TextoDecodificado DecodificarTexto(std::string_view datos);

// "Mensaje importado OK!" with what was replaced or left out, when anything was.
std::string TextoImportado(int reemplazados, int lineasSinImportar);

} // namespace brelo
