#pragma once

// A message the session ended on before the operator saved it (a logout, a shutdown, the
// program stopped by a signal), kept beside the settings until the next start offers it back.
// It is never written over the operator's own file.

#include <QString>

#include <optional>
#include <string>

namespace brelo {

struct Recuperado {
    std::string mensaje; // the message as a .mn2 file holds it
    QString ruta;        // the file it was read from or saved to; empty when it had none
};

// The folder of the settings file (on Windows, where the registry has no folder, the per-user
// configuration folder of the same name).
QString CarpetaAjustes();

// Returns the reason on failure, nothing on success.
std::optional<QString> GuardarRecuperado(const Recuperado& r);
std::optional<Recuperado> LeerRecuperado();
void BorrarRecuperado();

} // namespace brelo
