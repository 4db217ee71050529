#pragma once

// The system's own words for what went wrong. Codes are errno values on every platform: the
// Windows files turn the errors they meet into the errno value of the same meaning, so that
// one table of reasons (motivos.h) serves both; an error with no such value keeps its own code,
// marked, and only its system text.

#include <QString>

namespace brelo {

// The system's text for a code, as the platform words it.
QString TextoError(int codigo);

// The code of the last failed system call of this thread.
int UltimoError();

} // namespace brelo
