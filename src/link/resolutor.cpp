#include "link/resolutor.h"

#include <cstring>
#include <thread>

#include <netdb.h>

namespace brelo {

namespace {

ResultadoNombre resolver(const std::string& host, const std::string& puerto, int opciones) {
    addrinfo pista{};
    pista.ai_socktype = SOCK_STREAM;
    pista.ai_flags = opciones;
    addrinfo* lista = nullptr;
    ResultadoNombre r;
    if (const int e = ::getaddrinfo(host.c_str(), puerto.c_str(), &pista, &lista)) {
        r.error = e == EAI_NONAME || e == EAI_NODATA ? QStringLiteral("no se encontro el equipo")
                  : e == EAI_AGAIN ? QStringLiteral("no se pudo consultar el nombre del equipo")
                                   : QString::fromLocal8Bit(::gai_strerror(e));
        return r;
    }
    for (const addrinfo* a = lista; a; a = a->ai_next) {
        DireccionTcp d;
        std::memcpy(&d.direccion, a->ai_addr, a->ai_addrlen);
        d.largo = a->ai_addrlen;
        r.direcciones.push_back(d);
    }
    ::freeaddrinfo(lista);
    return r;
}

} // namespace

std::shared_future<ResultadoNombre> ResolutorSistema::Resolver(const std::string& host,
                                                               const std::string& puerto) {
    if (ResultadoNombre numerica = resolver(host, puerto, AI_NUMERICHOST);
        !numerica.direcciones.empty()) {
        std::promise<ResultadoNombre> listo;
        listo.set_value(std::move(numerica));
        return listo.get_future().share();
    }
    std::packaged_task<ResultadoNombre()> tarea(
        [host, puerto] { return resolver(host, puerto, 0); });
    std::shared_future<ResultadoNombre> respuesta = tarea.get_future().share();
    std::thread(std::move(tarea)).detach();
    return respuesta;
}

} // namespace brelo
