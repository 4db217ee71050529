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

namespace {
constexpr int MaxSinEnviar = 64; // bytes this machine may hold that the adapter cannot take yet
} // namespace

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

QString TextoDireccion(const DireccionTcp& d) {
    char texto[NI_MAXHOST] = {};
    ::getnameinfo(reinterpret_cast<const sockaddr*>(d.bytes.data()), socklen_t(d.largo), texto,
                  sizeof texto, nullptr, 0, NI_NUMERICHOST);
    return QString::fromLatin1(texto);
}

unsigned IndiceInterfaz(const QString& nombre) {
    return ::if_nametoindex(nombre.toLocal8Bit().constData());
}

bool HayInterfaz(unsigned indice) {
    char nombre[IF_NAMESIZE];
    return ::if_indextoname(indice, nombre) != nullptr;
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

// No TCP_USER_TIMEOUT: once an adapter's window closes, Linux counts it from the first probe
// and does not start again when the window opens, so it would end a slow adapter's
// connection that is still making progress.
void Conexion::Ajustar() {
    const int si = 1;
    ::setsockopt(int(s_), IPPROTO_TCP, TCP_NODELAY, &si, sizeof si);
}

int Conexion::Escribir(const QByteArray& bytes, const std::function<bool()>& seguir) {
    if (const int error = EscribirDescriptor(int(s_), bytes, seguir, true))
        return error;
    // Without this the bytes would pile up in this machine's queue at the pace of the pauses,
    // and a cancel's terminator would reach the sign only after all of them.
    for (int vuelta = 1;; ++vuelta) {
        int sinEnviar = 0;
        if (::ioctl(int(s_), SIOCOUTQNSD, &sinEnviar) != 0 || sinEnviar <= MaxSinEnviar)
            return 0;
        if (const int error = EsperarCorte(TramoMs / 10))
            return error;
        if (vuelta % 10 == 0 && !seguir())
            return ECANCELED;
    }
}

namespace {
// Why a connection poll() found broken is gone.
int errorDeCorte(int s) {
    int error = 0;
    socklen_t largo = sizeof error;
    ::getsockopt(s, SOL_SOCKET, SO_ERROR, &error, &largo);
    return error ? error : ECONNRESET; // nothing pending: the adapter closed it
}
} // namespace

int Conexion::Cortada() {
    return EsperarCorte(0);
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

int Conexion::EsperarCorte(int ms) {
    pollfd cortada{int(s_), POLLRDHUP, 0}; // a close, a reset or the system giving up
    return ::poll(&cortada, 1, ms) > 0 ? errorDeCorte(int(s_)) : 0;
}

// The kernel's count of unanswered retransmission timeouts and window probes, which go back
// to 0 at the adapter's next answer however slowly it takes bytes; and the time of its last
// answer, which a backed-off probe of a long-closed window may come well after.
qint64 Conexion::SinRespuesta() {
    tcp_info info{};
    socklen_t largo = sizeof info;
    if (::getsockopt(int(s_), IPPROTO_TCP, TCP_INFO, &info, &largo) != 0 ||
        (info.tcpi_retransmits == 0 && info.tcpi_probes == 0))
        return -1;
    return info.tcpi_last_ack_recv;
}

void Conexion::Cerrar() {
    if (s_ != Ninguna)
        ::close(int(std::exchange(s_, Ninguna)));
}

} // namespace brelo
