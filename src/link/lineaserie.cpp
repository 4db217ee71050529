#include "link/lineaserie.h"

#include "link/errores.h"
#include "link/pausa.h"

#include <algorithm>
#include <cerrno>

namespace brelo {

int EsperarCola(const std::function<bool(qint64& enCola)>& cola, qint32 baudios,
                const std::function<bool()>& seguir) {
    constexpr qint64 Tramo = 100000000; // ns
    // A byte takes about ten bit times on the line.
    const qint64 nsPorByte = 10 * qint64(1000000000) / std::max(baudios, 1);
    qint64 retenido = 0;
    for (qint64 enCola = 0;;) {
        if (!cola(enCola))
            return UltimoError();
        if (enCola <= 0)
            return 0;
        if (retenido >= Tramo) {
            if (!seguir())
                return ECANCELED;
            retenido = 0;
        }
        const qint64 ns = std::min(enCola * nsPorByte, Tramo);
        DormirHastaNs(AhoraNs() + ns);
        retenido += ns;
    }
}

} // namespace brelo
