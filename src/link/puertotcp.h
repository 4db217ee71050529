#pragma once

// A serial-to-Ethernet adapter in raw TCP mode, written "tcp://HOST:PORT" where a port goes
// (HOST a name, an IPv4 address or an IPv6 one in brackets, with its scope after "%" when it
// is link-local). Such adapters take one client at a time, so the connection is made for each
// transfer, on its thread, and let go after it: a scheduled brelo-cli finds the adapter free
// between sends.
//
//   window thread            check thread                  transfer thread
//   Abrir() -- starts -->    resolve + connect, 3 s        Preparar() waits for the check
//   AlComprobar <-- called at its end --                   Conectar() connects
//                                                          Output() writes
//                                                          Confirmar() waits for the ACKs
//
// While the transfer runs it watches the adapter at every byte and every tenth of a second of
// a wait, on the transfer's clock: bytes waiting while the system has had no answer at all
// for MsSinRespuesta, it is gone ("el adaptador no responde"); bytes waiting and none
// acknowledged for MsSinAceptar although it answers, it takes nothing ("el adaptador no
// acepta datos"). An adapter that keeps taking bytes, however slowly, is waited for.

#include "link/conexion.h"
#include "link/puerto.h"
#include "link/puertoserie.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace brelo {

class Reloj;
class Resolutor;

inline constexpr char PrefijoTcp[] = "tcp://";

struct DestinoTcp {
    std::string host;   // without brackets; an IPv6 scope as "%" and the interface's number
    std::string puerto; // decimal, 1 to 65535
};

// Nothing, and the reason in error, when the text is not a well-formed tcp:// address or
// names an interface this machine does not have.
std::optional<DestinoTcp> DestinoDe(const QString& texto, QString* error = nullptr);
bool EsTcp(const QString& texto);

class PuertoTcp final : public Puerto {
public:
    // Names are resolved by resolutor; the 3 s allowed to find and reach the adapter are
    // measured on reloj.
    PuertoTcp(Resolutor& resolutor, Reloj& reloj);
    ~PuertoTcp() override;
    // An address is set and its check has not failed (it may still be under way).
    // Lista() also asks that the last transfer did not fail.
    bool PortOpen() const override;
    void Cerrar() override;
    // Checks, on a thread of its own, that the adapter answers: its name found and a
    // connection made and closed again within 3 s. False at once only for an address that
    // is not well formed.
    bool Abrir(const QString& dispositivo, qint32 baudios, QString& error) override;
    void AlComprobar(std::function<void(const QString& error)> f) override;
    bool ComprobacionAparte() const override { return true; }
    bool Lista() const override;
    // Waits for a check under way, seguir() asked every tenth of a second.
    bool Preparar(const std::function<bool()>& seguir) override;
    // The transfer's own connection; Nagle's algorithm is off, so each byte leaves at once.
    bool Conectar(const std::function<bool()>& seguir) override;
    bool Output(const QByteArray& bytes, const std::function<bool()>& seguir) override;
    // Sent is not yet received: the bytes may still sit in this machine's queue or on the
    // way. Waits until the adapter's TCP has acknowledged them all.
    bool Confirmar(const std::function<bool(qint64 pendientes)>& seguir) override;
    QString Motivo() const override;
    void Soltar() override;

    // How long an adapter that answers may take no byte at all.
    static constexpr qint64 MsSinAceptar = 60000;

private:
    bool fallar(int error);
    int vigilar();
    bool conectar(Conexion& c, const std::function<bool()>& seguir);
    int esperarConexion(Conexion& c, qint64 hasta, const std::function<bool()>& seguir);
    void comprobar();

    Resolutor& resolutor_;
    Reloj& reloj_;
    std::optional<DestinoTcp> destino_;
    Conexion conexion_; // the transfer's own, and what the transfer's thread saw of it:
    qint64 escritos_ = 0, confirmados_ = 0;
    qint64 acuse_ = 0;    // when a byte was last acknowledged, or none waited
    qint64 callado_ = -1; // since when the system has had no answer; -1 while it has
    std::thread comprobacion_;
    std::function<void(const QString&)> alComprobar_;
    mutable std::mutex mutex_; // guards the rest, shared by the three threads
    std::condition_variable cambio_;
    bool comprobando_ = false, cerrando_ = false;
    bool malo_ = false;  // the check found no adapter
    bool fallo_ = false; // the last transfer failed
    QString motivo_;
};

// The line to the sign as the port setting says: a serial device, or an adapter.
class LineaCartel final : public Puerto {
public:
    LineaCartel(Resolutor& resolutor, Reloj& reloj) : tcp_(resolutor, reloj) {}
    bool PortOpen() const override { return actual_->PortOpen(); }
    void Cerrar() override { actual_->Cerrar(); }
    bool Abrir(const QString& dispositivo, qint32 baudios, QString& error) override;
    void AlComprobar(std::function<void(const QString&)> f) override {
        tcp_.AlComprobar(std::move(f));
    }
    bool ComprobacionAparte() const override { return actual_->ComprobacionAparte(); }
    bool Lista() const override { return actual_->Lista(); }
    bool Preparar(const std::function<bool()>& seguir) override {
        return actual_->Preparar(seguir);
    }
    bool Conectar(const std::function<bool()>& seguir) override {
        return actual_->Conectar(seguir);
    }
    bool Output(const QByteArray& bytes, const std::function<bool()>& seguir) override {
        return actual_->Output(bytes, seguir);
    }
    bool Confirmar(const std::function<bool(qint64)>& seguir) override {
        return actual_->Confirmar(seguir);
    }
    QString Motivo() const override { return actual_->Motivo(); }
    void Soltar() override { actual_->Soltar(); }

private:
    PuertoSerie serie_;
    PuertoTcp tcp_;
    Puerto* actual_ = &serie_;
};

} // namespace brelo
