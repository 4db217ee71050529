#pragma once

// The one message the program holds: five parallel page arrays indexed by page number
// 1 to 99 (slot 0 is never used, so page numbers need no translation), the counters and
// the flags. Page texts are Windows-1252 bytes, one byte per character.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace brelo {

inline constexpr int MaxPag = 99;

struct Pagina {
    std::string texto;
    std::uint8_t efe = 0;
    std::uint8_t pausa = 0;
    std::uint8_t alin = 0;
    std::uint8_t efeOut = 0;

    bool operator==(const Pagina&) const = default;
};

struct Mensaje {
    std::array<std::string, MaxPag + 1> TextoPag;
    std::array<std::uint8_t, MaxPag + 1> EfePag{};
    std::array<std::uint8_t, MaxPag + 1> EfeOutPag{};
    std::array<std::uint8_t, MaxPag + 1> PausaPag{};
    std::array<std::uint8_t, MaxPag + 1> AlinPag{};

    std::uint8_t TotPag = 1;
    std::uint8_t PagAct = 1;

    bool Cambios = false;
    bool GrabarComo = false;
    std::string NomArchivo;  // bare name; empty = the message has no file yet
    std::string NomArchivo2; // full path last chosen in a message file dialog

    // 255 while the window starts up: the list handlers then neither apply the page rules
    // nor mark the message changed.
    std::uint8_t Iniciando = 0;

    Pagina pagina(int i) const;
    void ponerPagina(int i, const Pagina& p);
    void vaciarPagina(int i);

    // The page part of the reset: every slot empty, one page, shown page 1. The flags and
    // the controls belong to whoever resets (the window's Ini_Frame).
    void vaciarPaginas();

    // Fills slots 1..n from the list (n at most 99) and makes them the message.
    void cargarPaginas(const std::vector<Pagina>& paginas);

    // True when any of the 99 slots has text: the test for "something to save or send".
    bool tieneTexto() const;
};

// "v" + major without leading zeros (nothing for 0) + "." + revision with at least one digit.
std::string VerApp(int mayor, int revision);

} // namespace brelo
