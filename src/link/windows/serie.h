#pragma once

// The two halves of LineaSerie::Escribir on Windows, apart so that tests reach each: wine
// writes to a pseudo-terminal mapped to a COM port but cannot tell its driver's queue.

#include "link/windows/sistema.h"

#include <QByteArray>

#include <functional>

namespace brelo {

// An overlapped write of every byte to h, its end signalled on evento; waited for a tenth of a
// second at a time, seguir() asked between. 0, ECANCELED, or the error (a short write is EIO).
int EscribirCom(HANDLE h, HANDLE evento, const QByteArray& bytes,
                const std::function<bool()>& seguir);

// How many bytes the driver still holds (ClearCommError's cbOutQue); false when it cannot say.
using ColaSalida = std::function<bool(DWORD& enCola)>;

// Waits until the queue is empty, sleeping about the time its bytes take on the line. 0 once
// empty; the error when the queue cannot be read, never counted as empty; ECANCELED.
int VaciarCom(const ColaSalida& cola, qint32 baudios, const std::function<bool()>& seguir);

} // namespace brelo
