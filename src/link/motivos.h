#pragma once

// Why an operation on a file or a device failed, in the operator's language. The usual causes
// get a Spanish text of their own; anything else keeps the system's text in parentheses.

#include <QString>

namespace brelo {

// codigo is the errno the failing call left; sistema, the system's own text for it.
QString Motivo(int codigo, const QString& sistema);

// A text shown to the operator with its control characters escaped ("\x01").
QString Mostrable(const QString& texto);

} // namespace brelo
