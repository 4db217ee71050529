#pragma once

#include "link/puerto.h"

#include <QSerialPort>

namespace brelo {

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
