#pragma once

// The timer behind the pauses on Windows, and how it is chosen: a high-resolution waitable
// timer where the system has one (Windows 10 1803 and later), else an ordinary one with the
// system's timer period lowered to 1 ms for as long as the thread needs it.

#include "link/windows/sistema.h"

#include <functional>

namespace brelo {

enum class Precision { AltaResolucion, Periodo1ms };

struct Temporizador {
    HANDLE h = nullptr;
    Precision precision = Precision::AltaResolucion;
};

// crear is CreateWaitableTimerExW given its flags; tests hand in one that lacks the
// high-resolution flag, as older systems do.
Temporizador CrearTemporizador(const std::function<HANDLE(DWORD flags)>& crear);

} // namespace brelo
