#include "core/model/reglas.h"

#include "core/model/catalogos.h"

namespace brelo {

bool EsTransicion(std::uint8_t efe) {
    return efe >= 3 && efe <= 11;
}

bool EfectoLlevaPausa(std::uint8_t efe) {
    return efe == efecto::Estatico || EsTransicion(efe) || efe == efecto::Velocidad;
}

ReglaEntrada ReglaDeEfecto(std::uint8_t efe) {
    if (efe == efecto::Estatico || EsTransicion(efe))
        return {true, true, true, false, false, {}};
    switch (efe) {
    case efecto::Reset:
        return {false, false, false, true, true, " Reset Cartel  "};
    case efecto::Hora:
        return {false, false, false, true, true, " Hora 00:00:00 "};
    case efecto::Fecha:
        return {false, false, false, true, true, "Fecha 12/07/07 "};
    case efecto::Velocidad:
        return {true, false, false, false, true, "Velocidad Rot. "};
    case efecto::Autito:
        return {false, false, false, true, true, "Autito         "};
    case efecto::Avion:
        return {false, false, false, true, true, "Avioncito      "};
    case efecto::Pacman:
        return {false, false, false, true, true, "Pacman         "};
    default: // Rotacion, the two on/off switches, and anything unknown
        return {false, true, true, true, false, {}};
    }
}

} // namespace brelo
