#include "link/reloj.h"

#include <algorithm>
#include <cerrno>
#include <ctime>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace brelo {

namespace {
constexpr qint64 NsPorSegundo = 1000000000;
constexpr qint64 Tramo = NsPorSegundo / 10; // how often a long sleep looks at despertar()
constexpr qint64 Previo = 200000;           // ns of the short last sleep
} // namespace

void RelojReal::AlEmpezar() {
#ifdef Q_OS_LINUX
    // The default slack lets each wake-up come up to 50 us late; a transfer paced at a few
    // milliseconds would run a percent slow. Only this thread is affected.
    prctl(PR_SET_TIMERSLACK, 1000UL);
#endif
}

qint64 RelojReal::Ahora() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * NsPorSegundo + t.tv_nsec;
}

// Absolute deadlines: an interrupted or late wake-up never shortens the pause, and the
// time spent looking at despertar() is not added to it. A processor left idle for a few
// milliseconds dozes off and wakes a tenth of a millisecond late, which would slow a
// transfer paced at 5 ms by 2 %; so the pause ends with a short sleep begun just before
// the deadline, from which the processor wakes on time. Nothing spins.
void RelojReal::DormirHasta(qint64 hasta, const std::function<bool()>& despertar) {
    for (qint64 ahora = Ahora(); ahora < hasta; ahora = Ahora()) {
        if (despertar && despertar())
            return;
        const qint64 tramo =
            hasta - ahora > Previo ? std::min(hasta - Previo, ahora + Tramo) : hasta;
        const timespec t{time_t(tramo / NsPorSegundo), long(tramo % NsPorSegundo)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
        }
    }
}

} // namespace brelo
