#pragma once

// A serial-to-Ethernet adapter in raw TCP mode, written "tcp://HOST:PORT" where a port goes
// (HOST a name, an IPv4 address or an IPv6 one in brackets). Such adapters take one client
// at a time, so the connection is made for each transfer, on its thread, and let go after
// it: a scheduled brelo-cli finds the adapter free between sends.

#include "link/puerto.h"
#include "link/puertoserie.h"

#include <optional>
#include <string>

namespace brelo {

inline constexpr char PrefijoTcp[] = "tcp://";

struct DestinoTcp {
    std::string host;   // without brackets
    std::string puerto; // decimal, 1 to 65535
};

// Nothing when the text is not a well-formed tcp:// address.
std::optional<DestinoTcp> DestinoDe(const QString& texto);
bool EsTcp(const QString& texto);

class PuertoTcp final : public Puerto {
public:
    ~PuertoTcp() override;
    bool PortOpen() const override { return destino_.has_value(); }
    void Cerrar() override;
    // Only checks that the adapter answers: a connection made and closed again within 3 s.
    bool Abrir(const QString& dispositivo, qint32 baudios, QString& error) override;
    // Connects first when the transfer has no connection yet; Nagle's algorithm is off, so
    // each byte leaves at once.
    bool Output(const QByteArray& bytes, const std::function<bool()>& seguir) override;
    void Soltar() override;

private:
    std::optional<DestinoTcp> destino_;
    int conexion_ = -1;
};

// The line to the sign as the port setting says: a serial device, or an adapter.
class LineaCartel final : public Puerto {
public:
    bool PortOpen() const override { return actual_->PortOpen(); }
    void Cerrar() override { actual_->Cerrar(); }
    bool Abrir(const QString& dispositivo, qint32 baudios, QString& error) override;
    bool Output(const QByteArray& bytes, const std::function<bool()>& seguir) override {
        return actual_->Output(bytes, seguir);
    }
    void Renovar() override { actual_->Renovar(); }
    void Soltar() override { actual_->Soltar(); }

private:
    PuertoSerie serie_;
    PuertoTcp tcp_;
    Puerto* actual_ = &serie_;
};

} // namespace brelo
