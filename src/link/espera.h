#pragma once

// The pause after each byte of a transfer. It never blocks: the window keeps repainting
// and Cancelar keeps working while the transfer waits.

#include <QElapsedTimer>
#include <QObject>

#include <functional>

namespace brelo {

class Espera {
public:
    virtual ~Espera() = default;
    // Runs luego once at least ms milliseconds have passed, from the event loop; never once
    // contexto is gone.
    virtual void Luego(double ms, QObject* contexto, std::function<void()> luego) = 0;
};

// Timers alone may fire a fraction of a millisecond early; the remainder is made up so a
// pause is never shorter than asked, and at most about a millisecond longer.
class EsperaReal final : public QObject, public Espera {
    Q_OBJECT

public:
    using QObject::QObject;
    void Luego(double ms, QObject* contexto, std::function<void()> luego) override;

private:
    void comprobar(qint64 hasta, QObject* contexto, std::function<void()> luego);
    QElapsedTimer reloj_;
};

} // namespace brelo
