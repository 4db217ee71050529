#include "link/conexion.h"

#include "link/posix/descriptor.h"
#include "link/puerto.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <linux/sockios.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace brelo {

ResultadoNombre ResolverNombre(const std::string& host, const std::string& puerto, bool numerica) {
    addrinfo pista{};
    pista.ai_socktype = SOCK_STREAM;
    pista.ai_flags = numerica ? AI_NUMERICHOST : 0;
    addrinfo* lista = nullptr;
    ResultadoNombre r;
    if (const int e = ::getaddrinfo(host.c_str(), puerto.c_str(), &pista, &lista)) {
        r.error = e == EAI_NONAME || e == EAI_NODATA ? QStringLiteral("no se encontro el equipo")
                  : e == EAI_AGAIN ? QStringLiteral("no se pudo consultar el nombre del equipo")
                                   : QString::fromLocal8Bit(::gai_strerror(e));
        return r;
    }
    AgregarDirecciones(lista, r);
    ::freeaddrinfo(lista);
    return r;
}

unsigned IndiceInterfaz(const QString& nombre) {
    return ::if_nametoindex(nombre.toLocal8Bit().constData());
}

Conexion::~Conexion() {
    Cerrar();
}

int Conexion::Iniciar(const DireccionTcp& a) {
    Cerrar();
    const auto* direccion = reinterpret_cast<const sockaddr*>(a.bytes.data());
    const int fd = ::socket(direccion->sa_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return errno;
    s_ = fd;
    return ::connect(fd, direccion, socklen_t(a.largo)) == 0 ? 0 : errno;
}

int Conexion::Esperar(int ms) {
    pollfd p{int(s_), POLLOUT, 0};
    if (::poll(&p, 1, ms) <= 0)
        return EINPROGRESS;
    int error = 0;
    socklen_t largo = sizeof error;
    ::getsockopt(int(s_), SOL_SOCKET, SO_ERROR, &error, &largo);
    return error;
}

void Conexion::Ajustar() {
    const int si = 1;
    ::setsockopt(int(s_), IPPROTO_TCP, TCP_NODELAY, &si, sizeof si);
    const unsigned limite = MsSinConfirmar;
    ::setsockopt(int(s_), IPPROTO_TCP, TCP_USER_TIMEOUT, &limite, sizeof limite);
}

int Conexion::Escribir(const QByteArray& bytes, const std::function<bool()>& seguir) {
    return EscribirDescriptor(int(s_), bytes, seguir, true);
}

bool Conexion::Cortada() {
    pollfd cerrada{int(s_), POLLRDHUP, 0};
    return ::poll(&cerrada, 1, 0) != 0;
}

int Conexion::Pendientes(qint64& n) {
    int pendientes = 0, error = 0;
    socklen_t largo = sizeof error;
    if (::getsockopt(int(s_), SOL_SOCKET, SO_ERROR, &error, &largo) != 0)
        return errno;
    if (!error && ::ioctl(int(s_), SIOCOUTQ, &pendientes) != 0)
        return errno;
    n = pendientes;
    return error;
}

bool Conexion::EsperarCorte(int ms) {
    pollfd cortada{int(s_), 0, 0}; // wakes early only when the connection breaks
    return ::poll(&cortada, 1, ms) > 0 && cortada.revents & POLLHUP;
}

void Conexion::Cerrar() {
    if (s_ != Ninguna)
        ::close(int(std::exchange(s_, Ninguna)));
}

} // namespace brelo
