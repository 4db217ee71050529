#include "link/puertoserie.h"

#include "link/motivos.h"

#include <QFileInfo>

namespace brelo {

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
}

bool PuertoSerie::Abrir(const QString& dispositivo, qint32 baudios, QString& error) {
    port_.setPortName(dispositivo);
    const bool listo = port_.setBaudRate(baudios) && port_.setDataBits(QSerialPort::Data8) &&
                       port_.setParity(QSerialPort::NoParity) &&
                       port_.setStopBits(QSerialPort::OneStop) &&
                       port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!listo || !port_.open(QIODevice::WriteOnly)) {
        error = MotivoPuerto(port_.error(), dispositivo, port_.errorString());
        port_.close();
        return false;
    }
    // A device without modem-control lines (a pseudo-terminal, some adapters) refuses these;
    // its lines are off anyway, so the refusal is no error.
    port_.setRequestToSend(false);
    port_.setDataTerminalReady(false);
    port_.clearError();
    return true;
}

bool PuertoSerie::Output(const QByteArray& bytes) {
    if (!port_.isOpen())
        return false;
    // Each byte must be on the line before its pause starts, not whenever the event loop
    // gets round to the port's buffer.
    if (port_.write(bytes) != bytes.size())
        return false;
    while (port_.bytesToWrite() > 0)
        if (!port_.flush() && port_.bytesToWrite() > 0 && !port_.waitForBytesWritten(1000))
            return false;
    return port_.error() == QSerialPort::NoError;
}

} // namespace brelo
