#pragma once

#include "link/puerto.h"

#include <QSerialPort>

namespace brelo {

// Why the device could not be opened, in Spanish, with how to mend a refused permission.
QString MotivoPuerto(QSerialPort::SerialPortError e, const QString& dispositivo,
                     const QString& sistema);

class PuertoSerie final : public Puerto {
public:
    bool PortOpen() const override;
    void Cerrar() override;
    bool Abrir(const QString& dispositivo, qint32 baudios, QString& error) override;
    bool Output(const QByteArray& bytes) override;

private:
    QSerialPort port_;
};

} // namespace brelo
