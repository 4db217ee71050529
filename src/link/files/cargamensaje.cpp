#include "link/files/cargamensaje.h"

#include "core/files/archivomensaje.h"
#include "core/protocol/trama.h"
#include "core/textos.h"
#include "link/files/escritura.h"

namespace brelo {

std::optional<Mensaje> CargarMensaje(const QString& ruta, Falla& falla) {
    const LecturaArchivo archivo = LeerArchivo(ruta);
    if (!archivo.error.isEmpty()) {
        falla = {texto::ErrorArchivo, ruta + QStringLiteral(": ") + archivo.error};
        return std::nullopt;
    }
    const LecturaMensaje l = LeerMensaje(archivo.datos, VersionDeRuta(ruta.toStdString()));
    if (l.error) {
        falla = {texto::ErrorArchivo, QStringLiteral("%1: registro %2: %3")
                                          .arg(ruta)
                                          .arg(l.error->registro)
                                          .arg(QString::fromStdString(l.error->motivo))};
        return std::nullopt;
    }
    Mensaje m;
    m.cargarPaginas(l.paginas);
    return m;
}

std::optional<std::string> TramaDeArchivo(const QString& ruta, Falla& falla) {
    auto cargado = CargarMensaje(ruta, falla);
    if (!cargado)
        return std::nullopt;
    Mensaje& m = *cargado;
    if (!m.tieneTexto()) {
        falla = {texto::Error21, QStringLiteral("el mensaje no tiene texto")};
        return std::nullopt;
    }
    ResultadoTrama t = ArmarTrama(m);
    if (!t.ok()) {
        falla = {texto::Error22,
                 QStringLiteral("la pagina %1 tiene una alineacion desconocida (%2)")
                     .arg(t.paginaConError)
                     .arg(m.AlinPag[t.paginaConError])};
        return std::nullopt;
    }
    return std::move(t.Trama);
}

} // namespace brelo
