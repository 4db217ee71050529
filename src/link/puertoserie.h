#pragma once

#include "link/puerto.h"

#include <QSerialPort>

#include <atomic>

namespace brelo {

// Why the device could not be opened, in Spanish, with how to mend a refused permission.
QString MotivoPuerto(QSerialPort::SerialPortError e, const QString& dispositivo,
                     const QString& sistema);

// Writes all the bytes to a non-blocking descriptor, a serial device's or a network
// connection's. While it takes nothing, it is waited for with poll() a tenth of a second at a
// time and seguir() is asked, so a cancel can still give the write up. 0 when every byte was
// written; otherwise the error of the failure (EPIPE or the connection's own when the far end
// has gone), or ECANCELED when seguir() said no.
int EscribirDescriptor(int fd, const QByteArray& bytes, const std::function<bool()>& seguir,
                       bool conexion);

// QSerialPort opens and sets up the device on the window's thread; the transfer's thread
// then writes to its descriptor directly, blocking as long as the line needs, which
// QSerialPort cannot do away from the thread that owns it.
class PuertoSerie final : public Puerto {
public:
    bool PortOpen() const override;
    void Cerrar() override;
    bool Abrir(const QString& dispositivo, qint32 baudios, QString& error) override;
    bool Output(const QByteArray& bytes, const std::function<bool()>& seguir) override;
    QString Motivo() const override { return motivo_; }
    bool Lista() const override;

private:
    QSerialPort port_;
    int descriptor_ = -1;
    qint32 baudios_ = 0;
    // Written on the transfer's thread, read on the window's once the transfer has ended.
    std::atomic<bool> fallo_ = false;
    QString motivo_;
};

} // namespace brelo
