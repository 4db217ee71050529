#pragma once

// The serial line to the sign. Nothing is ever read from it: the sign never answers.

#include <QByteArray>
#include <QString>

#include <functional>

namespace brelo {

struct Ajustes;

class Puerto {
public:
    virtual ~Puerto() = default;
    virtual bool PortOpen() const = 0;
    virtual void Cerrar() = 0;
    // 8 data bits, no parity, 1 stop bit, no flow control, RTS and DTR off.
    virtual bool Abrir(const QString& dispositivo, qint32 baudios, QString& error) = 0;
    // On the transfer's thread: writes the bytes and returns once they have left for the
    // line, however long a slow line takes. While the line holds them up, seguir() is asked
    // about every tenth of a second; false from it gives the write up. False when the bytes
    // were not all written.
    virtual bool Output(const QByteArray& bytes, const std::function<bool()>& seguir) = 0;
    // On the transfer's thread, after Preparar and before the stream is made: the connection
    // of a line that needs one for each transfer (an adapter), so that a clock command carries
    // the time of its first byte and a cancel meanwhile sends nothing. seguir() is asked every
    // tenth of a second; false, with Motivo(), when it could not be made.
    virtual bool Conectar(const std::function<bool()>& /*seguir*/) { return true; }
    // On the transfer's thread, after the last byte: true once the far end has acknowledged
    // every byte. A serial line has nothing to wait for; an adapter is asked every tenth of a
    // second how many bytes it still holds unacknowledged, and seguir(pendientes) whether to
    // go on waiting. The adapter's own rules (gone, or taking nothing) fail it with Motivo().
    virtual bool Confirmar(const std::function<bool(qint64 pendientes)>& /*seguir*/) {
        return true;
    }
    // Why the last Output or Confirmar failed, in Spanish; empty when it was given up.
    virtual QString Motivo() const { return {}; }
    // Whether a transfer can start on the line as it is: open, its last transfer not failed,
    // not hung up. The window starts a line that is not ready afresh before each transfer,
    // so a line that came back (an adapter plugged in again) works without a visit to the
    // options.
    virtual bool Lista() const { return PortOpen(); }
    // Whether Abrir leaves the check of the line (does an adapter answer?) to a thread of its
    // own; f is then called on that thread when the check ends, with its reason, empty when
    // the line is good.
    virtual bool ComprobacionAparte() const { return false; }
    virtual void AlComprobar(std::function<void(const QString& error)> /*f*/) {}
    // On the transfer's thread, before its first byte: waits for a check still under way,
    // seguir() asked every tenth of a second; false, with Motivo(), when the line is not good.
    virtual bool Preparar(const std::function<bool()>& /*seguir*/) { return true; }
    // After a transfer, on its thread: a connection made for it is let go.
    virtual void Soltar() {}
};

// The device of a port setting, as this platform names its ports: on Linux a text starting
// with "/" is a device path (USB adapters, /dev/serial/by-id names) and a leading number n
// is /dev/ttyS(n-1); on Windows "COM12", "com12", "\\.\COM12" and "12" are COM12. A text
// starting with "tcp://" is a serial-to-Ethernet adapter on both. Empty, with the reason in
// error, when the text names no port.
QString DispositivoDe(const QString& puerto, QString* error = nullptr);

// The port a Windows port name gives, 1 to 255; 0 when the text is none ("COM0", "COM3:",
// "\\.\NUL", "/dev/ttyS0").
int NumeroCom(const QString& puerto);

// What status panel 1 calls the port: on Linux "COM" and the number, or a device's path as
// it is; the port's own name on Windows.
QString NombrePuerto(const QString& puerto);

// What a port setting may be, for the options' tooltip.
QString AyudaPuerto();

// Inicio_COMM's work: closes the port, then opens it with the settings. Returns the device
// tried and the reason, in Spanish, on failure; an empty text on success.
QString IniciarPuerto(Puerto& puerto, const Ajustes& a);

// "COM2: 9600", what status panel 1 shows for an open port; an adapter's "HOST:PORT", its
// baud rate being set on the adapter itself.
QString TextoLinea(const Ajustes& a);

} // namespace brelo
