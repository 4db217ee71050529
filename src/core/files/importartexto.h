#pragma once

// A plain text file becomes pages: every non-empty line one page, short lines centred in
// the sign's 16 columns, very long lines cut over several pages.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brelo {

inline constexpr std::size_t LargoPagina = 1023;

struct Importacion {
    std::vector<std::string> paginas; // 1 to 99 page texts on success
    int lineasSinImportar = 0;        // lines with text after page 99, only counted
    std::optional<std::string> error; // why nothing can be imported
};

// Lines end at CR LF, a lone LF or a lone CR (files from any system; a page can never hold
// a control character anyway). The whole file is split before anything is returned, so a
// failure leaves the caller's message as it was.
Importacion ImportarTexto(std::string_view datos);

} // namespace brelo
