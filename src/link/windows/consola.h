#pragma once

// How a console tells the program to stop: Ctrl-C, Ctrl-Break, its window closed, the
// session ending. The handler runs on a thread the system starts for it.

#include "link/windows/sistema.h"

namespace brelo {

// Records the first stop, as a signal number (SIGINT for Ctrl-C, SIGBREAK for Ctrl-Break,
// 1 (hang-up) for a closed console, SIGTERM for a session ending). For the last two, the
// system ends the program once this returns, so it waits first, up to 4.5 s of the 5 s
// allowed, for the Parada to go, the transfer having sent the terminator.
BOOL WINAPI AlControlConsola(DWORD tipo);

} // namespace brelo
