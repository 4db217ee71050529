#pragma once

// What the Windows files share: the system headers in the order they need, and the turning of
// the system's errors into errno values.

#ifndef NOMINMAX
#define NOMINMAX
#endif
// winsock2.h must come before windows.h.
#include <winsock2.h>

#include <windows.h>
#include <ws2tcpip.h>

namespace brelo {

// The errno value of the same meaning as a Win32 or Winsock error; one with none keeps its
// own code, marked, so that TextoError still finds the system's words for it.
int ErrnoDe(DWORD error);

} // namespace brelo
