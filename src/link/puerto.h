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
    // Before a transfer, on the window's thread: a port whose last write failed is opened
    // again with the same settings, so a line that came back (an adapter plugged in again)
    // works without a visit to the options.
    virtual void Renovar() {}
    // After a transfer, on its thread: a connection made for it is let go.
    virtual void Soltar() {}
};

// The device of a port setting: a text starting with "/" is a device path (USB adapters,
// /dev/serial/by-id names), one starting with "tcp://" a serial-to-Ethernet adapter;
// otherwise its leading number n is the platform's nth port. Empty when the number is
// outside 1..32767.
QString DispositivoDe(const QString& puerto);

// Inicio_COMM's work: closes the port, then opens it with the settings. Returns the device
// tried and the reason, in Spanish, on failure; an empty text on success.
QString IniciarPuerto(Puerto& puerto, const Ajustes& a);

// "COM2: 9600", what status panel 1 shows for an open port; an adapter's "HOST:PORT", its
// baud rate being set on the adapter itself.
QString TextoLinea(const Ajustes& a);

} // namespace brelo
