#pragma once

// Where the help is: the operator's guide shipped with the program, beside it in the build
// folder and on Windows, under share/doc once installed on Linux. It opens with the desktop's
// viewer of web pages.

#include <QString>
#include <QStringList>

namespace brelo {

// The documents to try, in order, for a program started from pathApp.
QStringList DocumentosAyuda(const QString& pathApp);

} // namespace brelo
