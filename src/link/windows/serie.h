#pragma once

// The write of LineaSerie::Escribir on Windows, apart from its wait for the driver's queue
// (EsperarCola), so that tests reach it: wine writes to a pseudo-terminal mapped to a COM port
// but cannot tell its driver's queue.

#include "link/windows/sistema.h"

#include <QByteArray>

#include <functional>

namespace brelo {

// An overlapped write of every byte to h, its end signalled on evento; waited for a tenth of a
// second at a time, seguir() asked between. 0, ECANCELED, or the error (a short write is EIO).
int EscribirCom(HANDLE h, HANDLE evento, const QByteArray& bytes,
                const std::function<bool()>& seguir);

} // namespace brelo
