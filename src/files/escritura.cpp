#include "escritura.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace brelo {

LecturaArchivo LeerArchivo(const QString& ruta) {
    LecturaArchivo r;
    if (QFileInfo(ruta).isDir()) {
        r.error = QStringLiteral("es una carpeta");
        return r;
    }
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = f.errorString();
        return r;
    }
    const QByteArray datos = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        r.error = f.errorString();
        return r;
    }
    r.datos.assign(datos.constData(), static_cast<std::size_t>(datos.size()));
    return r;
}

std::optional<QString> EscribirArchivo(const QString& ruta, const std::string& datos) {
    QSaveFile f(ruta);
    if (!f.open(QIODevice::WriteOnly))
        return f.errorString();
    const auto largo = static_cast<qint64>(datos.size());
    // commit() does not see an error of the final flush (a full disk, the file-size limit)
    // and would put a truncated file in place of the old one, so flush and check first.
    const bool escrito = f.write(datos.data(), largo) == largo && f.flush();
    if (!escrito || f.error() != QFileDevice::NoError) {
        const QString error = f.errorString();
        f.cancelWriting();
        return error;
    }
    if (!f.commit())
        return f.errorString();
    return std::nullopt;
}

} // namespace brelo
