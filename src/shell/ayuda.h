#pragma once

// Where the help is. On Windows the program has always started "hh.exe " followed by the help
// file of its folder, unquoted; elsewhere that file opens with the desktop's viewer when it is
// there, and the operator's guide shipped with the program otherwise.

#include <QString>
#include <QStringList>

namespace brelo {

QString ArchivoAyuda(const QString& pathApp); // "C:\Cartel\brelo.chm"
QString LineaAyuda(const QString& pathApp);   // "hh.exe C:\Cartel\brelo.chm"

// The documents to try, in order, for a program started from pathApp.
QStringList DocumentosAyuda(const QString& pathApp);

} // namespace brelo
