#pragma once

// The precise pause between two bytes: a monotonic clock and a sleep to a deadline on it,
// for RelojReal, which keeps the pacing itself (absolute deadlines, the short last sleep).

#include <QtGlobal>

namespace brelo {

// Once on the transfer's thread before its first byte: the finest wake-up the system gives.
void PrepararPausas();

// Nanoseconds on a monotonic clock.
qint64 AhoraNs();

// Sleeps until AhoraNs() has reached hasta, or a little less when woken early: the caller
// looks at the clock again.
void DormirHastaNs(qint64 hasta);

} // namespace brelo
