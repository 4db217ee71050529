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
    QString error; // why it could not be read, in Spanish; empty on success
};

// Only a regular file of at most 16 MiB is read; anything else fails at once, unread.
LecturaArchivo LeerArchivo(const QString& ruta);

// Returns the reason on failure, in Spanish, nothing on success.
std::optional<QString> EscribirArchivo(const QString& ruta, const std::string& datos);

// A message's name as the operator typed it, with ".mn2" added unless it already ends so,
// whatever the case: "cartel.v2" is "cartel.v2.mn2", "CARTEL.MN2" stays.
QString NombreMn2(const QString& ruta);

// Whether both names reach one file (a link, a second name, the same path written twice).
bool MismoArchivo(const QString& a, const QString& b);

} // namespace brelo
