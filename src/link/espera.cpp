#include "link/espera.h"

#include <QTimer>

#include <cmath>

namespace brelo {

namespace {
constexpr qint64 NsPorMs = 1000000;
}

void EsperaReal::Luego(double ms, QObject* contexto, std::function<void()> luego) {
    if (!reloj_.isValid())
        reloj_.start();
    const qint64 hasta = reloj_.nsecsElapsed() + static_cast<qint64>(std::max(0.0, ms) * NsPorMs);
    comprobar(hasta, contexto, std::move(luego));
}

void EsperaReal::comprobar(qint64 hasta, QObject* contexto, std::function<void()> luego) {
    const qint64 falta = hasta - reloj_.nsecsElapsed();
    if (falta <= 0) {
        QTimer::singleShot(0, contexto, std::move(luego));
        return;
    }
    if (falta < NsPorMs) { // below the timers' resolution
        while (reloj_.nsecsElapsed() < hasta) {
        }
        QTimer::singleShot(0, contexto, std::move(luego));
        return;
    }
    QTimer::singleShot(int(falta / NsPorMs), Qt::PreciseTimer, contexto,
                       [this, hasta, contexto, luego = std::move(luego)]() mutable {
                           comprobar(hasta, contexto, std::move(luego));
                       });
}

} // namespace brelo
