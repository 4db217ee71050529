#pragma once

// What the sign will show of a page, and what the operator would want to fix before sending:
// computed with the filter and the stream code, on copies, so the message never changes.

#include <cstdint>
#include <string>
#include <vector>

namespace brelo {

struct Mensaje;
struct Pagina;

struct VistaPagina {
    // Sign codes of the field the sign receives, 16 columns or, for a scrolling text, its own
    // length; empty when the page sends no text.
    std::string columnas;
    int costo = 0;          // bytes of the page's record in the stream; information only
    bool imposible = false; // its text cannot be fitted: no stream can be built with it
    std::vector<std::string> hallazgos; // Windows-1252, one sentence each
    // The same for the line under the window's panel: the letters sent without their accent in
    // one sentence.
    std::vector<std::string> resumen;
};

VistaPagina VerPagina(const Pagina& p);

// The character a sign code is drawn as: its own glyphs (0x10-0x1F, 0x7F) stand for the
// Windows-1252 letters and marks they were made for; every other code for itself.
std::uint8_t Significado(std::uint8_t codigo);

struct RevisionMensaje {
    struct Pag {
        int numero;
        VistaPagina vista;
    };
    std::vector<Pag> paginas;         // every page with text, in order
    std::string imposible;            // why the message cannot be sent as it is, naming the pages
    std::vector<std::string> mensaje; // the stream near the memory's end, or past it
    bool conHallazgos() const;
};

// The whole message as it would be sent now.
RevisionMensaje RevisarMensaje(const Mensaje& m);

// "1 byte", "2 bytes".
std::string Bytes(long n);

} // namespace brelo
