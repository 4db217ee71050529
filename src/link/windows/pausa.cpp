#include "link/pausa.h"

#include "link/windows/pausa.h"

#include <mmsystem.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace brelo {

namespace {

// The thread's timer, let go with the thread.
struct TemporizadorHilo {
    Temporizador t;
    ~TemporizadorHilo() {
        if (!t.h)
            return;
        CloseHandle(t.h);
        if (t.precision == Precision::Periodo1ms)
            timeEndPeriod(1);
    }
};

thread_local TemporizadorHilo hilo;

HANDLE crearDelSistema(DWORD flags) {
    return CreateWaitableTimerExW(nullptr, nullptr, flags, TIMER_ALL_ACCESS);
}

} // namespace

Temporizador CrearTemporizador(const std::function<HANDLE(DWORD flags)>& crear) {
    if (HANDLE h = crear(CREATE_WAITABLE_TIMER_HIGH_RESOLUTION))
        return {h, Precision::AltaResolucion};
    timeBeginPeriod(1);
    return {crear(0), Precision::Periodo1ms};
}

void PrepararPausas() {
    if (!hilo.t.h)
        hilo.t = CrearTemporizador(crearDelSistema);
}

qint64 AhoraNs() {
    static const qint64 frecuencia = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return qint64(f.QuadPart);
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    const qint64 n = c.QuadPart;
    return n / frecuencia * 1000000000 + n % frecuencia * 1000000000 / frecuencia;
}

// The timer is set relative to now, in 100 ns steps rounded up: its own clock is not the
// performance counter, so the caller looks at AhoraNs() again and sleeps on if woken early.
void DormirHastaNs(qint64 hasta) {
    PrepararPausas();
    const qint64 falta = hasta - AhoraNs();
    if (falta <= 0)
        return;
    LARGE_INTEGER cuando;
    cuando.QuadPart = -((falta + 99) / 100);
    if (SetWaitableTimer(hilo.t.h, &cuando, 0, nullptr, nullptr, FALSE))
        WaitForSingleObject(hilo.t.h, INFINITE);
    else
        Sleep(DWORD((falta + 999999) / 1000000));
}

} // namespace brelo
