#include "link/puertoserie.h"

#include "link/motivos.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <ctime>

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace brelo {

namespace {

constexpr int TramoMs = 100; // how often a held-up write asks whether to go on

// Then the bytes are waited for until the driver has passed them to the line, so the pause
// after them starts when they have left.
bool EscribirEnLinea(int fd, qint32 baudios, const QByteArray& bytes,
                     const std::function<bool()>& seguir) {
    if (!EscribirDescriptor(fd, bytes, seguir, false))
        return false;
    // A byte takes about ten bit times on the line.
    const qint64 nsPorByte = 10 * qint64(1000000000) / std::max(baudios, 1);
    qint64 retenido = 0;
    for (int pendientes = 0; ::ioctl(fd, TIOCOUTQ, &pendientes) == 0;) {
        if (pendientes <= 0)
            return true;
        if (retenido >= TramoMs * qint64(1000000)) {
            if (!seguir())
                return false;
            retenido = 0;
        }
        const qint64 ns = std::min(pendientes * nsPorByte, TramoMs * qint64(1000000));
        const timespec t{time_t(ns / 1000000000), long(ns % 1000000000)};
        nanosleep(&t, nullptr);
        retenido += ns;
    }
    return false;
}

} // namespace

bool EscribirDescriptor(int fd, const QByteArray& bytes, const std::function<bool()>& seguir,
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
            return false;
        pollfd espera{fd, POLLOUT, 0};
        const int listos = ::poll(&espera, 1, TramoMs);
        if (listos < 0 && errno != EINTR)
            return false;
        if (espera.revents & (POLLERR | POLLHUP | POLLNVAL))
            return false; // the far end has gone: a pulled adapter, a closed connection
        if (listos == 0 && !seguir())
            return false;
    }
    return true;
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
    dispositivo_ = dispositivo;
    baudios_ = baudios;
    fallo_ = false;
    return true;
}

void PuertoSerie::Renovar() {
    if (!fallo_ || !port_.isOpen())
        return;
    Cerrar();
    QString error;
    Abrir(dispositivo_, baudios_, error); // a failure leaves it closed: Output then fails
}

bool PuertoSerie::Output(const QByteArray& bytes, const std::function<bool()>& seguir) {
    const bool bien = descriptor_ >= 0 && EscribirEnLinea(descriptor_, baudios_, bytes, seguir);
    if (!bien)
        fallo_ = true;
    return bien;
}

} // namespace brelo
