#pragma once

#include "link/lineaserie.h"
#include "link/puerto.h"

#include <atomic>

namespace brelo {

// The device is opened and configured on the window's thread; the transfer's thread then
// writes to it, blocking as long as the line needs.
class PuertoSerie final : public Puerto {
public:
    bool PortOpen() const override;
    void Cerrar() override;
    bool Abrir(const QString& dispositivo, qint32 baudios, QString& error) override;
    bool Output(const QByteArray& bytes, const std::function<bool()>& seguir) override;
    QString Motivo() const override { return motivo_; }
    bool Lista() const override;

private:
    LineaSerie linea_;
    // Written on the transfer's thread, read on the window's once the transfer has ended.
    std::atomic<bool> fallo_ = false;
    QString motivo_;
};

// A line written to no more, in Spanish: most often the device went away.
QString MotivoLinea(int error);

} // namespace brelo
