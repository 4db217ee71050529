#pragma once

// The way back from bytes to a message: a stream as the sign received it (or a "Salida.txt"
// file) read into the pages that give those bytes, with a report of everything that did not
// fit. Where several messages give the same bytes, the one read is:
// - pause index 1 for C1 (index 0 sends the same), n for Cn; Estatico with pause 1;
// - exit effect 0 where no exit part is sent;
// - left alignment, with the text as sent (centring cannot be told from blanks);
// - a special page by its entry code, with the text the page rules give it;
// - codes mapped back by the filter's table (0x1E "@", 0x1F "_", 0x7F "¦", the sign's own
//   glyphs their letters); a free text ends at the first byte that cannot be a text code;
// - "[\" or "]^", or 0x40, followed by sixteen blanks is an animation, never text.

#include "core/model/mensaje.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brelo {

struct Incidencia {
    std::size_t byte; // offset in the file
    std::string motivo;
};

struct FlujoLeido {
    enum Estado { Completo, Cancelado, Cortado, SinTerminar };
    std::size_t desde = 0; // offset in the file of its first byte
    bool hora = false;     // the clock command, not a message
    Estado estado = Completo;
    std::vector<Pagina> paginas; // a message's whole pages, at most 99
    std::string reloj;           // the clock's "hh:mm:ss dd/mm/yy"
};

struct LecturaTrama {
    std::vector<FlujoLeido> flujos;
    std::vector<Incidencia> incidencias; // in the order of their offsets
    // The message the file gives: the last complete one, else the last one read at all; and
    // how the stream it came from ended.
    std::optional<std::vector<Pagina>> mensaje;
    FlujoLeido::Estado estadoMensaje = FlujoLeido::Completo;
    bool entendida() const { return incidencias.empty(); }
};

// Whether a file holds a stream rather than text: it starts with "W-NT9" or "\"W-NT9" (the
// Salida.txt form), or holds a stream's whole header ("W-NT9" and a message's or the clock's
// code) anywhere, as a capture that starts with noise does.
bool EsTrama(std::string_view datos);

LecturaTrama LeerTrama(std::string_view datos);

// "completo", "cancelado", "cortado en la memoria" or "sin terminar".
const char* NombreEstado(FlujoLeido::Estado estado);

} // namespace brelo
