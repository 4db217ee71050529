#pragma once

// The sign-memory estimate shown under "Memoria Restante": a fixed cost per page, not the
// real stream length.

#include <string>

namespace brelo {

struct Mensaje;

inline constexpr int MemoriaCartel = 8000;
inline constexpr int MemoriaAviso = 300;

struct FiguraMemoria {
    int cuenta;
    int restante;
    std::string texto; // at least four digits, zero-padded
    bool rojo;
};

FiguraMemoria CalcularMemoria(const Mensaje& m);

} // namespace brelo
