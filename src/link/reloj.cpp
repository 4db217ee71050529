#include "link/reloj.h"

#include "link/pausa.h"

#include <algorithm>

namespace brelo {

namespace {
constexpr qint64 Tramo = 100000000; // ns: how often a long sleep looks at despertar()
constexpr qint64 Previo = 200000;   // ns of the short last sleep
} // namespace

void RelojReal::AlEmpezar() {
    PrepararPausas();
}

qint64 RelojReal::Ahora() {
    return AhoraNs();
}

// Absolute deadlines: an interrupted or late wake-up never shortens the pause, and the
// time spent looking at despertar() is not added to it. A processor left idle for a few
// milliseconds dozes off and wakes a tenth of a millisecond late, which would slow a
// transfer paced at 5 ms by 2 %; so the pause ends with a short sleep begun just before
// the deadline, from which the processor wakes on time. Nothing spins.
void RelojReal::DormirHasta(qint64 hasta, const std::function<bool()>& despertar) {
    for (qint64 ahora = AhoraNs(); ahora < hasta; ahora = AhoraNs()) {
        if (despertar && despertar())
            return;
        DormirHastaNs(hasta - ahora > Previo ? std::min(hasta - Previo, ahora + Tramo) : hasta);
    }
}

} // namespace brelo
