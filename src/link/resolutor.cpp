#include "link/resolutor.h"

#include <thread>

namespace brelo {

std::shared_future<ResultadoNombre> ResolutorSistema::Resolver(const std::string& host,
                                                               const std::string& puerto) {
    if (ResultadoNombre numerica = ResolverNombre(host, puerto, true);
        !numerica.direcciones.empty()) {
        std::promise<ResultadoNombre> listo;
        listo.set_value(std::move(numerica));
        return listo.get_future().share();
    }
    std::packaged_task<ResultadoNombre()> tarea(
        [host, puerto] { return ResolverNombre(host, puerto, false); });
    std::shared_future<ResultadoNombre> respuesta = tarea.get_future().share();
    std::thread(std::move(tarea)).detach();
    return respuesta;
}

} // namespace brelo
