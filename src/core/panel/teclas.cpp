#include "core/panel/teclas.h"

namespace brelo {

bool TeclaAceptada(std::uint8_t c) {
    if (c == 8)
        return true;
    if (c <= 31 || c == 64)
        return false;
    if (c >= 91 && c <= 96)
        return false;
    return c < 123 || c > 127;
}

} // namespace brelo
