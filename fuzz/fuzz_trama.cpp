// Any bytes read as a stream: the reader never fails, says where each thing it did not
// understand is, and what it reads is stable: written as a stream and read again, the same
// pages, understood whole (unless the stream had to be cut at the sign's memory).

#include "core/protocol/lectura.h"
#include "core/protocol/trama.h"

#include <cstdint>
#include <cstdlib>

using namespace brelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view datos(reinterpret_cast<const char*>(data), size);
    const LecturaTrama l = LeerTrama(datos);
    for (std::size_t i = 0; i < l.incidencias.size(); ++i)
        if (l.incidencias[i].byte > size ||
            (i && l.incidencias[i].byte < l.incidencias[i - 1].byte))
            std::abort();
    if (!l.mensaje)
        return 0;
    if (l.mensaje->empty() || l.mensaje->size() > std::size_t(MaxPag))
        std::abort();
    Mensaje m;
    m.cargarPaginas(*l.mensaje);
    const ResultadoTrama t = ArmarTrama(m);
    const LecturaTrama otra = LeerTrama(t.Trama);
    if (!t.ok() || !otra.mensaje)
        std::abort();
    if (otra.flujos.at(0).estado != FlujoLeido::Cortado &&
        (!otra.entendida() || *otra.mensaje != *l.mensaje))
        std::abort();
    return 0;
}
