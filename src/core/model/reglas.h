#pragma once

// How a page's entry effect decides what else the operator may choose. Data only: the
// editor applies it to its controls in the order it needs for its change notifications.

#include <cstdint>
#include <string_view>

namespace brelo {

struct ReglaEntrada {
    bool pausaHabilitada;
    bool salidaHabilitada;
    bool textoHabilitado;
    bool pausaA0;               // the pause list is forced to index 0
    bool salidaA0;              // the exit list is forced to index 0
    std::string_view textoFijo; // empty: the page box text is left alone
};

ReglaEntrada ReglaDeEfecto(std::uint8_t efe);

// The nine transitions, LLuvia to Explosion: the page comes in, then holds for its pause.
bool EsTransicion(std::uint8_t efe);

// The part of the rule applied when a page is shown: only these effects take a pause.
bool EfectoLlevaPausa(std::uint8_t efe);

} // namespace brelo
