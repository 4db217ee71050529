#pragma once

// What the POSIX serial line and connection share: writing to a non-blocking descriptor.

#include <QByteArray>

#include <functional>

namespace brelo {

inline constexpr int TramoMs = 100; // how often a held-up wait asks whether to go on

// Writes all the bytes to a non-blocking descriptor, a serial device's or a network
// connection's. While it takes nothing, it is waited for with poll() a tenth of a second at a
// time and seguir() is asked, so a cancel can still give the write up. 0 when every byte was
// written; otherwise the error of the failure (EPIPE or the connection's own when the far end
// has gone), or ECANCELED when seguir() said no.
int EscribirDescriptor(int fd, const QByteArray& bytes, const std::function<bool()>& seguir,
                       bool conexion);

} // namespace brelo
