#pragma once

// A message file loaded as the window loads it, and the stream it gives, for brelo-cli and the
// agenda.

#include "core/model/mensaje.h"

#include <QString>

#include <optional>
#include <string>

namespace brelo {

// Why a message gave nothing: the program's own text and the reason.
struct Falla {
    const char* texto = nullptr;
    QString motivo;
};

std::optional<Mensaje> CargarMensaje(const QString& ruta, Falla& falla);

// The stream of a message file; none for a message without text or that cannot be sent.
std::optional<std::string> TramaDeArchivo(const QString& ruta, Falla& falla);

} // namespace brelo
