// Any bytes, read as either version: the reader must fail cleanly or hand back pages that
// fit the model and survive a write and a second read unchanged.

#include "core/files/archivomensaje.h"
#include "core/model/catalogos.h"
#include "core/protocol/trama.h"

#include <cstdint>
#include <cstdlib>

using namespace brelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view datos(reinterpret_cast<const char*>(data), size);
    for (VersionArchivo v : {VersionArchivo::V1, VersionArchivo::V2}) {
        const LecturaMensaje l = LeerMensaje(datos, v);
        if (l.error) {
            if (!l.paginas.empty() || l.error->registro < 1 || l.error->registro > MaxPag + 1)
                std::abort();
            continue;
        }
        if (l.paginas.size() > std::size_t(MaxPag))
            std::abort();
        for (const Pagina& p : l.paginas)
            if (p.efe > efecto::Ultimo || p.pausa > UltimaPausa || p.efeOut > UltimaSalida)
                std::abort();
        Mensaje m;
        m.cargarPaginas(l.paginas);
        const LecturaMensaje otra = LeerMensaje(EscribirMensaje(m), VersionArchivo::V2);
        std::size_t conTexto = 0;
        for (const Pagina& p : l.paginas)
            conTexto += !p.texto.empty();
        if (otra.error || otra.paginas.size() != conTexto)
            std::abort();
        const ResultadoTrama t = ArmarTrama(m);
        if (t.Trama.size() > LargoMaximoTrama + 2)
            std::abort();
    }
    return 0;
}
