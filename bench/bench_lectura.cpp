// Reading a stream back: the time to decode the longest stream a sign takes (8,002 bytes, 99
// pages), in a loop. Prints figures; asserts nothing.

#include "core/model/mensaje.h"
#include "core/protocol/lectura.h"
#include "core/protocol/trama.h"

#include <chrono>
#include <cstdio>

using namespace brelo;

int main() {
    std::vector<Pagina> paginas;
    for (int i = 0; i < MaxPag; ++i)
        paginas.push_back({std::string(160, char('A' + i % 26)), std::uint8_t(i % 2 ? i % 20 : 0),
                           std::uint8_t(i % 10), std::uint8_t(i % 2 * 2), std::uint8_t(i % 11)});
    Mensaje m;
    m.cargarPaginas(paginas);
    const std::string trama = ArmarTrama(m).Trama;
    constexpr int Veces = 2000;
    std::size_t paginasLeidas = 0;
    const auto desde = std::chrono::steady_clock::now();
    for (int i = 0; i < Veces; ++i)
        paginasLeidas += LeerTrama(trama).mensaje->size();
    const std::chrono::duration<double, std::micro> t = std::chrono::steady_clock::now() - desde;
    std::printf("leer un envio de %zu bytes (%zu paginas): %.1f us de media en %d vueltas\n",
                trama.size(), paginasLeidas / Veces, t.count() / Veces, Veces);
}
