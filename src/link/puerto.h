#pragma once

// The serial line to the sign. Nothing is ever read from it: the sign never answers.

#include <QByteArray>
#include <QString>

namespace brelo {

struct Ajustes;

class Puerto {
public:
    virtual ~Puerto() = default;
    virtual bool PortOpen() const = 0;
    virtual void Cerrar() = 0;
    // 8 data bits, no parity, 1 stop bit, no flow control, RTS and DTR off.
    virtual bool Abrir(const QString& dispositivo, qint32 baudios, QString& error) = 0;
    // Queues the bytes and pushes them to the line; false when they cannot be written.
    virtual bool Output(const QByteArray& bytes) = 0;
};

// The device of a port setting: a text starting with "/" is a device path (USB adapters,
// /dev/serial/by-id names); otherwise its leading number n is the platform's nth port.
// Empty when the number is outside 1..32767.
QString DispositivoDe(const QString& puerto);

// Inicio_COMM's work: closes the port, then opens it with the settings. Returns the device
// tried and the reason, in Spanish, on failure; an empty text on success.
QString IniciarPuerto(Puerto& puerto, const Ajustes& a);

// "COM2: 9600", what status panel 1 shows for an open port.
QString TextoLinea(const Ajustes& a);

} // namespace brelo
