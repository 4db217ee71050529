#include "link/puertoserie.h"

#include "link/motivos.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace brelo {

namespace {

constexpr int TramoMs = 100; // how often a held-up write asks whether to go on

// Then the bytes are waited for until the driver has passed them to the line, so the pause
// after them starts when they have left. 0, or the error as EscribirDescriptor gives it.
int EscribirEnLinea(int fd, qint32 baudios, const QByteArray& bytes,
                    const std::function<bool()>& seguir) {
    if (const int error = EscribirDescriptor(fd, bytes, seguir, false))
        return error;
    // A byte takes about ten bit times on the line.
    const qint64 nsPorByte = 10 * qint64(1000000000) / std::max(baudios, 1);
    qint64 retenido = 0;
    for (int pendientes = 0; ::ioctl(fd, TIOCOUTQ, &pendientes) == 0;) {
        if (pendientes <= 0)
            return 0;
        if (retenido >= TramoMs * qint64(1000000)) {
            if (!seguir())
                return ECANCELED;
            retenido = 0;
        }
        const qint64 ns = std::min(pendientes * nsPorByte, TramoMs * qint64(1000000));
        const timespec t{time_t(ns / 1000000000), long(ns % 1000000000)};
        nanosleep(&t, nullptr);
        retenido += ns;
    }
    return errno;
}

// What became of a descriptor that poll() found broken: a connection keeps its own error.
int errorPendiente(int fd, bool conexion) {
    int error = 0;
    socklen_t largo = sizeof error;
    if (conexion && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &largo) == 0 && error)
        return error;
    return EPIPE;
}

// A line written to no more: the device went away (a pulled USB adapter, a closed terminal).
QString motivoLinea(int error) {
    switch (error) {
    case EIO:
    case EPIPE:
    case ENXIO:
    case ENODEV:
        return QStringLiteral("el dispositivo se desconecto");
    case EBADF:
        return QStringLiteral("el puerto no esta abierto");
    default:
        return Motivo(error, QString::fromLocal8Bit(std::strerror(error)));
    }
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

// Qt folds a busy device into its permission error; the file's own permissions tell them apart.
QString MotivoPuerto(QSerialPort::SerialPortError e, const QString& dispositivo,
                     const QString& sistema) {
    const QFileInfo info(dispositivo);
    switch (e) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("no existe");
    case QSerialPort::PermissionError:
        if (info.exists() && !info.isWritable())
#ifdef Q_OS_LINUX
            return QStringLiteral(
                "permiso denegado. Para usarlo, agregue su usuario al grupo dialout "
                "(sudo usermod -aG dialout $USER) y vuelva a iniciar la sesion");
#else
            return QStringLiteral("permiso denegado");
#endif
        return QStringLiteral("esta en uso");
    default:
        return info.exists() ? QStringLiteral("error del sistema (%1)").arg(Mostrable(sistema))
                             : QStringLiteral("no existe");
    }
}

bool PuertoSerie::PortOpen() const {
    return port_.isOpen();
}

void PuertoSerie::Cerrar() {
    port_.close();
    descriptor_ = -1;
}

bool PuertoSerie::Abrir(const QString& dispositivo, qint32 baudios, QString& error) {
    fallo_ = false;
    port_.setPortName(dispositivo);
    const bool listo = port_.setBaudRate(baudios) && port_.setDataBits(QSerialPort::Data8) &&
                       port_.setParity(QSerialPort::NoParity) &&
                       port_.setStopBits(QSerialPort::OneStop) &&
                       port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!listo || !port_.open(QIODevice::WriteOnly)) {
        error = MotivoPuerto(port_.error(), dispositivo, port_.errorString());
        Cerrar();
        return false;
    }
    // A device without modem-control lines (a pseudo-terminal, some adapters) refuses these;
    // its lines are off anyway, so the refusal is no error.
    port_.setRequestToSend(false);
    port_.setDataTerminalReady(false);
    port_.clearError();
    descriptor_ = int(port_.handle());
    baudios_ = baudios;
    return true;
}

bool PuertoSerie::Lista() const {
    pollfd colgada{descriptor_, 0, 0};
    return port_.isOpen() && !fallo_ && ::poll(&colgada, 1, 0) == 0;
}

bool PuertoSerie::Output(const QByteArray& bytes, const std::function<bool()>& seguir) {
    const int error =
        descriptor_ < 0 ? EBADF : EscribirEnLinea(descriptor_, baudios_, bytes, seguir);
    if (error) {
        motivo_ = error == ECANCELED ? QString() : motivoLinea(error);
        fallo_ = true;
    }
    return !error;
}

} // namespace brelo
