#include "core/model/memoria.h"

#include "core/model/mensaje.h"

#include <algorithm>

namespace brelo {

FiguraMemoria CalcularMemoria(const Mensaje& m) {
    int cuenta = 6; // stream header
    for (int i = 1; i <= MaxPag; ++i) {
        if (m.TextoPag[i].empty())
            continue;
        cuenta += static_cast<int>(m.TextoPag[i].size()) + 2;
        if (m.EfeOutPag[i] != 0)
            cuenta += 2;
    }
    cuenta += 2; // terminator
    const int restante = std::max(0, MemoriaCartel - cuenta);
    std::string texto = std::to_string(restante);
    if (texto.size() < 4)
        texto.insert(0, 4 - texto.size(), '0');
    return {cuenta, restante, texto, restante <= MemoriaAviso};
}

} // namespace brelo
