#include "link/posix/descriptor.h"

#include <cerrno>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace brelo {

namespace {

// What became of a descriptor that poll() found broken: a connection keeps its own error.
int errorPendiente(int fd, bool conexion) {
    int error = 0;
    socklen_t largo = sizeof error;
    if (conexion && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &largo) == 0 && error)
        return error;
    return EPIPE;
}

} // namespace

int EscribirDescriptor(int fd, const QByteArray& bytes, const std::function<bool()>& seguir,
                       bool conexion) {
    for (qsizetype hecho = 0; hecho < bytes.size();) {
        const char* desde = bytes.constData() + hecho;
        const auto cuantos = size_t(bytes.size() - hecho);
        const ssize_t n =
            conexion ? ::send(fd, desde, cuantos, MSG_NOSIGNAL) : ::write(fd, desde, cuantos);
        if (n > 0) {
            hecho += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return errno;
        pollfd espera{fd, POLLOUT, 0};
        const int listos = ::poll(&espera, 1, TramoMs);
        if (listos < 0 && errno != EINTR)
            return errno;
        if (espera.revents & (POLLERR | POLLHUP | POLLNVAL))
            return errorPendiente(fd, conexion); // a pulled adapter, a closed connection
        if (listos == 0 && !seguir())
            return ECANCELED;
    }
    return 0;
}

} // namespace brelo
