#include "link/puertotcp.h"

#include "link/motivos.h"

#include <QRegularExpression>

#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace brelo {

namespace {

constexpr int MsConexion = 3000;
constexpr int TramoMs = 100; // how often a connection under way asks whether to go on

QString motivoRed(int codigo) {
    switch (codigo) {
    case ECONNREFUSED:
        return QStringLiteral("el adaptador rechazo la conexion");
    case ETIMEDOUT:
        return QStringLiteral("el adaptador no responde");
    case EHOSTUNREACH:
    case ENETUNREACH:
        return QStringLiteral("no se llega al adaptador por la red");
    case ECONNRESET:
    case EPIPE:
        return QStringLiteral("el adaptador corto la conexion");
    default:
        return Motivo(codigo, QString::fromLocal8Bit(std::strerror(codigo)));
    }
}

// Waits for a connection under way, a tenth of a second at a time, until hasta or until
// seguir() says no; whether it got anywhere.
bool esperarConexion(int fd, std::chrono::steady_clock::time_point hasta,
                     const std::function<bool()>& seguir) {
    for (;;) {
        const auto falta = std::chrono::duration_cast<std::chrono::milliseconds>(
            hasta - std::chrono::steady_clock::now());
        pollfd p{fd, POLLOUT, 0};
        const int r = ::poll(&p, 1, int(std::clamp<long long>(falta.count(), 0, TramoMs)));
        if (r != 0 || falta.count() <= 0 || (seguir && !seguir()))
            return r > 0;
    }
}

// A connection within 3 s, or -1 with the reason.
int conectar(const DestinoTcp& d, QString& error, const std::function<bool()>& seguir) {
    addrinfo pista{};
    pista.ai_socktype = SOCK_STREAM;
    addrinfo* direcciones = nullptr;
    if (const int r = ::getaddrinfo(d.host.c_str(), d.puerto.c_str(), &pista, &direcciones)) {
        error = r == EAI_NONAME || r == EAI_NODATA ? QStringLiteral("no se encontro el equipo")
                                                   : QString::fromLocal8Bit(::gai_strerror(r));
        return -1;
    }
    const auto hasta = std::chrono::steady_clock::now() + std::chrono::milliseconds(MsConexion);
    int fd = -1, codigo = ETIMEDOUT;
    for (addrinfo* a = direcciones; a && fd < 0; a = a->ai_next) {
        fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) {
            codigo = errno;
            continue;
        }
        socklen_t largo = sizeof codigo;
        if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0 ||
            (errno == EINPROGRESS && esperarConexion(fd, hasta, seguir) &&
             ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &codigo, &largo) == 0 && codigo == 0))
            break;
        if (errno != EINPROGRESS)
            codigo = errno;
        ::close(std::exchange(fd, -1));
    }
    ::freeaddrinfo(direcciones);
    if (fd < 0) {
        error = motivoRed(codigo);
        return -1;
    }
    const int si = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &si, sizeof si);
    return fd;
}

} // namespace

std::optional<DestinoTcp> DestinoDe(const QString& texto) {
    static const QRegularExpression forma(
        QStringLiteral("^tcp://(?:\\[([0-9A-Fa-f:.]+)\\]|([A-Za-z0-9.-]+)):([0-9]{1,5})$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = forma.match(texto);
    if (!m.hasMatch() || m.captured(3).toInt() < 1 || m.captured(3).toInt() > 65535)
        return std::nullopt;
    const QString host = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
    return DestinoTcp{host.toStdString(), m.captured(3).toStdString()};
}

bool EsTcp(const QString& texto) {
    return texto.startsWith(QLatin1String(PrefijoTcp), Qt::CaseInsensitive);
}

PuertoTcp::~PuertoTcp() {
    Soltar();
}

void PuertoTcp::Cerrar() {
    Soltar();
    destino_.reset();
}

bool PuertoTcp::Abrir(const QString& dispositivo, qint32, QString& error) {
    Cerrar();
    const auto d = DestinoDe(dispositivo);
    if (!d) {
        error = QStringLiteral("direccion no valida (se espera tcp://EQUIPO:PUERTO)");
        return false;
    }
    const int fd = conectar(*d, error, {});
    if (fd < 0)
        return false;
    ::close(fd);
    destino_ = d;
    return true;
}

bool PuertoTcp::Output(const QByteArray& bytes, const std::function<bool()>& seguir) {
    QString error;
    if (!destino_ || (conexion_ < 0 && (conexion_ = conectar(*destino_, error, seguir)) < 0))
        return false;
    // The sign never answers: anything to read means the adapter closed the connection.
    pollfd cerrada{conexion_, POLLRDHUP, 0};
    return ::poll(&cerrada, 1, 0) == 0 && EscribirDescriptor(conexion_, bytes, seguir, true);
}

void PuertoTcp::Soltar() {
    if (conexion_ >= 0)
        ::close(std::exchange(conexion_, -1));
}

bool LineaCartel::Abrir(const QString& dispositivo, qint32 baudios, QString& error) {
    actual_->Cerrar();
    actual_ = EsTcp(dispositivo) ? static_cast<Puerto*>(&tcp_) : &serie_;
    return actual_->Abrir(dispositivo, baudios, error);
}

} // namespace brelo
