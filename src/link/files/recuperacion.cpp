#include "link/files/recuperacion.h"

#include "link/files/escritura.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace brelo {

namespace {
QString archivo(const char* extension) {
    return CarpetaAjustes() + QStringLiteral("/recuperado.") + QLatin1String(extension);
}
} // namespace

QString CarpetaAjustes() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Brelo2");
}

std::optional<QString> GuardarRecuperado(const Recuperado& r) {
    if (!QDir().mkpath(CarpetaAjustes()))
        return QStringLiteral("no se pudo crear la carpeta %1")
            .arg(QDir::toNativeSeparators(CarpetaAjustes()));
    // The name first: a message found without it is simply unnamed.
    if (auto error = EscribirArchivo(archivo("ruta"), r.ruta.toStdString()))
        return error;
    return EscribirArchivo(archivo("mn2"), r.mensaje);
}

std::optional<Recuperado> LeerRecuperado() {
    const LecturaArchivo mensaje = LeerArchivo(archivo("mn2"));
    if (!mensaje.error.isEmpty())
        return std::nullopt;
    return Recuperado{mensaje.datos, QString::fromStdString(LeerArchivo(archivo("ruta")).datos)};
}

void BorrarRecuperado() {
    QFile::remove(archivo("mn2"));
    QFile::remove(archivo("ruta"));
}

} // namespace brelo
