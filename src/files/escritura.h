#pragma once

// Whole-file reads and writes for the message files, the import and "Salida.txt". Writes go
// through a temporary file and a rename, so a failed or interrupted write leaves the
// previous file whole and no partial file behind.

#include <QString>

#include <optional>
#include <string>

namespace brelo {

struct LecturaArchivo {
    std::string datos;
    QString error; // empty on success
};

LecturaArchivo LeerArchivo(const QString& ruta);

// Returns the reason on failure, nothing on success.
std::optional<QString> EscribirArchivo(const QString& ruta, const std::string& datos);

} // namespace brelo
