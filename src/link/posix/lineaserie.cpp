#include "link/lineaserie.h"

#include "link/motivos.h"
#include "link/posix/descriptor.h"

#include <QFileInfo>
#include <QSerialPort>

#include <cerrno>

#include <poll.h>
#include <sys/ioctl.h>

namespace brelo {

// QSerialPort opens and sets up the device; the transfer's thread then writes to its
// descriptor directly, blocking as long as the line needs, which QSerialPort cannot do away
// from the thread that owns it.
struct LineaSerie::Sistema {
    QSerialPort port;
    int fd = -1;
};

namespace {

// Qt folds a busy device into its permission error; the file's own permissions tell them apart.
QString motivoApertura(QSerialPort::SerialPortError e, const QString& dispositivo,
                       const QString& sistema) {
    const QFileInfo info(dispositivo);
    switch (e) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("no existe");
    case QSerialPort::PermissionError:
        if (info.exists() && !info.isWritable())
            return QStringLiteral(
                "permiso denegado. Para usarlo, agregue su usuario al grupo dialout "
                "(sudo usermod -aG dialout $USER) y vuelva a iniciar la sesion");
        return QStringLiteral("esta en uso");
    default:
        return info.exists() ? QStringLiteral("error del sistema (%1)").arg(Mostrable(sistema))
                             : QStringLiteral("no existe");
    }
}

} // namespace

LineaSerie::LineaSerie() : s_(std::make_unique<Sistema>()) {}

LineaSerie::~LineaSerie() = default;

QString LineaSerie::Abrir(const QString& dispositivo) {
    Cerrar();
    s_->port.setPortName(dispositivo);
    if (!s_->port.open(QIODevice::WriteOnly))
        return motivoApertura(s_->port.error(), dispositivo, s_->port.errorString());
    s_->fd = int(s_->port.handle());
    return {};
}

QString LineaSerie::Configurar(qint32 baudios) {
    QSerialPort& p = s_->port;
    const bool listo = p.setBaudRate(baudios) && p.setDataBits(QSerialPort::Data8) &&
                       p.setParity(QSerialPort::NoParity) && p.setStopBits(QSerialPort::OneStop) &&
                       p.setFlowControl(QSerialPort::NoFlowControl);
    if (!listo)
        return QStringLiteral("no se pudo configurar la linea (%1)")
            .arg(Mostrable(p.errorString()));
    // A device without modem-control lines (a pseudo-terminal, some adapters) refuses these;
    // its lines are off anyway, so the refusal is no error.
    p.setRequestToSend(false);
    p.setDataTerminalReady(false);
    p.clearError();
    baudios_ = baudios;
    return {};
}

int LineaSerie::Escribir(const QByteArray& bytes, const std::function<bool()>& seguir) {
    if (const int error = EscribirDescriptor(s_->fd, bytes, seguir, false))
        return error;
    const int fd = s_->fd;
    return EsperarCola(
        [fd](qint64& enCola) {
            int n = 0;
            const bool leida = ::ioctl(fd, TIOCOUTQ, &n) == 0;
            enCola = n;
            return leida;
        },
        baudios_, seguir);
}

bool LineaSerie::Colgada() const {
    pollfd colgada{s_->fd, 0, 0};
    return ::poll(&colgada, 1, 0) != 0;
}

bool LineaSerie::Abierta() const {
    return s_->port.isOpen();
}

void LineaSerie::Cerrar() {
    s_->port.close();
    s_->fd = -1;
}

} // namespace brelo
