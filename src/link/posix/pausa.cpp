#include "link/pausa.h"

#include <cerrno>
#include <ctime>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace brelo {

namespace {
constexpr qint64 NsPorSegundo = 1000000000;
} // namespace

void PrepararPausas() {
#ifdef Q_OS_LINUX
    // The default slack lets each wake-up come up to 50 us late; a transfer paced at a few
    // milliseconds would run a percent slow. Only this thread is affected.
    prctl(PR_SET_TIMERSLACK, 1000UL);
#endif
}

qint64 AhoraNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * NsPorSegundo + t.tv_nsec;
}

void DormirHastaNs(qint64 hasta) {
    const timespec t{time_t(hasta / NsPorSegundo), long(hasta % NsPorSegundo)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
    }
}

} // namespace brelo
