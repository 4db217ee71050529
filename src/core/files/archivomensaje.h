#pragma once

// Message files: comma-separated text records, one per page with text, CR LF after each.
// Version 2 (.mn2) is read and written; version 1 (.mnm) is read only: it has no exit effect
// and numbers the entry effects from 2 on one lower. Neither has a header: the extension of
// the file name alone says which one a file is.

#include "core/model/mensaje.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brelo {

enum class VersionArchivo { V1, V2 };

// A double quote cannot stand inside a quoted field, so it is stored as 0xFF (ÿ).
std::string WComi(std::string_view texto);
std::string RComi(std::string_view texto);

// The part of the path after the last c; for "." with no dot in the path, empty.
std::string Extraer(std::string_view ruta, char c);

// Version 1 only for the extension exactly "mnm"; MNM, txt or none read as version 2.
VersionArchivo VersionDeRuta(std::string_view ruta);

// A name ending in ".mnm", in any case: version 1 files are never written, since version 2
// records in them could not be read back.
bool EsNombreVersion1(std::string_view ruta);

// The version 2 bytes of the message: every page with text, in page order.
std::string EscribirMensaje(const Mensaje& m);

struct ErrorArchivo {
    int registro;       // 1-based record being read when the file failed
    std::string motivo; // what was wrong, in the operator's language
};

struct LecturaMensaje {
    std::vector<Pagina> paginas; // at most 99; empty for an empty file
    std::optional<ErrorArchivo> error;
};

// Reads a whole file. Every value must lie in its catalog (entry 0-19, pause 0-9, exit
// 0-10), so that no page the editor will show can hold a value it has no entry for.
LecturaMensaje LeerMensaje(std::string_view datos, VersionArchivo version);

} // namespace brelo
