#pragma once

// The time a transfer keeps: its pauses are measured and slept on this clock, on the
// transfer's own thread. Tests hand the transfer a scripted clock, so they never sleep.

#include <QtGlobal>

#include <functional>

namespace brelo {

class Reloj {
public:
    virtual ~Reloj() = default;
    // Called once on the transfer's thread before its first byte.
    virtual void AlEmpezar() {}
    // A monotonic time in nanoseconds.
    virtual qint64 Ahora() = 0;
    // Returns once Ahora() has reached hasta, never before; or earlier, within a tenth of a
    // second, once despertar() says so.
    virtual void DormirHasta(qint64 hasta, const std::function<bool()>& despertar) = 0;
};

class RelojReal final : public Reloj {
public:
    void AlEmpezar() override;
    qint64 Ahora() override;
    void DormirHasta(qint64 hasta, const std::function<bool()>& despertar) override;
};

} // namespace brelo
